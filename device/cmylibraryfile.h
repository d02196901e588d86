#ifndef CMYLIBRARYFILE_H
#define CMYLIBRARYFILE_H

// Sound and custom-message libraries (*.tma, *.tmc): Intel HEX text passed to the device's FLASH
// as it stands. Reading takes the whitespace-separated words up to and including the end record.

#include <QStringList>
#include <atomic>

class QIODevice;

class cMyLibraryFile
{
public:
    enum Status { Ok, CannotOpen, TooLarge, NotALibrary, Cancelled };

    // No library fits a device's FLASH in more text than this.
    static constexpr qint64 kLargestFile = 128 * 1024 * 1024;
    // The longest Intel HEX record line; a longer word cannot be one.
    static constexpr int kLongestWord = 11 + 2 * 255;

    struct Result
    {
        Status status = CannotOpen;
        QStringList words;
    };

    // Safe to run on a worker thread; `cancel`, when given, is polled while reading.
    static Result read(const QString &path, const std::atomic_bool *cancel = nullptr);
    static Result read(QIODevice &device, const std::atomic_bool *cancel = nullptr);
};

#endif
