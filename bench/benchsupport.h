#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

// Shared by the benchmarks: the median of a series, the process's memory figures, and the
// baseline every link figure is compared with, a plain ping-pong of lines over a pty whose
// other side only echoes them.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <atomic>
#include <thread>

double median(QVector<double> v);

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
