#ifndef SERVICETOOL_CMYTEXTFILE_H
#define SERVICETOOL_CMYTEXTFILE_H

// Whole files in and out, as the service console's window handles them: read as Latin-1 text
// up to the first zero byte, from regular files only and within cMyInputFile's limit; written
// through cMyOutputFile, so that a failed save leaves the old file whole. A failure comes with
// the window's words for it.

#include <QByteArray>
#include <QString>

namespace servicetool {

class cMyTextFile
{
public:
    // The whole file, its line ends as "\n"; false when it cannot be read.
    static bool load(const QString &path, QByteArray *bytes, QString *failure = nullptr);
    // As load(), as Latin-1 text: up to the first zero byte.
    static bool read(const QString &path, QByteArray *text, QString *failure = nullptr);
    // In text mode "\n" becomes the platform's line end; otherwise the bytes go as they are.
    static bool write(const QString &path, const QByteArray &bytes, bool textMode = true, QString *failure = nullptr);
};

} // namespace servicetool

#endif
