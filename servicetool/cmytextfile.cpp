#include "servicetool/cmytextfile.h"

#include "servicetool/cmyinputfile.h"
#include "servicetool/cmyoutputfile.h"

#include <QDir>

namespace servicetool {

namespace {

// Why a file could not be read, with the system's words, as a box says it.
QString readFailure(const QString &path, cMyInputFile::Status status, const QString &reason)
{
    QString why = reason;
    if (status == cMyInputFile::NotRegular)
        why = QStringLiteral("to nie jest zwykły plik.");
    else if (status == cMyInputFile::TooLarge)
        why = QStringLiteral("plik jest większy niż %1 MiB.").arg(cMyInputFile::kLimit / (1024 * 1024));
    return QStringLiteral("Nie można otworzyć pliku %1:\n%2").arg(QDir::toNativeSeparators(path), why);
}

} // namespace

bool cMyTextFile::load(const QString &path, QByteArray *bytes, QString *failure)
{
    QString reason;
    const cMyInputFile::Status status = cMyInputFile::readAll(path, bytes, &reason);
    if (status == cMyInputFile::Ok)
        return true;
    if (failure)
        *failure = readFailure(path, status, reason);
    return false;
}

bool cMyTextFile::read(const QString &path, QByteArray *text, QString *failure)
{
    if (!load(path, text, failure))
        return false;
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

} // namespace servicetool
