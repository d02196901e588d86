#ifndef DEVICE_CMYLINKFAILURE_H
#define DEVICE_CMYLINKFAILURE_H

// Why a conversation with the device failed: a reason the program can act on, and a text that
// tells the user what happened and, where there is something to do, what to do. The links
// report failures this way and never show them themselves; one reporter in each program does.

#include <QMetaType>
#include <QString>

struct cMyLinkFailure
{
    enum Reason {
        NoPort,       // no port chosen: there is nothing to talk to
        PortInUse,    // the port is held: by this program's own transaction, or by another program
        NoPermission, // the user may not open the port (the text says how to get access)
        NotOpened,    // the port did not open for another reason (it has gone, ...)
        TimedOut,     // no answer within the reply time-out
        PortLost,     // the port failed under a transaction (the device was unplugged)
        BadReply,     // a reply did not answer its line
        SourceFailed, // the lines of a streamed write could not be read on
        Superseded,   // another port was chosen while the transaction ran
    };

    Reason reason = NotOpened;
    QString text;
};

Q_DECLARE_METATYPE(cMyLinkFailure)

#endif
