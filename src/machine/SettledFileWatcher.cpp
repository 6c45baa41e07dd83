#include "machine/SettledFileWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

namespace machine {

namespace {

constexpr std::uint32_t FolderEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO
                                       | IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// The folder and the name in it of `path`, as bytes: file names need not be UTF-8.
std::pair<QByteArray, QByteArray> folderAndName(const QString &path)
{
    const QFileInfo info(path);
    return {QFile::encodeName(info.absolutePath()), QFile::encodeName(info.fileName())};
}

} // namespace

SettledFileWatcher::SettledFileWatcher(const QString &path, std::chrono::milliseconds quietFor, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietFor);
    connect(&m_quiet, &QTimer::timeout, this, &SettledFileWatcher::quietTimeOver);
    if (m_inotify < 0)
        return;
    m_events = new QSocketNotifier(m_inotify, QSocketNotifier::Read, this);
    connect(m_events, &QSocketNotifier::activated, this, &SettledFileWatcher::readEvents);
    watchAgain();
}

SettledFileWatcher::~SettledFileWatcher()
{
    if (m_inotify >= 0)
        ::close(m_inotify);
}

void SettledFileWatcher::readEvents()
{
    alignas(inotify_event) char buffer[16 * 1024];
    bool touched = false;
    bool foldersChanged = false;
    for (;;) {
        const ssize_t length = ::read(m_inotify, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            const bool ours = m_names.contains(event->wd);
            if ((event->mask & IN_Q_OVERFLOW) || (ours && (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)))) {
                // A folder went or was replaced, or events were lost: the file
                // may be anything now.
                foldersChanged = touched = true;
                m_beingWritten = false;
                continue;
            }
            if (!ours || event->len == 0 || !m_names.value(event->wd).contains(QByteArray(event->name)))
                continue;
            touched = true;
            // The file is being written from its first change until its
            // writer closes it, or until another file takes its place.
            if (event->mask & IN_MODIFY)
                m_beingWritten = true;
            if (event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE))
                m_beingWritten = false;
            if (event->mask & (IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE))
                foldersChanged = true;
        }
    }
    if (foldersChanged)
        watchAgain();
    if (touched) {
        m_quiet.start();
        emit changed();
    }
}

void SettledFileWatcher::quietTimeOver()
{
    // A writer that holds the file open may only be pausing: its close
    // starts the quiet time again.
    if (!m_beingWritten)
        emit settled();
}

void SettledFileWatcher::watchAgain()
{
    QHash<QByteArray, QSet<QByteArray>> wanted;
    const auto [folder, name] = folderAndName(m_path);
    wanted[folder].insert(name);
    const QFileInfo file(m_path);
    if (file.isSymLink()) {
        // A link may be changed to lead elsewhere: both ends are watched.
        const QString target = file.canonicalFilePath();
        if (!target.isEmpty()) {
            const auto [targetFolder, targetName] = folderAndName(target);
            wanted[targetFolder].insert(targetName);
        }
    }
    QHash<int, QSet<QByteArray>> watched;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const int descriptor = inotify_add_watch(m_inotify, it.key().constData(), FolderEvents);
        if (descriptor >= 0)
            watched[descriptor] += it.value();
    }
    for (auto it = m_names.cbegin(); it != m_names.cend(); ++it) {
        if (!watched.contains(it.key()))
            inotify_rm_watch(m_inotify, it.key());
    }
    m_names = std::move(watched);
}

} // namespace machine
