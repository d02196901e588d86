#include "servicetool/cmytextfile.h"

#include "servicetool/cmyinputfile.h"
#include "servicetool/cmyoutputfile.h"

#include <QDir>

namespace servicetool {

bool cMyTextFile::read(const QString &path, QByteArray *text, QString *failure)
{
    QString reason;
    const cMyInputFile::Status status = cMyInputFile::readAll(path, text, &reason);
    if (status != cMyInputFile::Ok) {
        if (failure)
            *failure = readFailure(path, status, reason);
        return false;
    }
    const int nul = text->indexOf('\0');
    if (nul >= 0)
        text->truncate(nul);
    return true;
}

bool cMyTextFile::write(const QString &path, const QByteArray &bytes, bool textMode, QString *failure)
{
    cMyOutputFile file(path, false);
    if (file.open(textMode) && file.write(bytes) && file.commit())
        return true;
    file.cancel();
    if (failure)
        *failure = QStringLiteral("Nie można zapisać pliku %1:\n%2").arg(QDir::toNativeSeparators(path), file.reason());
    return false;
}

QString cMyTextFile::readFailure(const QString &path, int status, const QString &reason)
{
    QString why = reason;
    if (status == cMyInputFile::NotRegular)
        why = QStringLiteral("to nie jest zwykły plik.");
    else if (status == cMyInputFile::TooLarge)
        why = QStringLiteral("plik jest większy niż %1 MiB.").arg(cMyInputFile::kLimit / (1024 * 1024));
    return QStringLiteral("Nie można otworzyć pliku %1:\n%2").arg(QDir::toNativeSeparators(path), why);
}

} // namespace servicetool
