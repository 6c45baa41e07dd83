#pragma once

#include <QByteArray>
#include <QString>

namespace runtime {

enum class ShopTextEncoding { Utf8, Windows1252, Utf16LittleEndian, Utf16BigEndian };

// Text files written by shop staff: a file that starts with a UTF-16
// byte-order mark is UTF-16 of that byte order (a spreadsheet's "Unicode
// text"); valid UTF-8 (with or without a byte-order mark) is read as UTF-8;
// anything else as Windows-1252, the encoding older shop files were written
// in. The byte-order mark is dropped. `encoding`, when given, tells which
// was used.
QString decodeShopText(const QByteArray &bytes, ShopTextEncoding *encoding = nullptr);

QString decodeWindows1252(const QByteArray &bytes);

} // namespace runtime
