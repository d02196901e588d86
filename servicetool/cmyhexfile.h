#ifndef SERVICETOOL_CMYHEXFILE_H
#define SERVICETOOL_CMYHEXFILE_H

// The settings data opened from the menu: the bytes of the Intel HEX files opened, at their
// addresses in the device's 16 MiB. Files are merged into it (never cleared, so a second file
// keeps the first one's bytes where it has none) and it is saved again as 16-byte records, each
// block past the first with its address record.

#include "servicetool/cmysparsememory.h"

#include <QObject>

namespace servicetool {

class cMyHexFile : public QObject
{
public:
    explicit cMyHexFile(QObject *parent = nullptr) : QObject(parent) {}

    const cMySparseMemory &bytes() const { return m_bytes; }
    // Merges the data records of an Intel HEX file, each in the 64 KiB block that the extended
    // linear address record before it names (block 0 before any). Lines that do not parse and
    // records of other types are skipped. False, with the window's words for it and nothing
    // merged, when the file cannot be read or a record reaches past 16 MiB.
    bool merge(const QString &path, QString *failure = nullptr);
    QByteArray text() const { return m_bytes.records(); }
    bool save(const QString &path, QString *failure = nullptr) const;

private:
    cMySparseMemory m_bytes;
};

} // namespace servicetool

#endif
