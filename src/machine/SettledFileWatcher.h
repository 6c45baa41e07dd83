#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <chrono>

class QSocketNotifier;

namespace machine {

// Tells when a file has changed and then settled: whoever wrote it has
// closed it, and nothing has touched it since for a quiet time. A writer
// that pauses in the middle of the file (a slow copy, a script writing in
// pieces) still holds it open, so its half-written file never counts as
// settled however long the pause; one that ends, even by dying, closes it.
// A file replaced by renaming another over it (as editors and configuration
// management do), created, deleted, or changed through a link to it counts
// too. The folders are watched rather than the file, so a file replaced by a
// rename stays watched; for a link, so is the folder of the file it leads
// to. Other files changing in those folders are not the file's changes.
class SettledFileWatcher : public QObject
{
    Q_OBJECT

public:
    SettledFileWatcher(const QString &path, std::chrono::milliseconds quietFor, QObject *parent = nullptr);
    ~SettledFileWatcher() override;

signals:
    // The file has changed: whatever was read of it before may no longer be
    // what it holds.
    void changed();
    // The file changed, was closed by its writer, and nothing has changed
    // since for the quiet time.
    void settled();

private:
    void readEvents();
    void quietTimeOver();
    void watchAgain();

    QString m_path;
    int m_inotify = -1;
    QSocketNotifier *m_events = nullptr;
    // Watched folders by watch descriptor, with the names in each that are
    // the file or the link to it.
    QHash<int, QSet<QByteArray>> m_names;
    QTimer m_quiet;
    bool m_beingWritten = false;
};

} // namespace machine
