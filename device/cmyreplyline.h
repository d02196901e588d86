#ifndef DEVICE_CMYREPLYLINE_H
#define DEVICE_CMYREPLYLINE_H

// The device's replies as whole lines, shared by every program that talks to it: the system may
// hand a reply over in pieces, the device may say "!..." while it is busy, and every line it is
// sent has one answer that can be told right from wrong.

#include <QByteArray>

class cMyReplyLine
{
public:
    // Takes the first line ended by "\n" out of `pending` (false when none is whole yet). Zero
    // bytes before the line are noise between two replies and are dropped; a zero byte inside it
    // ends it.
    static bool take(QByteArray &pending, QByteArray &line);
    // The same cleaning for a line taken by other means.
    static QByteArray clean(const QByteArray &line);

    // A line the device sends while it works on the answer; it is no answer itself.
    static bool isBusyNotice(const QByteArray &line) { return line.startsWith('!'); }

    // Whether `reply` answers `sent` (both with their line ends). The device echoes every line
    // exactly, except in read mode: a data record there asks for the bytes at its address and is
    // answered by a valid data record of the same address and length; the other records (the
    // end record, an address record) are echoed there too.
    static bool answers(const QByteArray &sent, const QByteArray &reply, bool readMode);
};

#endif
