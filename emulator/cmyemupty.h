#ifndef EMULATOR_CMYEMUPTY_H
#define EMULATOR_CMYEMUPTY_H

// The emulated serial port: a pseudo-terminal whose slave side the host opens like a device.
// Holds a slave descriptor of its own so that the host may close and reopen the port for every
// transaction without the master side ever seeing a hang-up.

#include <QString>

class cMyEmuPty
{
public:
    cMyEmuPty() = default;
    ~cMyEmuPty();
    cMyEmuPty(const cMyEmuPty &) = delete;
    cMyEmuPty &operator=(const cMyEmuPty &) = delete;

    // Opens the pair, puts the slave in raw mode and the master in packet mode (so that the host
    // changing the port settings, as it does on every open and close, is reported).
    bool open(QString *error);
    // Closing the master hangs the port up for the host.
    void hangUp();

    // The host's opens and closes of the slave, seen through the file system's notifications
    // (Linux); -1 where there are none. A host that ends without closing its port (killed) still
    // has it closed by the system, which is reported too.
    int openCloseFd() const { return m_watch; }
    // Takes the notifications that came; true when a host closed the port and no process but the
    // emulator holds it any more.
    bool hostClosedLast();
    // Clears the exclusive flag (TIOCEXCL) a host set and could not clear, being killed: the flag
    // outlives the host's descriptor because the emulator keeps one of its own, and would refuse
    // every later opener. True when it was set.
    bool releaseExclusive();
    bool isExclusive() const;

    int masterFd() const { return m_master; }
    int slaveFd() const { return m_slave; }
    bool isPacketMode() const { return m_packetMode; }
    QString slavePath() const { return m_path; }

    // Bytes sent to the host that it has not read yet.
    int unreadByHost() const;
    // Drops them: the host closed or reopened the port, so they would only confuse the next
    // transaction (a real port loses them too). Returns how many were dropped.
    int dropUnread();

private:
    // True when a process other than the emulator has the slave open (Linux: its descriptors
    // under /proc); where that cannot be known, true.
    bool heldByAnotherProcess() const;

    int m_master = -1;
    int m_slave = -1;
    int m_watch = -1;
    bool m_packetMode = false;
    QString m_path;
};

#endif
