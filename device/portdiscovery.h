#ifndef DEVICE_PORTDISCOVERY_H
#define DEVICE_PORTDISCOVERY_H

// The one place both programs learn which serial ports exist and which USB device is behind them.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

struct SerialPortEntry
{
    QString portName;
    bool hasIds = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
};

namespace PortDiscovery {

constexpr quint16 kVendorAtmel = 0x03EB;
constexpr quint16 kProductTamira = 0x2018;
constexpr quint16 kProductBootloader = 0x2FF0;

// The one rule for what the programs take for a Tamira in normal operation: a port with the
// device's USB identifiers that is not a call-out duplicate (on macOS every USB modem shows as
// "tty." and "cu."; the "cu." one is left out, so one device is one port).
bool isTamira(const SerialPortEntry &port);
// The same for a Tamira in its firmware bootloader.
bool isBootloader(const SerialPortEntry &port);
bool isBootloaderIds(quint16 vendorId, quint16 productId);
// The names of the Tamira ports among `ports`, in their order.
QStringList tamiraPorts(const QList<SerialPortEntry> &ports);

// The system's serial ports in the system's order, followed by each port named in the
// environment variable TAMIRA_PORT (separated by ':': paths on Unix, names such as COM7 on
// Windows) that exists, as a Tamira in normal operation. A port that goes away (the emulator
// stopped) is left out like an unplugged device.
QList<SerialPortEntry> availablePorts();

// The paths named in TAMIRA_PORT, whether they exist or not.
QStringList environmentPaths();
// Sets TAMIRA_PORT from inside the program (the demo device) and tells the watchers at once.
void setEnvironmentPaths(const QStringList &paths);

// The file behind a port name, as QSerialPort opens it: "ttyACM0" is /dev/ttyACM0, a path
// stays as it is. Empty where port names are no file paths (Windows).
QString systemLocation(const QString &portName);
// True while the port behind a name exists: its file (Unix), a device of that name such as
// "COM7" (Windows), or a device inside this program that claimed the name (cMyLocalPort).
bool isPresent(const QString &portName);

// The platform's own part of isPresent (the platform file's).
bool systemHasPort(const QString &portName);

// Tests replace the system's list; an empty function restores it.
void setSource(std::function<QList<SerialPortEntry>()> source);
bool hasSource();

// Raises changed() after every setSource and setEnvironmentPaths, so that whoever watches the ports for changes can
// switch between watching the system and polling an installed list.
class SourceNotifier : public QObject
{
    Q_OBJECT

public:
    static SourceNotifier &instance();

signals:
    void changed();
};

} // namespace PortDiscovery

#endif
