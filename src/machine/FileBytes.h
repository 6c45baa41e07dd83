#pragma once

#include <QByteArray>
#include <QString>

namespace machine {

// What reading a file with readRegularFile() found.
struct FileRead
{
    enum class Outcome {
        Read,        // `bytes` holds the whole file
        Missing,     // nothing at the path
        BrokenLink,  // a link to nothing
        PathBlocked, // a part of the path is a file, not a folder
        Forbidden,   // this account may not open it
        Folder,
        NotAFile,    // a device, a pipe or a socket
        TooLarge,    // more than the limit; `size` is the size it reports, or -1
        Failed,      // opening or reading failed otherwise; see `error`
    };
    Outcome outcome = Outcome::Failed;
    QByteArray bytes;
    qint64 size = -1;
    // The system's own words for what failed, for a report.
    QString error;
};

enum class Links { Follow, Refuse };

// The one reader of the files the shop and the system keep: opening never
// blocks, what was opened (not the path, which may change meanwhile) must be
// a regular file, a pipe or a device put in its place is refused, not waited
// on, and never more than `maxBytes` bytes are read (a negative `maxBytes`
// sets no limit), also from a file that grows or reports no size. A signal
// interrupting a read does not end it. With Links::Refuse a link at the path
// is Failed, never followed.
FileRead readRegularFile(const QString &path, qint64 maxBytes, Links links = Links::Follow);

// Reads a whole file the shop keeps with readRegularFile(). Raises File not
// found, Path not found, Permission denied or Path/File access error when it
// cannot be read, and Overflow, before reading, when it holds more than
// `maxBytes` bytes (a negative `maxBytes` sets no limit). Each error carries
// the path and a sentence for the staff.
QByteArray readWholeFile(const QString &path, qint64 maxBytes);

} // namespace machine
