#ifndef SERVICETOOL_CMYSPARSEMEMORY_H
#define SERVICETOOL_CMYSPARSEMEMORY_H

// Bytes at addresses of the device's 16 MiB address space, as Intel HEX files describe them:
// only the addresses given are held, a 64 KiB block is made when its first byte comes, and
// nothing past the address space is taken. So any file costs at most 256 blocks (18 MiB), and
// a file written from the store holds exactly the bytes read into it.

#include <QBitArray>
#include <QByteArray>
#include <QVector>

namespace servicetool {

class cMySparseMemory
{
public:
    static constexpr quint32 kSize = 0x1000000; // 16 MiB
    static constexpr quint32 kBlock = 0x10000;

    struct Range
    {
        quint32 start;
        quint32 count;
    };

    // False, storing nothing, when a byte would fall past the address space.
    bool set(quint32 address, const QVector<quint8> &bytes);
    bool isHeld(quint32 address) const;
    quint8 at(quint32 address) const;
    qint64 heldCount() const { return m_held; }
    // The runs of held addresses, in address order.
    QVector<Range> ranges() const;

    // The data records of Intel HEX text, each at the address that the extended linear address
    // record before it gives. Lines that are no record are skipped. False, with the number of the
    // line (from 1), when a record reaches past the address space; nothing is stored then.
    bool addRecords(const QByteArray &text, int *badLine = nullptr);
    // Intel HEX lines ("\n" after each): records of at most 16 bytes that do not cross a
    // 16-byte boundary, an extended linear address record before the first one of each block
    // past block 0, and the end-of-file record.
    QByteArray records() const;
    // The first address held here whose byte `other` does not hold the same, or -1.
    qint64 firstDifference(const cMySparseMemory &other) const;

private:
    struct Block
    {
        QByteArray bytes;
        QBitArray held;
    };
    QVector<Block> m_blocks; // grows to the highest block used
    qint64 m_held = 0;
};

} // namespace servicetool

#endif
