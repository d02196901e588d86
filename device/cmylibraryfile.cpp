#include "device/cmylibraryfile.h"

#include "base/cmyhexrecord.h"

#include <QFileInfo>

namespace {

const QByteArray kEndRecord(cMyHexRecord::kEndOfFile);

// One whole record and nothing else.
bool isRecord(const QByteArray &word, cMyHexRecord &record)
{
    const QString text = QString::fromLatin1(word.constData(), word.size());
    return record.fromString(text) && text.size() == cMyHexRecord::lineLength(record.data().size());
}

} // namespace

cMyLibraryFile::Status cMyLibraryFile::open(const QString &path)
{
    m_device = nullptr;
    m_file.close();
    const QFileInfo info(path);
    if (!info.exists()) {
        m_status = CannotOpen;
        return m_status;
    }
    // Checked before the open: opening a pipe for reading waits for a writer.
    if (!info.isFile()) {
        m_status = NotRegularFile;
        return m_status;
    }
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_status = CannotOpen;
        return m_status;
    }
    if (m_file.isSequential()) {
        m_file.close();
        m_status = NotRegularFile;
        return m_status;
    }
    if (m_file.size() > kLargestFile) {
        m_file.close();
        m_status = TooLarge;
        return m_status;
    }
    open(&m_file);
    return m_status;
}

void cMyLibraryFile::open(QIODevice *device)
{
    m_device = device;
    m_buffer.clear();
    m_pos = 0;
    m_ended = false;
    m_status = Ok;
}

bool cMyLibraryFile::refill()
{
    m_buffer = m_device->read(kChunkSize);
    m_pos = 0;
    return !m_buffer.isEmpty();
}

bool cMyLibraryFile::nextLine(QByteArray &word)
{
    word.clear();
    if (m_ended || m_status != Ok || !m_device)
        return false;
    for (;;) {
        if (m_pos >= m_buffer.size() && !refill())
            break;
        const char c = m_buffer.at(m_pos++);
        if (!cMyHexRecord::isSpace(c)) {
            if (word.size() == cMyHexRecord::kLongestLine) {
                word.clear();
                m_status = NotALibrary;
                return false;
            }
            word.append(c);
        } else if (!word.isEmpty()) {
            break;
        }
    }
    if (m_endAtBrokenWord && !word.isEmpty()) {
        cMyHexRecord record;
        if (!isRecord(word, record))
            word.clear();
    }
    if (word.isEmpty()) {
        m_ended = true;
        return false;
    }
    m_ended = word == kEndRecord;
    if (m_tally) {
        ++m_tally->words;
        m_tally->endRecord = m_ended;
    }
    return true;
}

cMyLibraryFile::Summary cMyLibraryFile::scan(const QString &path, const std::atomic_bool *cancel)
{
    cMyLibraryFile reader;
    if (reader.open(path) != Ok) {
        Summary summary;
        summary.status = reader.status();
        return summary;
    }
    return scan(reader, cancel);
}

cMyLibraryFile::Summary cMyLibraryFile::scan(QIODevice &device, const std::atomic_bool *cancel)
{
    cMyLibraryFile reader;
    reader.open(&device);
    return scan(reader, cancel);
}

cMyLibraryFile::Summary cMyLibraryFile::scan(cMyLibraryFile &reader, const std::atomic_bool *cancel)
{
    Summary summary;
    QByteArray word;
    cMyHexRecord record;
    quint64 base = 0;
    int count = 0;
    bool data = false;
    bool endRecord = false;
    while (reader.nextLine(word)) {
        endRecord = word == kEndRecord;
        if ((++count & 0xFFF) == 0 && cancel && cancel->load()) {
            summary.status = Cancelled;
            return summary;
        }
        // Every word must be one whole record: a file of other words is no library, and nothing
        // of it may reach the device.
        if (!isRecord(word, record)) {
            Summary junk;
            junk.status = NotALibrary;
            return junk;
        }
        if (record.type() == cMyHexRecord::ExtendedLinearAddress) {
            base = quint64(record.upperAddress()) << 16;
        } else if (record.type() == cMyHexRecord::Data && !record.data().isEmpty()) {
            data = true;
            summary.dataEnd = qMax(summary.dataEnd, base + record.address() + quint64(record.data().size()));
        }
    }
    if (reader.failed()) {
        summary.status = reader.status();
        summary.dataEnd = 0;
        return summary;
    }
    summary.status = data ? Ok : Empty;
    summary.words = data ? count : 0;
    summary.endRecord = data && endRecord;
    return summary;
}
