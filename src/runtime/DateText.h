#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace runtime {

// The runtime's default text of a date and time: the locale's short date with
// a four-digit year, a space, and the long time without a time zone. In the
// English (United States) locale, and in the C locale, that reads
// "7/4/2010 3:05:09 PM". As in the runtime, midnight shows the date alone.
QString dateTimeText(const QDateTime &when, const QLocale &locale = QLocale());

} // namespace runtime
