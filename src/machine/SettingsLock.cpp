#include "machine/SettingsLock.h"

#include "machine/FileBytes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>

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
    using Outcome = FileRead::Outcome;
    FileRead read = readRegularFile(lockPath, LargestLockFile, Links::Refuse);
    LockFileFacts facts;
    switch (read.outcome) {
    case Outcome::Missing:
    case Outcome::PathBlocked: break;
    case Outcome::Read:
        facts.kind = LockFileFacts::Kind::RegularFile;
        facts.contents = std::move(read.bytes);
        break;
    case Outcome::TooLarge:
        facts.kind = LockFileFacts::Kind::RegularFile;
        facts.tooLarge = true;
        break;
    case Outcome::BrokenLink:
    case Outcome::Forbidden:
    case Outcome::Folder:
    case Outcome::NotAFile:
    case Outcome::Failed: facts.kind = LockFileFacts::Kind::Other; break;
    }
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
