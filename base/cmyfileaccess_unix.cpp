#include "base/cmyfileaccess.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// In place, the old bytes are kept in memory until the new ones are on disk. Beyond this the old
// file is not rewritten in place at all: nothing a settings or service file holds comes near it.
constexpr off_t kLargestKeptInPlace = 64 * 1024 * 1024;

QString reasonOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return cMyFileAccess::noSpace();
    case EFBIG:
        return cMyFileAccess::tooLarge();
    case EACCES:
    case EPERM:
        return cMyFileAccess::noPermission();
    case EROFS:
        return cMyFileAccess::tr("system plików jest tylko do odczytu");
    case ELOOP:
        return cMyFileAccess::tr("za dużo dowiązań symbolicznych (pętla dowiązań?)");
    case ENOTDIR:
        return cMyFileAccess::tr("część ścieżki nie jest folderem");
    case EIO:
        return cMyFileAccess::tr("błąd wejścia/wyjścia");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return cMyFileAccess::tr("folder");
    if (S_ISFIFO(mode))
        return cMyFileAccess::tr("kolejka FIFO");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return cMyFileAccess::tr("urządzenie");
    if (S_ISSOCK(mode))
        return cMyFileAccess::tr("gniazdo");
    return cMyFileAccess::tr("plik specjalny");
}

bool fail(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

// Repeats a read or write step until `size` bytes are through; `done` (when given) counts them,
// also when it fails.
template <typename Step> bool repeat(Step step, size_t size, size_t *done)
{
    size_t total = 0;
    bool ok = true;
    while (ok && total < size) {
        const ssize_t n = step(total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        ok = n > 0;
        total += ok ? size_t(n) : 0;
    }
    if (done)
        *done = total;
    return ok;
}

bool writeAll(int fd, const char *data, size_t size, off_t offset, size_t *done = nullptr)
{
    return repeat([&](size_t at) { return ::pwrite(fd, data + at, size - at, offset + off_t(at)); }, size, done);
}

bool readAll(int fd, QByteArray &out, off_t size)
{
    out.resize(int(size));
    return repeat([&](size_t at) { return ::pread(fd, out.data() + at, size_t(size) - at, off_t(at)); }, size_t(size),
                  nullptr);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The new bytes in a file of their own beside the old one, renamed over it once on disk.
// Returns -1 on success, else the errno of the step that failed; `madeTemp` says whether the
// folder took a new file at all.
int writeBeside(const QByteArray &target, const QByteArray &bytes, mode_t mode, bool &madeTemp)
{
    const int slash = target.lastIndexOf('/');
    QByteArray name = target.left(slash + 1) + '.' + target.mid(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    madeTemp = fd >= 0;
    if (fd < 0)
        return errno;
    int error = -1;
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes.constData(), size_t(bytes.size()), 0) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error < 0)
        error = errno;
    if (error < 0 && ::rename(name.constData(), target.constData()) != 0)
        error = errno;
    if (error >= 0)
        ::unlink(name.constData());
    return error;
}

// Over the old file, which must survive any failure: what reaches past its end is written (and
// synced) first, then its own bytes are overwritten; on a failure the old bytes go back.
bool writeInPlace(const QByteArray &target, const QByteArray &bytes, QString *reason)
{
    const int fd = ::open(target.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(reason, reasonOf(errno));
    struct stat st
    {};
    QByteArray old;
    int error = 0;
    if (::fstat(fd, &st) != 0 || !readAll(fd, old, st.st_size < kLargestKeptInPlace ? st.st_size : 0))
        error = errno;
    if (error == 0 && st.st_size >= kLargestKeptInPlace) {
        ::close(fd);
        return fail(reason, cMyFileAccess::tr("w folderze nie można utworzyć nowego pliku, a starego nie da się "
                                              "bezpiecznie zapisać w miejscu"));
    }
    const off_t oldSize = off_t(old.size()), newSize = off_t(bytes.size());
    if (error == 0 && newSize > oldSize) {
        if (!writeAll(fd, bytes.constData() + oldSize, size_t(newSize - oldSize), oldSize) || ::fsync(fd) != 0) {
            error = errno;
            // Nothing of the old bytes was touched; only what grew goes.
            if (::ftruncate(fd, oldSize) != 0 || ::fsync(fd) != 0) {
                ::close(fd);
                return fail(reason, reasonOf(error));
            }
        }
    }
    size_t overwritten = 0;
    if (error == 0) {
        if (!writeAll(fd, bytes.constData(), size_t(qMin(oldSize, newSize)), 0, &overwritten)
            || (newSize < oldSize && ::ftruncate(fd, newSize) != 0) || ::fsync(fd) != 0)
            error = errno;
    }
    if (error != 0 && overwritten > 0) {
        // Only what was overwritten goes back: where a size limit cut the write short, the
        // bytes beyond it were never touched, and cannot be written again either.
        const bool restored =
            writeAll(fd, old.constData(), overwritten, 0) && ::ftruncate(fd, oldSize) == 0 && ::fsync(fd) == 0;
        ::close(fd);
        return fail(
            reason,
            restored
                ? reasonOf(error)
                : cMyFileAccess::tr("%1; poprzedniej zawartości pliku nie udało się przywrócić").arg(reasonOf(error)));
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 || fail(reason, reasonOf(error));
}

} // namespace

cMyFileAccess::PathState cMyFileAccess::inspect(const QString &path, QString *reason)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st
    {};
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode))
            return Regular;
        fail(reason, notRegular(kindOf(st.st_mode)));
        return NotRegular;
    }
    const int error = errno;
    if (error != ENOENT) {
        fail(reason, reasonOf(error));
        return Unreachable;
    }
    if (::lstat(name.constData(), &st) == 0) {
        fail(reason, tr("dowiązanie symboliczne wskazuje nieistniejący plik"));
        return Unreachable;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (::stat(QFile::encodeName(folder).constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return Missing;
    fail(reason, folderMissing(folder));
    return Unreachable;
}

QString cMyFileAccess::identity(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
#ifdef STATX_BTIME
    // The birth time as well: a file removed and another made in its place may get its number.
    struct statx sx
    {};
    if (::statx(AT_FDCWD, name.constData(), 0, STATX_INO | STATX_BTIME, &sx) == 0)
        return QStringLiteral("%1.%2:%3:%4.%5")
            .arg(sx.stx_dev_major)
            .arg(sx.stx_dev_minor)
            .arg(sx.stx_ino)
            .arg((sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : 0)
            .arg((sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_nsec : 0);
#endif
    struct stat st
    {};
    if (::stat(name.constData(), &st) != 0)
        return QString();
    return QStringLiteral("%1:%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
}

bool cMyFileAccess::openForReading(QFile &file, QString *reason)
{
    if (file.fileName().startsWith(QLatin1Char(':'))) // built into the program
        return file.open(QIODevice::ReadOnly) || fail(reason, file.errorString());
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(reason, reasonOf(errno));
    struct stat st
    {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        const QString why = known ? notRegular(kindOf(st.st_mode)) : reasonOf(errno);
        ::close(fd);
        return fail(reason, why);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(reason, file.errorString());
    }
    return true;
}

bool cMyFileAccess::replace(const QString &path, const QByteArray &bytes, QString *reason, bool text)
{
    Q_UNUSED(text) // a line feed is the line end here
    QByteArray target = QFile::encodeName(path);
    struct stat st
    {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return fail(reason, notRegular(kindOf(st.st_mode)));
    if (!exists) {
        QString why;
        if (inspect(path, &why) != Missing)
            return fail(reason, why);
    } else if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
        return fail(reason, reasonOf(errno)); // a file its owner keeps from being written
    }
    if (exists) {
        // A link stays a link: its target is what is replaced.
        char resolved[PATH_MAX];
        if (::realpath(target.constData(), resolved))
            target = resolved;
    }
    bool madeTemp = false;
    const int error = writeBeside(target, bytes, exists ? st.st_mode & 07777 : newFileMode(), madeTemp);
    if (error < 0)
        return true;
    // A folder that took the new file but failed it otherwise (no space, too large): the old
    // file is untouched, and writing over it would fail the same way.
    if (madeTemp || !exists)
        return fail(reason, reasonOf(error));
    return writeInPlace(target, bytes, reason);
}
