#include "base/cmyhexrecord.h"

static_assert(cMyHexRecord::kLongestLine == cMyHexRecord::lineLength(255), "the longest line has 255 data bytes");
static_assert(sizeof cMyHexRecord::kEndOfFile - 1 == cMyHexRecord::lineLength(0), "the end record has no data");

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// Reads `digits` hex digits at pos; false when the text is too short or a digit is bad.
bool readHex(const QString &s, int pos, int digits, uint &value)
{
    if (pos < 0 || digits <= 0 || s.size() - pos < digits)
        return false;
    uint v = 0;
    const QChar *p = s.constData() + pos;
    for (int i = 0; i < digits; ++i) {
        const int d = hexValue(p[i]);
        if (d < 0)
            return false;
        v = (v << 4) | uint(d);
    }
    value = v;
    return true;
}

inline void putByte(char *&out, quint8 b)
{
    *out++ = kHexDigits[b >> 4];
    *out++ = kHexDigits[b & 0x0F];
}

} // namespace

cMyHexRecord::cMyHexRecord(QObject *parent) : QObject(parent) {}

cMyHexRecord::cMyHexRecord(quint16 upperAddress, QObject *parent)
    : QObject(parent), m_address(0), m_type(ExtendedLinearAddress), m_upperAddress(upperAddress)
{}

cMyHexRecord::cMyHexRecord(quint16 address, const QVector<quint8> &bytes, QObject *parent) : QObject(parent)
{
    if (bytes.isEmpty()) {
        m_type = EndOfFile;
        m_address = 0;
    } else {
        m_type = Data;
        m_address = address;
        m_data = bytes;
    }
}

quint8 cMyHexRecord::checksum() const
{
    quint8 sum = 0;
    sum += quint8(m_address >> 8);
    sum += quint8(m_address & 0xFF);
    sum += m_type;
    if (m_type == ExtendedLinearAddress) {
        sum += 2;
        sum += quint8(m_upperAddress >> 8);
        sum += quint8(m_upperAddress & 0xFF);
    } else {
        sum += quint8(m_data.size());
        for (quint8 b : m_data)
            sum += b;
    }
    return quint8(-sum);
}

QString cMyHexRecord::toString() const
{
    const bool ela = m_type == ExtendedLinearAddress;
    const int payload = ela ? 2 : m_data.size();
    char buffer[kLongestLine];
    char *out = buffer;
    *out++ = ':';
    putByte(out, quint8(payload));
    putByte(out, quint8(m_address >> 8));
    putByte(out, quint8(m_address & 0xFF));
    putByte(out, m_type);
    if (ela) {
        putByte(out, quint8(m_upperAddress >> 8));
        putByte(out, quint8(m_upperAddress & 0xFF));
    } else {
        // A data record carries at most 255 bytes; longer vectors are not printable as one line.
        const int n = qMin(payload, 255);
        const quint8 *d = m_data.constData();
        for (int i = 0; i < n; ++i)
            putByte(out, d[i]);
    }
    putByte(out, checksum());
    return QString::fromLatin1(buffer, int(out - buffer));
}

bool cMyHexRecord::fromString(const QString &str)
{
    uint count = 0, address = 0, type = 0, check = 0;
    if (!readHex(str, 1, 2, count))
        return false;
    if (str.isEmpty() || str.at(0) != QLatin1Char(':'))
        return false;
    if (!readHex(str, 3, 4, address) || !readHex(str, 7, 2, type))
        return false;
    m_address = quint16(address);
    m_type = quint8(type);

    m_data.clear();
    m_data.reserve(int(count));
    quint8 sum = quint8(count) + quint8(address >> 8) + quint8(address & 0xFF) + quint8(type);
    for (uint i = 0; i < count; ++i) {
        uint byte = 0;
        if (!readHex(str, 9 + 2 * int(i), 2, byte))
            return false;
        m_data.append(quint8(byte));
        sum += quint8(byte);
    }
    if (!readHex(str, 9 + 2 * int(count), 2, check))
        return false;
    if (m_type == ExtendedLinearAddress && m_data.size() == 2)
        m_upperAddress = quint16((m_data.at(0) << 8) | m_data.at(1));
    return quint8(sum + quint8(check)) == 0;
}

quint16 cMyHexRecord::wordAt(quint8 offset) const
{
    if (int(offset) + 1 >= m_data.size())
        return 0;
    return quint16(m_data.at(offset) + 256 * m_data.at(offset + 1));
}
