#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace runtime {

// Text-to-value conversions as the runtime does them. Each raises Type
// mismatch for text it does not recognise and Overflow for a value out of the
// target's range.

// "True"/"False" in any letter case, "#TRUE#"/"#FALSE#", or a number in any
// form toLong reads, of any size (non-zero is true); surrounding spaces and
// tabs are allowed.
bool toBoolean(const QString &text);

// A decimal number with an optional sign (before or after the digits) or in
// parentheses for a negative one, an optional dollar sign in front, thousands
// separators, an optional fraction and exponent, surrounded by optional
// spaces and tabs: "-5", "5-", "(5)", "$1,000.50", "1e3". Fractions round
// half to even; values outside the 32-bit range overflow. Or a hexadecimal
// "&HFF" or octal "&O17" number, a bit pattern of up to 32 bits, so
// "&HFFFFFFFF" is -1 and "&H8000000F" is -2147483633; a longer one overflows.
std::int32_t toLong(const QString &text);

// Parses a plain decimal number: digits with an optional fraction and an
// optional exponent and a leading sign. Returns nothing when the text is not
// such a number.
std::optional<double> parseDecimal(QStringView text);

// Rounds half to even, as every conversion to an integer type does.
double roundHalfEven(double value);

// The runtime's texts for a Boolean and an integer.
QString booleanText(bool value);
QString integerText(std::int64_t value);
// An integer with thousands separators (32,767), as messages to the staff write sizes and limits.
QString groupedIntegerText(std::int64_t value);

} // namespace runtime
