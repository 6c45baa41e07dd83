#include "check/ReportText.h"

#include "catalogue/PriceTable.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "runtime/VisibleText.h"

#include <QDir>

#include <algorithm>

namespace check {

namespace {

// Longer names run past their column rather than being cut.
constexpr int WidestNameColumn = 32;

// Text from the file goes to a terminal: control characters (a line end inside
// quotes, an escape sequence) would break the columns or drive the terminal.
QString printable(const QString &text)
{
    QString shown = text;
    for (QChar &c : shown) {
        if (runtime::isInvisibleCharacter(c))
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

QString quotedName(const QString &name)
{
    return u'"' + printable(name) + u'"';
}

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return count == 1 ? QStringLiteral("1 %1").arg(one) : QStringLiteral("%1 %2").arg(count).arg(many);
}

QString where(int line)
{
    return line > 0 ? QStringLiteral("Line %1").arg(line) : QStringLiteral("File");
}

QString warningSentence(const Warning &warning)
{
    const QString name = quotedName(warning.name);
    switch (warning.kind) {
    case Warning::OfferedWithoutPrice:
        return QStringLiteral("%1: %2 is offered at position %3, but its price is %4.")
            .arg(name, catalogue::ItemNames[warning.item]).arg(warning.position).arg(warning.price);
    case Warning::PriceOfGreyedItem:
        return QStringLiteral("%1: %2 is greyed at position %3, so its price %4 can never be quoted.")
            .arg(name, catalogue::ItemNames[warning.item]).arg(warning.position).arg(warning.price);
    case Warning::SameName:
        return QStringLiteral("%1 is the same name as on line %2; customers see it twice in the list.")
            .arg(name).arg(warning.earlierLine);
    case Warning::BlanksAroundName:
        return QStringLiteral("%1 has blanks inside its quotes at the start or end; the list shows them.")
            .arg(name);
    case Warning::ReadAsWindows1252:
        return QStringLiteral("%1 is not valid UTF-8, so it was read as Windows-1252: check that accented "
                              "letters in the names look right.")
            .arg(warning.name.isEmpty() ? QStringLiteral("The file") : printable(warning.name));
    case Warning::RoundedPrice:
        return QStringLiteral("%1: %2 %3 will be quoted as $%4.")
            .arg(name, catalogue::ItemNames[warning.item], printable(warning.written),
                 runtime::groupedIntegerText(warning.price));
    }
    return {};
}

QStringList faultLines(const PriceFileReport &report)
{
    int lineWidth = 4;
    for (const catalogue::LineFault &fault : report.faults)
        lineWidth = std::max(lineWidth, int(QString::number(fault.line).size()));

    // A file that cannot be read at all has no line to point at.
    const bool aboutLines = report.faults.constFirst().line > 0;
    QStringList lines{aboutLines ? QStringLiteral("The kiosk will refuse this file. Fix these lines, then check again:")
                                 : QStringLiteral("The kiosk will refuse this file:"),
                      QString(),
                      QStringLiteral("  %1  Error  What is wrong").arg(QStringLiteral("Line"), lineWidth)};
    for (const catalogue::LineFault &fault : report.faults) {
        const QString line = fault.line > 0 ? QString::number(fault.line) : QStringLiteral("-");
        lines << QStringLiteral("  %1  %2  %3")
                     .arg(line, lineWidth)
                     .arg(fault.errorNumber, 5)
                     .arg(printable(fault.sentence.isEmpty() ? runtime::errorDescription(fault.errorNumber)
                                                             : fault.sentence));
    }
    if (report.moreFaults)
        lines << QString()
              << QStringLiteral("Checking stopped after %1 faulty lines; the file holds more.").arg(report.faults.size());
    return lines;
}

QStringList brandTable(const PriceFileReport &report)
{
    if (report.rows.isEmpty())
        return {QStringLiteral("The file holds no brands: the kiosk's brand list will be empty.")};

    int positionWidth = 3;
    int lineWidth = 4;
    int nameWidth = 5;
    for (const BrandRow &row : report.rows) {
        positionWidth = std::max(positionWidth, int(QString::number(row.position).size()));
        lineWidth = std::max(lineWidth, int(QString::number(row.line).size()));
        nameWidth = std::max(nameWidth, std::min(WidestNameColumn, int(printable(row.name).size())));
    }

    QString header = QStringLiteral("%1  %2  %3")
                         .arg(QStringLiteral("Pos"), positionWidth)
                         .arg(QStringLiteral("Line"), lineWidth)
                         .arg(QStringLiteral("Brand"), -nameWidth);
    for (const QString &item : catalogue::ItemNames)
        header += QStringLiteral("  ") + item;
    QStringList lines{header};

    for (const BrandRow &row : report.rows) {
        QString text = QStringLiteral("%1  %2  %3")
                           .arg(row.position, positionWidth)
                           .arg(row.line, lineWidth)
                           .arg(printable(row.name), -nameWidth);
        for (int item = 0; item < catalogue::ItemCount; ++item) {
            // An offered price keeps a blank where a greyed one has its closing bracket.
            const QString price = QString::number(row.prices[item]);
            text += QStringLiteral("  ")
                + QStringLiteral("%1").arg(row.offered[item] ? price + u' ' : u'[' + price + u']',
                                           int(catalogue::ItemNames[item].size()));
        }
        while (text.endsWith(u' '))
            text.chop(1);
        lines << text;
    }
    lines << QString()
          << QStringLiteral("A price in [brackets] is for an item the kiosk greys out for that brand: customers")
          << QStringLiteral("cannot choose it. Which items a brand offers depends on its position in the list")
          << QStringLiteral("(counted from 0, blank lines not counted), not on its name.");
    return lines;
}

QStringList warningLines(const QList<Warning> &warnings, bool kioskLoads)
{
    int whereWidth = 0;
    for (const Warning &warning : warnings)
        whereWidth = std::max(whereWidth, int(where(warning.line).size()));

    QStringList lines{kioskLoads ? QStringLiteral("Warnings (the kiosk still loads the file with these):")
                                 : QStringLiteral("Warnings:")};
    for (const Warning &warning : warnings)
        lines << QStringLiteral("  %1  %2").arg(where(warning.line), -whereWidth).arg(warningSentence(warning));
    return lines;
}

QString verdict(const PriceFileReport &report)
{
    if (report.kioskLoads()) {
        const QString warnings = report.warnings.isEmpty()
            ? QStringLiteral("no warnings")
            : counted(report.warnings.size(), QStringLiteral("warning"), QStringLiteral("warnings"));
        return QStringLiteral("The kiosk will load this file: %1, %2.")
            .arg(counted(report.rows.size(), QStringLiteral("brand"), QStringLiteral("brands")), warnings);
    }
    const qsizetype faultyLines = std::count_if(report.faults.cbegin(), report.faults.cend(),
                                                [](const catalogue::LineFault &fault) { return fault.line > 0; });
    if (faultyLines == 0) {
        const catalogue::LineFault &fault = report.faults.constFirst();
        return QStringLiteral("The kiosk will refuse this file (error %1).").arg(fault.errorNumber);
    }
    const QString count = counted(faultyLines, QStringLiteral("faulty line"), QStringLiteral("faulty lines"));
    return QStringLiteral("The kiosk will refuse this file: %1%2.")
        .arg(count, report.moreFaults ? QStringLiteral(" and more") : QString());
}

} // namespace

QStringList reportText(const PriceFileReport &report)
{
    QStringList lines{QStringLiteral("Price file: %1").arg(printable(QDir::toNativeSeparators(report.path))),
                      QString()};
    if (report.headingLine > 0)
        lines << QStringLiteral("Line %1 is a heading row naming the five items; the kiosk passes over it.")
                     .arg(report.headingLine)
              << QString();
    lines << (report.kioskLoads() ? brandTable(report) : faultLines(report));
    if (!report.warnings.isEmpty())
        lines << QString() << warningLines(report.warnings, report.kioskLoads());
    lines << QString() << verdict(report);
    return lines;
}

} // namespace check
