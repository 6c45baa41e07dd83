#pragma once

#include <QByteArray>
#include <QTemporaryFile>

namespace testsupport {

// Sends standard error to a temporary file while it lives.
class StandardErrorCapture
{
public:
    StandardErrorCapture();
    ~StandardErrorCapture() { restore(); }
    StandardErrorCapture(const StandardErrorCapture &) = delete;
    StandardErrorCapture &operator=(const StandardErrorCapture &) = delete;

    // What was written so far; standard error goes back to where it went.
    QByteArray text();

private:
    void restore();

    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace testsupport
