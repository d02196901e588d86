#include "device/portdiscovery.h"

#include <qt_windows.h>

#include <iterator>

// Port names are device names ("COM7"), with no file behind them to look at.

QString PortDiscovery::systemLocation(const QString &portName)
{
    Q_UNUSED(portName)
    return QString();
}

bool PortDiscovery::systemHasPort(const QString &portName)
{
    // "COM7", or "\\.\COM7" as it may be written for ports above COM9.
    QString name = portName;
    if (name.startsWith(QLatin1String("\\\\.\\")))
        name = name.mid(4);
    if (name.isEmpty())
        return false;
    wchar_t target[512];
    return QueryDosDeviceW(reinterpret_cast<const wchar_t *>(name.utf16()), target, DWORD(std::size(target))) != 0;
}
