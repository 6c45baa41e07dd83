#include "machine/FileBytes.h"

#include "runtime/Conversions.h"
#include "runtime/FileSizeLimit.h"
#include "runtime/NativePath.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>

#include <limits>
#include <optional>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace machine {

namespace {

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

[[noreturn]] void raiseOpenFailure(runtime::ErrorNumber number, const QString &path, const QString &detail)
{
    throw runtime::RuntimeError(number).at(path, 0).withDetail(detail);
}

bool folderIsThere(const QString &path)
{
    struct stat status {};
    const QString folder = QFileInfo(path).absolutePath();
    return ::stat(runtime::nativePath(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

[[noreturn]] void raiseMissing(const QString &path)
{
    const bool folderExists = path.isEmpty() || folderIsThere(path);
    if (folderExists)
        raiseOpenFailure(runtime::ErrorNumber::FileNotFound, path,
                         QStringLiteral("There is no file named %1 in that folder.").arg(fileName(path)));
    raiseOpenFailure(runtime::ErrorNumber::PathNotFound, path,
                     QStringLiteral("The folder that should hold %1 does not exist.").arg(fileName(path)));
}

[[noreturn]] void raiseUnreadable(const QString &path)
{
    raiseOpenFailure(runtime::ErrorNumber::PermissionDenied, path,
                     QStringLiteral("This user may not read %1; let every user read it.").arg(fileName(path)));
}

[[noreturn]] void raiseReadFailure(const QString &path)
{
    raiseOpenFailure(runtime::ErrorNumber::PathFileAccessError, path,
                     QStringLiteral("%1 could not be read from the disk.").arg(fileName(path)));
}

[[noreturn]] void raiseNotAFile(const QString &path, bool folder)
{
    const QString detail = folder
        ? QStringLiteral("%1 is a folder; it must be a plain text file.")
        : QStringLiteral("%1 is a device or a pipe, not a file; it must be a plain text file.");
    raiseOpenFailure(runtime::ErrorNumber::PathFileAccessError, path, detail.arg(fileName(path)));
}

// A negative limit sets none: the largest array Qt can hold.
qint64 effectiveLimit(qint64 maxBytes)
{
    return maxBytes >= 0 ? maxBytes : std::numeric_limits<qsizetype>::max() - 1;
}

QString systemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

namespace {

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads up to `count` bytes at `data`, retrying when a signal interrupts;
// the bytes read, 0 at the end, negative on an error.
qint64 readSome(int fd, char *data, qint64 count)
{
    for (;;) {
        const ssize_t got = ::read(fd, data, size_t(count));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// Reads to the end, but never more than `limit` bytes: a file the system makes
// up on the fly reports no size and may never end. The buffer starts at the
// size the file reports, which nearly every file keeps, so the usual read
// allocates exactly once; a single byte read past it tells whether more follows.
std::optional<QByteArray> readAtMost(int fd, qint64 expectedSize, qint64 limit)
{
    constexpr qint64 Chunk = 64 * 1024;
    QByteArray bytes;
    qint64 capacity = qMin(limit, expectedSize > 0 ? expectedSize : Chunk);
    bytes.resize(capacity);
    qint64 filled = 0;
    for (;;) {
        if (filled == capacity) {
            if (capacity == limit)
                break;
            char next = 0;
            const qint64 got = readSome(fd, &next, 1);
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                break;
            capacity = qMin(limit, capacity * 2);
            bytes.resize(capacity);
            bytes[filled++] = next;
            continue;
        }
        const qint64 got = readSome(fd, bytes.data() + filled, capacity - filled);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace

FileRead readRegularFile(const QString &path, qint64 maxBytes, Links links)
{
    using Outcome = FileRead::Outcome;
    const QByteArray native = runtime::nativePath(path);
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const Descriptor fd(path.isEmpty() ? -1 : ::open(native.constData(), flags));
    if (fd.get() < 0) {
        const int error = path.isEmpty() ? ENOENT : errno;
        struct stat link {};
        switch (error) {
        case ENOENT:
            if (!path.isEmpty() && ::lstat(native.constData(), &link) == 0)
                return FileRead{Outcome::BrokenLink, {}, -1, systemErrorText(error)};
            return FileRead{Outcome::Missing, {}, -1, systemErrorText(error)};
        case ENOTDIR: return FileRead{Outcome::PathBlocked, {}, -1, systemErrorText(error)};
        case EACCES:
        case EPERM: return FileRead{Outcome::Forbidden, {}, -1, systemErrorText(error)};
        default: return FileRead{Outcome::Failed, {}, -1, systemErrorText(error)};
        }
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return FileRead{Outcome::Failed, {}, -1, systemErrorText(errno)};
    if (!S_ISREG(status.st_mode))
        return FileRead{S_ISDIR(status.st_mode) ? Outcome::Folder : Outcome::NotAFile, {}, -1, {}};
    const qint64 limit = effectiveLimit(maxBytes);
    if (status.st_size > limit)
        return FileRead{Outcome::TooLarge, {}, status.st_size, {}};
    std::optional<QByteArray> bytes = readAtMost(fd.get(), status.st_size, limit + 1);
    if (!bytes)
        return FileRead{Outcome::Failed, {}, -1, systemErrorText(errno)};
    if (bytes->size() > limit)
        return FileRead{Outcome::TooLarge, {}, -1, {}};
    const qint64 size = bytes->size();
    return FileRead{Outcome::Read, std::move(*bytes), size, {}};
}

QByteArray readWholeFile(const QString &path, qint64 maxBytes)
{
    using Outcome = FileRead::Outcome;
    FileRead read = readRegularFile(path, maxBytes);
    switch (read.outcome) {
    case Outcome::Read: return std::move(read.bytes);
    case Outcome::Missing:
    case Outcome::BrokenLink:
    case Outcome::PathBlocked: raiseMissing(path);
    case Outcome::Forbidden: raiseUnreadable(path);
    case Outcome::Folder: raiseNotAFile(path, true);
    case Outcome::NotAFile: raiseNotAFile(path, false);
    case Outcome::TooLarge: runtime::raiseTooLarge(path, read.size, effectiveLimit(maxBytes));
    case Outcome::Failed: break;
    }
    raiseReadFailure(path);
}

} // namespace machine
