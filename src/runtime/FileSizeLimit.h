#pragma once

#include <QString>

namespace runtime {

// Raises Overflow for a file of `size` bytes where at most `maxBytes` are read;
// `size` is negative when the file reports no size and more than `maxBytes`
// came out of it.
[[noreturn]] void raiseTooLarge(const QString &path, qint64 size, qint64 maxBytes);

} // namespace runtime
