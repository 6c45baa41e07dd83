#pragma once

#include <QString>

#include <cstdint>

namespace testsupport {

// The system's button face, the colour every default falls back to: as the
// window holds the value, and as the settings file stores it.
inline constexpr std::int32_t ButtonFace = std::int32_t(0x8000000F);
inline const QString ButtonFaceText = QStringLiteral("-2147483633");

} // namespace testsupport
