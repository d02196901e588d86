#include "jobs/cmybackupstore.h"

#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

#include <QDir>
#include <QFileInfo>
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
    if (!cMySettingsFile::write(path, image)) {
        *error = tr("nie można zapisać pliku %1").arg(QDir::toNativeSeparators(path));
        return QString();
    }

    // The time in the name sorts as text; a same-second suffix sorts after its plain name.
    QStringList backups = dir.entryList({prefix(serial) + QStringLiteral("*.tmo")}, QDir::Files, QDir::Name);
    while (backups.size() > kKeptPerDevice)
        dir.remove(backups.takeFirst());
    return path;
}
