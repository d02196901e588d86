#ifndef BENCH_BENCHSUPPORT_H
#define BENCH_BENCHSUPPORT_H

// Shared by the benchmarks: the median of a series, the process's memory figures, the baseline
// every device figure is compared with (a minimal blocking client talking to the same
// emulator), and the result line that bench/run collects.

#include <QByteArray>
#include <QList>
#include <QSerialPort>
#include <QString>
#include <QVector>
#include <optional>

double median(QVector<double> v);

// What a figure must meet: its value against the limit, its ratio to the baseline, or its
// difference from the baseline.
enum class Goal { None, AtMost, AtLeast, RatioAtMost, AboveBaselineAtMost };

// Prints one figure for bench/run, tab-separated, next to the human-readable lines:
// "RESULT <figure> <value> <unit> <baseline or -> <goal: -, <=, >=, ratio<=, diff<=> <limit or ->".
// A value or baseline below 0 marks a run that failed; it is printed as "failed".
void printResult(const QString &figure, double value, const QString &unit,
                 std::optional<double> baseline = std::nullopt, Goal goal = Goal::None, double limit = 0);

// Lets the kernel's peak resident size (VmHWM) start again from the current size, so that a
// peak read afterwards belongs to what ran in between. False when the kernel would not.
bool resetPeakMemory();

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"), or -1.
qint64 memoryKiB(const char *field);

// The baseline of the device benchmarks: the least a program can do to say the same lines to the
// same emulator over the same kind of port. A QSerialPort with the device's line settings, each
// line written once the whole reply to the one before has come ("!" busy lines skipped), with
// blocking waits: no event loop, no signals, no checks of the replies. What the program takes
// beyond it is the program's own cost; the emulator's work is in both.
class BlockingClient
{
public:
    bool open(const QString &path);
    // False when a reply does not come within 5 s.
    bool exchange(const QList<QByteArray> &lines);
    void close() { m_port.close(); }

private:
    QSerialPort m_port;
};

// Open, exchange, close, as the link does for each transaction: milliseconds, or -1.
double blockingExchange(const QString &path, const QList<QByteArray> &lines);

#endif
