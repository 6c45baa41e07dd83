#pragma once

#include "runtime/SequentialInput.h"

#include <QString>

namespace machine {

// Opens `path` for sequential input without ever blocking, and reads it only
// when the file actually opened is a regular file. Raises File not found,
// Path not found, Permission denied or Path/File access error when it cannot
// be read, and Overflow, before reading, when it holds more than `maxBytes`
// bytes.
runtime::SequentialInput openSequentialInput(const QString &path,
                                             qint64 maxBytes = runtime::SequentialInput::AnySize);

} // namespace machine
