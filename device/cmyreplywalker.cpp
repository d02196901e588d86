#include "device/cmyreplywalker.h"

#include "base/cmyhexrecord.h"
#include "device/memorytype.h"

int cMyReplyWalker::areaOfEcho(const QString &reply)
{
    if (!reply.startsWith(QLatin1Char('#')) || !reply.endsWith(QLatin1String("\r\n")))
        return kNoArea;
    for (int area = EEPROM; area <= ROM; ++area)
        if (reply.size() == areaLine(area).size() + 2 && reply.startsWith(areaLine(area)))
            return area;
    return kNoArea;
}

void cMyReplyWalker::walk(const QStringList &replies, const std::function<void(int, const cMyHexRecord &)> &visit)
{
    int area = kNoArea;
    cMyHexRecord record;
    for (const QString &reply : replies) {
        const int echoed = areaOfEcho(reply);
        if (echoed != kNoArea) {
            area = echoed;
            continue;
        }
        if (area == kNoArea || !reply.startsWith(QLatin1Char(':')))
            continue;
        // Only data records carry bytes. The end record comes back with whatever terminator
        // the device used, and an address record is no data either; neither may pass for an
        // empty record at address 0.
        if (!record.fromString(reply) || record.type() != cMyHexRecord::Data || record.data().isEmpty())
            continue;
        visit(area, record);
    }
}
