#include "simulation/cmywholefile.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>

namespace cMyWholeFile {

QString reason(int code, const QString &fallback)
{
    switch (code) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QCoreApplication::translate("cMyWholeFile", "na dysku zabrakło miejsca");
    case EFBIG:
        return QCoreApplication::translate("cMyWholeFile",
                                           "plik byłby większy, niż pozwala dysk lub limit rozmiaru plików");
    case EACCES:
    case EPERM:
    case EROFS:
        return QCoreApplication::translate("cMyWholeFile", "brak uprawnień do zapisu w tym miejscu");
    default:
        return fallback;
    }
}

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // The code is taken right after the call that failed: Qt's own text for a failed flush or
    // commit is often only "Unknown error".
    errno = 0;
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        errno = 0;
        // commit() alone can report success when the disk fills during its final flush.
        ok = file.write(bytes) == bytes.size() && file.flush();
        if (ok) {
            errno = 0;
            ok = file.commit();
        }
    }
    const int code = errno;
    if (!ok) {
        if (error)
            *error = reason(code, file.errorString());
        file.cancelWriting();
    }
    return ok;
}

} // namespace cMyWholeFile
