// Any file as a sound library: the words taken stop at the end record and are never longer
// than a record line.

#include "cmylibraryfile.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const cMyLibraryFile::Result result = cMyLibraryFile::read(buffer);
    for (int i = 0; i < result.words.size(); ++i) {
        const QString &word = result.words.at(i);
        if (word.isEmpty() || word.size() > cMyLibraryFile::kLongestWord)
            abort();
        if (word == QLatin1String(":00000001FF") && i != result.words.size() - 1)
            abort();
    }
    return 0;
}
