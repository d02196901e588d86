#ifndef SERVICETOOL_CMYFILEOPEN_H
#define SERVICETOOL_CMYFILEOPEN_H

// The two ways the service console opens a named file that the system may do differently, one
// source file per platform. Neither may wait: a FIFO without a writer or a reader, or a device
// waiting for its line, would hold the program forever.

#include <QFile>
#include <QString>

namespace servicetool {

enum class OpenResult { Opened, NotRegular, Failed };

// Opens `path` for reading if it is a regular file (a link to one counts). Failed: `reason`
// holds the system's words.
OpenResult openRegularForReading(QFile &file, const QString &path, QString *reason);

// For an output that exists and is no regular file (a device, a FIFO, the program's own
// standard output by one of its names): opens it for writing in place, to be written to and
// never replaced. NotRegular means the opposite here: `path` is a regular file or a new name,
// and `file` stays closed. Failed: `reason` holds the system's words (a FIFO nobody reads).
OpenResult openInPlaceForWriting(QFile &file, const QString &path, QString *reason);

} // namespace servicetool

#endif
