#include "cmylibusb.h"
#include "cmywidgetdialogs.h"
#include "mainwindow.h"
#include "tamiraresources.h"

#include <QApplication>
#include <QIcon>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The texts are written in Polish; the built-in English catalogue is always installed.
    QTranslator translator;
    if (!installEnglishCatalogue(translator))
        qDebug("English catalogue not loaded");
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/ikony/tamira_desk_128.png"), QSize(128, 128));
    QApplication::setWindowIcon(icon);


    cMyWidgetDialogs dialogs;
    cMyDialogs::install(&dialogs);
    // Never destroyed: a bootloader check may still be inside a USB transfer when main returns.
    cMyUsb::install(new cMyLibUsb);

    MainWindow window;
    if (argc > 1)
        window.loadFromCommandLine(QString::fromUtf8(argv[1]));
    window.show();
    const int code = app.exec();
    cMyDialogs::install(nullptr);
    return code;
}
