#include "jobs/cmybackupstore.h"

#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString prefix(quint16 serial)
{
    return QStringLiteral("tamira-%1-").arg(serial);
}

} // namespace

QString cMyBackupStore::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

QString cMyBackupStore::save(quint16 serial, const QVector<quint8> &settings, const QDateTime &when, QString *error)
{
    const QString dirPath = folder();
    QDir dir(dirPath);
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = tr("nie można utworzyć folderu %1").arg(QDir::toNativeSeparators(dirPath));
        return QString();
    }
    const QString base = prefix(serial) + when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString name = base + QStringLiteral(".tmo");
    for (int n = 2; dir.exists(name); ++n)
        name = base + QStringLiteral("_%1.tmo").arg(n);
    QString path = dir.filePath(name);

    cMyMemoryArea image;
    image.setData(0, settings);
    QString reason;
    if (!cMySettingsFile::write(path, image, &reason)) {
        *error = tr("nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), reason);
        return QString();
    }

    // The oldest go by when they were written, not by the time in their names: after the clock
    // was put back or the time zone changed, the backup just made may sort first by name. That
    // one always stays.
    QStringList others =
        dir.entryList({prefix(serial) + QStringLiteral("*.tmo")}, QDir::Files, QDir::Time | QDir::Reversed);
    others.removeAll(name);
    while (others.size() > kKeptPerDevice - 1)
        dir.remove(others.takeFirst());
    return path;
}
