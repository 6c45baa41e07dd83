#pragma once

#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

namespace catalogue {

// The five sneaker items, numbered as the check boxes, the price file's
// columns and the price arrays are.
inline constexpr int ItemCount = 5;
enum Item : int { CrossTrainers = 0, Basketball = 1, Fitness = 2, Running = 3, Walking = 4 };
// The items' names, as the check boxes and the staff's check of a price file show them.
inline const std::array<QString, ItemCount> ItemNames{
    QStringLiteral("Cross Trainers"), QStringLiteral("Basketball"), QStringLiteral("Fitness"),
    QStringLiteral("Running"), QStringLiteral("Walking"),
};

// Whole-dollar prices, one array per item, parallel to the brand list: entry i
// of every array belongs to the brand at position i.
struct PriceTable
{
    std::vector<std::int16_t> intCrossTrainersPrice;
    std::vector<std::int16_t> intBasketballPrice;
    std::vector<std::int16_t> intFitnessPrice;
    std::vector<std::int16_t> intRunningPrice;
    std::vector<std::int16_t> intWalkingPrice;

    qsizetype size() const { return qsizetype(intCrossTrainersPrice.size()); }
    // The price of `item` for the brand at `brand`; a position outside the
    // table raises Subscript out of range.
    std::int16_t price(int item, int brand) const;
    void append(const std::array<std::int16_t, ItemCount> &prices);

    const std::vector<std::int16_t> &column(int item) const;
};

// What a price file holds: the brand names in file order and their prices.
struct Catalogue
{
    QStringList brands;
    PriceTable prices;
    int roundedPrices = 0;  // prices the file writes with a fraction, quoted rounded to whole dollars
};

} // namespace catalogue
