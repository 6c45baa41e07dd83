#include "runtime/RuntimeError.h"

#include "runtime/NativePath.h"

#include <QDir>

namespace runtime {

QString errorDescription(int number)
{
    switch (static_cast<ErrorNumber>(number)) {
    case ErrorNumber::Overflow: return QStringLiteral("Overflow");
    case ErrorNumber::SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case ErrorNumber::TypeMismatch: return QStringLiteral("Type mismatch");
    case ErrorNumber::InternalError: return QStringLiteral("Internal error");
    case ErrorNumber::FileNotFound: return QStringLiteral("File not found");
    case ErrorNumber::InputPastEndOfFile: return QStringLiteral("Input past end of file");
    case ErrorNumber::PermissionDenied: return QStringLiteral("Permission denied");
    case ErrorNumber::PathFileAccessError: return QStringLiteral("Path/File access error");
    case ErrorNumber::PathNotFound: return QStringLiteral("Path not found");
    case ErrorNumber::ColorChooserCancelled: return QStringLiteral("Cancel was selected.");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

RuntimeError::RuntimeError(ErrorNumber number)
    : m_number(static_cast<int>(number))
    , m_what(QStringLiteral("Run-time error %1: %2").arg(m_number).arg(description()).toUtf8())
{
}

RuntimeError &RuntimeError::at(const QString &path, int line)
{
    m_path = path;
    m_line = line;
    return *this;
}

RuntimeError &RuntimeError::explainedAs(const QString &explanation)
{
    m_explanation = explanation;
    return *this;
}

RuntimeError &RuntimeError::withDetail(const QString &detail)
{
    m_detail = detail;
    return *this;
}

const char *RuntimeError::what() const noexcept
{
    return m_what.constData();
}

void raise(ErrorNumber number)
{
    throw RuntimeError(number);
}

QString runtimeErrorReport(const RuntimeError &error)
{
    const QString standard = QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.description());
    if (error.explanation().isEmpty() && error.path().isEmpty() && error.detail().isEmpty())
        return standard;

    QStringList lines;
    if (!error.explanation().isEmpty())
        lines << error.explanation() << QString();
    lines << standard;
    if (!error.path().isEmpty()) {
        lines << QString() << QStringLiteral("File: %1").arg(displayedPath(QDir::toNativeSeparators(error.path())));
        if (error.line() > 0)
            lines << QStringLiteral("Line: %1").arg(error.line());
    }
    if (!error.detail().isEmpty())
        lines << QString() << error.detail();
    return lines.join(QLatin1Char('\n'));
}

} // namespace runtime
