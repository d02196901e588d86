#include "cmyportmonitor.h"

#include "portdiscovery.h"

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#ifdef TAMIRA_HAVE_LIBUDEV
#include <libudev.h>
#endif

cMyPortMonitor::cMyPortMonitor(QObject *parent)
    : QObject(parent)
{
    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(0);
    connect(&m_coalesce, &QTimer::timeout, this, &cMyPortMonitor::portsMayHaveChanged);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        watchEnvironmentPaths();
        changeSeen();
    });
    connect(&m_folders, &QFileSystemWatcher::directoryChanged, this,
            &cMyPortMonitor::environmentFolderChanged);
    connect(&PortDiscovery::SourceNotifier::instance(), &PortDiscovery::SourceNotifier::changed,
            this, [this] {
                watchEnvironmentPaths();
                configure();
                changeSeen();
            });
    startUdev();
    watchEnvironmentPaths();
    configure();
}

cMyPortMonitor::~cMyPortMonitor()
{
    delete m_udevNotifier;
#ifdef TAMIRA_HAVE_LIBUDEV
    if (m_udevMonitor)
        udev_monitor_unref(m_udevMonitor);
    if (m_udev)
        udev_unref(m_udev);
#endif
}

void cMyPortMonitor::startUdev()
{
#ifdef TAMIRA_HAVE_LIBUDEV
    m_udev = udev_new();
    if (!m_udev)
        return;
    // "udev", not "kernel": its events come after the rules have run, so the USB identifiers
    // that the enumeration reads are already in udev's database.
    m_udevMonitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_udevMonitor
        || udev_monitor_filter_add_match_subsystem_devtype(m_udevMonitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(m_udevMonitor) < 0) {
        if (m_udevMonitor)
            udev_monitor_unref(m_udevMonitor);
        m_udevMonitor = nullptr;
        return;
    }
    m_udevNotifier = new QSocketNotifier(udev_monitor_get_fd(m_udevMonitor), QSocketNotifier::Read, this);
    connect(m_udevNotifier, &QSocketNotifier::activated, this, &cMyPortMonitor::drainUdev);
#endif
}

void cMyPortMonitor::drainUdev()
{
#ifdef TAMIRA_HAVE_LIBUDEV
    // The socket is non-blocking; whatever is not read would wake the notifier again.
    while (struct udev_device *device = udev_monitor_receive_device(m_udevMonitor))
        udev_device_unref(device);
#endif
    changeSeen();
}

void cMyPortMonitor::configure()
{
    int interval = m_udevNotifier ? kSlowPollMs : kPlainPollMs;
    if (PortDiscovery::hasSource())
        interval = kInstalledListPollMs;
    if (!m_poll.isActive() || m_poll.interval() != interval)
        m_poll.start(interval);
}

namespace {

bool present(const QString &path)
{
    const QString location = PortDiscovery::systemLocation(path);
    return !location.isEmpty() && QFileInfo::exists(location);
}

} // namespace

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
            m_pathsPresent << present(path);
    }
}

void cMyPortMonitor::environmentFolderChanged()
{
    // The folder of a pty (/dev/pts) changes with every terminal opened on the machine; only a
    // named path coming or going is worth an enumeration.
    bool changed = false;
    for (int i = 0; i < m_paths.size(); ++i) {
        const bool now = present(m_paths.at(i));
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
