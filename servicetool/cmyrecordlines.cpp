#include "servicetool/cmyrecordlines.h"

#include "base/cmyhexrecord.h"
#include "device/memorytype.h"

namespace servicetool {

namespace {

// The longest record with its "\r".
constexpr int kLongestRawLine = cMyHexRecord::kLongestLine + 1;

bool isBlank(const QByteArray &line)
{
    for (char c : line)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

} // namespace

bool cMyRecordLines::add(const QByteArray &piece)
{
    if (!m_error.isEmpty())
        return false;
    m_partial += piece;
    int from = 0;
    for (int end; (end = m_partial.indexOf('\n', from)) >= 0; from = end + 1)
        if (!takeLine(m_partial.mid(from, end - from)))
            return false;
    m_partial.remove(0, from);
    // A line longer than any record is refused as soon as it is (the file may never end): for a
    // zero byte or a carriage return in it if there is one.
    if (m_partial.size() > kLongestRawLine) {
        const int number = m_number + 1;
        return takeLine(m_partial) && refuse(number, QStringLiteral("longer than any record"));
    }
    return true;
}

bool cMyRecordLines::finish()
{
    if (!m_error.isEmpty())
        return false;
    if (!m_partial.isEmpty() && !takeLine(m_partial))
        return false;
    m_partial.clear();
    return true;
}

bool cMyRecordLines::takeLine(QByteArray line)
{
    const int number = ++m_number;
    if (line.contains('\0'))
        return refuse(number, QStringLiteral("a zero byte"));
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.contains('\r'))
        return refuse(number, QStringLiteral("a carriage return inside the line (a line end without \"\\n\")"));
    if (isBlank(line)) {
        if (m_firstBlank == 0)
            m_firstBlank = number;
        return true;
    }
    if (m_firstBlank != 0)
        return refuse(m_firstBlank, QStringLiteral("a blank line between records"));
    if (m_ended)
        return refuse(number, QStringLiteral("a record after the end-of-file record"));

    cMyHexRecord record;
    if (line.size() > kLongestRawLine || !record.fromString(QString::fromLatin1(line)))
        return refuse(number, QStringLiteral("not an Intel HEX record with a valid checksum"));
    const int count = record.data().size();
    if (line.size() != cMyHexRecord::lineLength(count))
        return refuse(number, QStringLiteral("text after the checksum"));
    switch (record.type()) {
    case cMyHexRecord::Data: {
        const quint32 address = m_upper + record.address();
        if (count == 0)
            return refuse(number, QStringLiteral("a data record without data"));
        m_dataBytes += count;
        if (m_dataBytes > cMySparseMemory::kSize)
            return refuse(number, QStringLiteral("more than 16 MiB of data"));
        if (!m_image.set(address, record.data()))
            return refuse(number, QStringLiteral("address 0x%1 is past the device's 16 MiB")
                                      .arg(quint64(address) + quint64(count) - 1, 0, 16));
        break;
    }
    case cMyHexRecord::EndOfFile:
        if (count != 0)
            return refuse(number, QStringLiteral("an end-of-file record with data"));
        m_ended = true;
        break;
    case cMyHexRecord::ExtendedLinearAddress:
        if (record.address() != 0 || count != 2)
            return refuse(number, QStringLiteral("an extended linear address record that is not 2 bytes at 0000"));
        m_upper = quint32(record.upperAddress()) << 16;
        if (m_upper >= cMySparseMemory::kSize)
            return refuse(number, QStringLiteral("address 0x%1 is past the device's 16 MiB").arg(m_upper, 0, 16));
        break;
    default:
        return refuse(
            number,
            QStringLiteral("record type %1 is none the device takes").arg(record.type(), 2, 16, QLatin1Char('0')));
    }
    m_lines.append(line);
    return true;
}

bool cMyRecordLines::refuse(int line, const QString &why)
{
    m_error = QStringLiteral("line %1: %2").arg(line).arg(why);
    return false;
}

} // namespace servicetool

namespace servicetool {

QString cMyRecordLines::outsideArea(const QString &areaLine, const QList<QByteArray> &lines, int *lineNumber,
                                    quint32 *address)
{
    const quint32 size = areaSize(areaLine);
    if (size == 0)
        return QString();
    quint64 upper = 0;
    cMyHexRecord record;
    for (int i = 0; i < lines.size(); ++i) {
        if (!record.fromString(QString::fromLatin1(lines.at(i).trimmed())))
            continue;
        if (record.type() == cMyHexRecord::ExtendedLinearAddress) {
            upper = quint64(record.upperAddress()) << 16;
            continue;
        }
        const quint64 start = upper + record.address();
        if (record.type() != cMyHexRecord::Data || start + quint64(record.data().size()) <= size)
            continue;
        const quint32 first = quint32(qMax(start, quint64(size)));
        if (lineNumber)
            *lineNumber = i + 1;
        if (address)
            *address = first;
        return QStringLiteral("line %1: address 0x%2 is outside %3 (%4 bytes)")
            .arg(i + 1)
            .arg(first, 4, 16, QLatin1Char('0'))
            .arg(areaLine.mid(1))
            .arg(size);
    }
    return QString();
}

} // namespace servicetool
