// Any bytes as the replies of a read, one reply per line (each keeps its "\n", so area echoes
// such as "#RAM\r\n" are reachable): the walker hands out only data records of a known area,
// and the status list keeps its thirteen entries within their fields.

#include "base/cmyhexrecord.h"
#include "device/cmyreplywalker.h"
#include "device/cmystatusdecoder.h"
#include "device/memorytype.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList replies;
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    for (int start = 0; start < bytes.size();) {
        const int end = bytes.indexOf('\n', start);
        const int next = end < 0 ? bytes.size() : end + 1;
        replies << QString::fromLatin1(bytes.mid(start, next - start));
        start = next;
    }
    cMyReplyWalker::walk(replies, [](int area, const cMyHexRecord &record) {
        if (area < EEPROM || area > ROM || record.type() != cMyHexRecord::Data || record.data().isEmpty())
            abort();
    });
    cMyStatusDecoder decoder;
    decoder.addReplies(replies);
    const QStringList list = decoder.statusList();
    // The longest each entry can be: dotted entries hold four bytes, texts their field.
    const int longest[cMyStatusDecoder::EntryCount] = {3, 7, 8, 5, 15, 3, 15, 16, 15, 15, 16, 32, 512};
    if (list.size() != cMyStatusDecoder::EntryCount)
        abort();
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).size() > longest[i])
            abort();
    return 0;
}
