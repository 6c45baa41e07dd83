#include "StandardErrorCapture.h"

#include <cstdio>
#include <unistd.h>

namespace testsupport {

StandardErrorCapture::StandardErrorCapture()
{
    std::fflush(stderr);
    if (m_file.open())
        m_saved = ::dup(STDERR_FILENO);
    if (m_saved >= 0)
        ::dup2(m_file.handle(), STDERR_FILENO);
}

QByteArray StandardErrorCapture::text()
{
    restore();
    m_file.seek(0);
    return m_file.readAll();
}

void StandardErrorCapture::restore()
{
    if (m_saved < 0)
        return;
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
    m_saved = -1;
}

} // namespace testsupport
