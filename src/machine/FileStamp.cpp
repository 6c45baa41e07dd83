#include "machine/FileStamp.h"

#include "runtime/NativePath.h"

#include <sys/stat.h>

namespace machine {

namespace {

std::int64_t nanoseconds(const timespec &time)
{
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

FileStamp fileStampOf(const QString &path)
{
    struct stat status {};
    if (::stat(runtime::nativePath(path).constData(), &status) != 0)
        return {};
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino), std::int64_t(status.st_size),
            nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

} // namespace machine
