#include "bench/benchsupport.h"
#include "device/serialsettings.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSerialPort>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

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

void printResult(const QString &figure, double value, const QString &unit, std::optional<double> baseline,
                 Goal goal, double limit)
{
    auto number = [](double v) { return v < 0 ? QStringLiteral("failed") : QString::number(v, 'g', 6); };
    static const char *const kGoals[] = {"-", "<=", ">=", "ratio<=", "diff<="};
    QTextStream(stdout) << "RESULT\t" << figure << '\t' << number(value) << '\t' << unit << '\t'
                        << (baseline ? number(*baseline) : QStringLiteral("-")) << '\t'
                        << kGoals[int(goal)] << '\t'
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

bool EchoPeer::start()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return false;
    m_path = QString::fromLocal8Bit(::ptsname(m_master));
    // Held open so that the client closing its side is no hang-up.
    m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY);
    termios tio{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    m_thread = std::thread([this] { run(); });
    return true;
}

EchoPeer::~EchoPeer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

void EchoPeer::run()
{
    QByteArray pending;
    char buf[4096];
    while (!m_stop) {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            continue;
        pending.append(buf, int(n));
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end + 1);
            pending.remove(0, end + 1);
            if (::write(m_master, line.constData(), size_t(line.size())) < 0)
                return;
        }
    }
}

double pingPongOnce(const QString &path, const QList<QByteArray> &lines)
{
    QSerialPort port;
    QEventLoop loop;
    int next = 0;
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        port.readAll();
        if (next < lines.size())
            port.write(lines.at(next++));
        else
            loop.quit();
    });
    QElapsedTimer t;
    t.start();
    applyTamiraSerialSettings(port, path);
    if (!port.open(QIODevice::ReadWrite))
        return -1;
    port.write(lines.at(next++));
    // A stuck run gives up; a long one (a few ms a line on a busy machine) does not.
    QTimer::singleShot(qMax(30000, 5 * int(lines.size())), &loop, &QEventLoop::quit);
    loop.exec();
    port.close();
    return next == lines.size() ? t.nsecsElapsed() / 1e6 : -1;
}

