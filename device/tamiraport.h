#ifndef DEVICE_TAMIRAPORT_H
#define DEVICE_TAMIRAPORT_H

// The rules every program follows with the device's serial port: how it is opened for a
// conversation, what is said when it does not open, and when a port has been lost. The device
// link, the simulation worker and servicetool's link all go through these.

#include "device/cmylinkfailure.h"

#include <QSerialPort>
#include <QString>

#include <memory>

class cMyLocalPort;

namespace TamiraPort {

// Opens `port` on `name` for reading and writing with the device's line settings, and drops what
// waits on the line: it belongs to an earlier conversation (a reply that came after a time-out or
// a cancel), and taken for this one's first reply it would put every reply one behind. On false,
// `failure` says why (NoPort for an empty name).
bool open(QSerialPort &port, const QString &name, cMyLinkFailure *failure);

// Opens the device inside this process that claimed `port`'s name (cMyLocalPort) for reading
// and writing, and drops what waits on the line, as open() does for a serial port. On false,
// `failure` says why.
bool openLocal(cMyLocalPort &port, cMyLinkFailure *failure);

// The line to the device behind a port name, for code that owns it for a while (the simulation
// worker on its own thread): the device inside this process that claimed the name
// (cMyLocalPort, opened by openLocal()), or the serial port, opened as open() opens it. Null when it does not open;
// `failure` says why.
std::unique_ptr<QIODevice> openLine(const QString &name, cMyLinkFailure *failure);

// Why a port whose open() has just failed did not open: the permission and its remedy are the
// platform's (PortOpenFailure), a port in use is said as such.
cMyLinkFailure openFailure(const QSerialPort &port);

// Whether an error reported by an open port means the port is gone and the conversation over.
bool isLost(QSerialPort::SerialPortError error);
// The failure of a conversation whose port was lost.
cMyLinkFailure lost(const QSerialPort &port);

} // namespace TamiraPort

#endif
