#include "device/portopenfailure.h"

#include "device/portdiscovery.h"

#include <QCoreApplication>
#include <QFile>
#include <QSerialPort>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool PortOpenFailure::lacksPermission(const QString &portName)
{
    const QString location = PortDiscovery::systemLocation(portName);
    // The effective ids decide, as they did for the open that failed.
    const QByteArray path = QFile::encodeName(location);
    return faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

QString PortOpenFailure::noPermissionMessage(const QSerialPort &port)
{
    QString text = port.errorString();
#ifdef Q_OS_LINUX
    // The remedy is Linux's (a udev rule, the dialout group); elsewhere the port's text stands alone.
    text += QStringLiteral("\n\n")
            + QCoreApplication::translate("PortOpenFailure",
                                          "Brak uprawnień do portu %1.\n\n"
                                          "Jak to naprawić w systemie Linux:\n"
                                          "• zainstaluj pakiet tamiradesk albo skopiuj plik 70-tamira.rules z katalogu "
                                          "packaging/linux do /etc/udev/rules.d,\n"
                                          "• albo dopisz swoje konto do grupy dialout (sudo usermod -aG dialout $USER) "
                                          "i zaloguj się ponownie.\n"
                                          "Potem odłącz Tamirę i podłącz ją ponownie.")
                  .arg(PortDiscovery::systemLocation(port.portName()));
#endif
    return text;
}
