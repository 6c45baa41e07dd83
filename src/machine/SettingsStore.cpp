#include "machine/SettingsStore.h"

#include <QSettings>

#include <memory>
#include <optional>

#include "machine/ConfigFolder.h"
#include "runtime/NativePath.h"
#include "machine/SettingsLock.h"
#include "machine/ErrorLog.h"

#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace machine::settings {

namespace {

enum class Access { Read, ReadAndWrite };

// A store holds two short values; a file far larger is not one, and reading
// it whole would take seconds and hundreds of megabytes.
constexpr qint64 LargestStoreFile = 1024 * 1024;

// The file in the per-user configuration folder, found afresh on every call.
QString storeFilePath(const QString &application)
{
    const QString folder = configFolder();
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + application + QStringLiteral(".conf");
}

void reportTooLarge(const QString &path, qint64 size)
{
    // Once a run: the store is looked at for every value read and written.
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    logForSupport(QStringLiteral("The settings file %1 is %2 bytes long, more than the %3 a settings file may have; "
                                 "it is not read, and the default colour and clock apply.")
                      .arg(runtime::displayedPath(path))
                      .arg(size)
                      .arg(LargestStoreFile));
}

// The file the store may be read from and written to: `path` itself, or the
// file its links end at, so that a link stays a link when the store is
// saved. Nothing when that is not a regular file or a file yet to be made:
// reading a named pipe would block start-up for ever, and saving replaces the
// file, which would destroy a device. Only the file's status is looked at
// here; nothing is opened.
std::optional<QString> usableStoreFile(const QString &path)
{
    constexpr int MaxLinks = 40;
    QString current = path;
    for (int link = 0; link <= MaxLinks; ++link) {
        const QByteArray native = runtime::nativePath(current);
        struct stat status {};
        if (::lstat(native.constData(), &status) != 0)
            return errno == ENOENT ? std::optional(current) : std::nullopt;
        if (S_ISREG(status.st_mode)) {
            if (status.st_size <= LargestStoreFile)
                return current;
            reportTooLarge(current, status.st_size);
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode))
            return std::nullopt;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(native.constData(), target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size())
            return std::nullopt;
        target.truncate(length);
        const QString next = runtime::pathFromNative(target);
        current = next.startsWith(QLatin1Char('/')) ? next : QFileInfo(current).path() + QLatin1Char('/') + next;
    }
    return std::nullopt;
}

std::unique_ptr<QSettings> openStore(const QString &application, const QString &section, Access access)
{
    const QString path = storeFilePath(application);
    if (path.isEmpty())
        return nullptr;
    const std::optional<QString> file = usableStoreFile(path);
    if (!file || (access == Access::ReadAndWrite && !settingsLockIsSafe(*file)))
        return nullptr;
    auto store = std::make_unique<QSettings>(*file, QSettings::IniFormat);
    store->beginGroup(section);
    return store;
}


} // namespace

QString GetSetting(const QString &application, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    const auto store = openStore(application, section, Access::Read);
    if (!store)
        return defaultValue;
    const QVariant value = store->value(key);
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString();
}

bool SaveSetting(const QString &application, const QString &section, const QString &key, const QString &value)
{
    const auto store = openStore(application, section, Access::ReadAndWrite);
    if (!store)
        return false;
    store->setValue(key, value);
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace machine::settings
