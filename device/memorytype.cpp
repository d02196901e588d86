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

quint32 areaSize(const QString &areaLine)
{
    // EEPROM: the device keeps its settings in a 1 KiB EEPROM, and the settings block fills it
    // (0x000-0x3FF), so no address of the area lies past 0x3FF.
    if (areaLine == QLatin1String("#EEPROM"))
        return 1024;
    // FLASH: as large as the memory the device reports in its status (OTP byte 6, in MB), which
    // differs from device to device; the library upload checks a library against it.
    // RAM, ROM, OTP, MDID: only the addresses the programs read are known (RAM up to 0x042C, ROM
    // 0x00FC-0x00FF, OTP 0x0000-0x0006, MDID none), not where the areas end.
    return 0;
}
