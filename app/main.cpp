#include "app/cmycommandline.h"
#include "app/cmyfilecomparison.h"
#include "app/cmylanguagemenu.h"
#include "app/mainwindow.h"
#include "app/programarguments.h"
#include "base/cmyremembered.h"
#include "base/cmystopsignals.h"
#include "base/filesizesignal.h"
#include "base/parentconsole.h"
#include "bootcheck/cmylibusb.h"
#include "dialogs/cmywidgetdialogs.h"
#include "dialogs/highdpi.h"
#include "resources/tamiraresources.h"

#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QTranslator>

#include <cstdio>

// Start-up notes; on with QT_LOGGING_RULES="tamira.app.debug=true".
Q_LOGGING_CATEGORY(lcApp, "tamira.app", QtInfoMsg)

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    // Answered before the application object exists, so that they work without a display.
    const cMyCommandLine early = cMyCommandLine::parse(programArguments(argc, argv));
    if (early.help || early.version) {
        attachParentConsole();
        std::fputs(early.help ? qPrintable(cMyCommandLine::usage())
                              : qPrintable(QStringLiteral("TAMIRAdesk %1\n").arg(MainWindow::versionText())),
                   stdout);
        return 0;
    }
    if (early.compareGiven) {
        attachParentConsole();
        if (early.compare.size() != 2) {
            printText(stderr, QStringLiteral("TAMIRAdesk: --compare needs two files\n\n") + cMyCommandLine::usage());
            return cMyFileComparison::BadFile;
        }
        // In the language the window would show, with no window.
        QCoreApplication app(argc, argv);
        cMyRemembered::setProgram(QStringLiteral("TAMIRAdesk"));
        QTranslator translator;
        installEnglishCatalogue(translator);
        cMyLanguageMenu::useRememberedLanguage();
        QString out, error;
        const int status = cMyFileComparison::run(early.compare.at(0), early.compare.at(1), out, error);
        printText(stdout, out);
        printText(stderr, error);
        return status;
    }

    enableHighDpiScaling();
    QApplication app(argc, argv);
    // QApplication has taken its own options out of argv by now.
    const cMyCommandLine line = cMyCommandLine::parse(programArguments(argc, argv));
    if (!line.unknownOption.isEmpty()) {
        attachParentConsole();
        std::fprintf(stderr, "TAMIRAdesk: unknown option %s\n\n%s", qPrintable(line.unknownOption),
                     qPrintable(cMyCommandLine::usage()));
        return 2;
    }
    // The texts are written in Polish; the built-in English catalogue is installed, unless the
    // user chose Polish last time.
    cMyRemembered::setProgram(QStringLiteral("TAMIRAdesk"));
    QTranslator translator;
    if (!installEnglishCatalogue(translator))
        qCDebug(lcApp, "English catalogue not loaded");
    cMyLanguageMenu::useRememberedLanguage();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/ikony/tamira_desk_128.png"), QSize(128, 128));
    QApplication::setWindowIcon(icon);

    // A stop ends every event loop. One that came while a start-up box had its own loop only
    // closed that box, so the start-up looks at it before going on.
    int stopCode = -1;
    cMyStopSignals stopSignals;
    QObject::connect(&stopSignals, &cMyStopSignals::stopRequested, &app, [&stopCode](int signalNumber) {
        stopCode = 128 + signalNumber;
        QCoreApplication::exit(stopCode);
    });

    cMyWidgetDialogs dialogs;
    cMyDialogs::install(&dialogs);
    // Never destroyed: a bootloader check may still be inside a USB transfer when main returns.
    cMyUsb::install(createSystemUsb());

    int code = 0;
    {
        MainWindow window;
        // Unsaved edits are copied before the program ends on a stop.
        QObject::connect(&stopSignals, &cMyStopSignals::stopRequested, &window, &MainWindow::keepRecoveryCopy);
        if (!line.file.isEmpty() && stopCode < 0)
            window.loadFromCommandLine(line.file);
        if (line.demo && stopCode < 0)
            window.startDemo();
        if (stopCode < 0)
            window.offerRecovery();
        if (stopCode < 0) {
            window.show();
            code = app.exec();
        }
        if (stopCode >= 0)
            code = stopCode;
    }
    cMyDialogs::install(nullptr);
    return code;
}
