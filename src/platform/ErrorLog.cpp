#include "platform/ErrorLog.h"

#include "platform/RuntimeError.h"
#include "platform/VisibleText.h"

#include <QDateTime>
#include <QDir>

#include <cstdio>

namespace platform {

namespace {

QString escapeControlCharacters(const QString &text)
{
    return platform::escapedInvisibleCharacters(text);
}

} // namespace

QString errorLogLine(const QDateTime &when, const RuntimeError &error)
{
    const QString time = when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
    QString line = QStringLiteral("%1 pellory: Run-time error %2: %3").arg(time).arg(error.number()).arg(error.description());
    if (!error.path().isEmpty()) {
        line += QStringLiteral(": ") + QDir::toNativeSeparators(error.path());
        if (error.line() > 0)
            line += QLatin1Char(':') + QString::number(error.line());
    }
    return escapeControlCharacters(line);
}

void writeToStandardError(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace platform
