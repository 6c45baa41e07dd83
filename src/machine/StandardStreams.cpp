#include "machine/StandardStreams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace machine {

void holdClosedStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is this one, as the lower ones are open.
        const int held = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (held >= 0 && held != fd)
            ::close(held);
    }
}

} // namespace machine
