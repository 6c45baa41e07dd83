#include "runtime/DateText.h"

namespace runtime {

namespace {

// The runtime's own text in the United States and in the C locale, where
// Qt's formats (a two-digit year, or "4 Jul 2010 15:05:09") would differ.
constexpr auto UnitedStatesDate = "M/d/yyyy";
constexpr auto UnitedStatesTime = "h:mm:ss AP";

bool usesUnitedStatesText(const QLocale &locale)
{
    return locale.language() == QLocale::C
        || (locale.language() == QLocale::English && locale.territory() == QLocale::UnitedStates);
}

// Copies a quoted literal of a Qt date format ('' is a quote inside one)
// starting at `i`, and returns the index after it.
qsizetype copyQuoted(const QString &format, qsizetype i, QString &out)
{
    out += format.at(i++);
    while (i < format.size()) {
        const QChar c = format.at(i++);
        out += c;
        if (c == u'\'') {
            if (i < format.size() && format.at(i) == u'\'') {
                out += format.at(i++);
                continue;
            }
            break;
        }
    }
    return i;
}

qsizetype runEnd(const QString &format, qsizetype i)
{
    const QChar c = format.at(i);
    while (i < format.size() && format.at(i) == c)
        ++i;
    return i;
}

QString withFourDigitYear(const QString &format)
{
    QString out;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            i = copyQuoted(format, i, out);
        } else if (c == u'y') {
            const qsizetype end = runEnd(format, i);
            out += end - i == 2 ? QStringLiteral("yyyy") : format.mid(i, end - i);
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// Drops the time-zone field, with the blank that separates it from the time
// (or, when it comes first, the blank after it) and parentheses around it.
QString withoutTimeZone(const QString &format)
{
    QString out;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            i = copyQuoted(format, i, out);
            continue;
        }
        if (c != u't') {
            out += c;
            ++i;
            continue;
        }
        i = runEnd(format, i);
        if (out.endsWith(u'(') && i < format.size() && format.at(i) == u')') {
            out.chop(1);
            ++i;
        }
        const qsizetype before = out.size();
        while (!out.isEmpty() && out.back().isSpace())
            out.chop(1);
        if (out.size() == before) {
            while (i < format.size() && format.at(i).isSpace())
                ++i;
        }
    }
    return out.trimmed();
}

} // namespace

QString dateTimeText(const QDateTime &when, const QLocale &locale)
{
    if (!when.isValid())
        return {};
    const QTime time = when.time();
    const bool midnight = time.hour() == 0 && time.minute() == 0 && time.second() == 0;

    if (usesUnitedStatesText(locale)) {
        const QString date = locale.toString(when.date(), QString::fromLatin1(UnitedStatesDate));
        if (midnight)
            return date;
        return date + u' ' + locale.toString(time, QString::fromLatin1(UnitedStatesTime));
    }

    const QString date = locale.toString(when.date(), withFourDigitYear(locale.dateFormat(QLocale::ShortFormat)));
    if (midnight)
        return date;
    return date + u' ' + locale.toString(time, withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

} // namespace runtime
