// servicetool: without options the service console's window, with options its command line.

#include "base/cmyremembered.h"
#include "base/filesizesignal.h"
#include "dialogs/cmywidgetdialogs.h"
#include "dialogs/highdpi.h"
#include "resources/tamiraresources.h"
#include "servicetool/cmycommandline.h"
#include "servicetool/cmyconsole.h"
#include "servicetool/mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QTranslator>

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (servicetool::cMyCommandLine::wanted(arguments)) {
        servicetool::cMyConsole::attachParentConsole();
        QCoreApplication app(argc, argv);
        // The command line speaks English, also in the texts it takes from the device layer
        // (a busy port, a failed write), which are written in Polish like the window's.
        QTranslator translator;
        installEnglishCatalogue(translator);
        return servicetool::cMyCommandLine::run(app.arguments());
    }

    enableHighDpiScaling();
    QApplication app(argc, argv);
    // The program's icon, as on the .exe, in the title bar and the task bar.
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/ikony/tamira_desk_128.png"), QSize(128, 128));
    QApplication::setWindowIcon(icon);
    // The window's texts are Polish; so are Qt's own (the boxes' buttons, the file dialogs).
    installQtPolish();
    cMyRemembered::setProgram(QStringLiteral("servicetool"));
    cMyWidgetDialogs dialogs;
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
