#include "model/cmysettingsfile.h"

#include "base/cmyfileaccess.h"
#include "base/cmyhexrecord.h"
#include "model/cmymemoryarea.h"

#include <QFile>

namespace {

// Record types other writers put into files of a block that starts at address 0.
constexpr quint8 kExtendedSegmentAddress = 2, kStartSegmentAddress = 3, kStartLinearAddress = 5;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Characters of the file: its bytes, or its UTF-16 code units when it starts with a UTF-16
// byte-order mark. A UTF-8 mark is skipped; UTF-8 text is otherwise read as bytes, which is
// exact for everything a record can hold.
class CharReader
{
public:
    explicit CharReader(QIODevice &file) : m_file(file)
    {
        const QByteArray mark = file.peek(3);
        if (mark.startsWith("\xEF\xBB\xBF")) {
            file.read(3);
        } else if (mark.startsWith("\xFF\xFE")) {
            m_utf16 = LittleEndian;
            file.read(2);
        } else if (mark.startsWith("\xFE\xFF")) {
            m_utf16 = BigEndian;
            file.read(2);
        }
    }

    bool get(char &c)
    {
        if (m_utf16 == No)
            return byte(c);
        char a, b;
        if (!byte(a) || !byte(b))
            return false;
        const uint unit =
            m_utf16 == LittleEndian ? uint(uchar(a)) | uint(uchar(b)) << 8 : uint(uchar(a)) << 8 | uint(uchar(b));
        // Only ASCII belongs in a record; anything else spoils the word it is in.
        c = unit < 0x80 ? char(unit) : '\x7F';
        return true;
    }

private:
    bool byte(char &c)
    {
        if (m_pos == m_buffer.size()) {
            m_buffer = m_file.read(qint64(64) * 1024);
            m_pos = 0;
            if (m_buffer.isEmpty())
                return false;
        }
        c = m_buffer.at(m_pos++);
        return true;
    }

    enum Utf16 { No, LittleEndian, BigEndian };
    QIODevice &m_file;
    Utf16 m_utf16 = No;
    QByteArray m_buffer;
    int m_pos = 0;
};

// Splits a file into whitespace-separated words without ever keeping a long one whole, and
// knows the line each word starts on.
class WordReader
{
public:
    explicit WordReader(QIODevice &file) : m_chars(file) {}

    // False at the end of the file. A word longer than any record comes back cut, and invalid.
    bool next(QByteArray &word, int &line)
    {
        word.clear();
        char c;
        while (m_chars.get(c)) {
            if (cMyHexRecord::isSpace(c)) {
                if (c == '\n')
                    ++m_line;
                if (!word.isEmpty())
                    return true;
                continue;
            }
            if (word.isEmpty())
                line = m_line;
            // A word longer than any record cannot be one: no more of it is kept.
            if (word.size() > cMyHexRecord::kLongestLine)
                return true;
            word.append(c);
        }
        return !word.isEmpty();
    }

private:
    CharReader m_chars;
    int m_line = 1;
};

// A word laid out as a record (colon, digits, as many as its byte count asks for) that still
// failed to parse has a wrong checksum.
bool laidOutAsRecord(const QByteArray &word)
{
    if (word.size() < 11 || word.at(0) != ':' || !isHexDigit(word.at(1)) || !isHexDigit(word.at(2)))
        return false;
    const int length = cMyHexRecord::lineLength(word.mid(1, 2).toInt(nullptr, 16));
    if (word.size() < length)
        return false;
    for (int i = 1; i < length; ++i) {
        if (!isHexDigit(word.at(i)))
            return false;
    }
    return true;
}

} // namespace

cMySettingsFile::ReadResult cMySettingsFile::read(const QString &path, cMyMemoryArea &image)
{
    QFile file(path);
    QString reason;
    if (!cMyFileAccess::openForReading(file, &reason)) {
        // Where it can, what is at the path says more than the failed open: "the folder ...
        // does not exist" rather than "No such file or directory".
        ReadResult result;
        QString why;
        const cMyFileAccess::PathState state = cMyFileAccess::inspect(path, &why);
        result.stop = state == cMyFileAccess::Missing ? ReadResult::Missing : ReadResult::CannotOpen;
        result.error = state == cMyFileAccess::Regular || why.isEmpty() ? reason : why;
        return result;
    }
    return read(file, image);
}

cMySettingsFile::ReadResult cMySettingsFile::read(QIODevice &device, cMyMemoryArea &image)
{
    ReadResult result;
    WordReader words(device);
    QByteArray word;
    int line = 0;
    cMyHexRecord record;
    auto stop = [&](ReadResult::Stop why) {
        result.stop = why;
        result.line = line;
        return result;
    };
    while (words.next(word, line)) {
        if (word == cMyHexRecord::kEndOfFile)
            break;
        if (!record.fromString(QString::fromLatin1(word.constData(), word.size())))
            return stop(laidOutAsRecord(word) ? ReadResult::BadChecksum : ReadResult::NotARecord);
        const QVector<quint8> &data = record.data();
        switch (record.type()) {
        case cMyHexRecord::Data:
            for (int i = 0; i < data.size() && record.address() + i < kImageSize; ++i) {
                image.setData(quint32(record.address() + i), data.at(i));
                ++result.bytes;
            }
            ++result.records;
            break;
        case cMyHexRecord::EndOfFile: // only the upper-case one ends the reading
        case kStartSegmentAddress:
        case kStartLinearAddress:
            break;
        case cMyHexRecord::ExtendedLinearAddress:
        case kExtendedSegmentAddress:
            // Other writers start with one of these for address 0. Any other address would move
            // the data that follows out of the settings block.
            if (data.size() != 2)
                return stop(ReadResult::NotARecord);
            if (data.at(0) != 0 || data.at(1) != 0)
                return stop(ReadResult::AddressOutside);
            break;
        default:
            result.recordType = record.type();
            return stop(ReadResult::UnsupportedType);
        }
    }
    return result;
}

QString cMySettingsFile::text(const cMyMemoryArea &image)
{
    return image.toHexLines(0, kImageSize, 16).join(QLatin1Char('\n'));
}

bool cMySettingsFile::write(const QString &path, const cMyMemoryArea &image, QString *error)
{
    return cMyFileAccess::replace(path, text(image).toLatin1(), error, true);
}
