#pragma once

#include "runtime/OleColor.h"

#include <QString>

#include <cstdint>

namespace preferences {

inline const QString Application = QStringLiteral("PELLORY");
inline const QString Section = QStringLiteral("STARTUP");
inline const QString DateDisplayKey = QStringLiteral("DateDisplay");
inline const QString BackColorKey = QStringLiteral("BackColor");

// The two preferences the shop keeps from one run to the next.
struct StoredPreferences
{
    bool dateDisplay = false;
    // Until the shop chooses a colour, the window takes the system's button face.
    std::int32_t backColor = runtime::SystemButtonFace;
};

// Converts the stored texts. A value that does not convert falls back to its
// default: a damaged preference must not keep the shop's window from opening.
bool dateDisplayFromText(const QString &text);
std::int32_t backColorFromText(const QString &text);

StoredPreferences readPreferences();
// Each returns false when the store cannot be written; the choice then holds
// for this run only.
bool saveDateDisplay(bool shown);
bool saveBackColor(std::int32_t color);

} // namespace preferences
