#include "device/tamiraport.h"

#include "device/portdiscovery.h"
#include "device/serialsettings.h"

#include <QCoreApplication>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

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

bool TamiraPort::lacksPermission(const QString &portName)
{
#ifdef Q_OS_UNIX
    const QString location = PortDiscovery::systemLocation(portName);
    // The effective ids decide, as they did for the open that failed.
    const QByteArray path = QFile::encodeName(location);
    return faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES;
#else
    Q_UNUSED(portName)
    return false;
#endif
}

cMyLinkFailure TamiraPort::openFailure(const QSerialPort &port)
{
    const QString location = PortDiscovery::systemLocation(port.portName());
    if (port.error() != QSerialPort::PermissionError)
        return {cMyLinkFailure::NotOpened, port.errorString()};
    // Qt reports a port that another program holds (its lock file, or the exclusive mode it
    // set) as a permission error too, as Windows does; the file's access tells the two apart.
    if (!lacksPermission(port.portName()))
        return {cMyLinkFailure::PortInUse,
                QCoreApplication::translate(
                    "TamiraPort",
                    "Port %1 jest zajęty przez inny program (na przykład servicetool albo drugi TAMIRAdesk).\n"
                    "Zamknij ten program albo poczekaj, aż skończy pracę z Tamirą, i spróbuj ponownie.")
                    .arg(location.isEmpty() ? port.portName() : location)};
    QString text = port.errorString();
#ifdef Q_OS_LINUX
    text += QStringLiteral("\n\n")
            + QCoreApplication::translate("TamiraPort",
                                          "Brak uprawnień do portu %1.\n\n"
                                          "Jak to naprawić w systemie Linux:\n"
                                          "• zainstaluj pakiet tamiradesk albo skopiuj plik 70-tamira.rules z katalogu "
                                          "packaging/linux do /etc/udev/rules.d,\n"
                                          "• albo dopisz swoje konto do grupy dialout (sudo usermod -aG dialout $USER) "
                                          "i zaloguj się ponownie.\n"
                                          "Potem odłącz Tamirę i podłącz ją ponownie.")
                  .arg(location);
#endif
    return {cMyLinkFailure::NoPermission, text};
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
