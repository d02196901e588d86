// What the idle window costs, and how soon it notices a device coming and going:
//  - the CPU share of the whole program (all its threads) over the measuring time, with the
//    window open and no transaction running: once with no device, once with the emulator
//    attached through TAMIRA_PORT after its first status read (goal: at most 1 % of one core);
//  - the plug-in delay: from a TAMIRA_PORT path appearing (a link to an emulator's pty, the
//    way udev's by-id links appear) to the chooser offering it (goal: at most 150 ms), and the
//    unplug delay for the link removed and for the emulator stopped;
//  - for comparison, the CPU cost of one enumeration of the system's serial ports, which the
//    chooser used to pay ten times a second.
// The emulator runs in its own process, so its CPU is not counted.
// usage: bench_idle [seconds per idle phase, default 60] [plug cycles, default 20]

#include "app/mainwindow.h"
#include "bench/benchsupport.h"
#include "device/cmyportmonitor.h"
#include "device/cmytamira.h"
#include "resources/tamiraresources.h"
#include "tests/support/cmyemulatorprocess.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSerialPortInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <sys/resource.h>

namespace {

QTextStream out(stdout);

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The program's CPU share of one core while its event loop runs for `seconds`.
double idleShare(int seconds)
{
    const double cpu0 = cpuMs();
    QElapsedTimer wall;
    wall.start();
    runEventLoop(seconds * 1000);
    return 100.0 * (cpuMs() - cpu0) / double(wall.elapsed());
}

// Whether the window's link finished a status read within 10 s.
bool statusRead(MainWindow &w)
{
    QEventLoop loop;
    bool read = false;
    QObject::connect(w.link(), &cMyTamira::statusChanged, &loop, [&] {
        read = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return read;
}

QComboBox *chooser(MainWindow &w)
{
    return w.findChild<QComboBox *>(QStringLiteral("portSelect"));
}

// Milliseconds from `change` to the chooser's current text becoming `expected`; -1 after 5 s.
double delayUntil(MainWindow &w, const QString &expected, const std::function<void()> &change)
{
    QComboBox *box = chooser(w);
    QEventLoop loop;
    QElapsedTimer t;
    double ms = -1;
    auto done = QObject::connect(box, &QComboBox::currentTextChanged, &loop, [&](const QString &text) {
        if (text == expected && box->count() > 0 && box->currentText() == expected) {
            ms = t.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    t.start();
    change();
    loop.exec();
    QObject::disconnect(done);
    return ms;
}

// The goal holds for every cycle, so the figure is the worst; one not noticed at all fails it.
void printDelays(const char *what, QVector<double> v)
{
    const int failed = int(v.count(-1));
    v.removeAll(-1);
    const double worst = v.isEmpty() ? 0 : *std::max_element(v.begin(), v.end());
    out << what << ": median " << QString::number(median(v), 'f', 1) << " ms, worst " << QString::number(worst, 'f', 1)
        << " ms over " << v.size() << " cycles";
    if (failed)
        out << ", " << failed << " not noticed within 5 s";
    out << " (goal: at most 150 ms)\n";
    out.flush();
    printResult(QStringLiteral("%1: delay until the port chooser shows it, worst of %2 cycles")
                    .arg(QLatin1String(what))
                    .arg(v.size() + failed),
                failed || v.isEmpty() ? -1 : worst, QStringLiteral("ms"), std::nullopt, Goal::AtMost, 150);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTranslator translator;
    installEnglishCatalogue(translator);
    // The figures are the output; the program's and Qt's messages would only bury them.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 60;
    const int cycles = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 20;

    {
        QVector<double> costs;
        for (int i = 0; i < 20; ++i) {
            const double c0 = cpuMs();
            QSerialPortInfo::availablePorts();
            costs << cpuMs() - c0;
        }
        out << "one enumeration of the serial ports: " << QString::number(median(costs), 'f', 1)
            << " ms of CPU (ten a second would be " << QString::number(median(costs), 'f', 1) << " % of a core)\n";
        out.flush();
        printResult(QStringLiteral("CPU time of one enumeration of the system's serial ports (what the chooser used "
                                   "to pay ten times a second)"),
                    median(costs), QStringLiteral("ms"));
        cMyPortMonitor monitor;
        out << "change notice: " << (monitor.listensToSystem() ? "udev events" : "no udev") << ", safety poll every "
            << monitor.pollInterval() << " ms\n";
        out.flush();
    }

    qunsetenv("TAMIRA_PORT");
    {
        MainWindow w;
        w.show();
        runEventLoop(3000); // past the first look at the ports and the bootloader check
        const double share = idleShare(seconds);
        out << "idle, no device: " << QString::number(share, 'f', 2) << " % of one core over " << seconds
            << " s (goal: at most 1 %)\n";
        out.flush();
        printResult(QStringLiteral("idle window, no device: CPU share of the whole program over %1 s").arg(seconds),
                    share, QStringLiteral("% of a core"), std::nullopt, Goal::AtMost, 1);
    }

    cMyEmulatorProcess emu;
    if (!emu.start()) {
        out << "the emulator did not start: " << emu.errorString() << "\n";
        return 1;
    }
    qputenv("TAMIRA_PORT", emu.portPath().toLocal8Bit());
    {
        MainWindow w;
        w.show();
        if (!statusRead(w)) {
            out << "no status read from the emulator\n";
            return 1;
        }
        runEventLoop(1000);
        const double share = idleShare(seconds);
        out << "idle, emulator attached: " << QString::number(share, 'f', 2) << " % of one core over " << seconds
            << " s (goal: at most 1 %)\n";
        out.flush();
        printResult(
            QStringLiteral("idle window, emulator attached after its status read: CPU share of the whole program "
                           "(not the emulator) over %1 s")
                .arg(seconds),
            share, QStringLiteral("% of a core"), std::nullopt, Goal::AtMost, 1);
    }

    // Each cycle: an emulator starts, a link to its pty appears (plugged in); then either the
    // link goes or the emulator stops, leaving the link dangling (unplugged).
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("tamira"));
    qputenv("TAMIRA_PORT", link.toLocal8Bit());
    {
        MainWindow w;
        w.show();
        runEventLoop(500);
        QVector<double> plug, linkGone, emulatorGone;
        for (int i = 0; i < cycles; ++i) {
            cMyEmulatorProcess device;
            if (!device.start()) {
                out << "the emulator did not start: " << device.errorString() << "\n";
                return 1;
            }
            plug << delayUntil(w, link, [&] { QFile::link(device.portPath(), link); });
            runEventLoop(50);
            if (i % 2 == 0)
                linkGone << delayUntil(w, QString(), [&] { QFile::remove(link); });
            else
                emulatorGone << delayUntil(w, QString(), [&] { device.stop(); });
            QFile::remove(link);
            runEventLoop(50);
        }
        printDelays("plug-in noticed (link appears)", plug);
        printDelays("unplug noticed (link removed)", linkGone);
        printDelays("unplug noticed (emulator stopped)", emulatorGone);
    }
    return 0;
}
