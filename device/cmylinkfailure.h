#ifndef DEVICE_CMYLINKFAILURE_H
#define DEVICE_CMYLINKFAILURE_H

// How a conversation with the device ended: a reason the program can act on, and a text that
// tells the user what happened and, where there is something to do, what to do. The links
// report this way and never show anything themselves; one reporter in each program does.

#include <QMetaType>
#include <QObject>
#include <QString>

struct cMyLinkFailure
{
    Q_GADGET

public:
    enum Reason {
        Completed,    // it reached its end (its end step ran); nothing failed
        Cancelled,    // the user broke it off
        NoPort,       // no port chosen: there is nothing to talk to
        PortInUse,    // the port is held: by this program's own transaction, or by another program
        NoPermission, // the user may not open the port (the text says how to get access)
        NotOpened,    // the port did not open for another reason (it has gone, ...)
        TimedOut,     // no answer within the reply time-out, or only busy notices for too long
        PortLost,     // the port failed under a transaction (the device was unplugged)
        BadReply,     // a reply did not answer its line (no echo, no valid record, no line end)
        SourceFailed, // the lines of a streamed write could not be read on
        Superseded,   // another port was chosen while the transaction ran
        CheckFailed,  // the conversations went well, but a job found what they brought wanting
    };
    Q_ENUM(Reason)

    Reason reason = NotOpened;
    QString text;

    bool failed() const { return reason != Completed && reason != Cancelled; }
    // The command never started: the port did not open (or there is none).
    bool refused() const { return reason >= NoPort && reason <= NotOpened; }
};

Q_DECLARE_METATYPE(cMyLinkFailure)

#endif
