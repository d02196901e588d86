#include "device/memorytype.h"

QString areaLine(int area)
{
    switch (area) {
    case EEPROM:
        return QStringLiteral("#EEPROM");
    case FLASH:
        return QStringLiteral("#FLASH");
    case OTP:
        return QStringLiteral("#OTP");
    case RAM:
        return QStringLiteral("#RAM");
    case ROM:
        return QStringLiteral("#ROM");
    default:
        return QString();
    }
}
