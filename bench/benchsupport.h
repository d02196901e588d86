#ifndef BENCH_BENCHSUPPORT_H
#define BENCH_BENCHSUPPORT_H

// Shared by the benchmarks: the median of a series, the process's memory figures, the
// baseline every link figure is compared with, a plain ping-pong of lines over a pty whose
// other side only echoes them, and the result line that bench/run collects.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <atomic>
#include <optional>
#include <thread>

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

// The other side of a pty that answers each line with itself, from a thread of its own.
class EchoPeer
{
public:
    bool start();
    ~EchoPeer();
    QString path() const { return m_path; }

private:
    void run();

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
};

// The link's pattern without the link: open, each line after the reply to the one before,
// close. Milliseconds, or -1 when a run fails.
double pingPongOnce(const QString &path, const QList<QByteArray> &lines);

#endif
