#include "app/cmycommandline.h"
#include "app/cmystopsignals.h"
#include "bootcheck/cmylibusb.h"
#include "app/cmywidgetdialogs.h"
#include "app/mainwindow.h"
#include "resources/tamiraresources.h"

#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QTranslator>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromUtf8(argv[i]);
    return arguments;
}

} // namespace

// Start-up notes; on with QT_LOGGING_RULES="tamira.app.debug=true".
Q_LOGGING_CATEGORY(lcApp, "tamira.app", QtInfoMsg)

int main(int argc, char *argv[])
{
    // Answered before the application object exists, so that they work without a display.
    const cMyCommandLine early = cMyCommandLine::parse(argumentsOf(argc, argv));
    if (early.help || early.version) {
        std::fputs(early.help ? qPrintable(cMyCommandLine::usage())
                              : qPrintable(QStringLiteral("TAMIRAdesk %1\n").arg(MainWindow::versionText())),
                   stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // QApplication has taken its own options out of argv by now.
    const cMyCommandLine line = cMyCommandLine::parse(argumentsOf(argc, argv));
    if (!line.unknownOption.isEmpty()) {
        std::fprintf(stderr, "TAMIRAdesk: unknown option %s\n\n%s", qPrintable(line.unknownOption),
                     qPrintable(cMyCommandLine::usage()));
        return 2;
    }
    // The texts are written in Polish; the built-in English catalogue is always installed.
    QTranslator translator;
    if (!installEnglishCatalogue(translator))
        qCDebug(lcApp, "English catalogue not loaded");
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/ikony/tamira_desk_128.png"), QSize(128, 128));
    QApplication::setWindowIcon(icon);

    cMyStopSignals stopSignals;
    QObject::connect(&stopSignals, &cMyStopSignals::stopRequested, &app,
                     [](int signalNumber) { QCoreApplication::exit(128 + signalNumber); });

    cMyWidgetDialogs dialogs;
    cMyDialogs::install(&dialogs);
    // Never destroyed: a bootloader check may still be inside a USB transfer when main returns.
    cMyUsb::install(new cMyLibUsb);

    MainWindow window;
    if (!line.file.isEmpty())
        window.loadFromCommandLine(line.file);
    if (line.demo)
        window.startDemo();
    window.show();
    const int code = app.exec();
    cMyDialogs::install(nullptr);
    return code;
}
