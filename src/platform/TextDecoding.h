#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Text files written by shop staff come in two encodings: valid UTF-8 (with or
// without a byte-order mark) is read as UTF-8, anything else as Windows-1252,
// the encoding older shop files were written in. The byte-order mark is dropped.
// `readAsWindows1252`, when given, tells which of the two was used.
QString decodeShopText(const QByteArray &bytes, bool *readAsWindows1252 = nullptr);

QString decodeWindows1252(const QByteArray &bytes);

} // namespace platform
