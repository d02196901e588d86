#ifndef DEVICE_CMYTAMIRA_H
#define DEVICE_CMYTAMIRA_H

// The link to the device over its serial port: one transaction at a time (settings write and
// read, the status read, the single service commands), one line out per reply in, the port
// open only while a transaction runs.

#include "device/cmylinesource.h"
#include "device/cmylinkfailure.h"
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

    // Why a transaction ended. Every reason but Completed and Cancelled is also reported by
    // failed(), right after transactionEnded.
    enum EndReason {
        Completed,    // its last reply came (and its end step ran)
        Cancelled,    // breakCommunication
        TimedOut,     // no reply within the reply time-out, or only busy notices for too long
        PortLost,     // the port failed under it (device unplugged)
        Superseded,   // setPort chose a port while it ran
        SourceFailed, // the lines of a streamed write could not be read on
        BadReply,     // a reply did not answer its line (no echo, no valid record, no line end)
    };
    Q_ENUM(EndReason)

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
    // refused (failed() with PortInUse); the running transaction goes on.
    bool isBusy() const { return m_running; }
    LinkState state() const { return m_state; }
    // True while setPort waits before its status read.
    bool statusReadPending() const { return m_statusDelay.isActive(); }
    // True when the wait is over but a transaction started during it still runs: the status
    // read follows that transaction.
    bool statusReadQueued() const { return m_statusAfterTransaction; }
    // While another part of the program has the serial port (the dive simulation), the status
    // read of a port choice waits for it to be handed back instead of meeting a busy port.
    void setPortLent(bool lent);
    // Counts the transactions started; a caller compares it before and after a command to learn
    // whether the link took the command or refused it.
    quint64 transactionId() const { return m_transaction; }

    int replyTimeout() const { return m_replyTimer.interval(); }
    void setReplyTimeout(int ms) { m_replyTimer.setInterval(ms); }
    int answerLimit() const { return m_answerLimitMs; }
    void setAnswerLimit(int ms) { m_answerLimitMs = ms; }
    void setFirstStatusDelay(int ms) { m_statusDelay.setInterval(ms); }
    int cancelGrace() const { return m_cancelTimer.interval(); }
    void setCancelGrace(int ms) { m_cancelTimer.setInterval(ms); }

    // A write whose record lines are read from `source` as they go out: "#ROOT", "#HEX", the area
    // line and "#WRITE", then at most `lineCount` lines of the source (fewer if it ends sooner).
    // Progress counts all of them. The source is dropped when the transaction ends.
    void writeStream(MemoryType area, std::unique_ptr<cMyLineSource> source, int lineCount);

public slots:
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
    void writeProgress(int min, int max, int progress);
    void newDataRead(MemoryType area, uint address, QVector<quint8> data);
    void statusChanged(QStringList lista);
    // Once per transaction that was started, after everything else it emits. Anything but
    // Completed means the transaction gave up before its end: a caller's progress display
    // should close.
    void transactionEnded(cMyTamira::EndReason reason);
    // A command the link refused (its port did not open, or is busy: transactionId() unchanged)
    // or a transaction that failed (right after its transactionEnded). The link shows nothing
    // itself; `transaction` is the failed transaction's transactionId(), 0 for a refused command.
    void failed(const cMyLinkFailure &failure, quint64 transaction);

private:
    bool openPort();
    // Replaces the in-process port with one for `name`, its arrivals read as the serial port's.
    void makeLocalPort(const QString &name);
    void startTransaction(LinkState state, const QStringList &lines);
    // Line `index` of the transaction with its "\r\n"; false when a streamed source has ended.
    bool lineAt(int index, QByteArray &line);
    void sendLine(const QByteArray &line);
    void writeBytes(const QByteArray &bytes);
    void handleArrivals();
    void handleReply(const QByteArray &bytes);
    void handleCancelReply();
    // Ends the running transaction: timers stopped, a pending cancel dropped, port closed.
    void closeTransaction();
    // Tells the callers (transactionEnded), then runs a status read that waited for the end.
    void finish(EndReason reason);
    void giveUp(EndReason reason, const cMyLinkFailure &failure);
    // Refuses a command: tells why, starts nothing.
    bool refuse(const cMyLinkFailure &failure);
    // What this program is doing on the port, for a command that finds it busy.
    QString busyText() const;
    void onReplyTimeout();
    void onCancelGraceOver();
    void onPortError(QSerialPort::SerialPortError error);
    void onStatusDelayOver();
    void processReadReplies(const QStringList &replies);
    void processStatusReplies(const QStringList &replies);

    QString m_portName;
    QSerialPort m_port;
    cMyLocalPort *m_local = nullptr; // a device inside this process, for the names one claims
    QIODevice *m_io = &m_port;       // the one of the two that the transaction uses
    LinkState m_state = WriteArea;
    int m_lineIndex = 0;
    int m_lineCount = 0;
    QList<QByteArray> m_outgoingLines; // Latin-1, each with its "\r\n"; a stream's first four
    std::unique_ptr<cMyLineSource> m_source;
    QStringList m_replies;
    int m_replyCount = 0;
    bool m_breakRequested = false;
    bool m_rootSent = false; // the cancel's "#ROOT" is out, its echo is due
    QByteArray m_pending;    // bytes taken from the port, not yet a whole reply
    QByteArray m_sent;       // the line whose reply is due
    bool m_arrivalsQueued = false;
    QDeadlineTimer m_answerDeadline; // by when the due reply must have come, busy notices or not
    int m_answerLimitMs = kDefaultAnswerLimitMs;

    bool m_running = false;
    bool m_opening = false;
    bool m_statusAfterTransaction = false;
    bool m_portLent = false;
    quint64 m_transaction = 0;
    QTimer m_replyTimer;
    QTimer m_cancelTimer;
    QTimer m_statusDelay;
};

#endif
