#pragma once

#include "TemporaryPriceFile.h"
#include "TemporarySettings.h"
#include "WindowDriver.h"

#include <memory>

namespace testsupport {

// What the suites of the window share: a settings store of each test's own,
// the sample price list in a temporary folder, and the window under test. A
// suite derives from it beside QObject and calls it from its init and cleanup
// slots.
class WindowFixture
{
protected:
    WindowFixture();

    // A fresh, empty settings store.
    void freshSettings();
    // A new window on the sample prices, following `shop`, in place of any
    // window before it; false when it did not show.
    bool openWindow(const configuration::ShopConfiguration &shop = {});
    // The window closes before its settings store goes.
    void closeWindow();

    std::unique_ptr<TemporarySettings> settings;
    TemporaryPriceFile prices;
    std::unique_ptr<WindowDriver> driver;
};

} // namespace testsupport
