#ifndef EMULATOR_CMYEMUMEMORY_H
#define EMULATOR_CMYEMUMEMORY_H

// One memory area of the emulated device: a byte store of fixed size whose pages are allocated only
// when written, so that a 16 MiB FLASH costs memory only for what a library upload fills.

#include <QByteArray>
#include <QHash>
#include <QVector>

class cMyEmuMemory
{
public:
    // `fill` is what never-written bytes (and bytes past the end) read as.
    cMyEmuMemory(quint32 size, quint8 fill, bool writable);

    quint32 size() const { return m_size; }
    bool isWritable() const { return m_writable; }

    quint8 byteAt(quint32 address) const;
    // Bytes from `address` on; any that lie past the end read as the fill byte.
    QVector<quint8> read(quint32 address, int count) const;
    // Stores the bytes only when the area is writable and all of them fit; otherwise stores
    // nothing and returns false, so a caller never reports a partly lost record as written.
    bool write(quint32 address, const QVector<quint8> &bytes);
    // Same as write but ignores the write protection: the device itself (and its factory
    // settings) can change read-only areas.
    bool poke(quint32 address, const QVector<quint8> &bytes);

    quint16 word(quint32 address) const;
    void setWord(quint32 address, quint16 value);
    void clear();
    // Number of pages currently allocated; lets tests check that the store stays sparse.
    int pageCount() const { return m_pages.size(); }

private:
    static constexpr int kPageBits = 12;
    static constexpr quint32 kPageSize = 1u << kPageBits;

    quint32 m_size;
    quint8 m_fill;
    bool m_writable;
    QHash<quint32, QByteArray> m_pages;
};

#endif
