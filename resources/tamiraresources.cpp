#include "resources/tamiraresources.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QtGlobal>

static QPointer<QTranslator> englishCatalogue;
static bool englishInUse = false;

static void initOnce()
{
    Q_INIT_RESOURCE(tamira);
}

void initTamiraResources()
{
    static const bool done = (initOnce(), true);
    Q_UNUSED(done)
}

bool installEnglishCatalogue(QTranslator &translator)
{
    initTamiraResources();
    const bool loaded = translator.load(QStringLiteral(":/language/english.qm"));
    QCoreApplication::installTranslator(&translator);
    englishCatalogue = &translator;
    englishInUse = true;
    return loaded;
}

// Loaded once, kept by the application; installed while Polish is shown.
static QTranslator *qtPolish()
{
    static QPointer<QTranslator> translator;
    if (!translator) {
        translator = new QTranslator(QCoreApplication::instance());
        const QString name = QStringLiteral("qtbase_pl");
        if (!translator->load(name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations")))
            translator->load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    }
    return translator;
}

static QTranslator *valueListsPolish()
{
    static QPointer<QTranslator> translator;
    if (!translator) {
        initTamiraResources();
        translator = new QTranslator(QCoreApplication::instance());
        translator->load(QStringLiteral(":/language/valuelists_pl.qm"));
    }
    return translator;
}

bool installQtPolish()
{
    QTranslator *translator = qtPolish();
    QCoreApplication::installTranslator(translator);
    return !translator->isEmpty();
}

void useEnglishCatalogue(bool english)
{
    if (!englishCatalogue || english == englishInUse)
        return;
    englishInUse = english;
    if (english) {
        QCoreApplication::removeTranslator(valueListsPolish());
        QCoreApplication::removeTranslator(qtPolish());
        QCoreApplication::installTranslator(englishCatalogue);
    } else {
        QCoreApplication::removeTranslator(englishCatalogue);
        QCoreApplication::installTranslator(valueListsPolish());
        QCoreApplication::installTranslator(qtPolish());
    }
}

bool englishCatalogueInUse()
{
    return englishInUse;
}
