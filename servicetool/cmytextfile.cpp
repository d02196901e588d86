#include "servicetool/cmytextfile.h"

#include <QFile>
#include <QSaveFile>

namespace servicetool {

bool cMyTextFile::read(const QString &path, QByteArray *text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    *text = file.readAll();
    const int nul = text->indexOf('\0');
    if (nul >= 0)
        text->truncate(nul);
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
