#include "machine/SequentialFile.h"

#include "machine/FileBytes.h"

namespace machine {

runtime::SequentialInput openSequentialInput(const QString &path, qint64 maxBytes)
{
    return runtime::SequentialInput::fromBytes(readWholeFile(path, maxBytes), path, maxBytes);
}

} // namespace machine
