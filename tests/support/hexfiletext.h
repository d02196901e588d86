#ifndef TESTS_SUPPORT_HEXFILETEXT_H
#define TESTS_SUPPORT_HEXFILETEXT_H

// Intel HEX text for tests of the files servicetool reads and writes: record lines made by hand,
// files written as given, and how srec_cat, a reader of its own, sees a file.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A record line: its first fields, a run of one byte, then the checksum.
inline QString rec(const char *head, const char *byte, int n, const char *checksum)
{
    return QLatin1String(head) + QString(QLatin1String(byte)).repeated(n) + QLatin1String(checksum);
}

inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return f.fileName();
}

// The file's bytes at their addresses as srec_cat dumps them; "(refused) ..." when it does not
// read the file (or is not there to ask).
inline QString srecDump(const QString &path)
{
    QProcess srec;
    srec.start("srec_cat", {path, "-intel", "-o", "-", "-hex_dump"});
    if (!srec.waitForFinished(30000) || srec.exitCode() != 0)
        return "(refused) " + srec.readAllStandardError();
    return srec.readAllStandardOutput();
}

#endif
