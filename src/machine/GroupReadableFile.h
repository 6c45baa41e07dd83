#pragma once

#include <QByteArray>
#include <QString>

namespace machine {

// A small secret file that its owner writes and one group reads: replaced
// whole, never edited in place, and looked at for the mode and group that
// keep it readable to that group alone.

// How the file at `path` differs from a plain file with `mode` and group
// `readersGroup` (where that group exists), in words for whoever looks after
// the computer; empty when it does not or when there is no file.
QString keepingProblem(const QString &path, unsigned mode, const char *readersGroup);

struct FileReplaced
{
    bool written = false;
    // Given to `readersGroup`; false when there is no such group.
    bool readableByGroup = false;
    // Why it was not written, in the system's words.
    QString failure;
    // Not written for want of rights that root has.
    bool needsRoot = false;
};

// Writes `contents` to a new file beside `path` with `mode` and group
// `readersGroup`, and renames it over `path`: a reader sees the old contents
// or the new, never half of them, and a link put in the file's place is
// replaced, not followed.
FileReplaced replaceGroupReadableFile(const QString &path, const QByteArray &contents, unsigned mode,
                                      const char *readersGroup);

bool runsAsRoot();

} // namespace machine
