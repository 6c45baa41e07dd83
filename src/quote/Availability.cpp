#include "quote/Availability.h"

namespace quote {

namespace {

constexpr ItemAvailability Carried{true, false};
constexpr ItemAvailability NotCarried{false, true};
// Carried, but a tick made for the previous brand does not carry over.
constexpr ItemAvailability CarriedUnticked{true, true};

constexpr AvailabilityRow BasketballAndRunning{NotCarried, Carried, NotCarried, Carried, NotCarried};
constexpr AvailabilityRow WithFitness{NotCarried, Carried, CarriedUnticked, Carried, NotCarried};
constexpr AvailabilityRow WithWalking{NotCarried, Carried, NotCarried, Carried, Carried};
constexpr AvailabilityRow Everything{Carried, Carried, Carried, Carried, Carried};

} // namespace

AvailabilityRow availabilityFor(int listIndex)
{
    switch (listIndex) {
    case 1:
    case 6:
    case 7:
        return BasketballAndRunning;
    case 2:
        return WithFitness;
    case 5:
    case 8:
    case 9:
        return WithWalking;
    default:
        return Everything;
    }
}

} // namespace quote
