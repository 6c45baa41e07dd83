#include "machine/SettledFileWatcher.h"

#include <QFileInfo>

namespace machine {

SettledFileWatcher::SettledFileWatcher(const QString &path, std::chrono::milliseconds quietFor, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietFor);
    connect(&m_quiet, &QTimer::timeout, this, &SettledFileWatcher::settled);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SettledFileWatcher::noticeChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &SettledFileWatcher::noticeChange);
    watchAgain();
}

void SettledFileWatcher::noticeChange()
{
    // A file replaced by a rename is a new file: it is watched anew.
    watchAgain();
    m_quiet.start();
}

void SettledFileWatcher::watchAgain()
{
    QStringList paths{m_path, QFileInfo(m_path).absolutePath()};
    const QFileInfo file(m_path);
    if (file.isSymLink()) {
        const QString target = file.canonicalFilePath();
        if (!target.isEmpty())
            paths << target << QFileInfo(target).absolutePath();
    }
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    QStringList present;
    for (const QString &path : paths) {
        if (QFileInfo::exists(path) && !present.contains(path))
            present << path;
    }
    if (!present.isEmpty())
        m_watcher.addPaths(present);
}

} // namespace machine
