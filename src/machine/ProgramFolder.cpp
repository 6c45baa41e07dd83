#include "machine/ProgramFolder.h"

#include <QCoreApplication>

#ifdef Q_OS_LINUX
#include "runtime/NativePath.h"

#include <QByteArray>

#include <climits>
#include <unistd.h>
#endif

namespace machine {

QString programFolder()
{
#ifdef Q_OS_LINUX
    QByteArray program(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", program.data(), size_t(program.size()));
    if (length > 0 && length < program.size()) {
        program.truncate(length);
        const qsizetype slash = program.lastIndexOf('/');
        if (slash >= 0)
            return runtime::pathFromNative(slash == 0 ? QByteArray("/") : program.left(slash));
    }
#endif
    return QCoreApplication::applicationDirPath();
}

} // namespace machine
