#include "device/tamiraport.h"

#include "device/cmylocalport.h"
#include "device/portopenfailure.h"
#include "device/serialsettings.h"

std::unique_ptr<QIODevice> openTamiraPort(const QString &portName, QString *error)
{
    if (cMyLocalPort::isClaimed(portName)) {
        auto local = std::make_unique<cMyLocalPort>(portName);
        if (!local->open(QIODevice::ReadWrite)) {
            *error = local->errorString();
            return nullptr;
        }
        return local;
    }
    auto serial = std::make_unique<QSerialPort>();
    applyTamiraSerialSettings(*serial, portName);
    if (!serial->open(QIODevice::ReadWrite)) {
        *error = PortOpenFailure::message(*serial);
        return nullptr;
    }
    // A reply that came after an earlier use gave up on it (a driver may keep it for the next
    // open) would otherwise be taken for the answer to this use's first line.
    serial->clear(QSerialPort::AllDirections);
    return serial;
}
