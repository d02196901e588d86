#include "servicetool/cmyfileopen.h"

#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace servicetool {

namespace {

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The descriptor opened without waiting is handed to `file` in blocking mode again.
bool adopt(QFile &file, int fd, QIODevice::OpenMode mode, QString *reason)
{
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0
        || !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        *reason = systemReason();
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

OpenResult openRegularForReading(QFile &file, const QString &path, QString *reason)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *reason = systemReason();
        return OpenResult::Failed;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return OpenResult::NotRegular;
    }
    return adopt(file, fd, QIODevice::ReadOnly, reason) ? OpenResult::Opened : OpenResult::Failed;
}

OpenResult openInPlaceForWriting(QFile &file, const QString &path, QString *reason)
{
    // The program's own descriptors by name: written through, so that a redirection in append
    // mode keeps what the file held.
    static const QRegularExpression ownDescriptor(
        QStringLiteral("^/(?:dev/(stdout|stderr|fd/(\\d+))|proc/self/fd/(\\d+))$"));
    const QRegularExpressionMatch own = ownDescriptor.match(path);
    if (own.hasMatch()) {
        const int fd = own.captured(1) == QLatin1String("stdout")   ? 1
                       : own.captured(1) == QLatin1String("stderr") ? 2
                                                                    : (own.captured(2) + own.captured(3)).toInt();
        const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 3);
        if (copy < 0) {
            *reason = systemReason();
            return OpenResult::Failed;
        }
        return adopt(file, copy, QIODevice::WriteOnly, reason) ? OpenResult::Opened : OpenResult::Failed;
    }
    struct stat st;
    if (stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
        return OpenResult::NotRegular;
    // A FIFO nobody reads fails here rather than waiting for a reader.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *reason =
            errno == ENXIO && S_ISFIFO(st.st_mode) ? QStringLiteral("no program reads from this FIFO") : systemReason();
        return OpenResult::Failed;
    }
    return adopt(file, fd, QIODevice::WriteOnly, reason) ? OpenResult::Opened : OpenResult::Failed;
}

} // namespace servicetool
