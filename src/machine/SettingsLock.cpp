#include "machine/SettingsLock.h"

#include "runtime/NativePath.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace machine {

namespace {

// A lock Qt writes holds a process number, a program name, a host name and
// two identifiers: well under a kilobyte.
constexpr qint64 LargestLockFile = 4096;
constexpr int LongestWaitMilliseconds = 500;
constexpr int PollMilliseconds = 20;

bool processRuns(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

LockVerdict lockVerdict(const LockFileFacts &facts, const QString &hostName, qint64 ownPid,
                        const std::function<bool(qint64)> &isRunning)
{
    switch (facts.kind) {
    case LockFileFacts::Kind::Missing: return LockVerdict::Free;
    case LockFileFacts::Kind::Other: return LockVerdict::Unsafe;
    case LockFileFacts::Kind::RegularFile: break;
    }
    if (facts.tooLarge)
        return LockVerdict::Unsafe;
    const QList<QByteArray> lines = facts.contents.split('\n');
    bool isNumber = false;
    const qint64 pid = lines.value(0).toLongLong(&isNumber);
    if (!isNumber || pid <= 0 || lines.size() < 3)
        return LockVerdict::Unsafe;
    const QString lockHost = QString::fromUtf8(lines.at(2));
    // Qt can only tell whether a lock of its own computer is stale; any other
    // it waits out by the file's age.
    if (!lockHost.isEmpty() && lockHost != hostName)
        return LockVerdict::Unsafe;
    if (pid == ownPid)
        return LockVerdict::Unsafe;
    return isRunning(pid) ? LockVerdict::Busy : LockVerdict::Free;
}

LockFileFacts lockFileFacts(const QString &lockPath)
{
    const QByteArray native = runtime::nativePath(lockPath);
    LockFileFacts facts;
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0)
        return facts;
    if (!S_ISREG(status.st_mode)) {
        facts.kind = LockFileFacts::Kind::Other;
        return facts;
    }
    facts.kind = LockFileFacts::Kind::RegularFile;
    if (status.st_size > LargestLockFile) {
        facts.tooLarge = true;
        return facts;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return facts;
    QByteArray bytes(LargestLockFile + 1, '\0');
    const ssize_t got = ::read(fd, bytes.data(), size_t(bytes.size()));
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || got < 0)
        facts.kind = LockFileFacts::Kind::Other;
    else if (got > LargestLockFile)
        facts.tooLarge = true;
    else
        facts.contents = bytes.left(got);
    ::close(fd);
    return facts;
}

bool settingsLockIsSafe(const QString &storePath)
{
    const QString lockPath = storePath + QStringLiteral(".lock");
    const QString hostName = QSysInfo::machineHostName();
    const qint64 ownPid = QCoreApplication::applicationPid();
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        switch (lockVerdict(lockFileFacts(lockPath), hostName, ownPid, processRuns)) {
        case LockVerdict::Free: return true;
        case LockVerdict::Unsafe: return false;
        case LockVerdict::Busy: break;
        }
        if (waited.elapsed() >= LongestWaitMilliseconds)
            return false;
        QThread::msleep(PollMilliseconds);
    }
}

} // namespace machine
