#ifndef DEVICE_MEMORYTYPE_H
#define DEVICE_MEMORYTYPE_H

// The device's memory areas and the line that selects each of them.

#include <QMetaType>
#include <QString>

// The underlying type is fixed so that any int is a valid value: callers may pass an area
// outside the five (it selects no area), which would otherwise be undefined behaviour.
enum MemoryType : int { EEPROM = 0, FLASH = 1, OTP = 2, RAM = 3, ROM = 4 };

// "#EEPROM", "#FLASH", ...; an empty string for a value outside the enumeration.
QString areaLine(int area);

// The size in bytes of the area an area line ("#EEPROM", also servicetool's "#MDID") selects, as
// the device's memory has it; 0 where it is not fixed or not known, so nothing can be checked
// against it.
quint32 areaSize(const QString &areaLine);

Q_DECLARE_METATYPE(MemoryType)

#endif
