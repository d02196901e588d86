#include "servicetool/cmyhexfile.h"

#include "device/cmyhexrecord.h"
#include "servicetool/cmytextfile.h"

#include <QFile>

namespace servicetool {

void cMyHexFile::setByte(quint32 address, quint8 value)
{
    const int block = int(address >> 16);
    if (m_blocks.size() <= block)
        m_blocks.resize(block + 1);
    QVector<quint8> &bytes = m_blocks[block];
    const int offset = int(address & 0xFFFF);
    if (offset < bytes.size()) {
        bytes[offset] = value;
        return;
    }
    bytes.resize(offset); // the gap up to the new byte reads as zeros
    bytes.append(value);
}

void cMyHexFile::setBytes(quint32 address, const QVector<quint8> &bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        setByte(address + quint32(i), bytes.at(i));
}

QVector<quint8> cMyHexFile::bytesAt(quint32 start, quint16 count) const
{
    QVector<quint8> out;
    for (quint32 a = start; out.size() < count; ++a) {
        const int block = int(a >> 16);
        const int offset = int(a & 0xFFFF);
        if (block >= m_blocks.size() || offset >= m_blocks.at(block).size())
            break;
        out.append(m_blocks.at(block).at(offset));
    }
    return out;
}

bool cMyHexFile::merge(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    quint32 upper = 0;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        const int nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        cMyHexRecord record;
        // A half-parsed line would leave bytes that are no data here.
        if (!record.fromString(QString::fromLatin1(line)))
            continue;
        if (record.type() == cMyHexRecord::Data)
            setBytes(upper + record.address(), record.data());
        else if (record.type() == cMyHexRecord::ExtendedLinearAddress && record.data().size() == 2)
            upper = quint32(record.upperAddress()) << 16;
    }
    return true;
}

QByteArray cMyHexFile::text() const
{
    QByteArray out;
    for (quint32 a = 0;; a += 16) {
        const QVector<quint8> bytes = bytesAt(a, 16);
        // Without it the records of the next block would open again over the first one's.
        if ((a & 0xFFFF) == 0 && a != 0 && !bytes.isEmpty())
            out += cMyHexRecord(quint16(a >> 16), nullptr).toString().toLatin1() + '\n';
        out += cMyHexRecord(quint16(a & 0xFFFF), bytes).toString().toLatin1() + '\n';
        if (bytes.isEmpty())
            return out;
    }
}

bool cMyHexFile::save(const QString &path) const
{
    return cMyTextFile::write(path, text());
}

} // namespace servicetool
