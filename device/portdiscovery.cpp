#include "device/portdiscovery.h"

#include "device/cmylocalport.h"

#include <QFile>
#include <QSerialPortInfo>
#include <QtGlobal>

namespace {

std::function<QList<SerialPortEntry>()> &source()
{
    static std::function<QList<SerialPortEntry>()> s;
    return s;
}

QList<SerialPortEntry> systemPorts()
{
    QList<SerialPortEntry> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialPortEntry e;
        e.portName = info.portName();
        e.hasIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        e.vendorId = info.vendorIdentifier();
        e.productId = info.productIdentifier();
        ports.append(e);
    }
    const QStringList paths = PortDiscovery::environmentPaths();
    for (const QString &path : paths) {
        if (!PortDiscovery::isPresent(path))
            continue;
        SerialPortEntry e;
        e.portName = path;
        e.hasIds = true;
        e.vendorId = PortDiscovery::kVendorAtmel;
        e.productId = PortDiscovery::kProductTamira;
        ports.append(e);
    }
    return ports;
}

} // namespace

bool PortDiscovery::isTamira(const SerialPortEntry &port)
{
    return port.hasIds && port.vendorId == kVendorAtmel && port.productId == kProductTamira
           && !port.portName.contains(QLatin1String("cu."));
}

bool PortDiscovery::isBootloaderIds(quint16 vendorId, quint16 productId)
{
    return vendorId == kVendorAtmel && productId == kProductBootloader;
}

bool PortDiscovery::isBootloader(const SerialPortEntry &port)
{
    return port.hasIds && isBootloaderIds(port.vendorId, port.productId);
}

QStringList PortDiscovery::tamiraPorts(const QList<SerialPortEntry> &ports)
{
    QStringList names;
    for (const SerialPortEntry &port : ports)
        if (isTamira(port))
            names << port.portName;
    return names;
}

QList<SerialPortEntry> PortDiscovery::availablePorts()
{
    if (source())
        return source()();
    return systemPorts();
}

QStringList PortDiscovery::environmentPaths()
{
    return qEnvironmentVariable("TAMIRA_PORT").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

bool PortDiscovery::isPresent(const QString &portName)
{
    return cMyLocalPort::isClaimed(portName) || systemHasPort(portName);
}

void PortDiscovery::setSource(std::function<QList<SerialPortEntry>()> s)
{
    source() = std::move(s);
    emit SourceNotifier::instance().changed();
}

void PortDiscovery::setEnvironmentPaths(const QStringList &paths)
{
    qputenv("TAMIRA_PORT", QFile::encodeName(paths.join(QLatin1Char(':'))));
    emit SourceNotifier::instance().changed();
}

bool PortDiscovery::hasSource()
{
    return bool(source());
}

PortDiscovery::SourceNotifier &PortDiscovery::SourceNotifier::instance()
{
    static SourceNotifier notifier;
    return notifier;
}
