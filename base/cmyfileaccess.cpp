#include "base/cmyfileaccess.h"

#include <QDir>

QString cMyFileAccess::noSpace()
{
    return tr("brak miejsca na dysku");
}

QString cMyFileAccess::tooLarge()
{
    return tr("plik jest za duży (osiągnięto limit wielkości pliku)");
}

QString cMyFileAccess::noPermission()
{
    return tr("brak uprawnień");
}

QString cMyFileAccess::notRegular(const QString &kind)
{
    return tr("to nie jest zwykły plik, lecz %1").arg(kind);
}

QString cMyFileAccess::folderMissing(const QString &folder)
{
    return tr("folder %1 nie istnieje").arg(QDir::toNativeSeparators(folder));
}
