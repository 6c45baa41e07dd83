#include "check/ConfigurationReport.h"

#include <QDir>

namespace check {

QStringList configurationReportText(const configuration::ConfigurationReading &reading)
{
    const QString path = QDir::toNativeSeparators(reading.path);
    QStringList lines;
    if (!reading.found)
        lines << QStringLiteral("Settings file: %1 is not there, so every setting is at its default.").arg(path);
    else
        lines << QStringLiteral("Settings file: %1").arg(path);
    lines << QStringLiteral("Settings in effect:");
    QString section;
    for (const configuration::ConfigurationKey &key : configuration::configurationKeys()) {
        if (key.section != section) {
            section = key.section;
            lines << QStringLiteral("  [%1]").arg(section);
        }
        lines << QStringLiteral("  %1=%2").arg(key.name, key.show(reading.values));
    }
    if (!reading.faults.isEmpty()) {
        lines << QStringLiteral("Not understood (the kiosk uses the default there):");
        for (const configuration::ConfigurationFault &fault : reading.faults) {
            const QString where = fault.line > 0 ? QStringLiteral("Line %1").arg(fault.line) : QStringLiteral("File");
            lines << QStringLiteral("  %1  %2").arg(where, fault.sentence);
        }
    }
    return lines;
}

} // namespace check
