#ifndef APP_CMYDEMODEVICE_H
#define APP_CMYDEMODEVICE_H

// A demo Tamira: the device emulator shipped beside the program, started with a demo device's
// status and offered to the port chooser through TAMIRA_PORT, so that every function can be
// tried without a device. The emulator never outlives the program (see start()).

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

    bool isRunning() const { return m_process->state() != QProcess::NotRunning; }
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
