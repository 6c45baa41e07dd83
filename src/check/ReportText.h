#pragma once

#include "check/PriceFileReport.h"

#include <QStringList>

namespace check {

// The report as shop staff read it in a terminal: the faulty lines or the
// brand table in aligned columns, the warnings, and a one-line verdict last.
QStringList reportText(const PriceFileReport &report);

} // namespace check
