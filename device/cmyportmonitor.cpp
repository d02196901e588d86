#include "device/cmyportmonitor.h"

#include "device/cmyportsystemwatch.h"
#include "device/portdiscovery.h"

#include <QFileInfo>

cMyPortMonitor::cMyPortMonitor(QObject *parent) : QObject(parent)
{
    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(0);
    connect(&m_coalesce, &QTimer::timeout, this, &cMyPortMonitor::portsMayHaveChanged);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        watchEnvironmentPaths();
        changeSeen();
    });
    connect(&m_folders, &QFileSystemWatcher::directoryChanged, this, &cMyPortMonitor::environmentFolderChanged);
    connect(&PortDiscovery::SourceNotifier::instance(), &PortDiscovery::SourceNotifier::changed, this, [this] {
        watchEnvironmentPaths();
        configure();
        changeSeen();
    });
    m_system = cMyPortSystemWatch::create(this);
    if (m_system)
        connect(m_system, &cMyPortSystemWatch::changed, this, &cMyPortMonitor::changeSeen);
    watchEnvironmentPaths();
    configure();
}

cMyPortMonitor::~cMyPortMonitor() = default;

void cMyPortMonitor::configure()
{
    int interval = m_system ? kSlowPollMs : kPlainPollMs;
    if (PortDiscovery::hasSource())
        interval = kInstalledListPollMs;
    if (!m_poll.isActive() || m_poll.interval() != interval)
        m_poll.start(interval);
}

void cMyPortMonitor::watchEnvironmentPaths()
{
    const QStringList paths = PortDiscovery::environmentPaths();
    QStringList folders;
    for (const QString &path : paths) {
        const QString location = PortDiscovery::systemLocation(path);
        if (location.isEmpty())
            continue;
        // A link (like udev's by-id names) goes stale when its target goes: both folders count.
        const QFileInfo info(location);
        QStringList candidates{info.absolutePath()};
        if (info.isSymLink())
            candidates << QFileInfo(info.symLinkTarget()).absolutePath();
        // A folder that does not exist yet cannot be watched; the poll looks again.
        for (const QString &folder : qAsConst(candidates))
            if (!folders.contains(folder) && QFileInfo(folder).isDir())
                folders << folder;
    }
    const QStringList watched = m_folders.directories();
    for (const QString &folder : watched)
        if (!folders.contains(folder))
            m_folders.removePath(folder);
    for (const QString &folder : qAsConst(folders))
        if (!watched.contains(folder))
            m_folders.addPath(folder);

    if (paths != m_paths) {
        m_paths = paths;
        m_pathsPresent.clear();
        for (const QString &path : paths)
            m_pathsPresent << PortDiscovery::isPresent(path);
    }
}

void cMyPortMonitor::environmentFolderChanged()
{
    // The folder of a pty (/dev/pts) changes with every terminal opened on the machine; only a
    // named path coming or going is worth an enumeration.
    bool changed = false;
    for (int i = 0; i < m_paths.size(); ++i) {
        const bool now = PortDiscovery::isPresent(m_paths.at(i));
        changed = changed || now != m_pathsPresent.at(i);
        m_pathsPresent[i] = now;
    }
    if (changed) {
        watchEnvironmentPaths(); // a link that appeared brings its target's folder
        changeSeen();
    }
}

void cMyPortMonitor::changeSeen()
{
    if (!m_coalesce.isActive())
        m_coalesce.start();
}
