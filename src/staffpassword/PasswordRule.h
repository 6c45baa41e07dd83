#pragma once

#include <QString>

namespace staffpassword {

// The password every kiosk has until the shop sets its own.
inline const QString DefaultPassword = QStringLiteral("472916");

// What is wrong with a password a shop wants to set, or the empty text when
// it may be used. The shop's own password is 6 to 12 digits, so that the
// digit pad of a touchscreen can type it.
QString passwordRuleProblem(const QString &password);

} // namespace staffpassword
