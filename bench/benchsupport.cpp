#include "bench/benchsupport.h"
#include "device/serialsettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

qint64 memoryKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

void printResult(const QString &figure, double value, const QString &unit, std::optional<double> baseline, Goal goal,
                 double limit)
{
    auto number = [](double v) { return v < 0 ? QStringLiteral("failed") : QString::number(v, 'g', 6); };
    static const char *const kGoals[] = {"-", "<=", ">=", "ratio<=", "diff<="};
    QTextStream(stdout) << "RESULT\t" << figure << '\t' << number(value) << '\t' << unit << '\t'
                        << (baseline ? number(*baseline) : QStringLiteral("-")) << '\t' << kGoals[int(goal)] << '\t'
                        << (goal == Goal::None ? QStringLiteral("-") : QString::number(limit, 'g', 12)) << Qt::endl;
}

bool resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (!refs.open(QIODevice::WriteOnly) || refs.write("5") != 1)
        return false;
    refs.close();
    // Some kernels take the write and keep the peak: the peak must now be near the present size.
    return memoryKiB("VmHWM:") <= memoryKiB("VmRSS:") + 1024;
}

bool BlockingClient::open(const QString &path)
{
    applyTamiraSerialSettings(m_port, path);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    m_port.clear(QSerialPort::AllDirections);
    return true;
}

bool BlockingClient::exchange(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines) {
        m_port.write(line);
        for (;;) {
            while (!m_port.canReadLine())
                if (!m_port.waitForReadyRead(5000))
                    return false;
            if (!m_port.readLine().startsWith('!'))
                break;
        }
    }
    return true;
}

double blockingExchange(const QString &path, const QList<QByteArray> &lines)
{
    QElapsedTimer t;
    t.start();
    BlockingClient client;
    if (!client.open(path))
        return -1;
    const bool ok = client.exchange(lines);
    client.close();
    return ok ? t.nsecsElapsed() / 1e6 : -1;
}
