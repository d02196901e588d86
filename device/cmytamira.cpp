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
    qRegisterMetaType<cMyLinkFailure::Reason>();
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
    m_current = nullptr;
}

void cMyTamira::setPort(QString portName)
{
    // A choice made while the first one still waits waits as well: the new device needs its
    // moment as much as the first.
    const bool wait = m_portName.isEmpty() || statusReadPending() || statusReadQueued();
    m_statusDelay.stop();
    m_statusAfterTransaction = false;
    if (m_current)
        finish(closeTransaction(), {cMyLinkFailure::Superseded, tr("Lista portów zmieniła się (podłączono lub "
                                                                   "odłączono urządzenie) i transmisja została "
                                                                   "przerwana.")});
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
    if (lent || !m_statusAfterTransaction || m_current)
        return;
    m_statusAfterTransaction = false;
    readStatus();
}

void cMyTamira::onStatusDelayOver()
{
    // A transaction the user started meanwhile already talks to the device; asking for the
    // status now would only be refused as a busy port, so it is asked once that has ended.
    if (m_current || m_portLent)
        m_statusAfterTransaction = true;
    else
        readStatus();
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

cMyTransaction *cMyTamira::startWrite(MemoryType area, const QStringList &records)
{
    return start(WriteArea, area, transferLines(area, records, QStringLiteral("#WRITE")));
}

cMyTransaction *cMyTamira::startWriteStream(MemoryType area, std::unique_ptr<cMyLineSource> source, int lineCount)
{
    cMyTransaction *t = start(WriteArea, area, transferLines(area, {}, QStringLiteral("#WRITE")));
    if (!t->isFinished()) {
        t->m_source = std::move(source);
        t->m_lineCount += qMax(0, lineCount);
    }
    return t;
}

cMyTransaction *cMyTamira::startRead(MemoryType area, const QStringList &requests)
{
    return start(ReadArea, area, transferLines(area, requests, QStringLiteral("#READ")));
}

cMyTransaction *cMyTamira::startStatusRead()
{
    return start(ReadStatus, EEPROM, cMyStatusDecoder::requestLines());
}

cMyTransaction *cMyTamira::startCommand(Command command)
{
    static const char *const lines[] = {"#RESET", "#BOOT", "#CLEAR", "#OFF"};
    return start(command == Reset ? ResetCommand : SingleCommand, EEPROM, {QString::fromLatin1(lines[command])});
}

void cMyTamira::readStatus()
{
    tell(startStatusRead());
}

void cMyTamira::writeSettings(MemoryType area, QStringList &file)
{
    tell(startWrite(area, file));
}

void cMyTamira::readSettings(MemoryType area, QStringList &file)
{
    tell(startRead(area, file));
}

void cMyTamira::reset(bool b)
{
    Q_UNUSED(b)
    tell(startCommand(Reset));
}

void cMyTamira::boot()
{
    tell(startCommand(Boot));
}

void cMyTamira::clearStats()
{
    tell(startCommand(ClearStatistics));
}

void cMyTamira::powerOff()
{
    tell(startCommand(PowerOff));
}

void cMyTamira::tell(cMyTransaction *transaction)
{
    if (transaction->isFinished()) {
        emit failed(transaction->end());
        return;
    }
    connect(transaction, &cMyTransaction::finished, this, [this, transaction] {
        if (transaction->end().failed())
            emit failed(transaction->end());
    });
}

void cMyTamira::breakCommunication()
{
    if (!m_current || m_current->m_breakRequested)
        return;
    m_current->m_breakRequested = true;
    // The cancel takes effect at the reply that is due; a silent device must not hold it off.
    m_replyTimer.stop();
    m_cancelTimer.start();
}

void cMyTamira::cancelDownload() {}

cMyTransaction *cMyTamira::start(LinkState state, MemoryType area, const QStringList &lines)
{
    auto *transaction = new cMyTransaction(this, state, area, lines);
    cMyLinkFailure refusal;
    if (!openPort(&refusal)) {
        transaction->finish(refusal);
        transaction->deleteLater();
        return transaction;
    }
    m_state = state;
    m_current = transaction;
    m_pending.clear();
    sendLine(transaction->m_lines.value(0));
    return transaction;
}

bool cMyTamira::openPort(cMyLinkFailure *refusal)
{
    // The port is not touched while this program uses it: configured again, the line would
    // change under the running transaction.
    if (m_current || m_io->isOpen() || m_portLent) {
        *refusal = {cMyLinkFailure::PortInUse, busyText()};
        return false;
    }
    if (cMyLocalPort::isClaimed(m_portName)) {
        // A device inside this process (the demo device where there are no pseudo-terminals).
        if (m_local->portName() != m_portName)
            makeLocalPort(m_portName);
        m_io = m_local;
        return TamiraPort::openLocal(*m_local, refusal);
    }
    m_io = &m_port;
    m_opening = true;
    const bool opened = TamiraPort::open(m_port, m_portName, refusal);
    m_opening = false;
    return opened;
}

void cMyTamira::makeLocalPort(const QString &name)
{
    delete m_local;
    m_local = new cMyLocalPort(name, this);
    connect(m_local, &QIODevice::readyRead, this, &cMyTamira::readSerialPort);
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
    if (!m_current || bytes.isEmpty())
        return;
    m_pending += bytes;
    if (m_pending.size() - m_pending.lastIndexOf('\n') - 1 > kMaxReplyBytes) {
        // A device that sends without ending a line would fill the memory; nothing it says
        // now can be an answer.
        giveUp({cMyLinkFailure::BadReply, tr("Tamira wysyła dane, które nie są odpowiedzią.")});
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
    while (m_current && cMyReplyLine::take(m_pending, line))
        handleReply(line);
}

void cMyTamira::handleReply(const QByteArray &bytes)
{
    cMyTransaction *t = m_current;
    const QString reply = QString::fromLatin1(bytes);
    qCDebug(lcLink).noquote() << QStringLiteral("Odczytane:\t") + reply;
    if (cMyReplyLine::isBusyNotice(bytes)) {
        // The device is working on the answer: a sign of life, and a fresh wait for the answer,
        // though never past the line's overall limit: a device that only ever says it is busy
        // would hold the transaction, and the user's progress dialog, for ever.
        if (t->m_breakRequested)
            return;
        if (!m_answerDeadline.hasExpired())
            m_replyTimer.start();
        else
            giveUp({cMyLinkFailure::TimedOut,
                    tr("Tamira od %1 s zgłasza, że jest zajęta, ale nie odpowiada.").arg(m_answerLimitMs / 1000.0)});
        return;
    }
    if (t->m_breakRequested) {
        handleCancelReply();
        return;
    }

    const int replyCount = ++t->m_replyCount;
    // Only the reads look at the replies afterwards; a sound library's 90,000 echoes are
    // counted, not kept.
    const LinkState state = m_state;
    const bool read = state == ReadArea || state == ReadStatus;
    if (read)
        t->m_replies.append(reply);
    // A reply that does not answer its line means the two ends no longer agree on what was
    // said: nothing after it can be trusted, and a read must not deliver any of its data.
    if (!cMyReplyLine::answers(m_sent, bytes, read)) {
        giveUp({cMyLinkFailure::BadReply, tr("Tamira odpowiedziała nieprawidłowo.")});
        return;
    }

    if (state == SingleCommand || state == ResetCommand) {
        finish(closeTransaction(), {cMyLinkFailure::Completed, QString()});
        return;
    }

    if (++t->m_lineIndex < t->m_lineCount) {
        QByteArray line;
        if (t->lineAt(t->m_lineIndex, line)) {
            sendLine(line);
            if (state != ReadStatus)
                reportProgress(t, replyCount);
            return;
        }
        if (t->m_source && t->m_source->failed()) {
            giveUp({cMyLinkFailure::SourceFailed, tr("Nie można odczytać dalszych danych do wysłania.")});
            return;
        }
        // The source ended sooner than it said (its file changed meanwhile): what went out is
        // the whole transfer.
        t->m_lineCount = t->m_lineIndex;
    }

    // A receiver of the end steps' signals may start the next transaction.
    closeTransaction();
    if (state == ReadArea)
        processReadReplies(t, t->m_replies);
    else if (state == ReadStatus)
        processStatusReplies(t, t->m_replies);
    if (state != ReadStatus)
        reportProgress(t, replyCount);
    finish(t, {cMyLinkFailure::Completed, QString()});
}

void cMyTamira::reportProgress(cMyTransaction *transaction, int value)
{
    emit transaction->progress(value, transaction->m_lineCount);
    emit writeProgress(0, transaction->m_lineCount, value);
}

void cMyTamira::handleCancelReply()
{
    // The reply that was due has come and is dropped; only now may the "#ROOT" that returns the
    // device to its top level go out, and the port closes once that is answered too.
    if (!m_current->m_rootSent) {
        m_current->m_rootSent = true;
        writeBytes(QByteArrayLiteral("#ROOT\r\n"));
        m_cancelTimer.start();
        return;
    }
    finish(closeTransaction(), {cMyLinkFailure::Cancelled, QString()});
}

void cMyTamira::onCancelGraceOver()
{
    if (!m_current || !m_current->m_breakRequested)
        return;
    // The device did not answer in time; a "#ROOT" now would be a second line on its way, so
    // the device is left as it is (every transfer starts with its own "#ROOT").
    finish(closeTransaction(), {cMyLinkFailure::Cancelled, QString()});
}

cMyTransaction *cMyTamira::closeTransaction()
{
    cMyTransaction *transaction = m_current;
    m_current = nullptr;
    m_pending.clear();
    m_replyTimer.stop();
    m_cancelTimer.stop();
    if (m_io->isOpen())
        m_io->close();
    return transaction;
}

void cMyTamira::finish(cMyTransaction *transaction, const cMyLinkFailure &end)
{
    // Its holder first: a job goes on with its next step before anyone else may take the link.
    transaction->finish(end);
    transaction->deleteLater();
    emit transactionEnded(end.reason);
    // The status read of a port choice that waited for a transaction: after a failure the
    // device is gone or silent, and the user has been told already.
    if (!m_statusAfterTransaction || m_current)
        return;
    m_statusAfterTransaction = false;
    if (!end.failed())
        readStatus();
}

void cMyTamira::giveUp(const cMyLinkFailure &failure)
{
    finish(closeTransaction(), failure);
}

void cMyTamira::onReplyTimeout()
{
    if (m_current)
        giveUp({cMyLinkFailure::TimedOut, tr("Tamira nie odpowiada.")});
}

void cMyTamira::onPortError(QSerialPort::SerialPortError error)
{
    // Failed opens are reported by openPort; only a port failing under a transaction ends it.
    if (!m_current || m_opening || !TamiraPort::isLost(error))
        return;
    // The port reports this from inside its own notification; it is closed once that has
    // returned. A report that comes after its transaction has ended finds it finished, or gone.
    const cMyLinkFailure failure = TamiraPort::lost(m_port);
    cMyTransaction *transaction = m_current;
    QMetaObject::invokeMethod(
        transaction,
        [this, transaction, failure] {
            if (!transaction->isFinished())
                giveUp(failure);
        },
        Qt::QueuedConnection);
}

void cMyTamira::processReadReplies(cMyTransaction *transaction, const QStringList &replies)
{
    cMyReplyWalker::walk(replies, [this, transaction](int area, const cMyHexRecord &record) {
        emit transaction->newDataRead(MemoryType(area), record.address(), record.data());
        emit newDataRead(MemoryType(area), record.address(), record.data());
    });
}

void cMyTamira::processStatusReplies(cMyTransaction *transaction, const QStringList &replies)
{
    cMyStatusDecoder decoder;
    decoder.addReplies(replies);
    const QStringList status = decoder.statusList();
    emit transaction->statusChanged(status);
    emit statusChanged(status);
}
