// The service console's Get of 4 MiB of FLASH in records of 32 bytes (131,072 requests and 64
// address records) through the real window against the emulator (no delay). Each round sends the
// same lines to the same emulator from a minimal blocking client (benchsupport.h) and then runs
// the Get; the figures are the rounds' medians:
//  - the time per request next to the client (goal: at most 1.5 times);
//  - the longest stall of the window's event loop from the click until the records are shown
//    in the read-back pane (goal: at most 100 ms), seen by a 5 ms timer;
//  - the program's peak memory during the Get above its size just before the click (goal: at
//    most 150 MiB).
// The GUI thread's CPU time per request is printed too: unlike the times, it hardly depends
// on what else the machine is doing.
// usage: bench_servicetool [rounds] [bytes]

#include "bench/benchsupport.h"
#include "servicetool/cmyportselect.h"
#include "servicetool/cmyreadrequests.h"
#include "servicetool/mainwindow.h"
#include "tests/support/cmyemulatorprocess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

using namespace servicetool;

namespace {

constexpr int kRecordLength = 32;

double threadCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

QList<QByteArray> wireLines(int bytes)
{
    QList<QByteArray> lines{"#ROOT\r\n", "#HEX\r\n", "#FLASH\r\n", "#READ\r\n"};
    cMyReadRequests requests(0, quint32(bytes), kRecordLength);
    while (!requests.atEnd())
        lines << requests.next() + "\r\n";
    return lines;
}

struct GetRun
{
    double transferMs = -1; // click to the last reply
    double shownMs = -1;    // click to the last record in the pane
    double cpuMs = 0;       // GUI thread, click to the last reply
    qint64 stallMs = 0;
    double stallAtS = 0;
    qint64 peakAboveKiB = 0; // -1: the kernel would not reset the peak
};

// Clicks Get and waits until the records are in the pane.
GetRun runGet(MainWindow &window, int bytes)
{
    auto *readBack = window.findChild<QPlainTextEdit *>(QStringLiteral("pteHexFileGet"));
    readBack->clear();
    QApplication::processEvents();
    const qint64 before = memoryKiB("VmRSS:");
    // Without the reset the peak would be the program's whole life's, earlier rounds included.
    const bool peakReset = resetPeakMemory();

    GetRun r;
    QElapsedTimer clock, sinceTick;
    QEventLoop loop;
    QTimer probe, watch;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 stall = sinceTick.restart() - probe.interval();
        if (stall > r.stallMs) {
            r.stallMs = stall;
            r.stallAtS = clock.elapsed() / 1000.0;
        }
    });
    const auto c = QObject::connect(window.link(), &cMyServiceLink::finished, [&](cMyServiceLink::Outcome o) {
        if (o != cMyServiceLink::Completed) {
            loop.quit();
            return;
        }
        r.transferMs = clock.nsecsElapsed() / 1e6;
        r.cpuMs += threadCpuMs();
    });
    // The pane is read-only while it fills; the Get is over for its user once it is not.
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (r.transferMs >= 0 && readBack->document()->blockCount() > bytes / kRecordLength
            && !readBack->isReadOnly()) {
            r.shownMs = clock.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    QTimer::singleShot(900000, &loop, &QEventLoop::quit);
    r.cpuMs = -threadCpuMs();
    clock.start();
    sinceTick.start();
    probe.start(5);
    watch.start(20);
    window.findChild<QAbstractButton *>(QStringLiteral("pbServiceGet"))->click();
    loop.exec();
    QObject::disconnect(c);
    r.peakAboveKiB = peakReset ? qMax<qint64>(0, memoryKiB("VmHWM:") - before) : -1;
    return r;
}

// The longest stall of the idle window's event loop over ms: what the machine alone does to
// the probe (other processes, the scheduler).
qint64 idleStallMs(int ms)
{
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    qint64 longest = 0;
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longest = qMax(longest, sinceTick.restart() - probe.interval()); });
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    sinceTick.start();
    probe.start(5);
    loop.exec();
    return longest;
}

template <typename F> double medianOf(const QVector<GetRun> &runs, F f)
{
    QVector<double> v;
    for (const GetRun &r : runs)
        v << double(f(r));
    return median(v);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 3;
    const int bytes = argc > 2 ? qBound(1, atoi(argv[2]), 8000000) : 4 * 1024 * 1024;

    // The emulator logs nothing here: its log of this read is some 20 MB.
    cMyEmulatorProcess emu({QStringLiteral("--log"), QStringLiteral("/dev/null")});
    if (!emu.start()) {
        out << "emulator: " << emu.errorString() << "\n";
        return 1;
    }
    MainWindow window;
    window.show();
    window.portChanged(true, emu.portPath());
    window.findChild<QAbstractButton *>(QStringLiteral("rbServiceFlash"))->click();
    window.findChild<QSpinBox *>(QStringLiteral("sbServiceCount"))->setValue(bytes);
    window.findChild<QSpinBox *>(QStringLiteral("sbServiceRecordLength"))->setValue(kRecordLength);

    const QList<QByteArray> lines = wireLines(bytes);
    const int n = lines.size();
    QVector<GetRun> runs;
    QVector<double> pings, pingCpus;
    // The port chooser rests as it does during a transaction, so the figure is the machine's.
    window.findChild<cMyPortSelect *>()->setPolling(false);
    const qint64 idleStall = idleStallMs(10000);
    window.findChild<cMyPortSelect *>()->setPolling(true);
    for (int i = 0; i < rounds; ++i) {
        double cpu = -threadCpuMs();
        pings << blockingExchange(emu.portPath(), lines);
        pingCpus << cpu + threadCpuMs();
        runs << runGet(window, bytes);
        if (runs.last().shownMs < 0 || pings.last() < 0) {
            out << "round " << i + 1 << " did not complete\n";
            return 1;
        }
    }
    const double get = medianOf(runs, [](const GetRun &r) { return r.transferMs; });
    const double ping = median(pings);
    qint64 worstStall = 0;
    for (const GetRun &r : runs)
        worstStall = qMax(worstStall, r.stallMs);
    out << QStringLiteral("Get of %1 bytes of FLASH in records of %2 bytes, %3 lines; medians of %4 rounds:\n")
               .arg(bytes)
               .arg(kRecordLength)
               .arg(n)
               .arg(rounds);
    out << QStringLiteral("  through the window: %1 s, %2 ms per request; records shown %3 s after the click\n")
               .arg(get / 1000, 0, 'f', 2)
               .arg(get / n, 0, 'f', 4)
               .arg(medianOf(runs, [](const GetRun &r) { return r.shownMs; }) / 1000, 0, 'f', 2);
    out << QStringLiteral(
               "  minimal blocking client, same emulator: %1 s, %2 ms per request (window %3 x; goal <= 1.5)\n")
               .arg(ping / 1000, 0, 'f', 2)
               .arg(ping / n, 0, 'f', 4)
               .arg(get / ping, 0, 'f', 2);
    out << QStringLiteral("  CPU time of the GUI thread per request: window %1 ms, blocking client %2 ms\n")
               .arg(medianOf(runs, [](const GetRun &r) { return r.cpuMs; }) / n, 0, 'f', 4)
               .arg(median(pingCpus) / n, 0, 'f', 4);
    out << QStringLiteral("  longest event-loop stall: median %1 ms, worst %2 ms (goal <= 100); rounds:")
               .arg(medianOf(runs, [](const GetRun &r) { return r.stallMs; }))
               .arg(worstStall);
    for (const GetRun &r : runs)
        out << QStringLiteral(" %1 ms at %2 s;").arg(r.stallMs).arg(r.stallAtS, 0, 'f', 2);
    out << QStringLiteral("\n  for comparison, the idle window over 10 s: longest stall %1 ms").arg(idleStall);
    qint64 peak = 0;
    for (const GetRun &r : runs)
        peak = r.peakAboveKiB < 0 || peak < 0 ? -1 : qMax(peak, r.peakAboveKiB);
    out << QStringLiteral("\n  peak memory during the Get above the size just before it: worst %1 MiB (goal <= 150)\n")
               .arg(peak / 1024.0, 0, 'f', 1);
    out.flush();
    const QString what = QStringLiteral("servicetool Get of %1 bytes of FLASH through the window").arg(bytes);
    printResult(what
                    + QStringLiteral(", emulator without delay, per request; baseline the same lines from a minimal "
                                     "blocking client to the same emulator"),
                get / n, QStringLiteral("ms"), ping / n, Goal::RatioAtMost, 1.5);
    printResult(what
                    + QStringLiteral(": longest event-loop stall from the click until the records are shown, worst "
                                     "round; baseline the idle window's longest stall over 10 s"),
                double(worstStall), QStringLiteral("ms"), double(idleStall), Goal::AtMost, 100);
    printResult(what + QStringLiteral(": peak memory during it above the size just before the click, worst round"),
                peak < 0 ? -1 : peak / 1024.0, QStringLiteral("MiB"), std::nullopt, Goal::AtMost, 150);
    return 0;
}
