#include "staffpassword/PasswordRule.h"

#include <algorithm>

namespace staffpassword {

namespace {

constexpr qsizetype ShortestPassword = 6;
constexpr qsizetype LongestPassword = 12;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString passwordRuleProblem(const QString &password)
{
    if (password.isEmpty())
        return QStringLiteral("No password was given.");
    if (!std::all_of(password.cbegin(), password.cend(), isAsciiDigit))
        return QStringLiteral("The password may hold only the digits 0 to 9.");
    if (password.size() < ShortestPassword || password.size() > LongestPassword)
        return QStringLiteral("The password has %1 digits; it must have %2 to %3.")
            .arg(password.size())
            .arg(ShortestPassword)
            .arg(LongestPassword);
    return {};
}

} // namespace staffpassword
