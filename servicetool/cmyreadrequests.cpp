#include "servicetool/cmyreadrequests.h"

#include "base/cmyhexrecord.h"

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
    : cMyReadRequests(QVector<Range>{{address, count}}, recordLength)
{}

cMyReadRequests::cMyReadRequests(const QVector<Range> &ranges, int recordLength)
    : m_ranges(ranges), m_recordLength(quint32(qMax(1, recordLength)))
{
    // Per range: one request per chunk, one address record per block boundary reached, a
    // second request for a chunk that a boundary cuts in two, and an address record first when
    // the range starts in another block than the device was last told.
    quint64 lines = 0;
    quint32 upper = 0;
    for (const Range &r : ranges) {
        const quint64 start = r.start, end = start + r.count;
        lines += (quint64(r.count) + m_recordLength - 1) / m_recordLength + ((start >> 16) != upper ? 1 : 0);
        upper = quint32(start >> 16);
        for (quint64 b = ((start >> 16) + 1) << 16; b <= end; b += 0x10000) {
            ++lines;
            upper = quint32(b >> 16);
            if (b < end && (b - start) % m_recordLength != 0)
                ++lines;
        }
    }
    m_size = int(lines);
    if (!m_ranges.isEmpty())
        startRange(0);
}

void cMyReadRequests::startRange(int index)
{
    m_range = index;
    m_next = m_ranges.at(index).start;
    m_end = m_next + m_ranges.at(index).count;
    m_leadingAddress = (m_next >> 16) != m_upper;
}

bool cMyReadRequests::atEnd() const
{
    return !m_leadingAddress && m_queuedCount == 0 && m_next >= m_end && m_range + 1 >= m_ranges.size();
}

QByteArray cMyReadRequests::next()
{
    if (m_leadingAddress) {
        m_leadingAddress = false;
        m_upper = quint32(m_next >> 16);
        return upperAddress(m_next);
    }
    if (m_queuedCount > 0) {
        QByteArray line = m_queued[0];
        m_queued[0] = m_queued[1];
        --m_queuedCount;
        return line;
    }
    if (m_next >= m_end) {
        if (m_range + 1 >= m_ranges.size())
            return QByteArray();
        startRange(m_range + 1);
        return next();
    }
    const quint64 d = m_next;
    const quint64 g = d + qMin<quint64>(m_recordLength, m_end - d);
    m_next = g;
    if ((d >> 16) == (g >> 16))
        return request(g - d, d);
    const quint64 boundary = ((d >> 16) + 1) << 16;
    m_upper = quint32(g >> 16);
    m_queued[m_queuedCount++] = upperAddress(g);
    if (g > boundary)
        m_queued[m_queuedCount++] = request(g - boundary, 0);
    return request(boundary - d, d);
}

} // namespace servicetool
