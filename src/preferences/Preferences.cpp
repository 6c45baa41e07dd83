#include "preferences/Preferences.h"

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "machine/SettingsStore.h"

namespace preferences {

using machine::settings::GetSetting;
using machine::settings::SaveSetting;

bool dateDisplayFromText(const QString &text)
{
    try {
        return runtime::toBoolean(text);
    } catch (const runtime::RuntimeError &) {
        return false;
    }
}

std::int32_t backColorFromText(const QString &text)
{
    try {
        return runtime::toLong(text);
    } catch (const runtime::RuntimeError &) {
        return runtime::SystemButtonFace;
    }
}

StoredPreferences readPreferences()
{
    StoredPreferences stored;
    stored.dateDisplay = dateDisplayFromText(
        GetSetting(Application, Section, DateDisplayKey, runtime::booleanText(false)));
    stored.backColor = backColorFromText(
        GetSetting(Application, Section, BackColorKey, runtime::integerText(runtime::SystemButtonFace)));
    return stored;
}

bool saveDateDisplay(bool shown)
{
    return SaveSetting(Application, Section, DateDisplayKey, runtime::booleanText(shown));
}

bool saveBackColor(std::int32_t color)
{
    return SaveSetting(Application, Section, BackColorKey, runtime::integerText(color));
}

} // namespace preferences
