#include "preferences/Preferences.h"

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "machine/SettingsStore.h"

namespace preferences {

using platform::settings::GetSetting;
using platform::settings::SaveSetting;

bool dateDisplayFromText(const QString &text)
{
    try {
        return platform::toBoolean(text);
    } catch (const platform::RuntimeError &) {
        return false;
    }
}

std::int32_t backColorFromText(const QString &text)
{
    try {
        return platform::toLong(text);
    } catch (const platform::RuntimeError &) {
        return platform::SystemButtonFace;
    }
}

StoredPreferences readPreferences()
{
    StoredPreferences stored;
    stored.dateDisplay = dateDisplayFromText(
        GetSetting(Application, Section, DateDisplayKey, platform::booleanText(false)));
    stored.backColor = backColorFromText(
        GetSetting(Application, Section, BackColorKey, platform::integerText(platform::SystemButtonFace)));
    return stored;
}

bool saveDateDisplay(bool shown)
{
    return SaveSetting(Application, Section, DateDisplayKey, platform::booleanText(shown));
}

bool saveBackColor(std::int32_t color)
{
    return SaveSetting(Application, Section, BackColorKey, platform::integerText(color));
}

} // namespace preferences
