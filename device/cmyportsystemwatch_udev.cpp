#include "device/cmyportsystemwatch.h"

#include <QSocketNotifier>

#include <libudev.h>

namespace {

class cMyUdevWatch : public cMyPortSystemWatch
{
public:
    cMyUdevWatch(QObject *parent, struct udev *udev, struct udev_monitor *monitor)
        : cMyPortSystemWatch(parent), m_udev(udev), m_monitor(monitor),
          m_notifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] {
            // The socket is non-blocking; whatever is not read would wake the notifier again.
            while (struct udev_device *device = udev_monitor_receive_device(m_monitor))
                udev_device_unref(device);
            emit changed();
        });
    }

    ~cMyUdevWatch() override
    {
        m_notifier.setEnabled(false);
        udev_monitor_unref(m_monitor);
        udev_unref(m_udev);
    }

private:
    struct udev *m_udev;
    struct udev_monitor *m_monitor;
    QSocketNotifier m_notifier;
};

} // namespace

cMyPortSystemWatch *cMyPortSystemWatch::create(QObject *parent)
{
    struct udev *udev = udev_new();
    if (!udev)
        return nullptr;
    // "udev", not "kernel": its events come after the rules have run, so the USB identifiers
    // that the enumeration reads are already in udev's database.
    struct udev_monitor *monitor = udev_monitor_new_from_netlink(udev, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor)
            udev_monitor_unref(monitor);
        udev_unref(udev);
        return nullptr;
    }
    return new cMyUdevWatch(parent, udev, monitor);
}
