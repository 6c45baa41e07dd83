#include "TemporarySettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace testsupport {

TemporarySettings::TemporarySettings()
{
    if (qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        m_previousConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
}

TemporarySettings::~TemporarySettings()
{
    if (m_previousConfigHome)
        qputenv("XDG_CONFIG_HOME", *m_previousConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TemporarySettings::filePath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("PELLORY.conf"));
}

QString TemporarySettings::value(const QString &key) const
{
    QSettings store(filePath(), QSettings::IniFormat);
    return store.value(QStringLiteral("STARTUP/") + key).toString();
}

void TemporarySettings::setValue(const QString &key, const QString &text)
{
    QSettings store(filePath(), QSettings::IniFormat);
    store.setValue(QStringLiteral("STARTUP/") + key, text);
}

} // namespace testsupport
