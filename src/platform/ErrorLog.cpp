#include "platform/ErrorLog.h"

#include "platform/RuntimeError.h"

#include <QDateTime>
#include <QDir>

#include <cstdio>

namespace platform {

namespace {

QString escapeControlCharacters(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

QString logLine(const QDateTime &when, const QString &message)
{
    const QString time = when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
    return escapeControlCharacters(QStringLiteral("%1 pellory: %2").arg(time, message));
}

QString errorLogLine(const QDateTime &when, const RuntimeError &error)
{
    QString message = QStringLiteral("Run-time error %1: %2").arg(error.number()).arg(error.description());
    if (!error.path().isEmpty()) {
        message += QStringLiteral(": ") + QDir::toNativeSeparators(error.path());
        if (error.line() > 0)
            message += QLatin1Char(':') + QString::number(error.line());
    }
    return logLine(when, message);
}

void writeToStandardError(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace platform
