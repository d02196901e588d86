#ifndef DEVICE_CMYSTATUSDECODER_H
#define DEVICE_CMYSTATUSDECODER_H

// The status read without a port: the request lines of its ten blocks, and the thirteen-entry
// status list built from the records the device sent back.

#include <QHash>
#include <QStringList>
#include <QVector>

class cMyStatusDecoder
{
public:
    enum Entry {
        StatusBits,
        MaxDepth,
        DiveTime,
        SerialNumber,
        HardwareVersion,
        MemorySize,
        FirmwareVersion,
        LibraryLanguage,
        LibraryVersion,
        SettingsVersion,
        SettingsAuthor,
        SettingsTitle,
        SettingsDescription,
        EntryCount
    };

    // The 93 lines of the status read, without line ends: per block "#ROOT", "#HEX", the area
    // line, "#READ", zero-filled request records and the end record.
    static QStringList requestLines();

    void clear() { m_bytes.clear(); }
    // Collects the data records of a status read's replies (see cMyReplyWalker).
    void addReplies(const QStringList &replies);
    void addRecord(int area, quint16 address, const QVector<quint8> &data);

    // Always EntryCount entries. An entry whose bytes did not arrive is empty; the dotted and
    // text entries stop at the first byte that is missing.
    QStringList statusList() const;

    // The forms of the entries.
    static QString depthText(quint32 centimetres);           // 1234 -> "12.3 m"
    static QString timeText(quint32 seconds);                // 3725 -> "1:02:05", 5 -> "0:05"
    static QString dottedText(const QVector<quint8> &bytes); // {1,0,5,0} -> "1.0.5.0"
    static QString latin1Text(const QVector<quint8> &bytes); // up to the first zero byte

private:
    // The bytes that arrived for area at first, first+1, ... up to count, stopping at the first
    // one that did not.
    QVector<quint8> bytes(int area, quint16 first, int count) const;

    // Keyed by area and device address: a record that failed its check leaves a gap where it
    // belongs instead of moving the bytes after it into the wrong fields.
    QHash<quint32, quint8> m_bytes;
};

#endif
