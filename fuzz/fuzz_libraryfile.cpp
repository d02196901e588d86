// Any file as a sound library: the words handed out stop at the end record, are never longer
// than a record line, and a whole-file pass agrees with them (or finds them no library).

#include "base/cmyhexrecord.h"
#include "device/cmylibraryfile.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    cMyLibraryFile reader;
    reader.open(&buffer);
    QByteArray word;
    int words = 0;
    bool ended = false;
    while (reader.nextLine(word)) {
        if (ended || word.isEmpty() || word.size() > cMyHexRecord::kLongestLine)
            abort();
        ended = word == ":00000001FF";
        ++words;
    }
    buffer.seek(0);
    const cMyLibraryFile::Summary summary = cMyLibraryFile::scan(buffer);
    // Words the reader hands out may still be no library (not records, no data in them).
    const bool judged = summary.status == cMyLibraryFile::NotALibrary || summary.status == cMyLibraryFile::Empty;
    if (reader.failed() ? summary.status != reader.status() : !(summary.status == cMyLibraryFile::Ok || judged))
        abort();
    if (summary.status == cMyLibraryFile::Ok && (summary.words != words || summary.endRecord != ended))
        abort();
    return 0;
}
