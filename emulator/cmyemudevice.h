#ifndef EMULATOR_CMYEMUDEVICE_H
#define EMULATOR_CMYEMUDEVICE_H

// The emulated Tamira firmware as pure logic: takes one line received from the host and returns
// the one reply the device sends, keeping the mode, the memory areas, the dive model and the
// statistics. No I/O here, so every answer can be checked without a pseudo-terminal.

#include "emulator/cmyemudivemodel.h"
#include "emulator/cmyemumemory.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class cMyEmuDevice
{
public:
    enum class Level { Root, Hex, Simul };
    enum class Direction { None, Read, Write };
    enum Area { NoArea = -1, Eeprom = 0, Flash, Otp, Ram, Rom, Mdid, AreaCount };
    // What the I/O side does once the reply has gone out.
    enum class Action { None, HangUp };

    struct Reply
    {
        QByteArray bytes;
        Action action = Action::None;
    };

    // The answer to a line the device does not accept (unknown word, bad record, a record
    // outside any transfer, a write that cannot be stored). It is deliberately not an echo, so a
    // host that checks echoes sees the failure instead of taking it for success.
    static const QByteArray kErrorReply;
    // Longest line content the device looks at; longer lines are answered with kErrorReply.
    static constexpr int kMaxLineLength = 1024;
    // The same line with its "\r\n": the most bytes of a line that the device takes.
    static constexpr int kMaxLineBytes = kMaxLineLength + 2;

    // Addresses the desktop program reads for the status, and the simulation block.
    static constexpr quint32 kRamMaxDepth = 0x014A;
    static constexpr quint32 kRamDiveTime = 0x015E;
    static constexpr quint32 kRamStatusFlags = 0x042C;
    static constexpr quint32 kRamPressure = 0x0100;
    static constexpr quint32 kRamSurfacePressure = 0x0110;
    static constexpr quint32 kRomFirmwareVersion = 0x00FC;
    static constexpr quint32 kFlashLanguage = 0xFFE0;
    static constexpr quint32 kFlashLibraryVersion = 0xFFFC;
    static constexpr quint16 kDefaultSurfacePressure = 1013;

    cMyEmuDevice();
    ~cMyEmuDevice();

    // `line` is the line as received, with its terminator ("\r\n"); the echo repeats it exactly.
    // Over-long lines may be passed cut short with `overlong` set.
    Reply handleLine(const QByteArray &line, bool overlong = false);

    // Loads Intel HEX text (a settings file) into the EEPROM; false with a reason on a bad
    // line or an address outside the 1 KiB, and then the EEPROM is unchanged.
    bool loadEeprom(const QByteArray &hexText, QString *error = nullptr);
    void setStatusFlags(quint8 flags);
    void setMaxDepth(quint16 cm);
    void setDiveTime(quint16 seconds);
    void setSerialNumber(quint16 serial);
    void setHardwareVersion(const std::array<quint8, 4> &version);
    void setMemorySize(quint8 megabytes);
    void setFirmwareVersion(const std::array<quint8, 4> &version);
    // At most 16 Latin-1 characters; shorter texts are ended by zero bytes.
    void setLibraryLanguage(const QByteArray &latin1);
    void setLibraryVersion(const std::array<quint8, 4> &version);
    void setSurfacePressure(quint16 mbar);
    // With this set, "#BOOT" is answered and the device stays on the line at root level.
    void setStayOnBoot(bool stay) { m_stayOnBoot = stay; }
    // Clock of the dive model in milliseconds (monotonic by default).
    void setClock(std::function<qint64()> clock);
    // When > 0, each pressure sample is taken as `ms` after the previous one, whatever the
    // real time: simulation runs become exactly repeatable.
    void setSampleStep(int ms) { m_sampleStepMs = ms; }
    // A worn EEPROM cell: every write of the byte at `address` stores it with its bits inverted,
    // while the echo of the record stays exact (only a read-back shows it).
    void addCorruptStore(quint32 address) { m_corruptStore.insert(address); }
    void clearCorruptStore() { m_corruptStore.clear(); }

    cMyEmuMemory &memory(Area area) { return *m_areas[size_t(area)]; }
    const cMyEmuMemory &memory(Area area) const { return *m_areas[size_t(area)]; }
    const cMyEmuDiveModel &diveModel() const { return m_model; }
    Level level() const { return m_level; }
    Area area() const { return m_area; }
    Direction direction() const { return m_direction; }
    quint16 upperAddress() const { return m_upper; }
    bool powerOffRequested() const { return m_powerOff; }
    bool bootRequested() const { return m_bootRequested; }

    static QString areaName(Area area);
    static QString levelName(Level level);

private:
    Reply handleCommand(const QByteArray &line, const QByteArray &word);
    Reply handleRecord(const QByteArray &line, const QByteArray &text);
    void enterLevel(Level level);
    void clearStatistics();
    // The simulation ends: the pressure is the surface pressure and the dive model starts afresh.
    void surface();
    void pressureSampled();
    void publishModel();

    std::array<std::unique_ptr<cMyEmuMemory>, AreaCount> m_areas;
    cMyEmuDiveModel m_model;
    std::function<qint64()> m_clock;
    int m_sampleStepMs = 0;
    qint64 m_sampleCount = 0;
    Level m_level = Level::Root;
    Area m_area = NoArea;
    Direction m_direction = Direction::None;
    quint16 m_upper = 0;
    bool m_powerOff = false;
    bool m_bootRequested = false;
    bool m_stayOnBoot = false;
    QSet<quint32> m_corruptStore;
};

#endif
