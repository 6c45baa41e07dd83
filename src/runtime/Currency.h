#pragma once

#include <cstdint>
// Needed for the defaulted <=> (clang insists); hidden from moc, which cannot
// parse the standard library's concepts that <compare> brings in.
#ifndef Q_MOC_RUN
#include <compare>
#endif

namespace runtime {

// The runtime's fixed-point money type: a signed 64-bit count of
// ten-thousandths, so whole-dollar sums are exact. Leaving the range raises
// Overflow.
class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static Currency fromWhole(std::int64_t dollars);
    static constexpr Currency fromTenThousandths(std::int64_t units) { return Currency(units); }

    constexpr std::int64_t tenThousandths() const { return m_units; }

    Currency operator+(Currency other) const;
    Currency operator*(std::int64_t factor) const;

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};

} // namespace runtime
