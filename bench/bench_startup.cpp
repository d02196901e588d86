// Start-up time of TAMIRAdesk's window against a bare QMainWindow program, measured in the same
// run: the time from starting the process until it reports its window shown. Prints medians.
// usage: bench_startup [runs] (the platform is taken from QT_QPA_PLATFORM, offscreen if unset)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <algorithm>

namespace {

double timeOnce(const QString &probe, const QStringList &args)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(probe, args);
    while (p.waitForReadyRead(10000)) {
        if (p.readAll().contains("shown"))
            break;
    }
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(10000);
    return ms;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 15;
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/startup_probe");

    timeOnce(probe, {}); // warm the file cache
    QVector<double> app_, bare;
    for (int i = 0; i < runs; ++i) { // interleaved, so both see the same machine state
        app_.append(timeOnce(probe, {}));
        bare.append(timeOnce(probe, {QStringLiteral("--bare")}));
    }
    const double a = median(app_), b = median(bare);
    QTextStream out(stdout);
    out << "platform " << qgetenv("QT_QPA_PLATFORM") << ", " << runs << " runs each\n";
    out << QStringLiteral("TAMIRAdesk window shown after %1 ms (median)\n").arg(a, 0, 'f', 1);
    out << QStringLiteral("bare QMainWindow shown after %1 ms (median)\n").arg(b, 0, 'f', 1);
    out << QStringLiteral("ratio %1 (goal: at most 1.5)\n").arg(a / b, 0, 'f', 2);
    return 0;
}
