#ifndef TESTS_SUPPORT_CMYEMULATORPROCESS_H
#define TESTS_SUPPORT_CMYEMULATORPROCESS_H

// Test launcher for tamira-emulator: starts it with a wire log in a temporary folder, waits for the
// pseudo-terminal path it prints, sends control commands, reads the log back, and stops the
// process when it goes out of scope.

#include "emulator/cmyemulog.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class cMyEmulatorProcess
{
public:
    // Runs the TAMIRA_EMULATOR environment variable's program, else the emulator built with the
    // tests.
    explicit cMyEmulatorProcess(const QStringList &arguments = QStringList());
    ~cMyEmulatorProcess();
    cMyEmulatorProcess(const cMyEmulatorProcess &) = delete;
    cMyEmulatorProcess &operator=(const cMyEmulatorProcess &) = delete;

    // Starts the emulator and waits, at most timeoutMs, for the path on its first output line.
    bool start(int timeoutMs = 10000);
    QString portPath() const { return m_portPath; }
    // Makes the port discovery find this emulator as the one Tamira attached.
    void offerAsTamira() const;
    // Why start() failed, or what the emulator wrote to its standard error.
    QString errorString() const;

    // Sends one control command ("max-depth 1234", "state", "split 5") and returns the
    // emulator's one-line answer ("ok ...", "error: ..."), or an empty string on time-out.
    QString control(const QString &command, int timeoutMs = 5000);

    // One figure of the "state" answer ("lines", "held", "unread"); -1 when it is missing.
    int stateFigure(const QString &name);
    // Sends the replies held back by the hold fault; returns how many there were.
    int release();

    // The wire log. While the emulator runs, a "sync" round trip first makes sure that every
    // byte it sent before this call (such as the reply the host just got) is in the file.
    cMyEmuLog log();
    QList<QByteArray> receivedLines() { return log().receivedLines(); }
    QList<QByteArray> replies() { return log().replies(); }

    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    bool waitForExit(int timeoutMs = 5000);
    // Ends the emulator (terminate, then kill if it does not go); safe to call twice.
    void stop();

private:
    QString m_program;
    QStringList m_arguments;
    QTemporaryDir m_dir;
    QString m_logPath;
    QString m_portPath;
    QString m_error;
    mutable QProcess m_process;
};

#endif
