#pragma once

#include <QString>
#include <QStringView>

namespace runtime {

// Text from a price file or a file name reaches a terminal, a log and the
// brand list. Some characters do not show as themselves there: control
// characters; format characters, such as the bidirectional overrides
// (U+202E turns the rest of a line around) and the zero-width spaces and
// joiners (U+200B, U+2060); and the line and paragraph separators (U+2028,
// U+2029). Two names that differ only by them look alike.
bool isInvisibleCharacter(QChar c);

// The text without those characters: what a reader sees of it.
QString withoutInvisibleCharacters(QStringView text);

// The text with each of those characters written out as an escape, \xHH
// below U+0100 and \uHHHH above, and each byte of a file name that is not
// valid UTF-8 (see NativePath.h) as \xHH; so the text stays one line and
// reads as it is.
QString escapedInvisibleCharacters(QStringView text);

} // namespace runtime
