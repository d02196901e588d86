#include "portdiscovery.h"

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
    const QString extra = qEnvironmentVariable("TAMIRA_PORT");
    const auto paths = extra.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &path : paths) {
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

QList<SerialPortEntry> PortDiscovery::availablePorts()
{
    if (source())
        return source()();
    return systemPorts();
}

void PortDiscovery::setSource(std::function<QList<SerialPortEntry>()> s)
{
    source() = std::move(s);
}
