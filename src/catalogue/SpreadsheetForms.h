#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace catalogue {

// How spreadsheets write a price list when they export it, and what the
// price file reader makes of each form.

// The field separator of a whole file, decided by its first line that holds
// more than blanks: tabs when that line has at least five tabs and fewer
// than five commas outside double quotes (a tab-delimited or "Unicode text"
// export; five separators make a record), commas otherwise, so a comma file
// padded with tabs stays one.
char16_t fieldSeparatorFor(QStringView firstLine);

// True when a line holds semicolons outside double quotes, at least as many
// as commas: an export whose field delimiter is a semicolon, where a comma
// may well be a decimal mark and no price can be read safely.
bool separatesBySemicolons(QStringView line);

// A price written as a spreadsheet shows currency: an optional sign and
// dollar sign with blanks around them, then the amount, with thousands
// separators when `thousandsSeparators` (inside double quotes, or in a
// tab-separated file, where a comma is no field separator). Gives the plain
// number ("$1,234.50" gives "1234.50", "-$ 5" gives "-5"), or nothing when
// the text holds no dollar sign or separator or is not such an amount; a
// comma is a thousands separator only between groups of three digits.
std::optional<QString> plainAmount(QStringView text, bool thousandsSeparators);

// What the first record's five price fields say when they are words.
enum class Heading { None, ItemsInOrder, ItemsInAnotherOrder };
// Compares the fields with the item names, capitals and outer blanks ignored.
Heading headingOf(const QStringList &priceFields);

// The items in the order a price file gives their prices, for staff to read.
QString itemOrder();

} // namespace catalogue
