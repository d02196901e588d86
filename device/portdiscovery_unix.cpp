#include "device/portdiscovery.h"

#include <QFileInfo>

// Port names are device files: a name without a folder lives in /dev.

QString PortDiscovery::systemLocation(const QString &portName)
{
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QLatin1String("/dev/") + portName;
}

bool PortDiscovery::systemHasPort(const QString &portName)
{
    return QFileInfo::exists(systemLocation(portName));
}
