#pragma once

#include "runtime/Currency.h"

#include <QLocale>
#include <QString>

namespace runtime {

// The runtime's Format for number patterns such as "$ ##,###.00":
// - `0` is a digit or a zero, `#` a digit or nothing; integer digits beyond
//   the placeholders are all shown;
// - a `,` between digit placeholders groups the whole integer part by thousands;
// - `.` marks the decimal point, followed by a fixed number of decimals,
//   rounded half away from zero;
// - every other character is copied literally ("\x" and "quoted text" too);
// - a negative value gets a minus sign before its first digit.
// Grouping and decimal characters come from `locale`.
QString format(Currency value, QStringView pattern, const QLocale &locale = QLocale());

} // namespace runtime
