#include "resources/tamiraresources.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtGlobal>

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
    return loaded;
}
