#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace runtime {

// File names on Linux are bytes, which need not be valid UTF-8 (a folder
// named "caf\xe9" by an older system). A path read from the system keeps such
// bytes as the characters U+DC80 to U+DCFF, which no valid UTF-8 text
// decodes to, so that it opens the very file the system named; Qt's own
// decoding would turn them into U+FFFD and open another file, or none.

// The path the system's bytes name, each byte that is not part of valid
// UTF-8 kept as U+DC80 + byte.
QString pathFromNative(QByteArrayView bytes);

// The system's bytes for a path: the inverse of pathFromNative().
QByteArray nativePath(QStringView path);

// A path to show to people: each byte that is not valid UTF-8 as \xHH.
QString displayedPath(QStringView path);

// True for the characters pathFromNative() keeps an undecodable byte in.
bool isUndecodableByte(QChar c);

} // namespace runtime
