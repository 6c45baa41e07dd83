#pragma once

#include <QString>

namespace testsupport {

// The system's button face, the colour every default falls back to, as the
// settings file stores it.
inline const QString ButtonFaceText = QStringLiteral("-2147483633");

} // namespace testsupport
