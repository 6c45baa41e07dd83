#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace platform::settings {

namespace {

std::unique_ptr<QSettings> openStore(const QString &application, const QString &section)
{
#ifdef Q_OS_WIN
    auto store = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + application,
        QSettings::NativeFormat);
#else
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application);
#endif
    store->beginGroup(section);
    return store;
}

} // namespace

QString GetSetting(const QString &application, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    const auto store = openStore(application, section);
    const QVariant value = store->value(key);
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString();
}

bool SaveSetting(const QString &application, const QString &section, const QString &key, const QString &value)
{
    const auto store = openStore(application, section);
    store->setValue(key, value);
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace platform::settings
