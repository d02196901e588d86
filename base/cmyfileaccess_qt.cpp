#include "base/cmyfileaccess.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSaveFile>

// Where the platform's own file calls are not used: Qt's view of the file system. The reasons
// are Qt's texts, and a file is only ever replaced by a complete new one.

namespace {

bool fail(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

QString kindOf(const QFileInfo &info)
{
    return info.isDir() ? cMyFileAccess::tr("folder") : cMyFileAccess::tr("plik specjalny");
}

} // namespace

cMyFileAccess::PathState cMyFileAccess::inspect(const QString &path, QString *reason)
{
    const QFileInfo info(path);
    if (info.exists()) {
        if (info.isFile())
            return Regular;
        fail(reason, notRegular(kindOf(info)));
        return NotRegular;
    }
    if (QFileInfo(info.absolutePath()).isDir())
        return Missing;
    fail(reason, folderMissing(info.absolutePath()));
    return Unreachable;
}

QString cMyFileAccess::identity(const QString &path)
{
    // No file numbers here: the file's own name and its creation time stand for it.
    const QFileInfo info(path);
    if (!info.exists())
        return QString();
    return info.canonicalFilePath() + QLatin1Char('@') + QString::number(info.birthTime().toMSecsSinceEpoch());
}

bool cMyFileAccess::openForReading(QFile &file, QString *reason)
{
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        return fail(reason, notRegular(kindOf(info)));
    return file.open(QIODevice::ReadOnly) || fail(reason, file.errorString());
}

bool cMyFileAccess::replace(const QString &path, const QByteArray &bytes, QString *reason, bool text)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(reason, notRegular(kindOf(info)));
    QSaveFile file(path);
    if (!file.open(text ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly))
        return fail(reason, file.errorString());
    // A write that failed while the buffer was flushed is not noticed by commit() itself.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        fail(reason, file.errorString());
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit() || fail(reason, file.errorString());
}
