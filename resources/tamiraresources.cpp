#include "resources/tamiraresources.h"

#include <QCoreApplication>
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

void useEnglishCatalogue(bool english)
{
    if (!englishCatalogue || english == englishInUse)
        return;
    englishInUse = english;
    if (english)
        QCoreApplication::installTranslator(englishCatalogue);
    else
        QCoreApplication::removeTranslator(englishCatalogue);
}
