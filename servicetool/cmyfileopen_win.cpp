#include "servicetool/cmyfileopen.h"

#include <QFileInfo>

namespace servicetool {

OpenResult openRegularForReading(QFile &file, const QString &path, QString *reason)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return OpenResult::NotRegular;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return OpenResult::Failed;
    }
    return OpenResult::Opened;
}

OpenResult openInPlaceForWriting(QFile &file, const QString &path, QString *reason)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile() || info.isDir())
        return OpenResult::NotRegular;
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return OpenResult::Failed;
    }
    return OpenResult::Opened;
}

} // namespace servicetool
