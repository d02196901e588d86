#ifndef EMULATOR_CMYEMULOG_H
#define EMULATOR_CMYEMULOG_H

// The emulator's wire log: how each entry is written, and how a test reads the file back into
// the exact lines received and the replies sent. One entry per text line:
//   R <seconds> <hex>          bytes received in one read
//   S <seconds> <line> <hex>   bytes sent in one write, answering received line number <line>
//   E <seconds> <text>         an event (start, fault applied, port reconfigured, hang-up, ...)
// <seconds> counts from the emulator's start with microseconds; <hex> is upper-case hex of the
// raw bytes, followed on R and S entries by a quoted, escaped copy for people to read.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class cMyEmuLog
{
public:
    struct Write
    {
        qint64 line = 0;
        QByteArray bytes;
        double seconds = 0;
    };

    static QByteArray received(double seconds, const QByteArray &bytes);
    static QByteArray sent(double seconds, qint64 line, const QByteArray &bytes);
    static QByteArray event(double seconds, const QString &text);

    // Reads a whole log; an unfinished last entry (the emulator still writing) is left out.
    static cMyEmuLog parse(const QByteArray &text);

    // Every line received, with its terminator, in order; a trailing partial line is not one.
    QList<QByteArray> receivedLines() const { return m_lines; }
    // When the first byte of each received line arrived, in seconds (same order).
    QList<double> lineSeconds() const { return m_lineSeconds; }
    // Every write, in order.
    QList<Write> writes() const { return m_writes; }
    // The bytes sent in answer to received line n (1-based), all its writes joined.
    QByteArray replyTo(qint64 line) const { return m_replies.value(line); }
    // replies()[i] answers receivedLines()[i]; empty where nothing was sent.
    QList<QByteArray> replies() const;
    QStringList events() const { return m_events; }

private:
    QList<QByteArray> m_lines;
    QList<double> m_lineSeconds;
    QList<Write> m_writes;
    QMap<qint64, QByteArray> m_replies;
    QStringList m_events;
};

#endif
