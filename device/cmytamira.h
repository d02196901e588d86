#ifndef CMYTAMIRA_H
#define CMYTAMIRA_H

// The link to the device over its serial port: one transaction at a time (settings write and
// read, the status read, the single service commands), one line out per reply in, the port
// open only while a transaction runs.

#include "memorytype.h"

#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>
#include <QVector>

class cMyTamira : public QObject
{
    Q_OBJECT

public:
    enum LinkState { WriteArea = 0, ReadArea = 1, SingleCommand = 2, ResetCommand = 3, ReadStatus = 5 };
    Q_ENUM(LinkState)

    // Why a transaction ended.
    enum EndReason {
        Completed,   // its last reply came (and its end step ran)
        Cancelled,   // breakCommunication
        TimedOut,    // no reply within the reply time-out; the user was told
        PortLost,    // the port failed under it (device unplugged); the user was told
        Superseded,  // setPort chose a port while it ran
    };
    Q_ENUM(EndReason)

    static constexpr int kDefaultReplyTimeoutMs = 10000;
    // A cancel waits this long for the reply that is due before it closes the port anyway.
    static constexpr int kCancelGraceMs = 200;
    // The device needs a moment after it appears before it answers.
    static constexpr int kFirstStatusDelayMs = 1000;

    explicit cMyTamira(QObject *parent = nullptr);
    ~cMyTamira() override;

    QString portName() const { return m_portName; }
    // True from a successful open to the end of the transaction. A command given while busy is
    // refused with the port's error box; the running transaction goes on.
    bool isBusy() const { return m_running; }
    LinkState state() const { return m_state; }
    // True while setPort waits before its status read.
    bool statusReadPending() const { return m_statusDelay.isActive(); }

    int replyTimeout() const { return m_replyTimer.interval(); }
    void setReplyTimeout(int ms) { m_replyTimer.setInterval(ms); }

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

private:
    bool openPort();
    void startTransaction(LinkState state, const QStringList &lines);
    void sendLine(int index);
    void writeBytes(const QByteArray &bytes);
    // Ends the running transaction: timers stopped, a pending cancel dropped, port closed.
    void closeTransaction();
    void giveUp(EndReason reason, const QString &message);
    void abortOnBreak();
    void onReplyTimeout();
    void onCancelGraceOver();
    void onPortError(QSerialPort::SerialPortError error);
    void onStatusDelayOver();
    void processReadReplies(const QStringList &replies);
    void processStatusReplies(const QStringList &replies);

    QString m_portName;
    QSerialPort m_port;
    LinkState m_state = WriteArea;
    int m_lineIndex = 0;
    QList<QByteArray> m_outgoingLines; // Latin-1, each with its "\r\n"
    QStringList m_replies;
    int m_replyCount = 0;
    bool m_breakRequested = false;

    bool m_running = false;
    bool m_opening = false;
    quint64 m_transaction = 0;
    QTimer m_replyTimer;
    QTimer m_cancelTimer;
    QTimer m_statusDelay;
};

#endif
