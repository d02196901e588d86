#ifndef EMULATOR_CMYEMUSERVER_H
#define EMULATOR_CMYEMUSERVER_H

// The emulator's I/O: one poll loop over the pseudo-terminal and the control input. It cuts the
// host's bytes into lines, asks the device for each reply, lets the fault plan shape it, and sends
// each write when it is due (at once, or when a 9600 baud wire would have delivered it).

#include "emulator/cmyemufaultplan.h"
#include "emulator/cmyemulineassembler.h"

#include <QByteArray>
#include <QList>
#include <QString>

class cMyEmuDevice;
class cMyEmuOptions;
class cMyEmuPty;
struct cMyEmuIoConfig;

class cMyEmuServer
{
public:
    cMyEmuServer(cMyEmuPty &pty, cMyEmuDevice &device, cMyEmuFaultPlan &faults, cMyEmuOptions &options,
                 cMyEmuIoConfig &io, int logFd);

    // Runs until a signal, "quit", a hang-up or an I/O failure; returns the exit status.
    int run();

private:
    struct Pending
    {
        QByteArray bytes;
        qint64 dueNs = 0;
        qint64 line = 0;
        bool hangUp = false;
        bool held = false; // waits for "release"
    };

    qint64 nowNs() const;
    double seconds(qint64 ns) const;
    void logEntry(const QByteArray &entry);
    void logEvent(const QString &text);

    bool readMaster();
    void portReconfigured();
    void handleLine(const cMyEmuLineAssembler::Line &line);
    void readControl();
    void handleControl(const QString &line);
    // Sends every write that is due; false once the port has been hung up.
    bool sendDue();
    void requestHangUp(qint64 line);
    // Sends the replies held back by the hold fault, in order, from now on.
    int releaseHeld();
    // The next write of a running babble, when it is due; stops it once its fault was cleared.
    void babble(qint64 now);
    void stopBabble(const char *why);

    cMyEmuPty &m_pty;
    cMyEmuDevice &m_device;
    cMyEmuFaultPlan &m_faults;
    cMyEmuOptions &m_options;
    cMyEmuIoConfig &m_io;
    int m_logFd;
    qint64 m_startNs;
    cMyEmuLineAssembler m_lines;
    QByteArray m_control;
    bool m_controlOpen = true;
    qint64 m_lineCount = 0;
    QList<Pending> m_queue;
    qint64 m_inWireEndNs = 0;
    qint64 m_outWireEndNs = 0;
    qint64 m_hangUpDeadlineNs = -1;
    qint64 m_lastWriteNs = 0;
    bool m_writeBlocked = false;
    cMyEmuFaultPlan::Babble m_babble = cMyEmuFaultPlan::Babble::None; // None when none runs
    qint64 m_babbleLine = 0;
    qint64 m_babbleDueNs = 0;
    bool m_quit = false;
    int m_exitCode = 0;
};

#endif
