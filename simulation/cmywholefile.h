#ifndef SIMULATION_CMYWHOLEFILE_H
#define SIMULATION_CMYWHOLEFILE_H

// Writes a file whole or not at all (an existing file keeps its bytes until the new ones are on
// disk), and says why a write failed in the user's words: a full disk, a file too large for the
// disk or the size limit, no permission. No widgets; safe on any thread.

#include <QByteArray>
#include <QString>

namespace cMyWholeFile {

bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// The reason for a system error code (errno) of a failed write; `fallback` when there is no
// better word for it.
QString reason(int code, const QString &fallback);

} // namespace cMyWholeFile

#endif
