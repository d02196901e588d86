#ifndef SERVICETOOL_CMYRECORDLINES_H
#define SERVICETOOL_CMYRECORDLINES_H

// The lines of a file to be written into the device, checked in full before the first is sent.
// Each line is one Intel HEX record of a type the device takes (data, end of file, extended
// linear address), with a valid checksum and nothing after it, ended by "\n" or "\r\n". Blank
// lines at the end are dropped; a zero byte, a carriage return inside a line, a blank line
// between records, a record after the end-of-file record, an address past the device's 16 MiB
// or more than 16 MiB of data refuse the file. The text comes a piece at a time, so a file that
// never ends (a device, a pipe) is refused once it has gone wrong, never held whole.

#include "servicetool/cmysparsememory.h"

#include <QList>
#include <QString>

namespace servicetool {

class cMyRecordLines
{
public:
    // False once the file is refused.
    bool add(const QByteArray &piece);
    // The end of the file: its last line need not end in a line break.
    bool finish();
    // Why the file was refused: "line N: ...".
    QString error() const { return m_error; }

    // The records to send, as they stand in the file, without their line ends.
    const QList<QByteArray> &lines() const { return m_lines; }
    // What the data records put where.
    const cMySparseMemory &image() const { return m_image; }

    // The first data record of `lines` (Intel HEX records, other lines skipped, numbered from 1)
    // that reaches past the end of the area `areaLine` selects, where its size is known
    // (areaSize): "line N: address 0x0400 is outside EEPROM (1024 bytes)". Empty when none does.
    static QString outsideArea(const QString &areaLine, const QList<QByteArray> &lines, int *lineNumber = nullptr,
                               quint32 *address = nullptr);

private:
    bool takeLine(QByteArray line);
    bool refuse(int line, const QString &why);

    QByteArray m_partial;
    int m_number = 0;
    int m_firstBlank = 0; // the first of the blank lines since the last record
    bool m_ended = false;
    quint32 m_upper = 0;
    qint64 m_dataBytes = 0;
    QList<QByteArray> m_lines;
    cMySparseMemory m_image;
    QString m_error;
};

} // namespace servicetool

#endif
