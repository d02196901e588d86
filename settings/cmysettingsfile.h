#ifndef CMYSETTINGSFILE_H
#define CMYSETTINGSFILE_H

// Settings files (*.tmo): the 1 KiB settings image as Intel HEX text.

#include <QString>

class QIODevice;

class cMyMemoryArea;

class cMySettingsFile
{
public:
    static constexpr int kImageSize = 1024;

    // Reads records word by word into the image until the end record, the end of the file or
    // the first word that is not a valid record; what was stored before stays. Only the bytes
    // of the settings image (0 to 1023) are taken, so no file can make the image large.
    // Returns false when the file cannot be opened.
    static bool read(const QString &path, cMyMemoryArea &image);
    static void read(QIODevice &device, cMyMemoryArea &image);

    // Writes 64 records of 16 bytes and the end record, one per line, no line break after the
    // last. The old file is replaced only once the new one is completely written.
    static bool write(const QString &path, const cMyMemoryArea &image);

    static QString text(const cMyMemoryArea &image);
};

#endif
