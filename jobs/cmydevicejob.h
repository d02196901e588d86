#ifndef JOBS_CMYDEVICEJOB_H
#define JOBS_CMYDEVICEJOB_H

// A device command made of link transactions run one after another (a settings write with its
// backup and verification, a library upload after its checks), with one progress over all of
// them. A step that fails ends the job; the link reports why (cMyLinkReporter shows it, with the
// step's note saying what the failure means for the command). On its own the class runs one
// transaction.

#include "device/cmytamira.h"

#include <QObject>
#include <functional>

class cMyDeviceJob : public QObject
{
    Q_OBJECT

public:
    explicit cMyDeviceJob(cMyTamira *link, QObject *parent = nullptr);
    ~cMyDeviceJob() override;

    bool isRunning() const { return m_running; }
    // True while the job reads the device for itself: the data the link delivers now is not
    // the window's settings.
    bool readsForItself() const { return m_reading && ownsTransaction(); }
    // What a failure of the link means for this job's command: the note of the step it ended,
    // or nothing when the failure is not this job's. `transaction` as cMyTamira::failed gives it.
    QString noteFor(quint64 transaction) const;

    // One transaction as a job of its own: `start` calls a link command of `lines` lines.
    bool startSingle(int lines, const QString &failureNote, const std::function<void()> &start);

public slots:
    // The user's cancel: the running transaction is broken off, and no later step starts.
    void cancel();

signals:
    void phaseChanged(const QString &label);
    void progress(int value, int maximum);
    // Once per job started; false when it was refused, cancelled or failed.
    void finished(bool completed);

protected:
    cMyTamira *link() const { return m_link; }
    void setTotalLines(int lines) { m_totalLines = lines; }
    // Starts one step. `reading`: the step's data records are the job's own. A step started
    // while another transaction holds the link waits for it, except the job's first (which is
    // the user's command and gets the link's "busy" box as any command does). False when the
    // link refused the step; the job has then finished.
    bool runStep(int lines, const QString &failureNote, bool reading, const std::function<void()> &start);
    // The step's transaction completed; the default ends the job.
    virtual void stepCompleted();
    // The user cancelled the job while a step ran; called once the job has ended, with how the
    // step's transaction ended (it may have completed all the same). The default says nothing.
    virtual void stepCancelled(cMyTamira::EndReason) {}
    // Ends the job after telling the user `message` (when not empty) in an error box.
    void fail(const QString &message);
    void finish(bool completed);
    // The window the job's boxes belong to.
    QObject *dialogParent() const { return parent(); }
    void markStarted()
    {
        m_started = true;
        m_running = true;
    }
    // True while the link runs this job's step (its data records and signals are the job's).
    bool ownsTransaction() const { return m_inStep && m_link->transactionId() == m_stepTransaction; }

private:
    void onTransactionEnded(cMyTamira::EndReason reason);
    void onWriteProgress(int min, int max, int value);
    cMyTamira *m_link;
    bool m_running = false;
    bool m_started = false;
    bool m_cancelled = false;
    bool m_inStep = false;
    bool m_reading = false;
    quint64 m_stepTransaction = 0;
    QString m_stepNote;
    bool m_starting = false; // inside a step's link command: a refusal is the step's
    int m_stepLines = 0;
    int m_doneLines = 0;
    int m_totalLines = 0;
    QMetaObject::Connection m_waitForIdle;
};

#endif
