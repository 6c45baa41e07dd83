// The settings file is plain text anyone can edit. Every stored text must
// convert or fall back to its default, never crash, and the fallbacks must
// agree with the conversions they stand on.

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "preferences/Preferences.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "settings invariant broken: %s\n", what);
    std::abort();
}

// The conversion's value, or the error number it raised.
template <typename Convert>
auto attempt(Convert convert, const QString &text, int *errorNumber) -> std::optional<decltype(convert(text))>
{
    *errorNumber = 0;
    try {
        return convert(text);
    } catch (const runtime::RuntimeError &error) {
        *errorNumber = error.number();
        if (error.number() != int(runtime::ErrorNumber::TypeMismatch)
            && error.number() != int(runtime::ErrorNumber::Overflow))
            fail("conversion raised an error other than Type mismatch or Overflow");
        return std::nullopt;
    } catch (...) {
        fail("conversion threw something other than a run-time error");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    int booleanError = 0;
    const std::optional<bool> boolean = attempt(runtime::toBoolean, text, &booleanError);
    if (preferences::dateDisplayFromText(text) != boolean.value_or(false))
        fail("DateDisplay fallback differs from the Boolean conversion");

    int longError = 0;
    const std::optional<std::int32_t> whole = attempt(runtime::toLong, text, &longError);
    if (preferences::backColorFromText(text) != whole.value_or(runtime::SystemButtonFace))
        fail("BackColor fallback differs from the Long conversion");

    // Whatever the program writes back must read back as the same value.
    if (whole && preferences::backColorFromText(runtime::integerText(*whole)) != *whole)
        fail("a stored colour does not read back");
    if (boolean && preferences::dateDisplayFromText(runtime::booleanText(*boolean)) != *boolean)
        fail("a stored clock choice does not read back");
    return 0;
}
