#ifndef SERVICETOOL_CMYOUTPUTFILE_H
#define SERVICETOOL_CMYOUTPUTFILE_H

// Where the service console writes a file. A regular file, or a new name, goes through
// QSaveFile: it is replaced only once the new bytes are complete, and a failure leaves it whole.
// An existing device, FIFO or the program's own output by one of its names is written in place
// and never replaced. "-" is standard output where allowed. The output is opened before the work
// that fills it, so that one that cannot be written is known at once.

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace servicetool {

class cMyOutputFile
{
public:
    cMyOutputFile(const QString &path, bool dashIsStdout);
    // In text mode "\n" becomes the platform's line end.
    bool open(bool textMode);
    bool write(const QByteArray &bytes);
    // False when anything failed; a regular file is then left as it was.
    bool commit();
    void cancel();
    // The system's words for the failure.
    QString reason() const { return m_reason; }

private:
    bool fail(const QString &reason);

    QString m_path;
    bool m_stdout;
    QSaveFile m_save;
    QFile m_inPlace;
    QFileDevice *m_device = nullptr;
    QString m_reason;
};

} // namespace servicetool

#endif
