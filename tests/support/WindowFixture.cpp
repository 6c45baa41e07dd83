#include "WindowFixture.h"

namespace testsupport {

WindowFixture::WindowFixture()
{
    prices.write(samplePrices());
}

void WindowFixture::freshSettings()
{
    settings = std::make_unique<TemporarySettings>();
}

bool WindowFixture::openWindow(const configuration::ShopConfiguration &shop)
{
    driver.reset();
    driver = std::make_unique<WindowDriver>(prices.path(), shop);
    return driver->loadAndShow();
}

void WindowFixture::closeWindow()
{
    driver.reset();
    settings.reset();
}

} // namespace testsupport
