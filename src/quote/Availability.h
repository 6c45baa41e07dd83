#pragma once

#include "catalogue/PriceTable.h"

#include <array>

namespace quote {

// What selecting a brand does to one sneaker item's check box.
struct ItemAvailability
{
    bool enabled = true;
    bool clearTick = false;

    friend bool operator==(const ItemAvailability &, const ItemAvailability &) = default;
};

using AvailabilityRow = std::array<ItemAvailability, catalogue::ItemCount>;

// Which items the brand at `listIndex` carries. The rules are keyed by the
// brand's position in the price file, not by its name; -1 (no brand) and
// every position without a rule of its own enable all items.
AvailabilityRow availabilityFor(int listIndex);

} // namespace quote
