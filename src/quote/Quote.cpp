#include "quote/Quote.h"

#include "runtime/Format.h"
#include "runtime/Integer.h"

#include <algorithm>

namespace quote {

Outcome calculate(const Selection &selection, const catalogue::PriceTable &prices)
{
    Outcome outcome;
    if (selection.brandText.isEmpty()) {
        outcome.messages << NoBrandMessage;
        return outcome;
    }
    if (std::all_of(selection.checkValues.begin(), selection.checkValues.end(), [](int v) { return v == 0; }))
        outcome.messages << NoItemMessage;
    if (!selection.pairsChosen) {
        outcome.messages << NoPairsMessage;
        return outcome;
    }

    runtime::Currency sum;
    for (int item = 0; item < catalogue::ItemCount; ++item) {
        const std::int16_t amount = runtime::multiplyIntegers(
            prices.price(item, selection.brandIndex), runtime::toInteger(selection.checkValues[item]));
        sum = sum + runtime::Currency::fromWhole(amount);
    }
    outcome.total = sum * selection.pairs;
    return outcome;
}

QString quoteCaption(runtime::Currency total, const QLocale &locale)
{
    return QStringLiteral("The cost of the selected sneaker(s) is ") + runtime::format(total, u"$ ##,###.00", locale);
}

} // namespace quote
