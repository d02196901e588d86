#include "device/portopenfailure.h"

#include <QSerialPort>

// Windows grants every user its serial ports; what fails is the port's own business, and its
// text says it ("Access is denied." for a port another program holds).

bool PortOpenFailure::lacksPermission(const QString &portName)
{
    Q_UNUSED(portName)
    return false;
}

QString PortOpenFailure::noPermissionMessage(const QSerialPort &port)
{
    return port.errorString();
}
