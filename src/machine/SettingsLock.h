#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace machine {

// Qt's settings store takes a lock file, <store>.lock, on every write, and
// waits for it without limit: for ever on a named pipe, a folder or a
// dangling link there, while reading a device there without end, and 30
// seconds or more for a lock left by another computer on a shared home
// folder (longer still when the clocks disagree). So the lock file is looked
// at first, without opening anything but a small regular file, and the store
// is written only when Qt can take its lock at once or after another
// program's brief write.

// What lies at the lock file's path.
struct LockFileFacts
{
    enum class Kind { Missing, RegularFile, Other };
    Kind kind = Kind::Missing;
    // Of a regular file small enough to be a lock.
    QByteArray contents;
    bool tooLarge = false;
};

enum class LockVerdict {
    Free,       // Qt takes its lock at once (or removes a dead program's)
    Busy,       // a running program on this computer holds it: wait briefly
    Unsafe,     // Qt would wait long or for ever: do not write
};

// The verdict on a lock file, for a program `ownPid` on the computer
// `hostName`; `isRunning` tells whether a process of this computer runs.
LockVerdict lockVerdict(const LockFileFacts &facts, const QString &hostName, qint64 ownPid,
                        const std::function<bool(qint64)> &isRunning);

// What lies at `lockPath`, looked at without following a link or blocking.
LockFileFacts lockFileFacts(const QString &lockPath);

// True when Qt's settings store may write the file `storePath` now: its lock
// is free, or became free within a short wait. Never waits longer than
// about half a second.
bool settingsLockIsSafe(const QString &storePath);

} // namespace machine
