#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Text files written by shop staff come in two encodings: valid UTF-8 (with or
// without a byte-order mark) is read as UTF-8, anything else as Windows-1252,
// the encoding older shop files were written in. The byte-order mark is dropped.
QString decodeShopText(const QByteArray &bytes);

QString decodeWindows1252(const QByteArray &bytes);

} // namespace platform
