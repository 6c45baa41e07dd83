#include "check/PriceFileReport.h"

#include "runtime/VisibleText.h"
#include "quote/Availability.h"

#include <QFileInfo>
#include <QHash>

namespace check {

namespace {

BrandRow rowFor(const catalogue::PriceRecord &record, int position)
{
    BrandRow row{position, record.line, record.brand, record.prices, {}};
    const quote::AvailabilityRow availability = quote::availabilityFor(position);
    for (int item = 0; item < catalogue::ItemCount; ++item)
        row.offered[item] = availability[item].enabled;
    return row;
}

void addPriceWarnings(const BrandRow &row, const catalogue::PriceRecord &record, QList<Warning> &warnings)
{
    for (const catalogue::PriceRecord::RoundedPrice &rounded : record.rounded) {
        Warning warning{Warning::RoundedPrice, row.line, row.position, row.name, rounded.item,
                        row.prices[rounded.item]};
        warning.written = rounded.written;
        warnings.append(warning);
    }
    for (int item = 0; item < catalogue::ItemCount; ++item) {
        const int price = row.prices[item];
        if (row.offered[item] && price <= 0)
            warnings.append({Warning::OfferedWithoutPrice, row.line, row.position, row.name, item, price});
        else if (!row.offered[item] && price != 0)
            warnings.append({Warning::PriceOfGreyedItem, row.line, row.position, row.name, item, price});
    }
}

bool hasBlanksAround(const QString &name)
{
    return !name.isEmpty() && (name.front().isSpace() || name.back().isSpace());
}

// Names a customer could not tell apart in the list: blanks around them and
// characters that do not show are invisible, and capitals do not make
// another brand.
QString listedAs(const QString &name)
{
    return runtime::withoutInvisibleCharacters(name).trimmed().toCaseFolded();
}

} // namespace

PriceFileReport reportOn(const catalogue::PriceFileCheck &check)
{
    PriceFileReport report;
    report.path = check.path;
    report.faults = check.faults;
    report.moreFaults = check.moreFaults;
    report.headingLine = check.headingLine;

    if (report.kioskLoads()) {
        QHash<QString, int> firstLineOfName;
        for (int position = 0; position < check.records.size(); ++position) {
            const catalogue::PriceRecord &record = check.records.at(position);
            const BrandRow row = rowFor(record, position);
            report.rows.append(row);
            addPriceWarnings(row, record, report.warnings);

            const QString listed = listedAs(row.name);
            if (const auto earlier = firstLineOfName.constFind(listed); earlier != firstLineOfName.cend())
                report.warnings.append({Warning::SameName, row.line, position, row.name, -1, 0, *earlier});
            else
                firstLineOfName.insert(listed, row.line);
            if (record.quoted && hasBlanksAround(row.name))
                report.warnings.append({Warning::BlanksAroundName, row.line, position, row.name});
        }
    }
    if (check.readAsWindows1252)
        report.warnings.append(Warning{Warning::ReadAsWindows1252, 0, -1, QFileInfo(check.path).fileName()});
    return report;
}

} // namespace check
