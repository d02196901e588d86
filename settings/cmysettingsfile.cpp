#include "cmysettingsfile.h"

#include "cmyhexrecord.h"
#include "cmymemoryarea.h"

#include <QFile>
#include <QSaveFile>

namespace {

// The longest valid record is ":FF" + 4 + 2 + 510 + 2 characters; a longer word cannot be one,
// so the reader never holds more than this of it.
constexpr int kLongestWord = 11 + 2 * 255;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Splits a file into whitespace-separated words without ever keeping a long one whole.
class WordReader
{
public:
    explicit WordReader(QIODevice &file) : m_file(file) {}

    // False at the end of the file. A word longer than any record comes back cut, and invalid.
    bool next(QByteArray &word)
    {
        word.clear();
        char c;
        while (get(c)) {
            if (isSpace(c)) {
                if (!word.isEmpty())
                    return true;
                continue;
            }
            if (word.size() > kLongestWord)
                return true;
            word.append(c);
        }
        return !word.isEmpty();
    }

private:
    bool get(char &c)
    {
        if (m_pos == m_buffer.size()) {
            m_buffer = m_file.read(64 * 1024);
            m_pos = 0;
            if (m_buffer.isEmpty())
                return false;
        }
        c = m_buffer.at(m_pos++);
        return true;
    }

    QIODevice &m_file;
    QByteArray m_buffer;
    int m_pos = 0;
};

} // namespace

bool cMySettingsFile::read(const QString &path, cMyMemoryArea &image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    read(file, image);
    return true;
}

void cMySettingsFile::read(QIODevice &device, cMyMemoryArea &image)
{
    WordReader words(device);
    QByteArray word;
    cMyHexRecord record;
    while (words.next(word)) {
        if (word == ":00000001FF")
            break;
        if (!record.fromString(QString::fromLatin1(word.constData(), word.size())))
            break;
        // Settings files hold data records only; an address record would move what follows
        // out of the settings block, so reading stops there.
        if (record.type() == cMyHexRecord::EndOfFile)
            continue;
        if (record.type() != cMyHexRecord::Data)
            break;
        const QVector<quint8> &data = record.data();
        for (int i = 0; i < data.size() && record.address() + i < kImageSize; ++i)
            image.setData(quint32(record.address() + i), data.at(i));
    }
}

QString cMySettingsFile::text(const cMyMemoryArea &image)
{
    return image.toHexLines(0, kImageSize, 16).join(QLatin1Char('\n'));
}

bool cMySettingsFile::write(const QString &path, const cMyMemoryArea &image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray bytes = text(image).toLatin1();
    // QSaveFile::commit() does not notice a write that failed while its buffer was flushed
    // (a full disk), so the flush is checked first and the old file kept on any failure.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
