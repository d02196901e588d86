#include "emulator/cmyemupty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

cMyEmuPty::~cMyEmuPty()
{
    hangUp();
    if (m_slave >= 0)
        ::close(m_slave);
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
    return true;
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
