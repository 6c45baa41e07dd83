#include "catalogue/PriceTable.h"

#include "runtime/RuntimeError.h"

namespace catalogue {

const std::vector<std::int16_t> &PriceTable::column(int item) const
{
    switch (item) {
    case CrossTrainers: return intCrossTrainersPrice;
    case Basketball: return intBasketballPrice;
    case Fitness: return intFitnessPrice;
    case Running: return intRunningPrice;
    case Walking: return intWalkingPrice;
    }
    runtime::raise(runtime::ErrorNumber::SubscriptOutOfRange);
}

std::int16_t PriceTable::price(int item, int brand) const
{
    const std::vector<std::int16_t> &prices = column(item);
    if (brand < 0 || std::size_t(brand) >= prices.size())
        runtime::raise(runtime::ErrorNumber::SubscriptOutOfRange);
    return prices.at(brand);
}

void PriceTable::append(const std::array<std::int16_t, ItemCount> &prices)
{
    intCrossTrainersPrice.push_back(prices[CrossTrainers]);
    intBasketballPrice.push_back(prices[Basketball]);
    intFitnessPrice.push_back(prices[Fitness]);
    intRunningPrice.push_back(prices[Running]);
    intWalkingPrice.push_back(prices[Walking]);
}

} // namespace catalogue
