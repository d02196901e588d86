#include "jobs/cmydevicejob.h"

#include "device/cmydialogs.h"

#include <QHash>

namespace {

// Jobs reading for themselves, per link. A count, because a cancelled job may still be waiting
// for its transaction to end while the next one starts.
QHash<const cMyTamira *, int> &privateReads()
{
    static QHash<const cMyTamira *, int> reads;
    return reads;
}

} // namespace

cMyDeviceJob::cMyDeviceJob(cMyTamira *link, QObject *parent)
    : QObject(parent), m_link(link)
{
    connect(link, &cMyTamira::transactionEnded, this, &cMyDeviceJob::onTransactionEnded);
    connect(link, &cMyTamira::writeProgress, this, &cMyDeviceJob::onWriteProgress);
}

cMyDeviceJob::~cMyDeviceJob()
{
    setReading(false);
}

bool cMyDeviceJob::isPrivateRead(const cMyTamira *link)
{
    return privateReads().value(link) > 0;
}

void cMyDeviceJob::setReading(bool reading)
{
    if (reading == m_reading)
        return;
    m_reading = reading;
    int &count = privateReads()[m_link];
    count += reading ? 1 : -1;
    if (count <= 0)
        privateReads().remove(m_link);
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
        m_waitForIdle = connect(m_link, &cMyTamira::transactionEnded, this, [=] {
            disconnect(m_waitForIdle);
            if (m_running && !m_link->isBusy())
                runStep(lines, failureNote, reading, start);
        }, Qt::QueuedConnection);
        return true;
    }
    m_started = true;
    const quint64 before = m_link->transactionId();
    m_link->setFailureNote(failureNote);
    start();
    if (m_link->transactionId() == before) {
        // Refused: another transaction holds the port (the link has said so), or the port went
        // away while the job was between steps.
        if (m_link->portName().isEmpty())
            fail(tr("Tamira nie jest podłączona.") + QLatin1Char('\n') + failureNote);
        else
            finish(false);
        return false;
    }
    m_stepTransaction = m_link->transactionId();
    m_stepLines = lines;
    m_inStep = true;
    setReading(reading);
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
    setReading(false);
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
