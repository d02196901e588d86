#ifndef DEVICE_PORTOPENFAILURE_H
#define DEVICE_PORTOPENFAILURE_H

// What the user is told when a serial port does not open: the port's own error text and, where
// the user lacks the permission to use the port, how to get it.

#include <QString>

class QSerialPort;

namespace PortOpenFailure {

// For a port whose open() has just failed.
QString message(const QSerialPort &port);

// True when the file behind the port exists but this process may not read and write it.
// Always false where that cannot be told (Windows).
bool lacksPermission(const QString &portName);

} // namespace PortOpenFailure

#endif
