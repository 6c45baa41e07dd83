#include "catalogue/SpreadsheetForms.h"

#include "catalogue/PriceTable.h"

#include <algorithm>

namespace catalogue {

namespace {

int countOutsideQuotes(QStringView line, char16_t wanted)
{
    bool quoted = false;
    int count = 0;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == wanted)
            ++count;
    }
    return count;
}

bool isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "1,234,567" but not "1,23" or ",123": a comma that could be a decimal
// mark must never be read as a thousands separator.
bool isGroupedInThousands(QStringView whole)
{
    const QList<QStringView> groups = whole.split(u',');
    if (groups.constFirst().size() > 3 || !isDigits(groups.constFirst()))
        return false;
    return std::all_of(groups.cbegin() + 1, groups.cend(),
                       [](QStringView group) { return group.size() == 3 && isDigits(group); });
}

QStringView takeSign(QStringView &text)
{
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        const QStringView sign = text.first(1);
        text = text.sliced(1).trimmed();
        return sign;
    }
    return {};
}

} // namespace

char16_t fieldSeparatorFor(QStringView firstLine)
{
    const int separators = ItemCount;
    const bool tabs = countOutsideQuotes(firstLine, u'\t') >= separators
        && countOutsideQuotes(firstLine, u',') < separators;
    return tabs ? u'\t' : u',';
}

bool separatesBySemicolons(QStringView line)
{
    const int semicolons = countOutsideQuotes(line, u';');
    return semicolons > 0 && semicolons >= countOutsideQuotes(line, u',');
}

std::optional<QString> plainAmount(QStringView text, bool thousandsSeparators)
{
    QStringView rest = text.trimmed();
    QStringView sign = takeSign(rest);
    const bool dollar = rest.startsWith(u'$');
    if (dollar) {
        rest = rest.sliced(1).trimmed();
        if (sign.isEmpty())
            sign = takeSign(rest);
    }
    const bool grouped = thousandsSeparators && rest.contains(u',');
    if ((!dollar && !grouped) || rest.isEmpty())
        return std::nullopt;
    if (grouped) {
        const qsizetype point = rest.indexOf(u'.');
        if (!isGroupedInThousands(point < 0 ? rest : rest.first(point)))
            return std::nullopt;
    }
    QString amount = sign.toString() + rest.toString();
    amount.remove(u',');
    return amount;
}

Heading headingOf(const QStringList &priceFields)
{
    if (priceFields.size() != ItemCount)
        return Heading::None;
    QStringList named;
    for (const QString &field : priceFields)
        named << field.trimmed().toCaseFolded();
    QStringList items;
    for (const QString &item : ItemNames)
        items << item.toCaseFolded();
    if (named == items)
        return Heading::ItemsInOrder;
    std::sort(named.begin(), named.end());
    std::sort(items.begin(), items.end());
    return named == items ? Heading::ItemsInAnotherOrder : Heading::None;
}

QString itemOrder()
{
    QStringList names(ItemNames.cbegin(), ItemNames.cend());
    return names.join(QStringLiteral(", "));
}

} // namespace catalogue
