#ifndef JOBS_CMYDEVICEJOB_H
#define JOBS_CMYDEVICEJOB_H

// A device command made of link transactions run one after another (a settings write with its
// backup and verification, a library upload after its checks), with one progress over all of
// them. The job holds the transaction of the step that runs and hears everything from it. A step
// that fails ends the job, as does a check of the job's own: either way the job's failure says
// what happened and what it means for the command (the failed step's note), and one reporter
// shows it (cMyFailureReporter). On its own the class runs one transaction.

#include "device/cmytamira.h"

#include <QObject>
#include <QPointer>
#include <functional>

class cMyDeviceJob : public QObject
{
    Q_OBJECT

public:
    // Starts a step: a link call that returns its transaction.
    using StartStep = std::function<cMyTransaction *()>;

    explicit cMyDeviceJob(cMyTamira *link, QObject *parent = nullptr);
    ~cMyDeviceJob() override;

    bool isRunning() const { return m_running; }
    // How the job ended: Completed, Cancelled (a text when the cancel left something to say),
    // or what failed, the failed step's note after the link's text.
    const cMyLinkFailure &failure() const { return m_failure; }
    // The window the job's boxes belong to.
    QObject *dialogParent() const { return parent(); }

    // A job that follows another command of the program's own (not the user's, which is refused
    // while the link is busy) waits for the link before its first step too.
    void setFollows(bool follows) { m_follows = follows; }
    // One transaction as a job of its own, `lines` long.
    bool startSingle(int lines, const QString &failureNote, const StartStep &start);

public slots:
    // The user's cancel: the running transaction is broken off, and no later step starts.
    void cancel();

signals:
    void phaseChanged(const QString &label);
    void progress(int value, int maximum);
    // Once per job started; false when it was refused, cancelled or failed (failure() says how).
    void finished(bool completed);

protected:
    cMyTamira *link() const { return m_link; }
    void setTotalLines(int lines) { m_totalLines = lines; }
    // Starts one step of `lines` lines. A step started while another transaction holds the link
    // waits for it, except the job's first (which is the user's command and is refused as any
    // command is). False when the link refused the step; the job has then finished.
    bool runStep(int lines, const QString &failureNote, const StartStep &start);
    // The step's transaction completed; the default ends the job.
    virtual void stepCompleted();
    // What a cancel while a step ran leaves to be said, given how the step's transaction ended
    // (it may have completed all the same). The default: nothing.
    virtual QString cancelText(cMyLinkFailure::Reason) const { return QString(); }
    // Ends the job with a failure it found itself.
    void fail(const QString &message);
    void finish(bool completed);
    void markStarted() { m_running = true; }

private:
    void stepEnded(const cMyTransaction *step);
    void onStepProgress(int value, int max);
    void end(const cMyLinkFailure &failure);

    cMyTamira *m_link;
    QPointer<cMyTransaction> m_transaction; // of the step that runs
    QString m_stepNote;
    bool m_running = false;
    bool m_cancelled = false;
    bool m_follows = false;
    int m_stepsStarted = 0;
    int m_stepLines = 0;
    int m_doneLines = 0;
    int m_totalLines = 0;
    cMyLinkFailure m_failure{cMyLinkFailure::Completed, QString()};
    QMetaObject::Connection m_waitForIdle;
};

#endif
