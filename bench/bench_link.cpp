// Speed of the device link, measured in one run:
//  - a raw 69-line settings write through cMyTamira (the link alone: no backup before it and no
//    read-back after it, as the window's command adds) against the emulator with no delay, next to
//    the same 69 lines sent to the same emulator by a minimal blocking client (benchsupport.h),
//    which opens and closes the port as the link does (goal: the link at most 3 times the client);
//  - the same write with the emulator at 9600 baud, next to the time its bytes need on the
//    wire, 10 bits per byte both ways (goal: within 3 %).
// Each figure is the median of several runs, each run opening and closing the port as the link
// does. usage: bench_link [runs]

#include "base/cmyhexrecord.h"
#include "bench/benchsupport.h"
#include "device/cmytamira.h"
#include "tests/support/cmyemulatorprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace {

QStringList settingsLines()
{
    QStringList lines;
    for (int i = 0; i < 64; ++i) {
        QVector<quint8> bytes(16);
        for (int j = 0; j < 16; ++j)
            bytes[j] = quint8(i * 16 + j);
        lines << cMyHexRecord(quint16(i * 16), bytes).toString();
    }
    lines << QStringLiteral(":00000001FF");
    return lines;
}

QList<QByteArray> wireLines(const QStringList &file)
{
    QList<QByteArray> lines{"#ROOT\r\n", "#HEX\r\n", "#EEPROM\r\n", "#WRITE\r\n"};
    for (const QString &l : file)
        lines << l.toLatin1() + "\r\n";
    return lines;
}

double linkWriteOnce(cMyTamira &link, QStringList file)
{
    QEventLoop loop;
    bool completed = false;
    const auto c = QObject::connect(&link, &cMyTamira::transactionEnded, [&](cMyLinkFailure::Reason r) {
        completed = r == cMyLinkFailure::Completed;
        loop.quit();
    });
    QElapsedTimer t;
    t.start();
    link.writeSettings(EEPROM, file);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(c);
    return completed ? t.nsecsElapsed() / 1e6 : -1;
}

bool attach(cMyTamira &link, cMyEmulatorProcess &emu)
{
    if (!emu.start())
        return false;
    QEventLoop loop;
    QObject::connect(&link, &cMyTamira::statusChanged, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    link.setPort(emu.portPath());
    loop.exec();
    return !link.isBusy();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, std::atoi(argv[1])) : 21;
    QTextStream out(stdout);
    const QStringList file = settingsLines();
    const QList<QByteArray> lines = wireLines(file);
    int bytes = 0;
    for (const QByteArray &l : lines)
        bytes += l.size();

    // The link's two debug lines per exchange go to stderr unless filtered; both are measured.
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));

    cMyEmulatorProcess emu;
    cMyTamira link;
    if (!attach(link, emu)) {
        out << "emulator: " << emu.errorString() << "\n";
        return 1;
    }

    QVector<double> ping, quiet, logged;
    for (int i = 0; i < runs; ++i) {
        ping << blockingExchange(emu.portPath(), lines);
        quiet << linkWriteOnce(link, file);
    }
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &msg) {
        static FILE *sink = std::fopen("/dev/null", "w");
        std::fprintf(sink, "%s\n", qPrintable(msg));
    });
    for (int i = 0; i < runs; ++i)
        logged << linkWriteOnce(link, file);
    qInstallMessageHandler(nullptr);
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
    if (ping.contains(-1) || quiet.contains(-1) || logged.contains(-1)) {
        out << "a run failed\n";
        return 1;
    }

    const double p = median(ping), q = median(quiet), l = median(logged);
    out << QStringLiteral("69-line settings write, %1 runs, medians:\n").arg(runs);
    out << QStringLiteral("  minimal blocking client, same emulator:   %1 ms\n").arg(p, 0, 'f', 2);
    out << QStringLiteral("  link against the emulator, no delay:      %1 ms  (%2 x the client; goal <= 3)\n")
               .arg(q, 0, 'f', 2)
               .arg(q / p, 0, 'f', 2);
    out << QStringLiteral("  the same with the debug lines formatted:  %1 ms  (%2 x)\n")
               .arg(l, 0, 'f', 2)
               .arg(l / p, 0, 'f', 2);
    out.flush();
    printResult(QStringLiteral("raw 69-line settings write through the link, emulator without delay, port opened and "
                               "closed; baseline the same lines from a minimal blocking client to the same emulator"),
                q, QStringLiteral("ms"), p, Goal::RatioAtMost, 3);
    printResult(QStringLiteral("the same write with the link's debug lines formatted (to /dev/null)"), l,
                QStringLiteral("ms"), p);

    cMyEmulatorProcess slow({"--baud", "9600"});
    cMyTamira slowLink;
    if (!attach(slowLink, slow)) {
        out << "emulator at 9600 baud: " << slow.errorString() << "\n";
        return 1;
    }
    const int slowRuns = qMax(1, qMin(runs, 3));
    QVector<double> wire;
    for (int i = 0; i < slowRuns; ++i)
        wire << linkWriteOnce(slowLink, file);
    if (wire.contains(-1)) {
        out << "a run at 9600 baud failed\n";
        return 1;
    }
    // Every line and its echo cross the wire one after the other: 10 bits per byte each way.
    const double wireMs = 2.0 * bytes * 10.0 / 9600.0 * 1000.0;
    const double w = median(wire);
    out << QStringLiteral("69-line settings write at 9600 baud, %1 runs, median: %2 ms; bytes on the wire "
                          "(%3 each way): %4 ms; %5 % over (goal <= 3 %)\n")
               .arg(slowRuns)
               .arg(w, 0, 'f', 1)
               .arg(bytes)
               .arg(wireMs, 0, 'f', 1)
               .arg((w / wireMs - 1.0) * 100.0, 0, 'f', 2);
    out.flush();
    printResult(QStringLiteral("raw 69-line settings write through the link, emulator at 9600 baud; baseline the "
                               "bytes' time on the wire, 10 bits each, both ways"),
                w, QStringLiteral("ms"), wireMs, Goal::RatioAtMost, 1.03);
    return 0;
}
