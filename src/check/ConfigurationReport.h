#pragma once

#include "configuration/ShopConfiguration.h"

#include <QStringList>

namespace check {

// The kiosk's settings as staff read them in a terminal: the file, every
// setting in effect, and the lines the kiosk did not understand.
QStringList configurationReportText(const configuration::ConfigurationReading &reading);

} // namespace check
