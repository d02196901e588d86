#ifndef PORTDISCOVERY_H
#define PORTDISCOVERY_H

// The one place both programs learn which serial ports exist and which USB device is behind them.

#include <QList>
#include <QString>
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

// The system's serial ports in the system's order, followed by each path named in the
// environment variable TAMIRA_PORT (separated by ':') as a Tamira in normal operation.
QList<SerialPortEntry> availablePorts();

// Tests replace the system's list; an empty function restores it.
void setSource(std::function<QList<SerialPortEntry>()> source);

} // namespace PortDiscovery

#endif
