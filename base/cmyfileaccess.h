#ifndef BASE_CMYFILEACCESS_H
#define BASE_CMYFILEACCESS_H

// How both programs read and write their files. Only regular files are opened (a FIFO, a device
// or a socket would block or never end); a name that does not exist is told apart from one that
// cannot be reached; a file is replaced without ever leaving the old one damaged; and a failure
// names its real reason (no space, file too large, permission...).

#include <QCoreApplication>
#include <QString>

class QFile;

class cMyFileAccess
{
    Q_DECLARE_TR_FUNCTIONS(cMyFileAccess)

public:
    enum PathState {
        Regular,     // a regular file (or a link to one)
        Missing,     // the name does not exist, and its folder does: a new file can be made there
        NotRegular,  // a folder, a FIFO, a device or a socket
        Unreachable, // cannot be looked at: a link loop, a folder without search permission...
    };
    // What is at `path`; `reason` (when given) says why for NotRegular and Unreachable.
    static PathState inspect(const QString &path, QString *reason = nullptr);

    // Which file `path` names now, a link followed: the same text for as long as that file is
    // there, another once the name is given to another file (replaced, or made a link elsewhere);
    // empty when the name names nothing.
    static QString identity(const QString &path);

    // Opens `file` (its name set) read-only, but only when it is a regular file; opening never
    // blocks. On failure `reason` says why.
    static bool openForReading(QFile &file, QString *reason);

    // Writes `bytes` as the file at `path`, creating it or replacing the old one. The new bytes
    // are written beside the old file and take its place only once they are completely on disk.
    // In a folder that takes no new file the file is written in place: first what reaches past
    // its old end, then over its old bytes, which are put back if anything fails. On failure the
    // old file holds what it held before (unless `reason` says it could not be put back).
    // `text`: line feeds become the platform's line end.
    static bool replace(const QString &path, const QByteArray &bytes, QString *reason, bool text = false);

    // The reasons, in the user's words.
    static QString noSpace();
    static QString tooLarge();
    static QString noPermission();
    static QString notRegular(const QString &kind);
    static QString folderMissing(const QString &folder);
};

#endif
