#ifndef APP_CMYFILECOMMANDS_H
#define APP_CMYFILECOMMANDS_H

// The window's document and its file: New, Open, Save, Save As, the command-line load, a
// restored backup and a settings file dropped anywhere on the window (also on a field that takes
// text), and the recovery copy of its unsaved edits. Knows the current file and whether Save may
// write to it without asking (not after a load that stopped early: the rest of that file would be
// lost; not once another file has taken its name).

#include "app/cmyrecovery.h"
#include "app/cmyunsavedchanges.h"

#include <QFileInfo>
#include <QObject>
#include <QVector>

class QMimeData;
class QWidget;
class cMyMemoryArea;

class cMyFileCommands : public QObject
{
    Q_OBJECT

public:
    cMyFileCommands(QWidget *window, cMyMemoryArea *image);

    QFileInfo currentFile() const { return m_file; }
    // The folder the file dialogs start in: the current file's, else the one the settings were
    // last opened from or saved to, else the user's Documents.
    QString startFolder() const;
    bool mayReplace(cMyUnsavedChanges::Next next, const QString &named = QString()) const
    {
        return m_unsaved.mayReplace(next, m_file, named);
    }

    // These ask about unsaved changes first.
    void newDocument();
    void open();
    // A file dropped on the window or chosen from the recent files.
    void openNamed(const QString &path);
    // A backup from the backup folder, or an empty string; nothing is loaded yet.
    QString chooseBackup();
    // Loads the backup at `path` as a new document, after the unsaved-changes question.
    bool restoreBackup(const QString &path);
    // A settings file to compare with the form: the settings folder's dialog, nothing loaded.
    QString chooseFileToCompare();
    // These do not: the start's blank template and the file named on the command line.
    void loadTemplate();
    void loadFromCommandLine(const QString &path);

    // Save asks for a name like Save As where the document has no file it may write to.
    bool save();
    bool saveAs();
    // Writes the image to `path`; a failure is shown with its reason.
    bool saveTo(const QString &path);
    // Reads a file into the image, warning where it could not be read whole; nothing else.
    void readInto(const QString &path);
    // The 1024 settings bytes a file holds, read apart from the document (for a comparison):
    // what the file leaves out is as in the blank template. False, with the reason in
    // `why`, for a file that cannot be read whole.
    static bool readSettings(const QString &path, QVector<quint8> &settings, QString *why);

    // Closing: asks as mayReplace() does; edits given up leave no recovery copy behind.
    bool mayClose();
    // A stop signal: the unsaved edits are copied at once.
    void keepRecoveryCopy() { m_recovery.keepNow(); }
    // At start: copies left by programs that no longer run, each offered to be opened as an
    // unsaved document.
    void offerRecovery();

signals:
    // A new document is in the image: the editors are to show it.
    void documentReplaced();
    void currentFileChanged();
    // A settings file became the document (opened, dropped, from the command line) or was saved.
    void opened(const QString &path);
    void saved(const QString &path);
    // A backup became a new document.
    void restored(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The one settings file a drag carries, or an empty string.
    static QString droppedSettingsFile(const QMimeData *data);
    enum Load { Whole, Partly, Nothing, NewName };
    Load load(const QString &path);
    void loadTemplateImage();
    void openPath(const QString &path);
    cMyRecovery::Document document() const;
    bool openRecovered(const cMyRecovery::Copy &copy);
    void adopt(const QFileInfo &file, bool saveAsks);
    // Save to the current file's name that another file has taken since: asks first.
    bool mayOverwrite(const QString &path);

    QWidget *m_window;
    cMyMemoryArea *m_image;
    QFileInfo m_file;
    bool m_saveAsks = false; // Save asks for a name although there is a current file
    QString m_identity;      // the file opened or last saved (cMyFileAccess::identity)
    cMyUnsavedChanges m_unsaved;
    cMyRecovery m_recovery;
};

#endif
