#ifndef DEVICE_SERIALSETTINGS_H
#define DEVICE_SERIALSETTINGS_H

// The device's line settings: 9600 baud both ways, 8 data bits, no parity, one stop bit, no
// flow control. Everything that opens the device's port applies them through this.

#include <QSerialPort>
#include <QString>

inline void applyTamiraSerialSettings(QSerialPort &port, const QString &portName)
{
    port.setPortName(portName);
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

#endif
