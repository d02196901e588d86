#include "emulator/cmyemuserver.h"

#include "emulator/cmyemudevice.h"
#include "emulator/cmyemufaultplan.h"
#include "emulator/cmyemulog.h"
#include "emulator/cmyemuoptions.h"
#include "emulator/cmyemupty.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

void onStopSignal(int sig)
{
    g_stopSignal = sig;
}

// How long the host gets to read the last reply before the port goes away: a real device's
// reply is on the wire before it drops off the bus, but the pty would flush what is unread.
constexpr qint64 kHangUpDrainNs = 1000LL * 1000 * 1000;
// The kernel passes written bytes on to the slave's input queue a little later, so an empty
// queue right after the write does not yet mean the host has read them.
constexpr qint64 kHangUpSettleNs = 20LL * 1000 * 1000;

void writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        p += n;
        left -= n;
    }
}

} // namespace

cMyEmuServer::cMyEmuServer(cMyEmuPty &pty, cMyEmuDevice &device, cMyEmuFaultPlan &faults, cMyEmuOptions &options,
                           cMyEmuIoConfig &io, int logFd)
    : m_pty(pty), m_device(device), m_faults(faults), m_options(options), m_io(io), m_logFd(logFd), m_startNs(0),
      m_lines(cMyEmuDevice::kMaxLineBytes)
{
    m_startNs = nowNs();
}

qint64 cMyEmuServer::nowNs() const
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double cMyEmuServer::seconds(qint64 ns) const
{
    return double(ns - m_startNs) / 1e9;
}

void cMyEmuServer::logEntry(const QByteArray &entry)
{
    if (m_logFd >= 0)
        writeAll(m_logFd, entry);
}

void cMyEmuServer::logEvent(const QString &text)
{
    logEntry(cMyEmuLog::event(seconds(nowNs()), text));
}

int cMyEmuServer::run()
{
    // Signals are blocked except inside ppoll, so a stop request cannot slip in between the
    // check of the flag and the wait.
    sigset_t stopSignals, waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGHUP);
    struct sigaction sa = {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    logEvent(QStringLiteral("start pty=%1 packet-mode=%2 baud=%3")
                 .arg(m_pty.slavePath())
                 .arg(m_pty.isPacketMode() ? 1 : 0)
                 .arg(m_io.baud));
    if (m_faults.hangUpAfter() == 0)
        requestHangUp(0);

    while (!m_quit && !g_stopSignal) {
        if (!sendDue())
            return m_exitCode;

        pollfd fds[3];
        nfds_t count = 0;
        fds[count++] = {m_pty.masterFd(), short(POLLIN | (m_writeBlocked ? POLLOUT : 0)), 0};
        const bool watchControl = m_controlOpen;
        if (watchControl)
            fds[count++] = {STDIN_FILENO, POLLIN, 0};
        const nfds_t openClose = count;
        if (m_pty.openCloseFd() >= 0)
            fds[count++] = {m_pty.openCloseFd(), POLLIN, 0};

        timespec timeout{};
        timespec *timeoutPtr = nullptr;
        qint64 wakeNs = -1;
        if (m_hangUpDeadlineNs >= 0)
            wakeNs = nowNs() + 1000000; // waiting for the host to read the last reply
        else if (!m_queue.isEmpty() && !m_writeBlocked && !m_queue.first().held)
            wakeNs = m_queue.first().dueNs;
        else if (m_queue.isEmpty() && !m_writeBlocked && m_babble != cMyEmuFaultPlan::Babble::None)
            wakeNs = m_babbleDueNs;
        if (wakeNs >= 0) {
            const qint64 wait = std::max<qint64>(0, wakeNs - nowNs());
            timeout.tv_sec = time_t(wait / 1000000000LL);
            timeout.tv_nsec = long(wait % 1000000000LL);
            timeoutPtr = &timeout;
        }
        const int ready = ::ppoll(fds, count, timeoutPtr, &waitMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            logEvent(QStringLiteral("poll failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return 1;
        }
        if (fds[0].revents & POLLOUT)
            m_writeBlocked = false;
        if (fds[0].revents & (POLLIN | POLLERR | POLLHUP)) {
            if (!readMaster())
                return 1;
        }
        if (watchControl && fds[1].revents) {
            if (fds[1].revents & POLLNVAL)
                m_controlOpen = false;
            else
                readControl();
        }
        if (openClose < count && fds[openClose].revents && m_pty.hostClosedLast() && m_pty.releaseExclusive())
            logEvent(QStringLiteral("the host closed the port without clearing its exclusive mode; cleared"));
    }
    if (g_stopSignal)
        logEvent(QStringLiteral("stopped by signal %1").arg(int(g_stopSignal)));
    else
        logEvent(QStringLiteral("quit"));
    return m_exitCode;
}

bool cMyEmuServer::readMaster()
{
    char buffer[4097];
    // A bounded number of reads per turn, so a host that floods the port cannot hold off the
    // replies that are due; poll reports the rest at once.
    for (int reads = 0; reads < 16; ++reads) {
        const ssize_t n = ::read(m_pty.masterFd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        if (n <= 0) {
            // Cannot happen while the emulator holds a slave descriptor, but must not spin.
            logEvent(QStringLiteral("port read failed: %1")
                         .arg(n < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("end of file")));
            return false;
        }
        QByteArray data;
        if (m_pty.isPacketMode()) {
            if (buffer[0] != TIOCPKT_DATA) {
#ifdef TIOCPKT_IOCTL
                if (buffer[0] & TIOCPKT_IOCTL)
                    portReconfigured();
#endif
                continue;
            }
            data = QByteArray(buffer + 1, int(n - 1));
        } else {
            data = QByteArray(buffer, int(n));
        }
        if (data.isEmpty())
            continue;
        const qint64 now = nowNs();
        logEntry(cMyEmuLog::received(seconds(now), data));
        for (const cMyEmuLineAssembler::Line &line : m_lines.feed(data, now))
            handleLine(line);
    }
    return true;
}

void cMyEmuServer::portReconfigured()
{
    stopBabble("the host reopened the port");
    if (m_io.keepUnread) {
        logEvent(QStringLiteral("port settings changed by the host; its unread input and pending writes kept"));
        return;
    }
    const int unread = m_pty.dropUnread();
    int dropped = 0;
    for (Pending &p : m_queue) {
        if (!p.bytes.isEmpty())
            ++dropped;
        p.bytes.clear();
    }
    const qint64 now = nowNs();
    m_outWireEndNs = std::min(m_outWireEndNs, now);
    m_inWireEndNs = std::min(m_inWireEndNs, now);
    for (Pending &p : m_queue)
        p.dueNs = std::min(p.dueNs, now);
    // The count can miss bytes the kernel had not queued yet; the flush takes those too.
    logEvent(QStringLiteral("port settings changed by the host; flushed its unread input (%1 bytes seen) and "
                            "dropped %2 pending writes")
                 .arg(unread)
                 .arg(dropped));
}

void cMyEmuServer::handleLine(const cMyEmuLineAssembler::Line &line)
{
    stopBabble("a line came");
    const qint64 number = ++m_lineCount;
    cMyEmuFaultPlan::Outcome outcome;
    if (m_faults.isSilent(number)) {
        outcome = m_faults.apply(number, QByteArray());
    } else {
        const cMyEmuDevice::Reply reply = m_device.handleLine(line.bytes, line.overlong);
        outcome = m_faults.apply(number, reply.bytes);
        if (reply.action == cMyEmuDevice::Action::HangUp) {
            outcome.hangUp = true;
            outcome.applied << QStringLiteral("boot: the port goes away");
        }
    }
    if (line.overlong)
        outcome.applied.prepend(QStringLiteral("line too long"));
    if (!outcome.applied.isEmpty())
        logEvent(QStringLiteral("line %1: %2").arg(number).arg(outcome.applied.join(QStringLiteral(", "))));

    // Wire model of 8N1: ten bit times per byte. The line occupies the input wire from its first
    // byte on, the reply can start only when the line is in and the output wire is free.
    const qint64 now = nowNs();
    const double byteNs = m_io.baud > 0 ? 10.0 * 1e9 / m_io.baud : 0.0;
    qint64 ready = now;
    if (m_io.baud > 0) {
        m_inWireEndNs = std::max(line.firstByteNs, m_inWireEndNs) + qint64(byteNs * line.bytes.size());
        ready = m_inWireEndNs;
    }
    qint64 at = std::max(ready, m_outWireEndNs);
    for (int i = 0; i < outcome.writes.size(); ++i) {
        const cMyEmuFaultPlan::Write &w = outcome.writes.at(i);
        at = std::max(at, m_outWireEndNs) + qint64(w.gapBeforeMs) * 1000000LL + qint64(byteNs * w.bytes.size());
        m_outWireEndNs = at;
        m_queue.append({w.bytes, at, number, false, outcome.hold});
    }
    if (outcome.babble != cMyEmuFaultPlan::Babble::None) {
        m_babble = outcome.babble;
        m_babbleLine = number;
        m_babbleDueNs = std::max(at, now);
    }
    if (outcome.hangUp)
        m_queue.append({QByteArray(), std::max(at, now), number, true});
}

void cMyEmuServer::stopBabble(const char *why)
{
    if (m_babble == cMyEmuFaultPlan::Babble::None)
        return;
    m_babble = cMyEmuFaultPlan::Babble::None;
    logEvent(QStringLiteral("babble after line %1 stopped: %2").arg(m_babbleLine).arg(QLatin1String(why)));
}

void cMyEmuServer::babble(qint64 now)
{
    if (!m_faults.hasBabble(m_babbleLine)) {
        stopBabble("the fault was cleared");
        return;
    }
    if (m_writeBlocked || now < m_babbleDueNs)
        return;
    const QByteArray &bytes =
        m_babble == cMyEmuFaultPlan::Babble::Bytes ? cMyEmuFaultPlan::kBabbleBytes : cMyEmuFaultPlan::kBangLine;
    const ssize_t n = ::write(m_pty.masterFd(), bytes.constData(), size_t(bytes.size()));
    if (n < 0) {
        // The host is not reading: wait for room (bytes are bytes, a short write changes nothing).
        m_writeBlocked = errno == EAGAIN || errno == EWOULDBLOCK;
        return;
    }
    m_lastWriteNs = nowNs();
    logEntry(cMyEmuLog::sent(seconds(m_lastWriteNs), m_babbleLine, bytes.left(int(n))));
    // At least a millisecond apart, so that a gap of 0 floods without spinning the loop.
    m_babbleDueNs = now + std::max<qint64>(1, m_faults.gapMs()) * 1000000LL;
}

bool cMyEmuServer::sendDue()
{
    while (!m_queue.isEmpty()) {
        Pending &p = m_queue.first();
        const qint64 now = nowNs();
        if (p.held || p.dueNs > now)
            return true;
        if (p.hangUp) {
            if (m_hangUpDeadlineNs < 0)
                m_hangUpDeadlineNs = now + kHangUpDrainNs;
            const bool settled = now >= m_lastWriteNs + kHangUpSettleNs;
            if ((!settled || m_pty.unreadByHost() > 0) && now < m_hangUpDeadlineNs)
                return true;
            logEvent(QStringLiteral("hang-up after line %1").arg(p.line));
            m_pty.hangUp();
            m_quit = true;
            return false;
        }
        if (!p.bytes.isEmpty()) {
            const ssize_t n = ::write(m_pty.masterFd(), p.bytes.constData(), size_t(p.bytes.size()));
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
                    m_writeBlocked = errno != EINTR; // the host is not reading; wait for room
                    return true;
                }
                logEvent(QStringLiteral("port write failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
                m_exitCode = 1;
                return false;
            }
            m_lastWriteNs = nowNs();
            logEntry(cMyEmuLog::sent(seconds(m_lastWriteNs), p.line, p.bytes.left(int(n))));
            if (n < p.bytes.size()) {
                p.bytes.remove(0, int(n));
                m_writeBlocked = true;
                return true;
            }
        }
        m_queue.removeFirst();
    }
    if (m_babble != cMyEmuFaultPlan::Babble::None)
        babble(nowNs());
    return true;
}

void cMyEmuServer::requestHangUp(qint64 line)
{
    m_queue.append({QByteArray(), std::max(nowNs(), m_outWireEndNs), line, true});
}

int cMyEmuServer::releaseHeld()
{
    const qint64 now = nowNs();
    qint64 firstDue = -1;
    int released = 0;
    for (Pending &p : m_queue) {
        if (!p.held)
            continue;
        // The writes keep their spacing (a split reply stays split), shifted to start now.
        if (firstDue < 0)
            firstDue = p.dueNs;
        p.dueNs = now + std::max<qint64>(0, p.dueNs - firstDue);
        p.held = false;
        ++released;
    }
    m_outWireEndNs = std::max(m_outWireEndNs, now);
    return released;
}

void cMyEmuServer::readControl()
{
    char buffer[1024];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        // No more control input (the launcher closed it, or there never was any): keep serving.
        m_controlOpen = false;
        return;
    }
    m_control.append(buffer, int(n));
    for (int nl = m_control.indexOf('\n'); nl >= 0; nl = m_control.indexOf('\n')) {
        const QString line = QString::fromUtf8(m_control.left(nl)).trimmed();
        m_control.remove(0, nl + 1);
        if (!line.isEmpty())
            handleControl(line);
    }
    if (m_control.size() > 4096)
        m_control.clear();
}

void cMyEmuServer::handleControl(const QString &line)
{
    QString reply;
    if (line == QLatin1String("state")) {
        const char *dir = m_device.direction() == cMyEmuDevice::Direction::Read    ? "read"
                          : m_device.direction() == cMyEmuDevice::Direction::Write ? "write"
                                                                                   : "none";
        int held = 0;
        for (const Pending &p : qAsConst(m_queue))
            held += p.held ? 1 : 0;
        reply = QStringLiteral("ok level=%1 area=%2 direction=%3 upper=%4 lines=%5 off=%6 boot=%7 held=%8 unread=%9")
                    .arg(cMyEmuDevice::levelName(m_device.level()), cMyEmuDevice::areaName(m_device.area()),
                         QLatin1String(dir))
                    .arg(m_device.upperAddress())
                    .arg(m_lineCount)
                    .arg(m_device.powerOffRequested() ? 1 : 0)
                    .arg(m_device.bootRequested() ? 1 : 0)
                    .arg(held)
                    .arg(m_pty.unreadByHost());
    } else if (line == QLatin1String("sync")) {
        // Control input is read only between whole turns of the loop, so by the time this is
        // answered every write made so far is in the log.
        reply = QStringLiteral("ok");
    } else if (line == QLatin1String("quit")) {
        reply = QStringLiteral("ok");
        m_quit = true;
    } else if (line == QLatin1String("release")) {
        reply = QStringLiteral("ok released=%1").arg(releaseHeld());
    } else if (line == QLatin1String("hang-up")) {
        reply = QStringLiteral("ok");
        requestHangUp(m_lineCount);
    } else {
        reply = m_options.control(line);
    }
    logEvent(QStringLiteral("control \"%1\": %2").arg(line, reply));
    writeAll(STDOUT_FILENO, (reply + QLatin1Char('\n')).toUtf8());
}
