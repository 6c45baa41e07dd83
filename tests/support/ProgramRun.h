#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testsupport {

// The environment a copy of the program starts in: this one's, with the
// settings folder `configHome` and the Qt platform `platform`.
QProcessEnvironment programEnvironment(const QString &configHome, const QString &platform = QStringLiteral("offscreen"));

enum class LineMatch { Start, Anywhere };

// The first of `expected` not found in `written` after the one found before
// it, or a null string when each is. A line is found where it starts, or
// stands anywhere in, a written line, as `match` says; one written ">text"
// must be the very next line, whole.
QString firstMissingInOrder(const QStringList &written, const QStringList &expected, LineMatch match);

} // namespace testsupport
