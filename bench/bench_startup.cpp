// Start-up time of TAMIRAdesk's window against a bare QMainWindow program, measured in the same
// run: the time from starting the process until its window is exposed and painted. Prints the
// medians on the display the programs would use (when there is one) and on the offscreen
// platform. The goal, at most 1.5 times the bare program, is for a real display: offscreen has
// no display server to pay for, so the fonts and widgets weigh more there.
// usage: bench_startup [runs]

#include "bench/benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

namespace {

double timeOnce(const QString &probe, const QStringList &args)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(probe, args);
    bool shown = false;
    while (!shown && p.waitForReadyRead(10000))
        shown = p.readAll().contains("shown");
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(10000);
    // A probe that could not show its window (no display) has no start-up time.
    return shown ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 15;
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/startup_probe");
    QTextStream out(stdout);

    QStringList platforms;
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms << QStringLiteral("xcb");
    platforms << QStringLiteral("offscreen");
    for (const QString &platform : qAsConst(platforms)) {
        qputenv("QT_QPA_PLATFORM", platform.toLatin1());
        timeOnce(probe, {}); // warm the file cache
        QVector<double> ours, bare;
        for (int i = 0; i < runs; ++i) { // interleaved, so both see the same machine state
            ours.append(timeOnce(probe, {}));
            bare.append(timeOnce(probe, {QStringLiteral("--bare")}));
        }
        const bool failed = ours.contains(-1) || bare.contains(-1);
        const double a = failed ? -1 : median(ours), b = failed ? -1 : median(bare);
        out << "platform " << platform << ", " << runs << " runs each\n";
        out << QStringLiteral("  TAMIRAdesk window shown after %1 ms (median)\n").arg(a, 0, 'f', 1);
        out << QStringLiteral("  bare QMainWindow shown after %1 ms (median)\n").arg(b, 0, 'f', 1);
        out << QStringLiteral("  ratio %1%2\n")
                   .arg(a / b, 0, 'f', 2)
                   .arg(platform == QLatin1String("offscreen") ? QString() : QStringLiteral(" (goal: at most 1.5)"));
        out.flush();
        if (platform == QLatin1String("offscreen"))
            printResult(QStringLiteral("start-up: process start to the window painted, offscreen platform (no display "
                                       "server); baseline a bare QMainWindow"),
                        a, QStringLiteral("ms"), b);
        else
            printResult(QStringLiteral("start-up: process start to the window painted, on the X display %1; baseline a "
                                       "bare QMainWindow")
                            .arg(QString::fromLocal8Bit(qgetenv("DISPLAY"))),
                        a, QStringLiteral("ms"), b, Goal::RatioAtMost, 1.5);
    }
    return 0;
}
