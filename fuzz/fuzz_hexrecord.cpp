// Any text as a record line: parsing must not crash or read past the line, and whatever parses
// must print back to the same record.

#include "base/cmyhexrecord.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    cMyHexRecord record;
    if (!record.fromString(line))
        return 0;
    for (int offset = 0; offset < 256; ++offset)
        record.wordAt(quint8(offset));
    if (record.type() != cMyHexRecord::Data && record.type() != cMyHexRecord::EndOfFile)
        return 0;
    cMyHexRecord again;
    if (!again.fromString(record.toString()) || again.data() != record.data() || again.address() != record.address()
        || again.type() != record.type())
        abort();
    return 0;
}
