#ifndef APP_CMYDEMODEVICE_H
#define APP_CMYDEMODEVICE_H

// A demo Tamira: the device emulator with a demo device's status, offered to the port chooser
// through TAMIRA_PORT, so that every function can be tried without a device. Each platform has its
// own source file for starting and stopping it: on Unix the emulator program shipped beside this
// one serves it on a pseudo-terminal, and never outlives the program (see start()); on Windows,
// which has no pseudo-terminals, the emulator's device logic runs inside the program behind the
// port name "DEMO" (cMyLocalPort).

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

class QTimer;

class cMyDemoDevice : public QObject
{
    Q_OBJECT

public:
    explicit cMyDemoDevice(QObject *parent = nullptr);
    ~cMyDemoDevice() override;

    // The emulator beside the program: bin/ in the build tree, the package's library folder
    // when installed.
    static QString emulatorPath();
    // The demo device: self-test passed, some dive statistics, versions and a sound library.
    static QStringList deviceArguments();

    bool isRunning() const;
    QString portPath() const { return m_portPath; }
    qint64 processId() const { return m_process->processId(); }

public slots:
    void start();
    // Stops the emulator and waits for it; nothing is left running afterwards.
    void stop();

signals:
    void started(const QString &portPath);
    void failed(const QString &reason);
    // The emulator ended after it had started, by stop() or by itself (a device sent to its
    // firmware update mode leaves the line).
    void stopped();

private:
    void readPortPath();
    void processFinished(int exitCode, QProcess::ExitStatus status);
    void processError(QProcess::ProcessError error);
    void fail(const QString &reason);
    void offerPort();
    void withdrawPort();

    QProcess *m_process;
    QTimer *m_startTimeout;
    QString m_portPath;
};

#endif
