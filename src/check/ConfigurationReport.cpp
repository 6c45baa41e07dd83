#include "check/ConfigurationReport.h"

#include "runtime/VisibleText.h"

#include <QDir>

namespace check {

namespace {

void listNotes(QStringList &lines, const QString &heading, const QList<configuration::ConfigurationFault> &notes)
{
    if (notes.isEmpty())
        return;
    lines << heading;
    for (const configuration::ConfigurationFault &note : notes) {
        const QString where = note.line > 0 ? QStringLiteral("Line %1").arg(note.line) : QStringLiteral("File");
        lines << QStringLiteral("  %1  %2").arg(where, note.sentence);
    }
}

} // namespace

QStringList configurationReportText(const configuration::ConfigurationReading &reading)
{
    const QString path = runtime::escapedInvisibleCharacters(QDir::toNativeSeparators(reading.path));
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
    listNotes(lines, QStringLiteral("Not understood (the kiosk uses the default there):"), reading.faults);
    listNotes(lines, QStringLiteral("Warnings (the kiosk uses the settings above):"), reading.warnings);
    if (const QString unlisted = configuration::unlistedText(reading); !unlisted.isEmpty())
        lines << unlisted;
    return lines;
}

} // namespace check
