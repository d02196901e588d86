#include "emulator/cmyemupty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <dirent.h>
#include <sys/inotify.h>
#endif

cMyEmuPty::~cMyEmuPty()
{
    hangUp();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_watch >= 0)
        ::close(m_watch);
}

bool cMyEmuPty::open(QString *error)
{
    auto fail = [error](const char *what) {
        *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail("grantpt/unlockpt");
    const char *name = ::ptsname(m_master);
    if (!name)
        return fail("ptsname");
    m_path = QString::fromLocal8Bit(name);

    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return fail("open slave");
    termios tio{};
    if (::tcgetattr(m_slave, &tio) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
#ifdef EXTPROC
    // With EXTPROC set, every change of the terminal settings reaches the master as a packet,
    // including the ones a host makes when it opens and closes the port.
    tio.c_lflag |= EXTPROC;
#endif
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0)
        return fail("tcsetattr");

#ifdef TIOCPKT
    int on = 1;
    m_packetMode = ::ioctl(m_master, TIOCPKT, &on) == 0;
#endif
    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("fcntl");
#ifdef __linux__
    // Watched only now: the emulator's own slave descriptor is no host's.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch >= 0 && ::inotify_add_watch(m_watch, name, IN_OPEN | IN_CLOSE) < 0) {
        ::close(m_watch);
        m_watch = -1;
    }
#endif
    return true;
}

bool cMyEmuPty::hostClosedLast()
{
    bool closed = false;
#ifdef __linux__
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_watch, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (event->mask & (IN_CLOSE | IN_Q_OVERFLOW))
                closed = true;
            at += ssize_t(sizeof(inotify_event)) + ssize_t(event->len);
        }
    }
#endif
    // The notifications cannot be counted: the system merges two like ones that follow each
    // other unread (two opens in a row are one), so who still holds the port is looked up. The
    // flag is looked at first: a host that sets it holds the port already, so a host that opens
    // while the others are looked up is seen either way.
    return closed && isExclusive() && !heldByAnotherProcess();
}

bool cMyEmuPty::heldByAnotherProcess() const
{
#ifdef __linux__
    const QByteArray path = m_path.toLocal8Bit();
    const QByteArray self = QByteArray::number(qint64(::getpid()));
    DIR *proc = ::opendir("/proc");
    if (!proc)
        return true; // unknown: the flag is left to whoever may hold the port
    bool held = false;
    while (const dirent *process = ::readdir(proc)) {
        if (held)
            break;
        if (process->d_name[0] < '1' || process->d_name[0] > '9' || self == process->d_name)
            continue;
        // Another user's processes cannot be looked into; a host is the emulator's user (or root).
        const QByteArray fdDir = QByteArray("/proc/") + process->d_name + "/fd";
        DIR *fds = ::opendir(fdDir.constData());
        if (!fds)
            continue;
        while (const dirent *fd = ::readdir(fds)) {
            char target[256];
            const QByteArray link = fdDir + '/' + fd->d_name;
            const ssize_t n = ::readlink(link.constData(), target, sizeof target);
            if (n == path.size() && std::memcmp(target, path.constData(), size_t(n)) == 0) {
                held = true;
                break;
            }
        }
        ::closedir(fds);
    }
    ::closedir(proc);
    return held;
#else
    return true;
#endif
}

bool cMyEmuPty::isExclusive() const
{
#ifdef TIOCGEXCL
    int exclusive = 0;
    return m_slave >= 0 && ::ioctl(m_slave, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
#else
    return false;
#endif
}

bool cMyEmuPty::releaseExclusive()
{
    const bool was = isExclusive();
    if (was)
        ::ioctl(m_slave, TIOCNXCL);
    return was;
}

void cMyEmuPty::hangUp()
{
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

int cMyEmuPty::unreadByHost() const
{
    int pending = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &pending) != 0)
        return 0;
    return pending;
}

int cMyEmuPty::dropUnread()
{
    const int pending = unreadByHost();
    if (m_slave >= 0)
        ::tcflush(m_slave, TCIFLUSH);
    return pending;
}
