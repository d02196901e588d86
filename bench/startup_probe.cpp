// Started by bench_startup: builds either the real main window (as main() does) or a bare
// QMainWindow, and prints "shown" once the platform has exposed the window and the event loop
// has painted it. Then it quits.

#include "app/mainwindow.h"
#include "resources/tamiraresources.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool bare = app.arguments().contains(QStringLiteral("--bare"));
    QTranslator translator;
    QScopedPointer<QMainWindow> window;
    if (bare) {
        window.reset(new QMainWindow);
    } else {
        installEnglishCatalogue(translator);
        window.reset(new MainWindow);
    }
    window->show();
    QWindow *handle = window->windowHandle();
    auto report = [] {
        QTextStream(stdout) << "shown" << Qt::endl;
        QCoreApplication::quit();
    };
    // The expose event is followed by the first paint; the zero timer runs after both.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (handle && handle->isExposed()) {
            poll.stop();
            QTimer::singleShot(0, report);
        }
    });
    poll.start(0);
    return app.exec();
}
