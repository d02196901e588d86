// Started by bench_startup: builds either the real main window (as main() does) or a bare
// QMainWindow, and prints "shown" as soon as the window has been shown and the event loop has
// taken its first turn. Then it quits.

#include "mainwindow.h"
#include "tamiraresources.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool bare = app.arguments().contains(QStringLiteral("--bare"));
    QTranslator translator;
    QScopedPointer<QMainWindow> window;
    if (bare) {
        window.reset(new QMainWindow);
    } else {
        initTamiraResources();
        translator.load(QStringLiteral(":/language/english.qm"));
        app.installTranslator(&translator);
        window.reset(new MainWindow);
    }
    window->show();
    QTimer::singleShot(0, [] {
        QTextStream(stdout) << "shown" << Qt::endl;
        QCoreApplication::quit();
    });
    return app.exec();
}
