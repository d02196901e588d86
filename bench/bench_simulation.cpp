// Speed of the dive simulation, measured in one run:
//  - the worker's 17-line cycle against the emulator with no delay, next to the same 17 lines
//    sent to the same emulator by a minimal blocking client (benchsupport.h), port kept open as
//    the worker keeps it (goal: at most 1.3 times);
//  - the live profile's cost per update once it holds 10,000 samples: one sample added and the
//    plot redrawn at once, the worst case, since the page redraws at most every 100 ms (goal:
//    at most 2 ms).
// Each figure is a median. usage: bench_simulation [cycles]

#include "base/cmyhexrecord.h"
#include "bench/benchsupport.h"
#include "simulation/cmysimprofile.h"
#include "simulation/cmysimworker.h"
#include "tests/support/cmyemulatorprocess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

QList<QByteArray> cycleLines()
{
    QList<QByteArray> lines;
    for (int i = 0; i < 8; ++i)
        lines << cMyHexRecord(quint16(0x0100 + 16 * i), QVector<quint8>(16, 0)).toString().toLatin1() + "\r\n";
    lines << ":00000001FF\r\n"
          << "#SIMUL\r\n"
          << "#RAM\r\n"
          << "#WRITE\r\n"
          << ":02010000F50305\r\n"
          << ":00000001FF\r\n"
          << "#SIMUL\r\n"
          << "#RAM\r\n"
          << "#READ\r\n";
    return lines;
}

// The baseline: the worker's lines from a minimal blocking client, into the simulation mode and
// out of it as the worker goes, the port kept open. Milliseconds per round of the cycle's lines.
QVector<double> clientRounds(const QString &path, int rounds)
{
    QVector<double> times;
    BlockingClient client;
    if (!client.open(path) || !client.exchange({"#SIMUL\r\n", "#RAM\r\n", "#READ\r\n", ":020110000000ED\r\n"}))
        return times;
    const QList<QByteArray> lines = cycleLines();
    QElapsedTimer t;
    for (int r = 0; r < rounds; ++r) {
        t.start();
        if (!client.exchange(lines))
            return {};
        times << t.nsecsElapsed() / 1e6;
    }
    client.exchange({"#ROOT\r\n", "#CLEAR\r\n"});
    return times;
}

// Milliseconds between successive cycles of one worker run of `cycles` cycles.
QVector<double> workerCycles(const QString &path, int cycles)
{
    QThread thread;
    auto *worker = new cMySimWorker;
    worker->moveToThread(&thread);
    QVector<qint64> stamps;
    stamps.reserve(cycles);
    QElapsedTimer clock;
    clock.start();
    // Runs on the worker's thread; `stamps` is read only after the run.
    QObject::connect(
        worker, &cMySimWorker::valuesChanged, worker,
        [&, worker](QVector<QString>) {
            stamps << clock.nsecsElapsed();
            if (stamps.size() == cycles)
                worker->stopWork();
        },
        Qt::DirectConnection);
    QEventLoop loop;
    bool ok = false;
    QObject::connect(worker, &cMySimWorker::finished, &loop, [&](bool status) {
        ok = status;
        loop.quit();
    });
    thread.start();
    QMetaObject::invokeMethod(worker, "doWork", Qt::QueuedConnection, Q_ARG(QString, path), Q_ARG(double, 1.0));
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    thread.quit();
    thread.wait();
    delete worker;
    QVector<double> times;
    for (int i = 1; ok && i < stamps.size(); ++i)
        times << (stamps.at(i) - stamps.at(i - 1)) / 1e6;
    return times;
}

// The value below which a tenth of the series lies: what a cycle costs when the machine's other
// work leaves it alone.
double lowDecile(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 10);
}

// CPU time of this thread: what an update costs, whatever else the machine is doing.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// A dive of `count` samples at 0.5 s: down at 1 m/s, a while at the bottom, up, and again.
cMySimSample diveSample(int i)
{
    cMySimSample s;
    s.elapsedMs = qint64(i) * 500;
    const double phase = std::fmod(i * 0.5, 240.0);
    const double depth = phase < 60 ? phase : phase < 120 ? 60 : phase < 180 ? 60 - (phase - 120) : 0;
    s.depth = qint16(depth * 100);
    s.pressure = qint16(1013 + depth * 100);
    s.speed = qint16(phase < 60 ? 100 : phase < 120 ? 0 : phase < 180 ? -100 : 0);
    s.diveTime = qint16(std::min(phase, 180.0));
    return s;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qRegisterMetaType<QVector<QString>>("QVector<QString>");
    const int cycles = argc > 1 ? qMax(10, std::atoi(argv[1])) : 500;
    QTextStream out(stdout);

    cMyEmulatorProcess emu;
    if (!emu.start()) {
        out << "emulator: " << emu.errorString() << "\n";
        return 1;
    }
    // Alternated in short stretches, so that both see the same load of the machine.
    QVector<double> ping, worker;
    for (int part = 0; part < 20; ++part) {
        ping << clientRounds(emu.portPath(), cycles / 20);
        worker << workerCycles(emu.portPath(), cycles / 20 + 1);
    }
    if (ping.size() < cycles / 2 || worker.size() < cycles / 2) {
        out << "a run failed\n";
        return 1;
    }
    const double p = median(ping), w = median(worker);
    const double pLow = lowDecile(ping), wLow = lowDecile(worker);
    out << QStringLiteral("17-line cycle, %1 cycles each, median (lowest tenth):\n").arg(worker.size());
    out << QStringLiteral("  minimal blocking client, same emulator: %1 ms (%2 ms)\n")
               .arg(p, 0, 'f', 3)
               .arg(pLow, 0, 'f', 3);
    out << QStringLiteral(
               "  worker against the emulator, no delay:  %1 ms (%2 ms)  %3 x the client (%4 x); goal <= 1.3\n")
               .arg(w, 0, 'f', 3)
               .arg(wLow, 0, 'f', 3)
               .arg(w / p, 0, 'f', 2)
               .arg(wLow / pLow, 0, 'f', 2);
    out.flush();
    printResult(QStringLiteral("simulation worker's 17-line cycle against the emulator without delay, median; baseline "
                               "the same lines from a minimal blocking client to the same emulator, port kept open"),
                w, QStringLiteral("ms"), p, Goal::RatioAtMost, 1.3);

    cMySimProfile profile;
    profile.resize(1060, 260);
    profile.show();
    int next = 0;
    for (; next < 10000; ++next)
        profile.addSample(diveSample(next));
    profile.flush();
    QCoreApplication::processEvents();
    QVector<double> update, updateCpu, append;
    QElapsedTimer t;
    for (int i = 0; i < 200; ++i) {
        t.start();
        const double cpu = threadCpuMs();
        profile.addSample(diveSample(next++));
        profile.flush();
        // The redraw itself happens when the paint event is delivered.
        QCoreApplication::processEvents();
        updateCpu << threadCpuMs() - cpu;
        update << t.nsecsElapsed() / 1e6;
    }
    for (int i = 0; i < 10000; ++i) {
        t.start();
        profile.addSample(diveSample(next++));
        append << t.nsecsElapsed() / 1e6;
    }
    out << QStringLiteral("profile after 10,000 samples (%1 points drawn per curve), medians:\n")
               .arg(profile.data().displaySize());
    out << QStringLiteral("  one sample added and the plot redrawn: %1 ms of CPU, %2 ms wall  (goal <= 2)\n")
               .arg(median(updateCpu), 0, 'f', 3)
               .arg(median(update), 0, 'f', 3);
    out << QStringLiteral("  one sample added, redraw left to the timer: %1 ms\n").arg(median(append), 0, 'f', 4);
    out << QStringLiteral("  platform: %1\n").arg(QGuiApplication::platformName());
    out.flush();
    printResult(
        QStringLiteral("dive profile holding 10,000 samples: one sample added and the plot redrawn, CPU time of "
                       "the GUI thread (%1 platform)")
            .arg(QGuiApplication::platformName()),
        median(updateCpu), QStringLiteral("ms"), std::nullopt, Goal::AtMost, 2);
    return 0;
}
