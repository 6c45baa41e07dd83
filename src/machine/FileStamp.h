#pragma once

#include <QString>

#include <cstdint>

namespace machine {

// What tells one state of a file from another without reading it: which
// file a path leads to (device and inode, following links), its size and
// the times its contents and its status last changed, to the nanosecond.
// Any write, truncation, rename over the path or change of mode changes it.
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedNanoseconds = 0;

    bool operator==(const FileStamp &) const = default;
};

// The stamp of the file at `path`; a default stamp when nothing is there.
FileStamp fileStampOf(const QString &path);

} // namespace machine
