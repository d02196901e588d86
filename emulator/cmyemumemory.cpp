#include "emulator/cmyemumemory.h"

cMyEmuMemory::cMyEmuMemory(quint32 size, quint8 fill, bool writable) : m_size(size), m_fill(fill), m_writable(writable)
{}

quint8 cMyEmuMemory::byteAt(quint32 address) const
{
    if (address >= m_size)
        return m_fill;
    const auto it = m_pages.constFind(address >> kPageBits);
    if (it == m_pages.constEnd())
        return m_fill;
    return quint8(it->at(int(address & (kPageSize - 1))));
}

QVector<quint8> cMyEmuMemory::read(quint32 address, int count) const
{
    QVector<quint8> out;
    if (count <= 0)
        return out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out.append(byteAt(address + quint32(i)));
    return out;
}

bool cMyEmuMemory::write(quint32 address, const QVector<quint8> &bytes)
{
    if (!m_writable)
        return false;
    return poke(address, bytes);
}

bool cMyEmuMemory::poke(quint32 address, const QVector<quint8> &bytes)
{
    const quint64 end = quint64(address) + quint64(bytes.size());
    if (end > m_size)
        return false;
    QByteArray *page = nullptr;
    quint32 pageIndex = 0;
    for (int i = 0; i < bytes.size(); ++i) {
        const quint32 a = address + quint32(i);
        if (!page || (a >> kPageBits) != pageIndex) {
            pageIndex = a >> kPageBits;
            auto it = m_pages.find(pageIndex);
            if (it == m_pages.end())
                it = m_pages.insert(pageIndex, QByteArray(int(kPageSize), char(m_fill)));
            page = &it.value();
        }
        (*page)[int(a & (kPageSize - 1))] = char(bytes.at(i));
    }
    return true;
}

quint16 cMyEmuMemory::word(quint32 address) const
{
    return quint16(byteAt(address) | (byteAt(address + 1) << 8));
}

void cMyEmuMemory::setWord(quint32 address, quint16 value)
{
    poke(address, {quint8(value & 0xFF), quint8(value >> 8)});
}

void cMyEmuMemory::clear()
{
    m_pages.clear();
}
