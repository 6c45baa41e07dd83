#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <chrono>

namespace machine {

// Tells when a file has changed and then stayed unchanged for a while: when
// it is written in place, replaced by renaming another file over it (as
// editors and configuration management do), created, deleted, or changed
// through a link to it. The folders are watched as well as the file, since
// a rename over the file leaves only the replaced file watched; for a link,
// so are the file it leads to and that file's folder.
class SettledFileWatcher : public QObject
{
    Q_OBJECT

public:
    SettledFileWatcher(const QString &path, std::chrono::milliseconds quietFor, QObject *parent = nullptr);

signals:
    // The file changed, and nothing has changed since for the quiet time.
    void settled();

private:
    void noticeChange();
    void watchAgain();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
};

} // namespace machine
