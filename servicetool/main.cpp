// servicetool: without options the service console's window, with options its command line.

#include "servicetool/cmycommandline.h"
#include "servicetool/cmyconsole.h"
#include "servicetool/cmyservicedialogs.h"
#include "servicetool/mainwindow.h"

#include <QApplication>

#include <cstdio>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
    servicetool::cMyConsole::ignoreFileSizeSignal();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (servicetool::cMyCommandLine::wanted(arguments)) {
#ifdef Q_OS_WIN
        // A GUI program has no console of its own; borrow the one it was started from.
        if (AttachConsole(ATTACH_PARENT_PROCESS)) {
            std::freopen("CONOUT$", "w", stdout);
            std::freopen("CONOUT$", "w", stderr);
        }
#endif
        QCoreApplication app(argc, argv);
        return servicetool::cMyCommandLine::run(app.arguments());
    }

    QApplication app(argc, argv);
    servicetool::cMyServiceDialogs dialogs;
    cMyDialogs::install(&dialogs);
    int code;
    {
        servicetool::MainWindow window;
        window.show();
        code = app.exec();
    }
    cMyDialogs::install(nullptr);
    return code;
}
