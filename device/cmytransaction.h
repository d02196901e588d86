#ifndef DEVICE_CMYTRANSACTION_H
#define DEVICE_CMYTRANSACTION_H

// One conversation with the device (a write, a read, the status read, a single command), handed
// back by the link's call that starts it, as QNetworkReply is: whoever holds it hears its
// progress, the records it reads and how it ended from it, and from nothing else. A command the
// link refused comes back finished. The link owns every transaction and deletes it once it has
// finished and the event loop has run again; hold it in a QPointer.

#include "device/cmylinesource.h"
#include "device/cmylinkfailure.h"
#include "device/memorytype.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <memory>

class cMyTamira;

class cMyTransaction : public QObject
{
    Q_OBJECT

public:
    ~cMyTransaction() override;

    // The memory area a transfer writes or reads (the status read and the commands: EEPROM).
    MemoryType area() const { return m_area; }
    // Progress: replies so far, of the lines it sends (a stream's count may end up smaller).
    int replyCount() const { return m_replyCount; }
    int lineCount() const { return m_lineCount; }
    bool isFinished() const { return m_finished; }
    // How it ended: Completed, Cancelled, or what failed with the text for the user.
    const cMyLinkFailure &end() const { return m_end; }
    bool completed() const { return m_finished && m_end.reason == cMyLinkFailure::Completed; }

    // Breaks it off at the reply that is due (the link's breakCommunication while it runs).
    void cancel();

signals:
    // After each reply of a write or a read: `value` replies of `maximum` lines.
    void progress(int value, int maximum);
    // A read's records, once its last reply is in; none when it did not get that far.
    void newDataRead(MemoryType area, uint address, QVector<quint8> data);
    // The status read's thirteen entries, once its last reply is in.
    void statusChanged(QStringList status);
    // Once, after everything else it emits.
    void finished();

private:
    friend class cMyTamira;
    cMyTransaction(cMyTamira *link, int state, MemoryType area, const QStringList &lines);
    // Line `index` with its "\r\n"; false when a streamed source has ended.
    bool lineAt(int index, QByteArray &line);
    void finish(const cMyLinkFailure &end);

    cMyTamira *m_link;
    int m_state; // cMyTamira::LinkState
    MemoryType m_area;
    QList<QByteArray> m_lines; // Latin-1, each with its "\r\n"; a stream's first four
    std::unique_ptr<cMyLineSource> m_source;
    int m_lineCount = 0;
    int m_lineIndex = 0;
    QStringList m_replies; // a read's, for its end step
    int m_replyCount = 0;
    bool m_breakRequested = false;
    bool m_rootSent = false; // the cancel's "#ROOT" is out, its echo is due
    bool m_finished = false;
    cMyLinkFailure m_end{cMyLinkFailure::Completed, QString()};
};

#endif
