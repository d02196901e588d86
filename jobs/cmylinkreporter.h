#ifndef JOBS_CMYLINKREPORTER_H
#define JOBS_CMYLINKREPORTER_H

// Tells the user of every failure of the device link, once, in an "Error" box: the link's own
// text and, after it, the note of the job whose command failed (what the failure means for it,
// "nothing was written to the Tamira"). A failure that is nobody's news stays quiet: no port to
// talk to, or another port chosen, while no job of the user's was running.

#include "device/cmylinkfailure.h"

#include <QObject>
#include <QPointer>

class cMyDeviceJob;
class cMyTamira;

class cMyLinkReporter : public QObject
{
    Q_OBJECT

public:
    explicit cMyLinkReporter(cMyTamira *link, QObject *parent = nullptr);

    // The job whose notes go with the failures of its steps; the newest job replaces the last.
    void setJob(cMyDeviceJob *job);

private:
    void report(const cMyLinkFailure &failure, quint64 transaction);

    QPointer<cMyDeviceJob> m_job;
};

#endif
