#pragma once

#include "catalogue/PriceTable.h"
#include "runtime/Currency.h"

#include <QLocale>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace quote {

inline const QString NoBrandMessage = QStringLiteral("You must select a brand of sneakers");
inline const QString NoItemMessage = QStringLiteral("You must select one or more types of sneakers.");
inline const QString NoPairsMessage = QStringLiteral(" You must select at leat 1 pair of sneakers.");

// The customer's selections as the window holds them when "Calculate" is pressed.
struct Selection
{
    QString brandText;
    int brandIndex = -1;
    std::array<int, catalogue::ItemCount> checkValues{};
    bool pairsChosen = false;
    std::int16_t pairs = 0;
};

// What "Calculate" tells the customer: the validation messages, in the order
// they are shown, and the total when the selections got that far.
struct Outcome
{
    QStringList messages;
    std::optional<runtime::Currency> total;
};

// Validates the selections and prices them. A message about missing items
// does not stop the calculation; a missing brand or pairs choice does. An
// item's amount is its price times its check value as a 16-bit product; the
// amounts are added in currency and multiplied by the pairs. A brand outside
// the table raises Subscript out of range, a product outside 16 bits Overflow.
Outcome calculate(const Selection &selection, const catalogue::PriceTable &prices);

// "The cost of the selected sneaker(s) is $ 1,234.00" in `locale`.
QString quoteCaption(runtime::Currency total, const QLocale &locale = QLocale());

} // namespace quote
