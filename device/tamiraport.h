#ifndef DEVICE_TAMIRAPORT_H
#define DEVICE_TAMIRAPORT_H

// Opens the line to the device behind a port name for reading and writing, with nothing left over
// from an earlier use: the serial port at the device's line settings, or the device inside this
// process that claimed the name (cMyLocalPort). For code that owns its port for a while (the
// simulation worker on its own thread).

#include <QIODevice>
#include <QString>

#include <memory>

// Null with what the user is told in *error when the port does not open: the port's own text
// and, where it applies, how to get the permission to use it (PortOpenFailure).
std::unique_ptr<QIODevice> openTamiraPort(const QString &portName, QString *error);

#endif
