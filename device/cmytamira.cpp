#include "device/cmytamira.h"

#include "base/cmyhexrecord.h"
#include "device/cmylocalport.h"
#include "device/cmyreplyline.h"
#include "device/cmyreplywalker.h"
#include "device/cmystatusdecoder.h"
#include "device/tamiraport.h"

#include <QDebug>
#include <QLoggingCategory>

// Every line sent and received can go to the debug stream: off unless
// QT_LOGGING_RULES="tamira.link.debug=true" (while off, the lines are not even formatted, which
// matters for a sound library's 90,000 lines).
Q_LOGGING_CATEGORY(lcLink, "tamira.link", QtInfoMsg)

cMyTamira::cMyTamira(QObject *parent) : QObject(parent)
{
    // For queued connections and for anyone who records the signals.
    qRegisterMetaType<MemoryType>("MemoryType");
    qRegisterMetaType<QVector<quint8>>("QVector<quint8>");
    qRegisterMetaType<cMyTamira::EndReason>();
    qRegisterMetaType<cMyLinkFailure>();

    connect(&m_port, &QSerialPort::readyRead, this, &cMyTamira::readSerialPort);
    makeLocalPort(QString());
    connect(&m_port, &QSerialPort::errorOccurred, this, &cMyTamira::onPortError);

    m_replyTimer.setSingleShot(true);
    m_replyTimer.setInterval(kDefaultReplyTimeoutMs);
    connect(&m_replyTimer, &QTimer::timeout, this, &cMyTamira::onReplyTimeout);
    m_cancelTimer.setSingleShot(true);
    m_cancelTimer.setInterval(kCancelGraceMs);
    connect(&m_cancelTimer, &QTimer::timeout, this, &cMyTamira::onCancelGraceOver);
    m_statusDelay.setSingleShot(true);
    m_statusDelay.setTimerType(Qt::PreciseTimer);
    m_statusDelay.setInterval(kFirstStatusDelayMs);
    connect(&m_statusDelay, &QTimer::timeout, this, &cMyTamira::onStatusDelayOver);
}

cMyTamira::~cMyTamira()
{
    // The port member goes after this object's own members; whatever it reports while it
    // closes must not reach a half-destroyed link.
    disconnect(&m_port, nullptr, this, nullptr);
    disconnect(m_local, nullptr, this, nullptr);
    m_running = false;
}

void cMyTamira::setPort(QString portName)
{
    // A choice made while the first one still waits waits as well: the new device needs its
    // moment as much as the first.
    const bool wait = m_portName.isEmpty() || statusReadPending() || statusReadQueued();
    m_statusDelay.stop();
    m_statusAfterTransaction = false;
    if (m_running) {
        closeTransaction();
        emit transactionEnded(Superseded);
        emit failed({cMyLinkFailure::Superseded, tr("Lista portów zmieniła się (podłączono lub odłączono "
                                                    "urządzenie) i transmisja została przerwana.")},
                    m_transaction);
    }
    m_portName = portName;
    // Waiting on a timer keeps the window responsive; the newest choice decides.
    if (wait)
        m_statusDelay.start();
    else if (m_portLent)
        m_statusAfterTransaction = true;
    else
        readStatus();
}

void cMyTamira::setPortLent(bool lent)
{
    m_portLent = lent;
    if (lent || !m_statusAfterTransaction || m_running)
        return;
    m_statusAfterTransaction = false;
    readStatus();
}

void cMyTamira::onStatusDelayOver()
{
    // A transaction the user started meanwhile already talks to the device; asking for the
    // status now would only be refused as a busy port, so it is asked once that has ended.
    if (m_running || m_portLent)
        m_statusAfterTransaction = true;
    else
        readStatus();
}

void cMyTamira::readStatus()
{
    if (!openPort())
        return;
    startTransaction(ReadStatus, cMyStatusDecoder::requestLines());
}

namespace {

QStringList transferLines(int area, const QStringList &file, const QString &direction)
{
    QStringList lines{QStringLiteral("#ROOT"), QStringLiteral("#HEX")};
    const QString word = areaLine(area);
    if (!word.isEmpty())
        lines << word;
    lines << direction;
    lines << file;
    return lines;
}

} // namespace

void cMyTamira::writeSettings(MemoryType area, QStringList &file)
{
    if (!openPort())
        return;
    startTransaction(WriteArea, transferLines(area, file, QStringLiteral("#WRITE")));
}

void cMyTamira::writeStream(MemoryType area, std::unique_ptr<cMyLineSource> source, int lineCount)
{
    if (!openPort())
        return;
    startTransaction(WriteArea, transferLines(area, {}, QStringLiteral("#WRITE")));
    m_source = std::move(source);
    m_lineCount += qMax(0, lineCount);
}

void cMyTamira::readSettings(MemoryType area, QStringList &file)
{
    if (!openPort())
        return;
    startTransaction(ReadArea, transferLines(area, file, QStringLiteral("#READ")));
}

void cMyTamira::reset(bool b)
{
    Q_UNUSED(b)
    if (!openPort())
        return;
    startTransaction(ResetCommand, {QStringLiteral("#RESET")});
}

void cMyTamira::boot()
{
    if (!openPort())
        return;
    startTransaction(SingleCommand, {QStringLiteral("#BOOT")});
}

void cMyTamira::clearStats()
{
    if (!openPort())
        return;
    startTransaction(SingleCommand, {QStringLiteral("#CLEAR")});
}

void cMyTamira::powerOff()
{
    if (!openPort())
        return;
    startTransaction(SingleCommand, {QStringLiteral("#OFF")});
}

void cMyTamira::breakCommunication()
{
    if (m_breakRequested)
        return;
    m_breakRequested = true;
    // The cancel takes effect at the reply that is due; a silent device must not hold it off.
    if (m_running) {
        m_replyTimer.stop();
        m_cancelTimer.start();
    }
}

void cMyTamira::cancelDownload() {}

bool cMyTamira::openPort()
{
    // The port is not touched while this program uses it: configured again, the line would
    // change under the running transaction.
    if (m_running || m_io->isOpen() || m_portLent)
        return refuse({cMyLinkFailure::PortInUse, busyText()});
    cMyLinkFailure failure;
    if (cMyLocalPort::isClaimed(m_portName)) {
        // A device inside this process (the demo device where there are no pseudo-terminals).
        if (m_local->portName() != m_portName)
            makeLocalPort(m_portName);
        m_io = m_local;
        return TamiraPort::openLocal(*m_local, &failure) || refuse(failure);
    }
    m_io = &m_port;
    m_opening = true;
    const bool opened = TamiraPort::open(m_port, m_portName, &failure);
    m_opening = false;
    return opened || refuse(failure);
}

void cMyTamira::makeLocalPort(const QString &name)
{
    delete m_local;
    m_local = new cMyLocalPort(name, this);
    connect(m_local, &QIODevice::readyRead, this, &cMyTamira::readSerialPort);
}

bool cMyTamira::refuse(const cMyLinkFailure &failure)
{
    emit failed(failure, 0);
    return false;
}

QString cMyTamira::busyText() const
{
    QString what;
    if (m_portLent)
        return tr("Port Tamiry jest zajęty: trwa symulacja nurkowania.\nZatrzymaj symulację i spróbuj ponownie.");
    switch (m_state) {
    case ReadStatus:
        what = tr("program odczytuje stan Tamiry");
        break;
    case ReadArea:
        what = tr("program odczytuje dane z Tamiry");
        break;
    case WriteArea:
        what = tr("program zapisuje dane do Tamiry");
        break;
    case SingleCommand:
    case ResetCommand:
        what = tr("program wysyła polecenie do Tamiry");
        break;
    }
    return tr("Port Tamiry jest zajęty: %1.\nPoczekaj, aż skończy, i spróbuj ponownie.").arg(what);
}

void cMyTamira::startTransaction(LinkState state, const QStringList &lines)
{
    // A cancel left over from an earlier transaction (the user cancelled just as it ended)
    // must not break this one.
    m_breakRequested = false;
    m_rootSent = false;
    m_state = state;
    m_outgoingLines.clear();
    m_source.reset();
    m_replies.clear();
    m_pending.clear();
    m_replyCount = 0;
    m_outgoingLines.reserve(lines.size());
    for (const QString &line : lines)
        m_outgoingLines << line.toLatin1() + QByteArrayLiteral("\r\n");
    m_lineCount = m_outgoingLines.size();
    m_running = true;
    ++m_transaction;
    m_lineIndex = 0;
    sendLine(m_outgoingLines.value(0));
}

bool cMyTamira::lineAt(int index, QByteArray &line)
{
    if (index < m_outgoingLines.size()) {
        line = m_outgoingLines.at(index);
        return true;
    }
    if (!m_source || !m_source->nextLine(line))
        return false;
    line += QByteArrayLiteral("\r\n");
    return true;
}

void cMyTamira::sendLine(const QByteArray &line)
{
    m_sent = line;
    m_answerDeadline.setRemainingTime(m_answerLimitMs);
    m_replyTimer.start();
    writeBytes(line);
}

void cMyTamira::writeBytes(const QByteArray &bytes)
{
    m_io->write(bytes);
    qCDebug(lcLink).noquote() << QStringLiteral("Zapisane: \t") + QString::fromLatin1(bytes);
}

void cMyTamira::readSerialPort()
{
    // The bytes are taken as they come; what they mean is worked out from the event loop.
    // Handled here, a box opened by a receiver of the link's signals would run inside the port's
    // readyRead, which the port does not emit again while it runs: the next reply would sit
    // unnoticed until the time-out.
    const QByteArray bytes = m_io->readAll();
    if (!m_running || bytes.isEmpty())
        return;
    m_pending += bytes;
    if (m_pending.size() - m_pending.lastIndexOf('\n') - 1 > kMaxReplyBytes) {
        // A device that sends without ending a line would fill the memory; nothing it says
        // now can be an answer.
        giveUp(BadReply, {cMyLinkFailure::BadReply, tr("Tamira wysyła dane, które nie są odpowiedzią.")});
        return;
    }
    if (!m_arrivalsQueued) {
        m_arrivalsQueued = true;
        QMetaObject::invokeMethod(this, &cMyTamira::handleArrivals, Qt::QueuedConnection);
    }
}

void cMyTamira::handleArrivals()
{
    m_arrivalsQueued = false;
    // A reply is whole at its line end, however the system cut it into arrivals.
    QByteArray line;
    while (m_running && cMyReplyLine::take(m_pending, line))
        handleReply(line);
}

void cMyTamira::handleReply(const QByteArray &bytes)
{
    const QString reply = QString::fromLatin1(bytes);
    qCDebug(lcLink).noquote() << QStringLiteral("Odczytane:\t") + reply;
    if (cMyReplyLine::isBusyNotice(bytes)) {
        // The device is working on the answer: a sign of life, and a fresh wait for the answer,
        // though never past the line's overall limit: a device that only ever says it is busy
        // would hold the transaction, and the user's progress dialog, for ever.
        if (m_breakRequested)
            return;
        if (!m_answerDeadline.hasExpired())
            m_replyTimer.start();
        else
            giveUp(TimedOut,
                   {cMyLinkFailure::TimedOut,
                    tr("Tamira od %1 s zgłasza, że jest zajęta, ale nie odpowiada.").arg(m_answerLimitMs / 1000.0)});
        return;
    }
    if (m_breakRequested) {
        handleCancelReply();
        return;
    }

    ++m_replyCount;
    // Only the reads look at the replies afterwards; a sound library's 90,000 echoes are
    // counted, not kept.
    if (m_state == ReadArea || m_state == ReadStatus)
        m_replies.append(reply);
    // A reply that does not answer its line means the two ends no longer agree on what was
    // said: nothing after it can be trusted, and a read must not deliver any of its data.
    if (!cMyReplyLine::answers(m_sent, bytes, m_state == ReadArea || m_state == ReadStatus)) {
        giveUp(BadReply, {cMyLinkFailure::BadReply, tr("Tamira odpowiedziała nieprawidłowo.")});
        return;
    }

    if (m_state == SingleCommand || m_state == ResetCommand) {
        closeTransaction();
        finish(Completed);
        return;
    }

    const int replyCount = m_replyCount;
    ++m_lineIndex;
    if (m_lineIndex < m_lineCount) {
        QByteArray line;
        if (lineAt(m_lineIndex, line)) {
            sendLine(line);
            if (m_state != ReadStatus)
                emit writeProgress(0, m_lineCount, replyCount);
            return;
        }
        if (m_source && m_source->failed()) {
            giveUp(SourceFailed, {cMyLinkFailure::SourceFailed, tr("Nie można odczytać dalszych danych do wysłania.")});
            return;
        }
        // The source ended sooner than it said (its file changed meanwhile): what went out is
        // the whole transfer.
        m_lineCount = m_lineIndex;
    }

    // The end steps work on their own copy: a receiver of their signals may start the next
    // transaction, which clears the lists.
    const LinkState state = m_state;
    const int lineCount = m_lineCount;
    const QStringList replies = m_replies;
    closeTransaction();
    if (state == ReadArea)
        processReadReplies(replies);
    else if (state == ReadStatus)
        processStatusReplies(replies);
    if (state != ReadStatus)
        emit writeProgress(0, lineCount, replyCount);
    finish(Completed);
}

void cMyTamira::handleCancelReply()
{
    // The reply that was due has come and is dropped; only now may the "#ROOT" that returns the
    // device to its top level go out, and the port closes once that is answered too.
    if (!m_rootSent) {
        m_rootSent = true;
        writeBytes(QByteArrayLiteral("#ROOT\r\n"));
        m_cancelTimer.start();
        return;
    }
    closeTransaction();
    m_outgoingLines.clear();
    m_replies.clear();
    finish(Cancelled);
}

void cMyTamira::onCancelGraceOver()
{
    if (!m_running || !m_breakRequested)
        return;
    // The device did not answer in time; a "#ROOT" now would be a second line on its way, so
    // the device is left as it is (every transfer starts with its own "#ROOT").
    closeTransaction();
    m_outgoingLines.clear();
    m_replies.clear();
    finish(Cancelled);
}

void cMyTamira::closeTransaction()
{
    m_running = false;
    m_breakRequested = false;
    m_rootSent = false;
    m_pending.clear();
    m_source.reset();
    m_replyTimer.stop();
    m_cancelTimer.stop();
    if (m_io->isOpen())
        m_io->close();
}

void cMyTamira::finish(EndReason reason)
{
    emit transactionEnded(reason);
    // The status read of a port choice that waited for a transaction: after a failure the
    // device is gone or silent, and the user has been told already.
    if (!m_statusAfterTransaction || m_running)
        return;
    m_statusAfterTransaction = false;
    if (reason == Completed || reason == Cancelled)
        readStatus();
}

void cMyTamira::giveUp(EndReason reason, const cMyLinkFailure &failure)
{
    closeTransaction();
    finish(reason);
    emit failed(failure, m_transaction);
}

void cMyTamira::onReplyTimeout()
{
    if (m_running)
        giveUp(TimedOut, {cMyLinkFailure::TimedOut, tr("Tamira nie odpowiada.")});
}

void cMyTamira::onPortError(QSerialPort::SerialPortError error)
{
    // Failed opens are reported by openPort; only a port failing under a transaction ends it.
    if (!m_running || m_opening || !TamiraPort::isLost(error))
        return;
    // The port reports this from inside its own notification; it is closed once that has
    // returned. The transaction number keeps a late report from ending a newer transaction.
    const cMyLinkFailure failure = TamiraPort::lost(m_port);
    const quint64 transaction = m_transaction;
    QMetaObject::invokeMethod(
        this,
        [this, failure, transaction] {
            if (m_running && m_transaction == transaction)
                giveUp(PortLost, failure);
        },
        Qt::QueuedConnection);
}

void cMyTamira::processReadReplies(const QStringList &replies)
{
    cMyReplyWalker::walk(replies, [this](int area, const cMyHexRecord &record) {
        emit newDataRead(MemoryType(area), record.address(), record.data());
    });
}

void cMyTamira::processStatusReplies(const QStringList &replies)
{
    cMyStatusDecoder decoder;
    decoder.addReplies(replies);
    emit statusChanged(decoder.statusList());
}
