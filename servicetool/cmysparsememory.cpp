#include "servicetool/cmysparsememory.h"

#include "base/cmyhexrecord.h"

namespace servicetool {

bool cMySparseMemory::set(quint32 address, const QVector<quint8> &bytes)
{
    if (quint64(address) + quint64(bytes.size()) > kSize)
        return false;
    for (int i = 0; i < bytes.size(); ++i) {
        const quint32 a = address + quint32(i);
        const int block = int(a / kBlock), offset = int(a % kBlock);
        if (m_blocks.size() <= block)
            m_blocks.resize(block + 1);
        Block &b = m_blocks[block];
        if (b.bytes.isEmpty()) {
            b.bytes = QByteArray(int(kBlock), '\0');
            b.held = QBitArray(int(kBlock));
        }
        if (!b.held.testBit(offset)) {
            b.held.setBit(offset);
            ++m_held;
        }
        b.bytes[offset] = char(bytes.at(i));
    }
    return true;
}

bool cMySparseMemory::isHeld(quint32 address) const
{
    const int block = int(address / kBlock);
    return block < m_blocks.size() && !m_blocks.at(block).held.isEmpty()
           && m_blocks.at(block).held.testBit(int(address % kBlock));
}

quint8 cMySparseMemory::at(quint32 address) const
{
    return isHeld(address) ? quint8(m_blocks.at(int(address / kBlock)).bytes.at(int(address % kBlock))) : 0;
}

QVector<cMySparseMemory::Range> cMySparseMemory::ranges() const
{
    QVector<Range> out;
    for (int block = 0; block < m_blocks.size(); ++block) {
        const QBitArray &held = m_blocks.at(block).held;
        for (int offset = 0; offset < held.size(); ++offset) {
            if (!held.testBit(offset))
                continue;
            const quint32 a = quint32(block) * kBlock + quint32(offset);
            if (!out.isEmpty() && out.last().start + out.last().count == a)
                ++out.last().count;
            else
                out.append({a, 1});
        }
    }
    return out;
}

bool cMySparseMemory::addRecords(const QByteArray &text, int *badLine)
{
    cMySparseMemory next = *this;
    quint32 upper = 0;
    int number = 0;
    for (int from = 0; from < text.size();) {
        int end = text.indexOf('\n', from);
        if (end < 0)
            end = text.size();
        QByteArray line = text.mid(from, end - from);
        from = end + 1;
        ++number;
        const int nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        cMyHexRecord record;
        // A half-parsed line would leave bytes that are no data here.
        if (!record.fromString(QString::fromLatin1(line)))
            continue;
        if (record.type() == cMyHexRecord::ExtendedLinearAddress && record.data().size() == 2) {
            upper = quint32(record.upperAddress()) << 16;
        } else if (record.type() == cMyHexRecord::Data && !next.set(upper + record.address(), record.data())) {
            if (badLine)
                *badLine = number;
            return false;
        }
    }
    *this = next;
    return true;
}

QByteArray cMySparseMemory::records() const
{
    QByteArray out;
    quint32 upper = 0;
    for (const Range &r : ranges()) {
        for (quint32 a = r.start, end = r.start + r.count; a < end;) {
            const quint32 recordEnd = qMin(end, (a | 15) + 1);
            if (a / kBlock != upper) {
                upper = a / kBlock;
                out += cMyHexRecord(quint16(upper), nullptr).toString().toLatin1() + '\n';
            }
            QVector<quint8> bytes;
            for (quint32 b = a; b < recordEnd; ++b)
                bytes.append(at(b));
            out += cMyHexRecord(quint16(a % kBlock), bytes).toString().toLatin1() + '\n';
            a = recordEnd;
        }
    }
    return out + cMyHexRecord::kEndOfFile + '\n';
}

qint64 cMySparseMemory::firstDifference(const cMySparseMemory &other) const
{
    for (const Range &r : ranges())
        for (quint32 a = r.start; a < r.start + r.count; ++a)
            if (!other.isHeld(a) || other.at(a) != at(a))
                return a;
    return -1;
}

} // namespace servicetool
