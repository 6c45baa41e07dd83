#pragma once

#include "runtime/RuntimeError.h"

#include <cstdint>
#include <limits>

namespace runtime {

// The runtime's 16-bit Integer: every result that leaves its range raises Overflow.
inline std::int16_t toInteger(std::int64_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raise(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(value);
}

inline std::int16_t multiplyIntegers(std::int16_t a, std::int16_t b)
{
    return toInteger(std::int64_t{a} * b);
}

} // namespace runtime
