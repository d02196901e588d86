#ifndef DEVICE_MEMORYTYPE_H
#define DEVICE_MEMORYTYPE_H

// The device's memory areas and the line that selects each of them.

#include <QMetaType>
#include <QString>

enum MemoryType { EEPROM = 0, FLASH = 1, OTP = 2, RAM = 3, ROM = 4 };

// "#EEPROM", "#FLASH", ...; an empty string for a value outside the enumeration.
QString areaLine(int area);

Q_DECLARE_METATYPE(MemoryType)

#endif
