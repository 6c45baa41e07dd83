#include "catalogue/PriceTable.h"

#include "platform/RuntimeError.h"

namespace catalogue {

const QList<std::int16_t> &PriceTable::column(int item) const
{
    switch (item) {
    case CrossTrainers: return intCrossTrainersPrice;
    case Basketball: return intBasketballPrice;
    case Fitness: return intFitnessPrice;
    case Running: return intRunningPrice;
    case Walking: return intWalkingPrice;
    }
    platform::raise(platform::ErrorNumber::SubscriptOutOfRange);
}

std::int16_t PriceTable::price(int item, int brand) const
{
    const QList<std::int16_t> &prices = column(item);
    if (brand < 0 || brand >= prices.size())
        platform::raise(platform::ErrorNumber::SubscriptOutOfRange);
    return prices.at(brand);
}

void PriceTable::append(const std::array<std::int16_t, ItemCount> &prices)
{
    intCrossTrainersPrice.append(prices[CrossTrainers]);
    intBasketballPrice.append(prices[Basketball]);
    intFitnessPrice.append(prices[Fitness]);
    intRunningPrice.append(prices[Running]);
    intWalkingPrice.append(prices[Walking]);
}

} // namespace catalogue
