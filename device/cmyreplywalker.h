#ifndef DEVICE_CMYREPLYWALKER_H
#define DEVICE_CMYREPLYWALKER_H

// Reads meaning into the replies of a read transaction: an area echo selects the area that the
// data records after it belong to. Shared by the settings read and the status read.

#include <QStringList>

#include <functional>

class cMyHexRecord;

class cMyReplyWalker
{
public:
    // No area echo seen yet: records are ignored.
    static constexpr int kNoArea = -1;

    // Calls visit(area, record) for every valid data record in reply order. Replies that are
    // neither an area echo nor a valid data record (command echoes, the end record, a record that
    // fails its check) are skipped.
    static void walk(const QStringList &replies,
                     const std::function<void(int area, const cMyHexRecord &record)> &visit);

    // The area whose echo `reply` is exactly ("#EEPROM\r\n" ...), or kNoArea.
    static int areaOfEcho(const QString &reply);
};

#endif
