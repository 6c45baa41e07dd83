#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>
#include <optional>

#ifndef Q_OS_WIN
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform::settings {

namespace {

#ifdef Q_OS_WIN

std::unique_ptr<QSettings> openStore(const QString &application, const QString &section)
{
    auto store = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + application,
        QSettings::NativeFormat);
    store->beginGroup(section);
    return store;
}

#else

// The same file Qt's own per-user store uses, found afresh on every call.
QString storeFilePath(const QString &application)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + application + QStringLiteral(".conf");
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
        const QByteArray native = QFile::encodeName(current);
        struct stat status {};
        if (::lstat(native.constData(), &status) != 0)
            return errno == ENOENT ? std::optional(current) : std::nullopt;
        if (S_ISREG(status.st_mode))
            return current;
        if (!S_ISLNK(status.st_mode))
            return std::nullopt;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(native.constData(), target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size())
            return std::nullopt;
        target.truncate(length);
        const QString next = QFile::decodeName(target);
        current = next.startsWith(QLatin1Char('/')) ? next : QFileInfo(current).path() + QLatin1Char('/') + next;
    }
    return std::nullopt;
}

std::unique_ptr<QSettings> openStore(const QString &application, const QString &section)
{
    const QString path = storeFilePath(application);
    if (path.isEmpty())
        return nullptr;
    const std::optional<QString> file = usableStoreFile(path);
    if (!file)
        return nullptr;
    auto store = std::make_unique<QSettings>(*file, QSettings::IniFormat);
    store->beginGroup(section);
    return store;
}

#endif

} // namespace

QString GetSetting(const QString &application, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    const auto store = openStore(application, section);
    if (!store)
        return defaultValue;
    const QVariant value = store->value(key);
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString();
}

bool SaveSetting(const QString &application, const QString &section, const QString &key, const QString &value)
{
    const auto store = openStore(application, section);
    if (!store)
        return false;
    store->setValue(key, value);
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace platform::settings
