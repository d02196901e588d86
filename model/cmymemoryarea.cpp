#include "model/cmymemoryarea.h"

#include "base/cmyhexrecord.h"

cMyMemoryArea::cMyMemoryArea(QObject *parent) : QObject(parent) {}

bool cMyMemoryArea::getByte(quint32 address, quint8 &value) const
{
    const int page = int(address >> 16);
    const int offset = int(address & 0xFFFF);
    if (page >= m_pages.size() || offset >= m_pages.at(page).size())
        return false;
    value = m_pages.at(page).at(offset);
    return true;
}

QVector<quint8> cMyMemoryArea::readBytes(quint32 address, quint16 length) const
{
    QVector<quint8> bytes;
    bytes.reserve(length);
    for (quint32 i = 0; i < length; ++i) {
        quint8 b;
        if (!getByte(address + i, b))
            break;
        bytes.append(b);
    }
    return bytes;
}

bool cMyMemoryArea::store(quint32 address, quint8 value)
{
    const int page = int(address >> 16);
    const int offset = int(address & 0xFFFF);
    if (page >= m_pages.size())
        m_pages.resize(page + 1);
    QVector<quint8> &bytes = m_pages[page];
    if (offset < bytes.size() && bytes.at(offset) == value)
        return false;
    if (offset >= bytes.size())
        bytes.resize(offset + 1); // new bytes are value-initialised to 0
    bytes[offset] = value;
    return true;
}

void cMyMemoryArea::setData(quint32 address, quint8 value)
{
    setData(address, QVector<quint8>{value});
}

void cMyMemoryArea::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void cMyMemoryArea::setData(quint32 address, QVector<quint8> data)
{
    QVector<quint8> before(data.size());
    bool changed = false;
    for (int i = 0; i < data.size(); ++i) {
        getByte(address + quint32(i), before[i]);
        changed |= store(address + quint32(i), data.at(i));
    }
    if (!changed)
        return;
    setModified(true);
    emit edited(address, before, data);
}

QStringList cMyMemoryArea::toHexLines(quint32 address, int count, quint16 recordLength) const
{
    QStringList lines;
    if (recordLength == 0)
        recordLength = 1;
    lines.reserve(count / recordLength + 3);
    QVector<quint8> buffer;
    buffer.reserve(recordLength);
    quint32 bufferStart = address;
    quint16 previousUpper = 0;
    for (int i = 0; i < count; ++i) {
        const quint32 a = address + quint32(i);
        const quint16 upper = quint16(a >> 16);
        if (upper != previousUpper) {
            // A record never spans two 64 KiB pages: its bytes would land in the wrong page.
            if (!buffer.isEmpty()) {
                lines.append(cMyHexRecord(quint16(bufferStart & 0xFFFF), buffer).toString());
                buffer.clear();
            }
            lines.append(cMyHexRecord(upper, nullptr).toString());
            previousUpper = upper;
        }
        if (buffer.isEmpty())
            bufferStart = a;
        quint8 b = 0;
        getByte(a, b);
        buffer.append(b);
        if (buffer.size() == recordLength || i == count - 1) {
            lines.append(cMyHexRecord(quint16(bufferStart & 0xFFFF), buffer).toString());
            buffer.clear();
        }
    }
    lines.append(QString::fromLatin1(cMyHexRecord::kEndOfFile));
    return lines;
}
