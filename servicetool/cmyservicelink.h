#ifndef SERVICETOOL_CMYSERVICELINK_H
#define SERVICETOOL_CMYSERVICELINK_H

// The service console's conversation with the device, shared by its window and its command
// line: one transaction at a time on a serial port that is open only while it runs. Each line
// goes out once the reply to the one before has matched it (an exact echo, or for a read a
// reply of the same length); a reply that does not match, or none, ends the transaction when
// the reply time-out runs out.

#include "servicetool/cmyreadrequests.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace servicetool {

class cMyServiceLink : public QObject
{
    Q_OBJECT

public:
    enum Kind { WriteArea = 0, ReadArea = 1, BootCommand = 2, ResetCommand = 3, RootCommand = 4 };
    Q_ENUM(Kind)
    enum Outcome {
        Completed,  // every line was answered as it should be
        OpenFailed, // the port did not open; nothing was sent
        TimedOut,   // no matching reply within the time-out; the port was closed
        PortLost,   // the port failed under the transaction (device unplugged)
        Abandoned,  // another transaction was started, or the running one abandoned
        Refused,    // a reply that is no answer to its line, where wrong replies stop at once
        StayedBusy, // busy lines and no answer for kBusyTimeouts time-outs
    };
    Q_ENUM(Outcome)

    static constexpr int kDefaultReplyTimeoutMs = 10000;
    static constexpr int kBusyTimeouts = 10;

    explicit cMyServiceLink(QObject *parent = nullptr);

    QString portName() const { return m_portName; }
    void setPortName(const QString &name) { m_portName = name; }
    int replyTimeout() const { return m_timeout; }
    void setReplyTimeout(int ms) { m_timeout = ms; }
    // A reply that is no answer ends the transaction at once (Refused) instead of leaving it
    // waiting for the time-out.
    void setStopOnWrongReply(bool stop) { m_stopOnWrongReply = stop; }

    bool isRunning() const { return m_running; }
    Kind kind() const { return m_kind; }
    // The lines of the running (or last) transaction, and how many of them were answered.
    int lineCount() const { return m_lineCount; }
    int linesDone() const { return m_index; }
    // The line last sent, with its line end.
    QByteArray currentLine() const { return m_sent; }
    // After a completed read: the replies that follow the leading command echoes, joined, each
    // with its own line end. Handed over once.
    QByteArray takeReadBack();

public slots:
    // The area's lines, then the text's lines: split at every "\n", empty ones kept; an empty
    // text adds none.
    void startWrite(const QString &areaLine, const QString &text);
    // The area's lines, then the records (without line ends).
    void startWrite(const QString &areaLine, const QList<QByteArray> &records);
    void startRead(const QString &areaLine, quint32 address, quint32 count, int recordLength);
    void startRead(const QString &areaLine, const QVector<cMySparseMemory::Range> &ranges, int recordLength);
    // BootCommand, ResetCommand or RootCommand (any other kind sends "#ROOT").
    void startCommand(servicetool::cMyServiceLink::Kind kind);
    // Ends the running transaction where it stands (Abandoned); the port closes.
    void abandon();

signals:
    // Once the port is open, before the first line goes out.
    void started();
    // Each line as it goes out, with its line end.
    void lineSent(int index, const QByteArray &line);
    // One per reply, and for what arrived of a reply when the time-out ran out; lines as sent.
    void exchanged(int index, const QByteArray &sent, const QByteArray &reply);
    void progress(int done, int total);
    // Once per transaction started. detail: the port's error text for OpenFailed and PortLost.
    void finished(servicetool::cMyServiceLink::Outcome outcome, const QString &detail);

private:
    void start(Kind kind, const QList<QByteArray> &head, const cMyReadRequests &requests);
    void sendNext();
    void readReplies();
    void handleReply(const QByteArray &reply);
    void onTimeout();
    void onPortError(QSerialPort::SerialPortError error);
    void end(Outcome outcome, const QString &detail = QString());

    QString m_portName;
    QSerialPort m_port;
    QTimer m_timer;
    int m_timeout = kDefaultReplyTimeoutMs;
    QDeadlineTimer m_deadline;
    QDeadlineTimer m_busyDeadline; // the last a busy device may take over the current line
    int m_busyIndex = -1;          // the line it is busy with
    bool m_stopOnWrongReply = false;
    Kind m_kind = WriteArea;
    bool m_running = false;
    quint64 m_transaction = 0;
    // Lines of the transaction without their line ends: the fixed ones first, then the
    // requests, produced as they are sent.
    QList<QByteArray> m_head;
    cMyReadRequests m_requests;
    QByteArray m_sent;
    int m_lineCount = 0;
    int m_index = 0;
    QByteArray m_pending; // bytes of a reply not yet ended by "\n"
    bool m_stalled = false;
    bool m_leadingEchoes = true;
    QByteArray m_readBack;
};

} // namespace servicetool

#endif
