#pragma once

#include "configuration/ShopConfiguration.h"

#include <QStringList>

namespace check {

// The kiosk's settings as staff read them in a terminal: the file, every
// setting in effect, the lines the kiosk did not understand, the settings
// given twice, and how many more of those there are than are listed.
QStringList configurationReportText(const configuration::ConfigurationReading &reading);

} // namespace check
