#include "jobs/cmydevicejob.h"

#include "base/cmydialogs.h"

cMyDeviceJob::cMyDeviceJob(cMyTamira *link, QObject *parent) : QObject(parent), m_link(link)
{
    connect(link, &cMyTamira::transactionEnded, this, &cMyDeviceJob::onTransactionEnded);
    connect(link, &cMyTamira::writeProgress, this, &cMyDeviceJob::onWriteProgress);
}

cMyDeviceJob::~cMyDeviceJob() = default;

QString cMyDeviceJob::noteFor(quint64 transaction) const
{
    if (transaction == 0)
        return m_starting ? m_stepNote : QString();
    return transaction == m_stepTransaction ? m_stepNote : QString();
}

bool cMyDeviceJob::startSingle(int lines, const QString &failureNote, const std::function<void()> &start)
{
    setTotalLines(lines);
    return runStep(lines, failureNote, false, start);
}

bool cMyDeviceJob::runStep(int lines, const QString &failureNote, bool reading, const std::function<void()> &start)
{
    m_running = true;
    if (m_cancelled) {
        finish(false);
        return false;
    }
    if (m_started && m_link->isBusy()) {
        // Someone else's transaction (a status read of a port choice): this step follows it.
        disconnect(m_waitForIdle);
        m_waitForIdle = connect(
            m_link, &cMyTamira::transactionEnded, this,
            [=] {
                disconnect(m_waitForIdle);
                if (m_running && !m_link->isBusy())
                    runStep(lines, failureNote, reading, start);
            },
            Qt::QueuedConnection);
        return true;
    }
    m_started = true;
    const quint64 before = m_link->transactionId();
    m_stepNote = failureNote;
    m_starting = true;
    start();
    m_starting = false;
    if (m_link->transactionId() == before) {
        // Refused (the link has said why): another transaction holds the port, or the port
        // went away while the job was between steps.
        finish(false);
        return false;
    }
    m_stepTransaction = m_link->transactionId();
    m_stepLines = lines;
    m_inStep = true;
    m_reading = reading;
    return true;
}

void cMyDeviceJob::onWriteProgress(int, int max, int value)
{
    if (!ownsTransaction())
        return;
    // A stream may end up with fewer lines than announced; its last report says how many.
    const int total = m_totalLines - m_stepLines + max;
    emit progress(m_doneLines + value, qMax(total, m_doneLines + value));
}

void cMyDeviceJob::onTransactionEnded(cMyTamira::EndReason reason)
{
    if (!ownsTransaction())
        return;
    m_inStep = false;
    m_reading = false;
    if (reason != cMyTamira::Completed || m_cancelled) {
        const bool cancelled = m_cancelled;
        finish(false);
        if (cancelled)
            stepCancelled(reason);
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
    if (m_inStep)
        m_link->breakCommunication(); // the job ends with the transaction
    else
        finish(false);
}

void cMyDeviceJob::fail(const QString &message)
{
    finish(false);
    if (!message.isEmpty())
        cMyDialogs::current().critical(dialogParent(), tr("Błąd"), message);
}

void cMyDeviceJob::finish(bool completed)
{
    if (!m_running)
        return;
    m_running = false;
    disconnect(m_waitForIdle);
    emit finished(completed);
}
