#ifndef DEVICE_CMYTAMIRA_H
#define DEVICE_CMYTAMIRA_H

// The link to the device over its serial port: one transaction at a time (settings write and
// read, the status read, the single service commands), one line out per reply in, the port
// open only while a transaction runs. Each transaction is an object (cmytransaction.h) that the
// call starting it returns; the slots start the same transactions for callers that hold none.

#include "device/cmylinesource.h"
#include "device/cmylinkfailure.h"
#include "device/cmytransaction.h"
#include "device/memorytype.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <memory>

class cMyLocalPort;

class cMyTamira : public QObject
{
    Q_OBJECT

public:
    enum LinkState { WriteArea = 0, ReadArea = 1, SingleCommand = 2, ResetCommand = 3, ReadStatus = 5 };
    Q_ENUM(LinkState)
    enum Command { Reset, Boot, ClearStatistics, PowerOff };

    static constexpr int kDefaultReplyTimeoutMs = 10000;
    // While the device says it is busy ("!" lines) each notice gives the answer a fresh reply
    // time-out, but a line is given up on when its answer has not come within this long.
    static constexpr int kDefaultAnswerLimitMs = 60000;
    // No reply the device gives is longer than a record of 255 bytes; bytes beyond this without
    // a line end are not a reply.
    static constexpr int kMaxReplyBytes = 1024;
    // A cancel waits this long for the reply that is due, and as long again for the echo of its
    // "#ROOT"; a reply that does not come within it is left unanswered (and discarded by the next
    // transaction), so that never two lines are on their way to the device.
    static constexpr int kCancelGraceMs = 200;
    // The device needs a moment after it appears before it answers.
    static constexpr int kFirstStatusDelayMs = 1000;

    explicit cMyTamira(QObject *parent = nullptr);
    ~cMyTamira() override;

    QString portName() const { return m_portName; }
    // True from a successful open to the end of the transaction. A command given while busy is
    // refused (PortInUse); the running transaction goes on.
    bool isBusy() const { return m_current != nullptr; }
    LinkState state() const { return m_state; }
    // True while setPort waits before its status read.
    bool statusReadPending() const { return m_statusDelay.isActive(); }
    // True when the wait is over but a transaction started during it still runs: the status
    // read follows that transaction.
    bool statusReadQueued() const { return m_statusAfterTransaction; }
    // While another part of the program has the serial port (the dive simulation), the status
    // read of a port choice waits for it to be handed back instead of meeting a busy port.
    void setPortLent(bool lent);

    int replyTimeout() const { return m_replyTimer.interval(); }
    void setReplyTimeout(int ms) { m_replyTimer.setInterval(ms); }
    int answerLimit() const { return m_answerLimitMs; }
    void setAnswerLimit(int ms) { m_answerLimitMs = ms; }
    void setFirstStatusDelay(int ms) { m_statusDelay.setInterval(ms); }
    int cancelGrace() const { return m_cancelTimer.interval(); }
    void setCancelGrace(int ms) { m_cancelTimer.setInterval(ms); }

    // The transactions. Each call returns its transaction, or, when the port did not open or is
    // busy, one already finished that says why; the caller hears of it from it alone.
    // "#ROOT", "#HEX", the area line, "#WRITE" and the records.
    cMyTransaction *startWrite(MemoryType area, const QStringList &records);
    // A write whose record lines are read from `source` as they go out: at most `lineCount` of
    // them (fewer if it ends sooner). Progress counts all of them. The source is dropped when the
    // transaction ends.
    cMyTransaction *startWriteStream(MemoryType area, std::unique_ptr<cMyLineSource> source, int lineCount);
    // "#READ" with the lines as requests: their addresses and lengths say what to read.
    cMyTransaction *startRead(MemoryType area, const QStringList &requests);
    cMyTransaction *startStatusRead();
    cMyTransaction *startCommand(Command command);

public slots:
    // The slots start the same transactions for callers that hold none: the link tells their
    // failures itself (failed).
    void setPort(QString portName);
    void readStatus();
    void writeSettings(MemoryType area, QStringList &file);
    void readSettings(MemoryType area, QStringList &file);
    void readSerialPort();
    void reset(bool b);
    void boot();
    void clearStats();
    void powerOff();
    void breakCommunication();
    void cancelDownload();

signals:
    // Of every transaction, whoever started it (its own transaction says the same to its holder).
    void writeProgress(int min, int max, int progress);
    void newDataRead(MemoryType area, uint address, QVector<quint8> data);
    void statusChanged(QStringList lista);
    // Once per transaction that was started, after the transaction's own finished. Anything but
    // Completed means the transaction gave up before its end.
    void transactionEnded(cMyLinkFailure::Reason reason);
    // A command of the slots that the link refused (its port did not open, or is busy) or whose
    // transaction failed. The link shows nothing itself.
    void failed(const cMyLinkFailure &failure);

private:
    cMyTransaction *start(LinkState state, MemoryType area, const QStringList &lines);
    // A slot's transaction: nobody holds it, so its failure is the link's to tell.
    void tell(cMyTransaction *transaction);
    bool openPort(cMyLinkFailure *refusal);
    // Replaces the in-process port with one for `name`, its arrivals read as the serial port's.
    void makeLocalPort(const QString &name);
    void sendLine(const QByteArray &line);
    void writeBytes(const QByteArray &bytes);
    void handleArrivals();
    void handleReply(const QByteArray &bytes);
    void handleCancelReply();
    // Ends the running transaction (timers stopped, port closed) and returns it.
    cMyTransaction *closeTransaction();
    // Tells the transaction's holder, then everyone (transactionEnded), then runs a status read
    // that waited for the end.
    void finish(cMyTransaction *transaction, const cMyLinkFailure &end);
    void giveUp(const cMyLinkFailure &failure);
    void reportProgress(cMyTransaction *transaction, int value);
    // What this program is doing on the port, for a command that finds it busy.
    QString busyText() const;
    void onReplyTimeout();
    void onCancelGraceOver();
    void onPortError(QSerialPort::SerialPortError error);
    void onStatusDelayOver();
    void processReadReplies(cMyTransaction *transaction, const QStringList &replies);
    void processStatusReplies(cMyTransaction *transaction, const QStringList &replies);

    QString m_portName;
    QSerialPort m_port;
    cMyLocalPort *m_local = nullptr;     // a device inside this process, for the names one claims
    QIODevice *m_io = &m_port;           // the one of the two that the transaction uses
    LinkState m_state = WriteArea;       // of the running (or last) transaction
    cMyTransaction *m_current = nullptr; // the running transaction
    QByteArray m_pending;                // bytes taken from the port, not yet a whole reply
    QByteArray m_sent;                   // the line whose reply is due
    bool m_arrivalsQueued = false;
    QDeadlineTimer m_answerDeadline; // by when the due reply must have come, busy notices or not
    int m_answerLimitMs = kDefaultAnswerLimitMs;

    bool m_opening = false;
    bool m_statusAfterTransaction = false;
    bool m_portLent = false;
    QTimer m_replyTimer;
    QTimer m_cancelTimer;
    QTimer m_statusDelay;
};

#endif
