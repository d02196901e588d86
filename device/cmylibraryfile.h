#ifndef DEVICE_CMYLIBRARYFILE_H
#define DEVICE_CMYLIBRARYFILE_H

// Sound and custom-message libraries (*.tma, *.tmc): Intel HEX text passed to the device's FLASH
// as it stands. The whitespace-separated words up to and including the end record are handed out
// one at a time, read from the file as they are asked for, so a library of any size costs the
// memory of one buffer.

#include "device/cmylinesource.h"

#include <QFile>
#include <QString>
#include <atomic>
#include <memory>

class QIODevice;

class cMyLibraryFile : public cMyLineSource
{
public:
    enum Status { Ok, CannotOpen, NotRegularFile, TooLarge, NotALibrary, Empty, Cancelled };

    // No library fits a device's FLASH in more text than this.
    static constexpr qint64 kLargestFile = qint64(128) * 1024 * 1024;
    // How much of the file is read at a time.
    static constexpr int kChunkSize = 64 * 1024;

    // What a pass over the whole library found. A library is made of Intel HEX records and
    // none else; one without a data record (Empty) has nothing to send.
    struct Summary
    {
        Status status = CannotOpen;
        int words = 0;          // up to and including the end record
        bool endRecord = false; // the last of them is the end record
        quint64 dataEnd = 0;    // one past the highest FLASH address its data records fill
    };
    // What a reader has handed out so far; shared, so that it outlives a reader that is given
    // away (to the link) and dropped when the transfer ends.
    struct Tally
    {
        int words = 0;
        bool endRecord = false; // the last word handed out is the end record
    };

    // A pipe or a device is refused (NotRegularFile): reading one could block the program or
    // never end.
    Status open(const QString &path);
    // Reads from a device that is already open; it must outlive the reader.
    void open(QIODevice *device);
    Status status() const { return m_status; }
    void setTally(std::shared_ptr<Tally> tally) { m_tally = std::move(tally); }
    // For the upload of a scanned file: a word that is no whole record any more (the file was
    // cut short in the middle of one since) ends the words, as the end of the file would,
    // instead of going to the device.
    void endAtBrokenWord() { m_endAtBrokenWord = true; }

    // The next word (at most cMyHexRecord::kLongestLine characters); false after the end record, at the end of the file, or on a word that
    // cannot be a record (then failed() is true and status() NotALibrary).
    bool nextLine(QByteArray &word) override;
    bool failed() const override { return m_status != Ok; }

    // Reads the whole library once without keeping it; safe on a worker thread. `cancel`, when
    // given, is polled while reading.
    static Summary scan(const QString &path, const std::atomic_bool *cancel = nullptr);
    static Summary scan(QIODevice &device, const std::atomic_bool *cancel = nullptr);

private:
    bool refill();
    static Summary scan(cMyLibraryFile &reader, const std::atomic_bool *cancel);

    QFile m_file;
    QIODevice *m_device = nullptr;
    QByteArray m_buffer;
    int m_pos = 0;
    bool m_ended = false;
    bool m_endAtBrokenWord = false;
    Status m_status = CannotOpen;
    std::shared_ptr<Tally> m_tally;
};

#endif
