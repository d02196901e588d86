#ifndef SERVICETOOL_CMYTEXTFILE_H
#define SERVICETOOL_CMYTEXTFILE_H

// Whole files in and out, as the service console handles them: read as Latin-1 text up to the
// first zero byte; written through QSaveFile, so that a failed save leaves the old file whole.

#include <QByteArray>
#include <QString>

namespace servicetool {

class cMyTextFile
{
public:
    // False when the file cannot be opened. The bytes are Latin-1 text; line ends come back
    // as "\n".
    static bool read(const QString &path, QByteArray *text);
    // In text mode "\n" becomes the platform's line end; otherwise the bytes go as they are.
    static bool write(const QString &path, const QByteArray &bytes, bool textMode = true);
};

} // namespace servicetool

#endif
