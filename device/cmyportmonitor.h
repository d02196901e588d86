#ifndef DEVICE_CMYPORTMONITOR_H
#define DEVICE_CMYPORTMONITOR_H

// Says when the list of serial ports may have changed, so that a chooser enumerates the ports
// (which costs milliseconds) only then instead of many times a second. It listens to what the
// system says of serial devices coming and going (cMyPortSystemWatch); the paths of TAMIRA_PORT are watched in their
// folders; a slow poll catches whatever slips through. Where the system says nothing the poll is
// the only source and runs faster. A port list installed by a test has nobody to announce its
// changes, so it is polled as often as the chooser always did.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <QVector>

class cMyPortSystemWatch;

class cMyPortMonitor : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlowPollMs = 10000; // beside the system's watch
    static constexpr int kPlainPollMs = 1000; // without one
    static constexpr int kInstalledListPollMs = 100;

    explicit cMyPortMonitor(QObject *parent = nullptr);
    ~cMyPortMonitor() override;

    // True when the system reports serial devices (udev on Linux, device notifications on
    // Windows); otherwise only the poll finds them.
    bool listensToSystem() const { return m_system != nullptr; }
    int pollInterval() const { return m_poll.interval(); }

signals:
    // Coalesced: a burst of changes within one turn of the event loop gives one signal.
    void portsMayHaveChanged();

private:
    void configure();
    void watchEnvironmentPaths();
    void environmentFolderChanged();
    void changeSeen();

    QTimer m_poll;
    QTimer m_coalesce;
    QFileSystemWatcher m_folders;
    QStringList m_paths;                    // TAMIRA_PORT as last read
    QVector<bool> m_pathsPresent;           // parallel to m_paths
    cMyPortSystemWatch *m_system = nullptr; // child; nullptr where the system tells nothing
};

#endif
