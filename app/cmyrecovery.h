#ifndef APP_CMYRECOVERY_H
#define APP_CMYRECOVERY_H

// Unsaved work that outlives the program: while the document has unsaved edits, a copy of its
// image is kept in a recovery file of this program's own in the application data folder (written
// at most every 30 s, and at once when asked, as on a stop signal), beside a lock that says the
// program still runs. The copy goes when the edits are saved or discarded. A copy whose program
// no longer runs (stopped, crashed, the power cut) is offered at the next start.

#include <QCoreApplication>
#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;
class cMyMemoryArea;

class cMyRecovery : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 30000;

    // The document a copy belongs to: its file (empty while untitled) and whether Save asks for a
    // name although it has one.
    struct Document
    {
        QString file;
        bool saveAsks = false;
    };
    // A copy left behind, as offered.
    struct Copy
    {
        Document document;
        QDateTime time;
        QByteArray records; // the image as settings-file text
    };

    cMyRecovery(cMyMemoryArea *image, std::function<Document()> document, QObject *parent);

    // The folder of the copies: "recovery" in the application data folder.
    static QString folder();

    // Writes the copy now if the document has unsaved edits the copy does not hold yet.
    void keepNow();
    // The edits are saved or given up: the copy goes.
    void discard();

    // Offers each copy whose program no longer runs: Yes hands it to `open` (which says whether
    // it took the copy's place as the document; then the copy goes, and no other is offered), No
    // keeps it for a later start, Discard deletes it.
    void offerLeftBehind(QWidget *window, const std::function<bool(const Copy &)> &open);

private:
    QString path(const QString &id, const char *ending) const;
    QByteArray contents() const;

    cMyMemoryArea *m_image;
    std::function<Document()> m_document;
    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock; // held while this program has a copy
    QTimer m_timer;
    QByteArray m_written; // what the copy holds, but for its time
};

#endif
