#include "machine/ErrorLog.h"

#include "runtime/RuntimeError.h"
#include "runtime/VisibleText.h"

#include <QDateTime>
#include <QDir>

#include <cstdio>

namespace machine {

QString logLine(const QDateTime &when, const QString &message)
{
    const QString time = when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
    return runtime::escapedInvisibleCharacters(QStringLiteral("%1 pellory: %2").arg(time, message));
}

void logForSupport(const QString &message)
{
    writeToStandardError(logLine(QDateTime::currentDateTime(), message));
}

QString errorLogText(const runtime::RuntimeError &error)
{
    QString message = QStringLiteral("Run-time error %1: %2").arg(error.number()).arg(error.description());
    if (!error.path().isEmpty()) {
        message += QStringLiteral(": ") + QDir::toNativeSeparators(error.path());
        if (error.line() > 0)
            message += QLatin1Char(':') + QString::number(error.line());
    }
    return message;
}

QString errorLogLine(const QDateTime &when, const runtime::RuntimeError &error)
{
    return logLine(when, errorLogText(error));
}

void writeToStandardError(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    // Whoever read standard error may be gone (a closed journal stream, a log
    // reader that quit): the line is lost, and the next one is tried afresh.
    std::clearerr(stderr);
}

} // namespace machine
