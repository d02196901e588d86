#include "servicetool/cmyreadrequests.h"

#include "device/cmyhexrecord.h"

namespace servicetool {

namespace {

QByteArray request(quint64 count, quint64 address)
{
    return cMyHexRecord(quint16(address & 0xFFFF), QVector<quint8>(int(count), 0)).toString().toLatin1();
}

QByteArray upperAddress(quint64 address)
{
    return cMyHexRecord(quint16(address >> 16), nullptr).toString().toLatin1();
}

} // namespace

cMyReadRequests::cMyReadRequests(quint32 address, quint32 count, int recordLength)
    : m_next(address), m_end(quint64(address) + count), m_recordLength(quint32(qMax(1, recordLength))),
      m_leadingAddress(address >= 0x10000)
{
    // One request per chunk, one address record per block boundary reached, and a second
    // request for a chunk that a boundary cuts in two.
    quint64 lines = (quint64(count) + m_recordLength - 1) / m_recordLength + (m_leadingAddress ? 1 : 0);
    for (quint64 b = ((quint64(address) >> 16) + 1) << 16; b <= m_end; b += 0x10000) {
        ++lines;
        if (b < m_end && (b - address) % m_recordLength != 0)
            ++lines;
    }
    m_size = int(lines);
}

bool cMyReadRequests::atEnd() const
{
    return !m_leadingAddress && m_queuedCount == 0 && m_next >= m_end;
}

QByteArray cMyReadRequests::next()
{
    if (m_leadingAddress) {
        m_leadingAddress = false;
        return upperAddress(m_next);
    }
    if (m_queuedCount > 0) {
        QByteArray line = m_queued[0];
        m_queued[0] = m_queued[1];
        --m_queuedCount;
        return line;
    }
    if (m_next >= m_end)
        return QByteArray();
    const quint64 d = m_next;
    const quint64 g = d + qMin<quint64>(m_recordLength, m_end - d);
    m_next = g;
    if ((d >> 16) == (g >> 16))
        return request(g - d, d);
    const quint64 boundary = ((d >> 16) + 1) << 16;
    m_queued[m_queuedCount++] = upperAddress(g);
    if (g > boundary)
        m_queued[m_queuedCount++] = request(g - boundary, 0);
    return request(boundary - d, d);
}

} // namespace servicetool
