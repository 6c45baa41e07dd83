#pragma once

#include "catalogue/PriceTable.h"

#include <QByteArray>
#include <QString>

namespace catalogue {

inline constexpr auto PriceFileName = "BrandsPrices.txt";
// The most records a price file may hold: the record counter is a 16-bit Integer.
inline constexpr int MaxRecords = 32767;

// The price file beside the program.
QString priceFilePath(const QString &programFolder);

// Reads a price file: records of a brand name and five prices, one record per
// line, read with the runtime's sequential-input rules. Raises the numbered
// run-time error of the first failure, carrying the path and line: File not
// found (and the like) when it cannot be opened, Overflow for a price outside
// 16 bits or a record beyond the 32767th, Type mismatch for a price that is
// not a number, Input past end of file for a record cut short.
Catalogue readPriceFile(const QString &path);
Catalogue parsePriceFile(const QByteArray &bytes, const QString &path = {});

// The message shown when the price file cannot be loaded: the program's own
// texts for a missing file or an unexpected error, then the error itself.
QString priceFileFailureExplanation(int errorNumber);

} // namespace catalogue
