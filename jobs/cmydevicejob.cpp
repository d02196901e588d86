#include "jobs/cmydevicejob.h"

cMyDeviceJob::cMyDeviceJob(cMyTamira *link, QObject *parent) : QObject(parent), m_link(link) {}

cMyDeviceJob::~cMyDeviceJob() = default;

bool cMyDeviceJob::startSingle(int lines, const QString &failureNote, const StartStep &start)
{
    setTotalLines(lines);
    return runStep(lines, failureNote, start);
}

bool cMyDeviceJob::runStep(int lines, const QString &failureNote, const StartStep &start)
{
    m_running = true;
    if (m_cancelled) {
        end({cMyLinkFailure::Cancelled, QString()});
        return false;
    }
    if ((m_stepsStarted > 0 || m_follows) && m_link->isBusy()) {
        // Someone else's transaction (a status read of a port choice): this step follows it.
        disconnect(m_waitForIdle);
        m_waitForIdle = connect(
            m_link, &cMyTamira::transactionEnded, this,
            [=] {
                disconnect(m_waitForIdle);
                if (m_running && !m_link->isBusy())
                    runStep(lines, failureNote, start);
            },
            Qt::QueuedConnection);
        return true;
    }
    ++m_stepsStarted;
    m_stepNote = failureNote;
    m_stepLines = lines;
    cMyTransaction *step = start();
    if (step->isFinished()) {
        // Refused (another transaction holds the port, or the port went away between steps).
        stepEnded(step);
        return false;
    }
    m_transaction = step;
    connect(step, &cMyTransaction::progress, this, &cMyDeviceJob::onStepProgress);
    connect(step, &cMyTransaction::finished, this, [this, step] { stepEnded(step); });
    return true;
}

void cMyDeviceJob::onStepProgress(int value, int max)
{
    // A stream may end up with fewer lines than announced; its last report says how many.
    const int total = m_totalLines - m_stepLines + max;
    emit progress(m_doneLines + value, qMax(total, m_doneLines + value));
}

void cMyDeviceJob::stepEnded(const cMyTransaction *step)
{
    m_transaction = nullptr;
    const cMyLinkFailure &how = step->end();
    if (m_cancelled) {
        end({cMyLinkFailure::Cancelled, cancelText(how.reason)});
        return;
    }
    if (how.failed()) {
        end({how.reason, how.text + QLatin1Char('\n') + m_stepNote});
        return;
    }
    m_doneLines += m_stepLines;
    emit progress(m_doneLines, qMax(m_totalLines, m_doneLines));
    stepCompleted();
}

void cMyDeviceJob::stepCompleted()
{
    finish(true);
}

void cMyDeviceJob::cancel()
{
    if (!m_running || m_cancelled)
        return;
    m_cancelled = true;
    if (m_transaction)
        m_transaction->cancel(); // the job ends with the transaction
    else
        end({cMyLinkFailure::Cancelled, QString()});
}

void cMyDeviceJob::fail(const QString &message)
{
    end({cMyLinkFailure::CheckFailed, message});
}

void cMyDeviceJob::finish(bool completed)
{
    end({completed ? cMyLinkFailure::Completed : cMyLinkFailure::Cancelled, QString()});
}

void cMyDeviceJob::end(const cMyLinkFailure &failure)
{
    if (!m_running)
        return;
    m_running = false;
    m_failure = failure;
    disconnect(m_waitForIdle);
    emit finished(failure.reason == cMyLinkFailure::Completed);
}
