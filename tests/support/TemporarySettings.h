#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <optional>

namespace testsupport {

// Points the settings store at a fresh temporary folder for one test, by
// setting XDG_CONFIG_HOME, which the store reads each time it opens, and puts
// the variable back as it was afterwards.
class TemporarySettings
{
public:
    TemporarySettings();
    ~TemporarySettings();
    TemporarySettings(const TemporarySettings &) = delete;
    TemporarySettings &operator=(const TemporarySettings &) = delete;

    QString filePath() const;
    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &text);

private:
    QTemporaryDir m_dir;
    std::optional<QByteArray> m_previousConfigHome;
};

} // namespace testsupport
