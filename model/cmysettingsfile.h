#ifndef MODEL_CMYSETTINGSFILE_H
#define MODEL_CMYSETTINGSFILE_H

// Settings files (*.tmo): the 1 KiB settings image as Intel HEX text.

#include <QString>

class QIODevice;

class cMyMemoryArea;

class cMySettingsFile
{
public:
    static constexpr int kImageSize = 1024;

    // How a read went: how far it got and, when it stopped early, where and why.
    struct ReadResult
    {
        enum Stop {
            Complete,        // the end record or the end of the file
            Missing,         // the name does not exist (its folder does): a new file
            CannotOpen,      // `error` says why; also for anything but a regular file
            NotARecord,      // a word that is not an Intel HEX record
            BadChecksum,     // a record whose checksum does not match
            AddressOutside,  // an address record that moves the data out of the block
            UnsupportedType, // a record type a settings file cannot hold (`recordType`)
        };
        Stop stop = Complete;
        int records = 0; // data records taken into the image
        int bytes = 0;   // bytes of the settings block they held
        int line = 0;    // the line reading stopped at, counted from 1
        int recordType = -1;
        QString error;

        bool complete() const { return stop == Complete; }
        // Nothing of the settings came from the file.
        bool nothingRead() const { return bytes == 0; }
        explicit operator bool() const { return complete(); }
    };

    // Reads records word by word into the image until the end record, the end of the file or
    // the first word it cannot take; what was stored before stays. Only the bytes of the
    // settings image (0 to 1023) are taken, so no file can make the image large. Text from
    // other Intel HEX writers is read too: a UTF-8 byte-order mark, UTF-16 with its mark, and
    // address records that keep the data at address 0.
    static ReadResult read(const QString &path, cMyMemoryArea &image);
    static ReadResult read(QIODevice &device, cMyMemoryArea &image);

    // Writes 64 records of 16 bytes and the end record, one per line, no line break after the
    // last. The old file is replaced only once the new one is completely on disk; in a folder
    // that takes no new file it is written in place, and its old bytes put back on a failure
    // (cmyfileaccess.h). On failure `error` (when given) says why.
    static bool write(const QString &path, const cMyMemoryArea &image, QString *error = nullptr);

    static QString text(const cMyMemoryArea &image);
};

#endif
