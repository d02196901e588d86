#include "servicetool/cmyservicelink.h"

#include "device/cmyreplyline.h"
#include "device/tamiraport.h"

namespace servicetool {

namespace {

QList<QByteArray> commandLines(const QString &areaLine, const char *direction)
{
    return {"#ROOT", "#HEX", areaLine.toLatin1(), direction};
}

} // namespace

cMyServiceLink::cMyServiceLink(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<cMyServiceLink::Outcome>();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &cMyServiceLink::onTimeout);
    connect(&m_port, &QSerialPort::readyRead, this, &cMyServiceLink::readReplies);
    connect(&m_port, &QSerialPort::errorOccurred, this, &cMyServiceLink::onPortError);
}

QByteArray cMyServiceLink::takeReadBack()
{
    QByteArray out;
    out.swap(m_readBack);
    return out;
}

void cMyServiceLink::startWrite(const QString &areaLine, const QString &text)
{
    startWrite(areaLine, text.isEmpty() ? QList<QByteArray>() : text.toLatin1().split('\n'));
}

void cMyServiceLink::startWrite(const QString &areaLine, const QList<QByteArray> &records)
{
    start(WriteArea, commandLines(areaLine, "#WRITE") + records, cMyReadRequests());
}

void cMyServiceLink::startRead(const QString &areaLine, quint32 address, quint32 count, int recordLength)
{
    start(ReadArea, commandLines(areaLine, "#READ"), cMyReadRequests(address, count, recordLength));
}

void cMyServiceLink::startRead(const QString &areaLine, const QVector<cMySparseMemory::Range> &ranges, int recordLength)
{
    start(ReadArea, commandLines(areaLine, "#READ"), cMyReadRequests(ranges, recordLength));
}

void cMyServiceLink::startCommand(Kind kind)
{
    if (kind == BootCommand)
        start(kind, {"#BOOT"}, cMyReadRequests());
    else if (kind == ResetCommand)
        start(kind, {"#RESET"}, cMyReadRequests());
    else
        start(RootCommand, {"#ROOT"}, cMyReadRequests());
}

void cMyServiceLink::abandon()
{
    if (m_running)
        end(Abandoned);
}

void cMyServiceLink::start(Kind kind, const QList<QByteArray> &head, const cMyReadRequests &requests)
{
    if (m_running)
        end(Abandoned);
    ++m_transaction;
    m_kind = kind;
    m_head = head;
    m_requests = requests;
    m_lineCount = head.size() + requests.size();
    m_index = 0;
    m_pending.clear();
    m_stalled = false;
    m_busyIndex = -1;
    m_leadingEchoes = true;
    m_readBack.clear();

    cMyLinkFailure failure;
    if (!TamiraPort::open(m_port, m_portName, &failure)) {
        m_port.clearError();
        emit finished(OpenFailed, failure.text);
        return;
    }
    m_running = true;
    emit started();
    sendNext();
}

void cMyServiceLink::sendNext()
{
    m_sent = (m_index < m_head.size() ? m_head.at(m_index) : m_requests.next()) + "\r\n";
    m_port.write(m_sent);
    emit lineSent(m_index, m_sent);
    // Restarting a timer per line costs more than the line; the timer runs on to the first
    // deadline and is set again from there while replies keep coming.
    m_deadline.setRemainingTime(m_timeout);
    if (!m_timer.isActive())
        m_timer.start(m_timeout);
}

void cMyServiceLink::readReplies()
{
    m_pending += m_port.readAll();
    if (!m_running) {
        m_pending.clear();
        return;
    }
    // The system may hand a reply over in pieces; it is whole at its line end.
    QByteArray reply;
    while (m_running && cMyReplyLine::take(m_pending, reply))
        handleReply(reply);
}

void cMyServiceLink::handleReply(const QByteArray &reply)
{
    emit exchanged(m_index, m_sent, reply);
    if (m_stalled)
        return;
    if (cMyReplyLine::isBusyNotice(reply)) {
        // The device is working on the answer, which gets a fresh wait, but a device that only
        // ever says so is given up on in the end. The line went out one time-out before the
        // deadline it set, which no busy line has moved yet.
        if (m_busyIndex != m_index) {
            m_busyIndex = m_index;
            m_busyDeadline.setPreciseDeadline(0, m_deadline.deadlineNSecs()
                                                     + qint64(kBusyTimeouts - 1) * m_timeout * 1000000);
        }
        m_deadline.setPreciseRemainingTime(0, qMin(qint64(m_timeout) * 1000000, m_busyDeadline.remainingTimeNSecs()));
        return;
    }
    if (!cMyReplyLine::answers(m_sent, reply, m_kind == ReadArea)) {
        if (m_stopOnWrongReply) {
            end(Refused);
            return;
        }
        // The transaction waits here until the time-out.
        m_stalled = true;
        return;
    }
    if (m_kind == ReadArea) {
        m_leadingEchoes = m_leadingEchoes && reply.startsWith('#');
        if (!m_leadingEchoes)
            m_readBack += reply;
    }
    ++m_index;
    emit progress(m_index, lineCount());
    if (m_index < lineCount())
        sendNext();
    else
        end(Completed);
}

void cMyServiceLink::onTimeout()
{
    if (!m_running)
        return;
    if (!m_deadline.hasExpired()) {
        m_timer.start(int(m_deadline.remainingTime()));
        return;
    }
    if (!m_pending.isEmpty())
        emit exchanged(m_index, m_sent, m_pending);
    end(m_busyIndex == m_index ? StayedBusy : TimedOut);
}

void cMyServiceLink::onPortError(QSerialPort::SerialPortError error)
{
    if (!m_running || !TamiraPort::isLost(error))
        return;
    // Reported from inside the port's own notification: the port is closed once that has
    // returned, and a report that comes late must not end a newer transaction.
    const QString text = m_port.errorString();
    const quint64 transaction = m_transaction;
    QMetaObject::invokeMethod(
        this,
        [this, text, transaction] {
            if (m_running && m_transaction == transaction)
                end(PortLost, text);
        },
        Qt::QueuedConnection);
}

void cMyServiceLink::end(Outcome outcome, const QString &detail)
{
    m_timer.stop();
    m_running = false;
    m_port.close();
    m_port.clearError();
    m_head.clear();
    m_requests = cMyReadRequests();
    if (outcome != Completed)
        m_readBack.clear();
    emit finished(outcome, detail);
}

} // namespace servicetool
