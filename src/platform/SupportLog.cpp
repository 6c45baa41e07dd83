#include "platform/SupportLog.h"

#include "platform/ErrorLog.h"
#include "platform/VisibleText.h"

#include <QDateTime>

namespace platform {

QString supportLogLine(const QDateTime &when, const QString &message)
{
    const QString time = when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
    return escapedInvisibleCharacters(QStringLiteral("%1 pellory: %2").arg(time, message));
}

void logForSupport(const QString &message)
{
    writeToStandardError(supportLogLine(QDateTime::currentDateTime(), message));
}

} // namespace platform
