#ifndef DEVICE_PORTOPENFAILURE_H
#define DEVICE_PORTOPENFAILURE_H

// A serial port the user may not use: whether that is why it did not open, and what the user is
// told then (the port's own error text and, on Linux, how to get the permission). Which failure
// is which is decided by TamiraPort::openFailure.

#include <QString>

class QSerialPort;

namespace PortOpenFailure {

// True when the file behind the port exists but this process may not read and write it.
// Always false where that cannot be told (Windows).
bool lacksPermission(const QString &portName);

// For a port whose open() has just failed because the user may not use it (lacksPermission).
QString noPermissionMessage(const QSerialPort &port);

} // namespace PortOpenFailure

#endif
