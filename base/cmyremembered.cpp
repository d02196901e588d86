#include "base/cmyremembered.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString &program()
{
    static QString name;
    return name;
}

QString processFile()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("remembered.ini"));
}

QString folderKey(const QString &kind)
{
    return QStringLiteral("folders/") + kind;
}

QString firstFolder()
{
#ifdef Q_OS_WIN
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QFileInfo(documents).isDir())
        return documents;
#endif
    return QDir::homePath();
}

} // namespace

void cMyRemembered::setProgram(const QString &name)
{
    program() = name;
}

std::unique_ptr<QSettings> cMyRemembered::settings()
{
    if (program().isEmpty())
        return std::make_unique<QSettings>(processFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("TAMIRAdesk"), program());
}

void cMyRemembered::forgetAll()
{
    settings()->clear();
}

QString cMyRemembered::startFolder(const QString &kind, const QString &preferred)
{
    if (!preferred.isEmpty() && QFileInfo(preferred).isDir())
        return preferred;
    const QString last = lastFolder(kind);
    return last.isEmpty() ? firstFolder() : last;
}

QString cMyRemembered::lastFolder(const QString &kind)
{
    const QString last = settings()->value(folderKey(kind)).toString();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : QString();
}

void cMyRemembered::rememberFolder(const QString &kind, const QString &path)
{
    if (!path.isEmpty())
        settings()->setValue(folderKey(kind), QFileInfo(path).absolutePath());
}
