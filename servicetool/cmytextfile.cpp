#include "cmytextfile.h"

#include <QFile>
#include <QSaveFile>

namespace servicetool {

bool cMyTextFile::read(const QString &path, QString *text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    *text = QString::fromLatin1(bytes);
    return true;
}

bool cMyTextFile::write(const QString &path, const QByteArray &bytes, bool textMode)
{
    QSaveFile file(path);
    if (!file.open(textMode ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly))
        return false;
    // commit() does not notice a write that failed while the buffer was flushed (a full disk),
    // so the flush is checked first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

} // namespace servicetool
