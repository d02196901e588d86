#ifndef JOBS_CMYFAILUREREPORTER_H
#define JOBS_CMYFAILUREREPORTER_H

// The one place a failure is shown, once, in an "Error" box (the UI delegate of the jobs, as
// KJobUiDelegate is to a KJob): a job's, whoever found it (the link: its text, then the failed
// step's note; or the job itself: no serial number, no backup, a verification that differs, a
// cancel that left something behind), and a failure of a command the window gave through the
// link's slots, which no job holds. A failure that is nobody's news stays quiet: no port to talk
// to, or another port chosen, outside a job.

#include <QObject>

class cMyDeviceJob;
class cMyTamira;
struct cMyLinkFailure;

class cMyFailureReporter : public QObject
{
    Q_OBJECT

public:
    explicit cMyFailureReporter(cMyTamira *link, QObject *parent = nullptr);

    // Shows `job`'s failure when it ends; call once its other receivers are connected.
    void watch(cMyDeviceJob *job);

private:
    void report(const cMyLinkFailure &failure, QObject *dialogParent);
};

#endif
