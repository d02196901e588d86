#include "emulator/cmyemudevice.h"

#include "base/cmyhexrecord.h"
#include "blanktemplate.h"

#include <QList>

#include <algorithm>
#include <chrono>

const QByteArray cMyEmuDevice::kErrorReply = QByteArrayLiteral("#ERR\r\n");

namespace {

constexpr quint32 kEepromSize = 0x400;
constexpr quint32 kFlashSize = 16u * 1024u * 1024u;
constexpr quint32 kOtpSize = 0x40;
constexpr quint32 kRamSize = 0x2000;
constexpr quint32 kRomSize = 0x10000;
constexpr quint32 kMdidSize = 0x10;

// Where the dive model's figures live in the simulation block.
constexpr quint32 kRamDepth = 0x0140;
constexpr quint32 kRamSimMaxDepth = 0x0144;
constexpr quint32 kRamAverageDepth = 0x0146;
constexpr quint32 kRamSimDiveTime = 0x0150;
constexpr quint32 kRamSurfaceTime = 0x0152;
constexpr quint32 kRamDescentTime = 0x0154;
constexpr quint32 kRamBottomTime = 0x0156;
constexpr quint32 kRamAscentTime = 0x0158;
constexpr quint32 kRamSpeed = 0x0160;
constexpr quint32 kRamMinSpeed = 0x0162;
constexpr quint32 kRamMaxSpeed = 0x0164;
constexpr quint32 kRamAverageAscent = 0x0166;
constexpr quint32 kRamAverageDescent = 0x0168;
constexpr quint32 kRamStopwatch = 0x0170;
constexpr quint32 kRamTimer1 = 0x0172;
constexpr quint32 kRamTimer2 = 0x0174;
constexpr quint32 kRamTimer3 = 0x0176;

// The dive thresholds in the settings block.
constexpr quint32 kEepromDiveStart = 0x088;   // u8, cm
constexpr quint32 kEepromSurfacing = 0x08A;   // u8, cm
constexpr quint32 kEepromAscentStart = 0x090; // s16, cm/s
constexpr quint32 kEepromBottomStart = 0x092; // s16, cm/s

QByteArray lineContent(const QByteArray &line)
{
    int end = line.size();
    while (end > 0 && (line.at(end - 1) == '\n' || line.at(end - 1) == '\r'))
        --end;
    return line.left(end);
}

QByteArray recordLine(quint16 address, const QVector<quint8> &bytes)
{
    if (bytes.isEmpty()) {
        // The codec prints an empty vector as the end record; a zero-length data request is
        // answered with a zero-length data record instead.
        const quint8 sum = quint8(-(quint8(address >> 8) + quint8(address & 0xFF)));
        return QStringLiteral(":00%1%2%3\r\n")
            .arg(address, 4, 16, QLatin1Char('0'))
            .arg(QStringLiteral("00"))
            .arg(sum, 2, 16, QLatin1Char('0'))
            .toUpper()
            .toLatin1();
    }
    return cMyHexRecord(address, bytes).toString().toLatin1() + "\r\n";
}

QVector<quint8> versionBytes(const std::array<quint8, 4> &v)
{
    return {v[0], v[1], v[2], v[3]};
}

} // namespace

cMyEmuDevice::cMyEmuDevice()
{
    m_areas[Eeprom] = std::make_unique<cMyEmuMemory>(kEepromSize, 0xFF, true);
    m_areas[Flash] = std::make_unique<cMyEmuMemory>(kFlashSize, 0xFF, true);
    m_areas[Otp] = std::make_unique<cMyEmuMemory>(kOtpSize, 0xFF, true);
    m_areas[Ram] = std::make_unique<cMyEmuMemory>(kRamSize, 0x00, true);
    m_areas[Rom] = std::make_unique<cMyEmuMemory>(kRomSize, 0xFF, false);
    m_areas[Mdid] = std::make_unique<cMyEmuMemory>(kMdidSize, 0xFF, false);

    const auto start = std::chrono::steady_clock::now();
    m_clock = [start] {
        return qint64(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    };

    loadEeprom(QByteArray(kBlankTemplate));
    setSerialNumber(1001);
    setHardwareVersion({1, 0, 0, 0});
    setMemorySize(4);
    setFirmwareVersion({1, 2, 0, 0});
    setLibraryLanguage("Polski");
    setLibraryVersion({1, 0, 0, 0});
    setStatusFlags(0);
    // Manufacturer and device code of the FLASH chip, as its identification command returns.
    memory(Mdid).poke(0, {0x1F, 0x27, 0x01, 0x00});
    setSurfacePressure(kDefaultSurfacePressure);
    memory(Ram).setWord(kRamPressure, kDefaultSurfacePressure);
}

cMyEmuDevice::~cMyEmuDevice() = default;

cMyEmuDevice::Reply cMyEmuDevice::handleLine(const QByteArray &line, bool overlong)
{
    if (overlong || line.size() > kMaxLineBytes)
        return {kErrorReply};
    const QByteArray content = lineContent(line);
    if (content.startsWith('#'))
        return handleCommand(line, content);
    if (content.startsWith(':'))
        return handleRecord(line, content);
    return {kErrorReply};
}

cMyEmuDevice::Reply cMyEmuDevice::handleCommand(const QByteArray &line, const QByteArray &word)
{
    static const QList<QPair<QByteArray, Area>> areaWords = {
        {"#EEPROM", Eeprom}, {"#FLASH", Flash}, {"#OTP", Otp}, {"#RAM", Ram}, {"#ROM", Rom}, {"#MDID", Mdid},
    };

    if (word == "#ROOT") {
        enterLevel(Level::Root);
        // Back at the top level the sensor reads the surface again: the next simulation starts
        // there, not at the depth where the last one was stopped.
        surface();
    } else if (word == "#HEX") {
        enterLevel(Level::Hex);
    } else if (word == "#SIMUL") {
        enterLevel(Level::Simul);
    } else if (word == "#READ" || word == "#WRITE") {
        // A direction means nothing until a mode and an area have been chosen.
        if (m_level == Level::Root || m_area == NoArea)
            return {kErrorReply};
        m_direction = word == "#READ" ? Direction::Read : Direction::Write;
        m_upper = 0;
    } else if (word == "#RESET") {
        // A restart keeps every memory area and the statistics, forgets the mode, the
        // simulation and a pending power-off.
        enterLevel(Level::Root);
        m_powerOff = false;
        surface();
    } else if (word == "#BOOT") {
        m_bootRequested = true;
        enterLevel(Level::Root);
        return {line, m_stayOnBoot ? Action::None : Action::HangUp};
    } else if (word == "#CLEAR") {
        clearStatistics();
    } else if (word == "#OFF") {
        m_powerOff = true;
    } else {
        bool known = false;
        for (const auto &a : areaWords) {
            if (word != a.first)
                continue;
            if (m_level == Level::Root)
                return {kErrorReply};
            m_area = a.second;
            m_direction = Direction::None;
            m_upper = 0;
            known = true;
            break;
        }
        if (!known)
            return {kErrorReply};
    }
    return {line};
}

cMyEmuDevice::Reply cMyEmuDevice::handleRecord(const QByteArray &line, const QByteArray &text)
{
    cMyHexRecord record;
    if (!record.fromString(QString::fromLatin1(text.constData(), text.size())))
        return {kErrorReply};

    switch (record.type()) {
    case cMyHexRecord::EndOfFile:
        m_upper = 0;
        return {line};
    case cMyHexRecord::ExtendedLinearAddress:
        if (record.data().size() != 2)
            return {kErrorReply};
        m_upper = record.upperAddress();
        return {line};
    case cMyHexRecord::Data:
        break;
    default:
        return {kErrorReply};
    }

    if (m_area == NoArea || m_direction == Direction::None)
        return {kErrorReply};
    cMyEmuMemory &mem = memory(m_area);
    const quint32 address = (quint32(m_upper) << 16) | record.address();
    const QVector<quint8> &data = record.data();

    if (m_direction == Direction::Read)
        return {recordLine(record.address(), mem.read(address, data.size()))};

    if (!mem.write(address, data))
        return {kErrorReply};
    if (m_area == Eeprom) {
        for (int i = 0; i < data.size(); ++i)
            if (m_corruptStore.contains(address + quint32(i)))
                mem.poke(address + quint32(i), {quint8(~data.at(i))});
    }
    const quint64 end = quint64(address) + quint64(data.size());
    if (m_level == Level::Simul && m_area == Ram && address <= kRamPressure + 1 && end > kRamPressure)
        pressureSampled();
    return {line};
}

void cMyEmuDevice::enterLevel(Level level)
{
    m_level = level;
    m_area = NoArea;
    m_direction = Direction::None;
    m_upper = 0;
}

void cMyEmuDevice::surface()
{
    m_model.reset();
    memory(Ram).setWord(kRamPressure, memory(Ram).word(kRamSurfacePressure));
    publishModel();
}

void cMyEmuDevice::clearStatistics()
{
    setMaxDepth(0);
    setDiveTime(0);
    m_model.clearStatistics();
    m_model.takeDiveSeconds();
    publishModel();
}

void cMyEmuDevice::pressureSampled()
{
    const qint64 now = m_sampleStepMs > 0 ? m_sampleCount * m_sampleStepMs : m_clock();
    ++m_sampleCount;
    // Read at every sample, so that settings written between two runs take effect at once.
    const cMyEmuMemory &eeprom = memory(Eeprom);
    cMyEmuDiveModel::Thresholds thresholds;
    thresholds.diveStartCm = eeprom.byteAt(kEepromDiveStart);
    thresholds.surfacingCm = eeprom.byteAt(kEepromSurfacing);
    thresholds.ascentStartCmS = qint16(eeprom.word(kEepromAscentStart));
    thresholds.bottomStartCmS = qint16(eeprom.word(kEepromBottomStart));
    m_model.setThresholds(thresholds);
    cMyEmuMemory &ram = memory(Ram);
    m_model.sample(ram.word(kRamPressure), ram.word(kRamSurfacePressure), now);

    const int depth = m_model.values().depth;
    if (depth > ram.word(kRamMaxDepth))
        ram.setWord(kRamMaxDepth, quint16(depth));
    const quint32 seconds = m_model.takeDiveSeconds();
    ram.setWord(kRamDiveTime, quint16(std::min<quint32>(65535, ram.word(kRamDiveTime) + seconds)));
    publishModel();
}

void cMyEmuDevice::publishModel()
{
    const cMyEmuDiveModel::Values &v = m_model.values();
    cMyEmuMemory &ram = memory(Ram);
    ram.setWord(kRamDepth, quint16(v.depth));
    ram.setWord(kRamSimMaxDepth, quint16(v.maxDepth));
    ram.setWord(kRamAverageDepth, quint16(v.averageDepth));
    ram.setWord(kRamSimDiveTime, v.diveTime);
    ram.setWord(kRamSurfaceTime, v.surfaceTime);
    ram.setWord(kRamDescentTime, v.descentTime);
    ram.setWord(kRamBottomTime, v.bottomTime);
    ram.setWord(kRamAscentTime, v.ascentTime);
    ram.setWord(kRamSpeed, quint16(v.speed));
    ram.setWord(kRamMinSpeed, quint16(v.minSpeed));
    ram.setWord(kRamMaxSpeed, quint16(v.maxSpeed));
    ram.setWord(kRamAverageAscent, quint16(v.averageAscent));
    ram.setWord(kRamAverageDescent, quint16(v.averageDescent));
    ram.setWord(kRamStopwatch, v.stopwatch);
    ram.setWord(kRamTimer1, v.timer1);
    ram.setWord(kRamTimer2, v.timer2);
    ram.setWord(kRamTimer3, v.timer3);
}

bool cMyEmuDevice::loadEeprom(const QByteArray &hexText, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    cMyEmuMemory staged(kEepromSize, 0xFF, true);
    quint16 upper = 0;
    int lineNumber = 0;
    for (const QByteArray &raw : hexText.split('\n')) {
        ++lineNumber;
        const QByteArray text = raw.trimmed();
        if (text.isEmpty())
            continue;
        cMyHexRecord record;
        if (!record.fromString(QString::fromLatin1(text.constData(), text.size())))
            return fail(QStringLiteral("line %1 is not a valid Intel HEX record").arg(lineNumber));
        if (record.type() == cMyHexRecord::EndOfFile)
            break;
        if (record.type() == cMyHexRecord::ExtendedLinearAddress && record.data().size() == 2) {
            upper = record.upperAddress();
            continue;
        }
        if (record.type() != cMyHexRecord::Data)
            return fail(QStringLiteral("line %1 has an unsupported record type").arg(lineNumber));
        const quint32 address = (quint32(upper) << 16) | record.address();
        if (!staged.write(address, record.data()))
            return fail(QStringLiteral("line %1 lies outside the 1 KiB EEPROM").arg(lineNumber));
    }
    memory(Eeprom).clear();
    memory(Eeprom).poke(0, staged.read(0, int(kEepromSize)));
    return true;
}

void cMyEmuDevice::setStatusFlags(quint8 flags)
{
    memory(Ram).poke(kRamStatusFlags, {flags});
}

void cMyEmuDevice::setMaxDepth(quint16 cm)
{
    memory(Ram).setWord(kRamMaxDepth, cm);
}

void cMyEmuDevice::setDiveTime(quint16 seconds)
{
    memory(Ram).setWord(kRamDiveTime, seconds);
}

void cMyEmuDevice::setSerialNumber(quint16 serial)
{
    memory(Otp).setWord(0, serial);
}

void cMyEmuDevice::setHardwareVersion(const std::array<quint8, 4> &version)
{
    memory(Otp).poke(2, versionBytes(version));
}

void cMyEmuDevice::setMemorySize(quint8 megabytes)
{
    memory(Otp).poke(6, {megabytes});
}

void cMyEmuDevice::setFirmwareVersion(const std::array<quint8, 4> &version)
{
    memory(Rom).poke(kRomFirmwareVersion, versionBytes(version));
}

void cMyEmuDevice::setLibraryLanguage(const QByteArray &latin1)
{
    QVector<quint8> field(16, 0);
    for (int i = 0; i < std::min(16, int(latin1.size())); ++i)
        field[i] = quint8(latin1.at(i));
    memory(Flash).poke(kFlashLanguage, field);
}

void cMyEmuDevice::setLibraryVersion(const std::array<quint8, 4> &version)
{
    memory(Flash).poke(kFlashLibraryVersion, versionBytes(version));
}

void cMyEmuDevice::setSurfacePressure(quint16 mbar)
{
    memory(Ram).setWord(kRamSurfacePressure, mbar);
}

void cMyEmuDevice::setClock(std::function<qint64()> clock)
{
    if (clock)
        m_clock = std::move(clock);
}

QString cMyEmuDevice::areaName(Area area)
{
    switch (area) {
    case Eeprom:
        return QStringLiteral("EEPROM");
    case Flash:
        return QStringLiteral("FLASH");
    case Otp:
        return QStringLiteral("OTP");
    case Ram:
        return QStringLiteral("RAM");
    case Rom:
        return QStringLiteral("ROM");
    case Mdid:
        return QStringLiteral("MDID");
    default:
        return QStringLiteral("none");
    }
}

QString cMyEmuDevice::levelName(Level level)
{
    switch (level) {
    case Level::Hex:
        return QStringLiteral("hex");
    case Level::Simul:
        return QStringLiteral("simul");
    default:
        return QStringLiteral("root");
    }
}
