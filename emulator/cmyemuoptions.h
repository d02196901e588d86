#ifndef EMULATOR_CMYEMUOPTIONS_H
#define EMULATOR_CMYEMUOPTIONS_H

// The emulator's settings by name: one table serves the command line ("--max-depth 1234") and
// the control commands on standard input ("max-depth 1234"), so a test can change a value or
// arm a fault without restarting the emulator.

#include <QString>
#include <QStringList>

class cMyEmuDevice;
class cMyEmuFaultPlan;

// What the I/O side needs to know that is not the device's business.
struct cMyEmuIoConfig
{
    QString logPath;
    int baud = 0; // 0: answer as fast as possible; otherwise the wire time of 8N1 at this rate
    // The host's changes of the port settings flush nothing (a USB serial driver keeps what the
    // device sent while the port was closed, and hands it out at the next open).
    bool keepUnread = false;
    bool helpRequested = false;
    qint64 parentPid = 0; // 0: run on when the parent goes
};

class cMyEmuOptions
{
public:
    cMyEmuOptions(cMyEmuDevice &device, cMyEmuFaultPlan &faults, cMyEmuIoConfig &io);

    // Program arguments without the program name; false with the reason on the first bad one.
    bool parseArguments(const QStringList &args, QString *error);
    // One control line, "name" or "name value"; the reply is "ok" or "error: <reason>".
    QString control(const QString &line);
    static QString helpText();

private:
    QString apply(const QString &name, const QString &value, bool hasValue, bool fromCommandLine);

    cMyEmuDevice &m_device;
    cMyEmuFaultPlan &m_faults;
    cMyEmuIoConfig &m_io;
};

#endif
