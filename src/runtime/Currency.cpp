#include "runtime/Currency.h"

#include "runtime/RuntimeError.h"

#include <QtNumeric>

namespace runtime {

Currency Currency::fromWhole(std::int64_t dollars)
{
    std::int64_t units = 0;
    if (qMulOverflow(dollars, Scale, &units))
        raise(ErrorNumber::Overflow);
    return Currency(units);
}

Currency Currency::operator+(Currency other) const
{
    std::int64_t units = 0;
    if (qAddOverflow(m_units, other.m_units, &units))
        raise(ErrorNumber::Overflow);
    return Currency(units);
}

Currency Currency::operator*(std::int64_t factor) const
{
    std::int64_t units = 0;
    if (qMulOverflow(m_units, factor, &units))
        raise(ErrorNumber::Overflow);
    return Currency(units);
}

} // namespace runtime
