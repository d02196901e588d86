#ifndef SERVICETOOL_CMYINPUTFILE_H
#define SERVICETOOL_CMYINPUTFILE_H

// A file the service console reads: a regular file only (a FIFO or a device could hold the open
// or never end), or standard input where "-" is allowed, read a piece at a time and never past
// kLimit bytes. No file for the device's 16 MiB is larger as Intel HEX text in records of 16
// bytes or more.

#include <QFile>
#include <QString>

namespace servicetool {

class cMyInputFile
{
public:
    static constexpr qint64 kLimit = 64 * 1024 * 1024;
    enum Status { Ok, NotRegular, CannotOpen, TooLarge, ReadFailed };

    // `path` "-" is standard input when `dashIsStdin`.
    cMyInputFile(const QString &path, bool dashIsStdin);
    Status open();
    // The next piece, empty at the end of the file.
    Status read(QByteArray *piece);
    // The system's words for CannotOpen and ReadFailed.
    QString reason() const { return m_reason; }

    // The whole file, opened in text mode (line ends become "\n").
    static Status readAll(const QString &path, QByteArray *bytes, QString *reason);

private:
    QString m_path;
    bool m_stdin;
    QFile m_file;
    qint64 m_total = 0;
    QString m_reason;
};

} // namespace servicetool

#endif
