#ifndef EMULATOR_CMYEMULINEASSEMBLER_H
#define EMULATOR_CMYEMULINEASSEMBLER_H

// Gathers the bytes the host sends, however the reads cut them, into lines ended by "\n".
// Keeps at most a bounded prefix of a line, so endless garbage without a line end cannot
// exhaust memory; such a line is delivered cut short and flagged.

#include <QByteArray>
#include <QList>

class cMyEmuLineAssembler
{
public:
    struct Line
    {
        QByteArray bytes; // with its terminator; only the first maxLength bytes if overlong
        bool overlong = false;
        qint64 firstByteNs = 0; // arrival time of its first byte
    };

    explicit cMyEmuLineAssembler(int maxLength);

    // Appends a chunk received at `nowNs` and returns the lines it completed, in order.
    QList<Line> feed(const QByteArray &chunk, qint64 nowNs);
    bool hasPartialLine() const { return m_length > 0; }

private:
    int m_maxLength;
    QByteArray m_current;
    qint64 m_length = 0;
    qint64 m_firstByteNs = 0;
};

#endif
