#include "device/tamiraport.h"

#include "device/cmylocalport.h"
#include "device/portdiscovery.h"
#include "device/portopenfailure.h"
#include "device/serialsettings.h"

#include <QCoreApplication>

bool TamiraPort::open(QSerialPort &port, const QString &name, cMyLinkFailure *failure)
{
    applyTamiraSerialSettings(port, name);
    if (name.isEmpty()) {
        *failure = {cMyLinkFailure::NoPort, QCoreApplication::translate("TamiraPort", "Tamira nie jest podłączona.")};
        return false;
    }
    if (!port.open(QIODevice::ReadWrite)) {
        *failure = openFailure(port);
        return false;
    }
    port.clear(QSerialPort::AllDirections);
    return true;
}

bool TamiraPort::openLocal(cMyLocalPort &port, cMyLinkFailure *failure)
{
    if (!port.open(QIODevice::ReadWrite)) {
        *failure = {cMyLinkFailure::NotOpened, port.errorString()};
        return false;
    }
    port.clearInput();
    return true;
}

std::unique_ptr<QIODevice> TamiraPort::openLine(const QString &name, cMyLinkFailure *failure)
{
    if (cMyLocalPort::isClaimed(name)) {
        auto local = std::make_unique<cMyLocalPort>(name);
        if (!openLocal(*local, failure))
            return nullptr;
        return local;
    }
    auto serial = std::make_unique<QSerialPort>();
    if (!open(*serial, name, failure))
        return nullptr;
    return serial;
}

cMyLinkFailure TamiraPort::openFailure(const QSerialPort &port)
{
    if (port.error() != QSerialPort::PermissionError)
        return {cMyLinkFailure::NotOpened, port.errorString()};
    if (PortOpenFailure::lacksPermission(port.portName()))
        return {cMyLinkFailure::NoPermission, PortOpenFailure::noPermissionMessage(port)};
    // Qt reports a port that another program holds (its lock file, or the exclusive mode it
    // set) as a permission error too, as Windows does; the file's access tells the two apart.
    const QString location = PortDiscovery::systemLocation(port.portName());
    return {cMyLinkFailure::PortInUse,
            QCoreApplication::translate("TamiraPort",
                                        "Port %1 jest zajęty przez inny program (na przykład servicetool albo drugi "
                                        "TAMIRAdesk).\nZamknij ten program albo poczekaj, aż skończy pracę z Tamirą, "
                                        "i spróbuj ponownie.")
                .arg(location.isEmpty() ? port.portName() : location)};
}

bool TamiraPort::isLost(QSerialPort::SerialPortError error)
{
    // Once a conversation runs, the program only reads and writes. Any failure of those is the
    // end of the line, whatever name Qt gives it: ReadError and WriteError, ResourceError for
    // a device that went away (Linux: EIO), and on Windows PermissionError, DeviceNotFoundError
    // or UnknownError, depending on the USB driver's error code when the device is unplugged
    // (ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND, ERROR_GEN_FAILURE). Waiting for the reply
    // time-out instead would report a silent device where a port was lost. The other errors
    // answer a request that did not happen and leave the port as it was.
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::PermissionError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::UnknownError:
        return true;
    case QSerialPort::NoError:
    case QSerialPort::OpenError:
    case QSerialPort::NotOpenError:
    case QSerialPort::TimeoutError:
    case QSerialPort::UnsupportedOperationError:
    default:
        return false;
    }
}

cMyLinkFailure TamiraPort::lost(const QSerialPort &port)
{
    // The port's own text alone ("Input/output error", or whatever the last system call left
    // behind) does not tell the user what happened.
    return {cMyLinkFailure::PortLost,
            QCoreApplication::translate("TamiraPort", "Połączenie z Tamirą zostało przerwane.") + QLatin1Char('\n')
                + port.errorString()};
}
