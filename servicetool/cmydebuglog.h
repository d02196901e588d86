#ifndef SERVICETOOL_CMYDEBUGLOG_H
#define SERVICETOOL_CMYDEBUGLOG_H

// The exchange log behind the debug pane. Every exchange goes to a temporary file, so the whole
// log can be saved however long it grows; the pane gets it in batches a few times a second and
// keeps only its last lines. When more arrives between two batches than anyone could read, the
// pane shows the newest lines and says how many it left out.

#include <QByteArray>
#include <QObject>
#include <QTemporaryFile>
#include <QTimer>

class QPlainTextEdit;

namespace servicetool {

class cMyDebugLog : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPaneLines = 5000;
    static constexpr int kLinesPerBatch = 240;
    static constexpr int kBatchMs = 200;

    cMyDebugLog(QPlainTextEdit *pane, QObject *parent = nullptr);

    // Three lines: the line number, the line sent and the reply, white space simplified.
    void append(int index, const QByteArray &sent, const QByteArray &reply);
    // Hands what is waiting to the file and the pane now.
    void flush();
    // The whole log since start.
    bool save(const QString &path);

private:
    QPlainTextEdit *m_pane;
    QTemporaryFile m_file;
    QByteArray m_whenNoFile; // the log, should the temporary file not open
    QByteArray m_batch;
    int m_batchLines = 0;
    QTimer m_timer;
};

} // namespace servicetool

#endif
