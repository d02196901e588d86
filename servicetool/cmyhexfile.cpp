#include "servicetool/cmyhexfile.h"

#include "servicetool/cmytextfile.h"

#include <QDir>

namespace servicetool {

bool cMyHexFile::merge(const QString &path, QString *failure)
{
    QByteArray text;
    if (!cMyTextFile::load(path, &text, failure))
        return false;
    int line = 0;
    if (!m_bytes.addRecords(text, &line)) {
        if (failure)
            *failure = QStringLiteral("Nie można otworzyć pliku %1:\nwiersz %2 sięga poza %3 MiB pamięci urządzenia.")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(line)
                           .arg(cMySparseMemory::kSize / (1024 * 1024));
        return false;
    }
    return true;
}

bool cMyHexFile::save(const QString &path, QString *failure) const
{
    return cMyTextFile::write(path, text(), true, failure);
}

} // namespace servicetool
