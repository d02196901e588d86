#ifndef SERVICETOOL_CMYREADREQUESTS_H
#define SERVICETOOL_CMYREADREQUESTS_H

// The request records of a memory read: address ranges and a record length turned into data
// records of zeros, with an extended linear address record wherever the 64 KiB block to be read
// is not the one the device was last told (block 0 at the start). They are produced one at a
// time as they are sent, so a read of millions of bytes never holds them all; how many there
// will be is known from the start.

#include "servicetool/cmysparsememory.h"

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

namespace servicetool {

// clang-tidy 14 reports the name the compiler gives the array copy in the implicit assignment
// operator ("__i0") as ours.
// NOLINTNEXTLINE(bugprone-reserved-identifier)
class cMyReadRequests
{
public:
    using Range = cMySparseMemory::Range;

    cMyReadRequests() = default;
    cMyReadRequests(quint32 address, quint32 count, int recordLength);
    // The ranges in the order given.
    cMyReadRequests(const QVector<Range> &ranges, int recordLength);

    int size() const { return m_size; }
    bool atEnd() const;
    // The next line, without its line end; an empty array once atEnd().
    QByteArray next();

private:
    void startRange(int index);

    QVector<Range> m_ranges;
    int m_range = 0;
    quint64 m_next = 0;
    quint64 m_end = 0;
    quint32 m_recordLength = 1;
    quint32 m_upper = 0; // the block the device was last told
    int m_size = 0;
    bool m_leadingAddress = false;
    // A chunk that reaches a block boundary yields up to three lines; the last two wait here.
    QByteArray m_queued[2];
    int m_queuedCount = 0;
};

} // namespace servicetool

#endif
