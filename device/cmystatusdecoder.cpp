#include "device/cmystatusdecoder.h"

#include "base/cmyhexrecord.h"
#include "device/cmyreplywalker.h"
#include "device/memorytype.h"

namespace {

struct Block
{
    MemoryType area;
    quint16 first;
    int length;
    int perRecord;
};

// The ten blocks of the status read, in sending order.
const Block kBlocks[] = {
    {EEPROM, 0x0000, 4, 4},    // settings version
    {EEPROM, 0x0010, 48, 16},  // author and title
    {EEPROM, 0x0200, 512, 16}, // description
    {FLASH, 0xFFE0, 16, 16},   // sound library language
    {FLASH, 0xFFFC, 4, 4},     // sound library version
    {OTP, 0x0000, 7, 7},       // serial number, hardware version, memory size
    {RAM, 0x014A, 2, 2},       // maximum depth
    {RAM, 0x015E, 2, 2},       // dive time
    {RAM, 0x042C, 1, 1},       // self-test flags
    {ROM, 0x00FC, 4, 4},       // firmware version
};

quint32 key(int area, quint16 address)
{
    return (quint32(area) << 16) | address;
}

} // namespace

QStringList cMyStatusDecoder::requestLines()
{
    QStringList lines;
    for (const Block &b : kBlocks) {
        lines << QStringLiteral("#ROOT") << QStringLiteral("#HEX") << areaLine(b.area) << QStringLiteral("#READ");
        for (int offset = 0; offset < b.length; offset += b.perRecord) {
            const int n = qMin(b.perRecord, b.length - offset);
            lines << cMyHexRecord(quint16(b.first + offset), QVector<quint8>(n, 0)).toString();
        }
        lines << QString::fromLatin1(cMyHexRecord::kEndOfFile);
    }
    return lines;
}

void cMyStatusDecoder::addReplies(const QStringList &replies)
{
    cMyReplyWalker::walk(
        replies, [this](int area, const cMyHexRecord &record) { addRecord(area, record.address(), record.data()); });
}

void cMyStatusDecoder::addRecord(int area, quint16 address, const QVector<quint8> &data)
{
    for (int i = 0; i < data.size() && address + i <= 0xFFFF; ++i)
        m_bytes.insert(key(area, quint16(address + i)), data.at(i));
}

QVector<quint8> cMyStatusDecoder::bytes(int area, quint16 first, int count) const
{
    QVector<quint8> out;
    for (int i = 0; i < count && first + i <= 0xFFFF; ++i) {
        const auto it = m_bytes.constFind(key(area, quint16(first + i)));
        if (it == m_bytes.constEnd())
            break;
        out.append(it.value());
    }
    return out;
}

QStringList cMyStatusDecoder::statusList() const
{
    // Bytes are unsigned (quint8) throughout, so a byte with bit 7 set counts 128 and up
    // whatever the signedness of char. A number whose bytes did not all arrive stays empty: half
    // a serial number is no serial number.
    auto byte = [this](int area, quint16 address) {
        const QVector<quint8> b = bytes(area, address, 1);
        return b.size() == 1 ? QString::number(b.at(0)) : QString();
    };
    auto word = [this](int area, quint16 address) -> int {
        const QVector<quint8> b = bytes(area, address, 2);
        return b.size() == 2 ? b.at(0) + 256 * b.at(1) : -1;
    };
    auto wordText = [](int value) { return value < 0 ? QString() : QString::number(value); };

    QStringList list;
    list.reserve(EntryCount);
    list << byte(RAM, 0x042C);
    const int depth = word(RAM, 0x014A);
    list << (depth < 0 ? QString() : depthText(quint32(depth)));
    const int time = word(RAM, 0x015E);
    list << (time < 0 ? QString() : timeText(quint32(time)));
    list << wordText(word(OTP, 0x0000));
    list << dottedText(bytes(OTP, 0x0002, 4));
    list << byte(OTP, 0x0006);
    list << dottedText(bytes(ROM, 0x00FC, 4));
    list << latin1Text(bytes(FLASH, 0xFFE0, 16));
    list << dottedText(bytes(FLASH, 0xFFFC, 4));
    list << dottedText(bytes(EEPROM, 0x0000, 4));
    list << latin1Text(bytes(EEPROM, 0x0010, 16));
    list << latin1Text(bytes(EEPROM, 0x0020, 32));
    list << latin1Text(bytes(EEPROM, 0x0200, 512));
    return list;
}

QString cMyStatusDecoder::depthText(quint32 centimetres)
{
    // Tenths of a metre, rounded half up in integers so that the text never depends on how a
    // binary fraction happens to round.
    const quint32 tenths = (centimetres + 5) / 10;
    return QStringLiteral("%1.%2 m").arg(tenths / 10).arg(tenths % 10);
}

QString cMyStatusDecoder::timeText(quint32 seconds)
{
    const quint32 h = seconds / 3600;
    const quint32 m = (seconds % 3600) / 60;
    const quint32 s = seconds % 60;
    if (h != 0)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}

QString cMyStatusDecoder::dottedText(const QVector<quint8> &bytes)
{
    QStringList parts;
    for (quint8 b : bytes)
        parts << QString::number(b);
    return parts.join(QLatin1Char('.'));
}

QString cMyStatusDecoder::latin1Text(const QVector<quint8> &bytes)
{
    QString text;
    for (quint8 b : bytes) {
        if (b == 0)
            break;
        text.append(QChar(b));
    }
    return text;
}
