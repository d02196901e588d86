#ifndef SERVICETOOL_CMYHEXFILE_H
#define SERVICETOOL_CMYHEXFILE_H

// The settings data opened from the menu: a sparse byte store addressed by 32-bit addresses,
// one vector per 64 KiB block. Files are merged into it (never cleared, so a second file keeps
// the first one's bytes where it has none) and it is saved again as 16-byte records.

#include <QObject>
#include <QVector>

namespace servicetool {

class cMyHexFile : public QObject
{
public:
    explicit cMyHexFile(QObject *parent = nullptr) : QObject(parent) {}

    void setByte(quint32 address, quint8 value);
    // The address sum runs on in 32 bits: bytes past 0xFFFF go on into the next block.
    void setBytes(quint32 address, const QVector<quint8> &bytes);
    // Up to count bytes from start on, ending before the first address not held.
    QVector<quint8> bytesAt(quint32 start, quint16 count) const;

    // Merges the data records of an Intel HEX file, each in the 64 KiB block that the extended
    // linear address record before it names (block 0 before any). Lines that do not parse and
    // records of other types are skipped. False when the file cannot be read.
    bool merge(const QString &path);
    // The records from address 0 on, 16 bytes each, up to the first address not held, then the
    // end record; one line each. Each block past the first starts with its address record.
    QByteArray text() const;
    bool save(const QString &path) const;

private:
    QVector<QVector<quint8>> m_blocks;
};

} // namespace servicetool

#endif
