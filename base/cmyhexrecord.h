#ifndef BASE_CMYHEXRECORD_H
#define BASE_CMYHEXRECORD_H

// One Intel HEX line (types 00, 01 and 04): built from bytes to be printed, or parsed from text
// and checked. Every byte the programs move to files or to the device travels as such a line.

#include <QObject>
#include <QString>
#include <QVector>

class cMyHexRecord : public QObject
{
public:
    enum RecordType : quint8 { Data = 0, EndOfFile = 1, ExtendedLinearAddress = 4 };

    // The end-of-file record, as every file and every transfer ends.
    static constexpr char kEndOfFile[] = ":00000001FF";
    // The characters of a line with `dataBytes` data bytes: the colon, two for each byte of the
    // count, the address, the type, the data and the checksum.
    static constexpr int lineLength(int dataBytes) { return 11 + 2 * dataBytes; }
    // The longest line, lineLength(255); a longer word cannot be a record.
    static constexpr int kLongestLine = 11 + 2 * 255;
    // The white space that separates the records of a file: the C locale's, whatever the
    // program's locale.
    static constexpr bool isSpace(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    explicit cMyHexRecord(QObject *parent = nullptr);
    cMyHexRecord(quint16 upperAddress, QObject *parent);
    cMyHexRecord(quint16 address, const QVector<quint8> &bytes, QObject *parent = nullptr);

    QString toString() const;
    // Accepts the line and anything after its checksum (such as "\r\n"); never reads past the
    // end of str. On false the fields may hold part of the line.
    bool fromString(const QString &str);
    quint8 checksum() const;

    quint16 address() const { return m_address; }
    quint8 type() const { return m_type; }
    const QVector<quint8> &data() const { return m_data; }
    quint16 upperAddress() const { return m_upperAddress; }
    // Little-endian word at offset, or 0 when fewer than two bytes are there.
    quint16 wordAt(quint8 offset) const;

private:
    quint16 m_address = 0;
    quint8 m_type = Data;
    QVector<quint8> m_data;
    quint16 m_upperAddress = 0;
};

#endif
