#pragma once

#include <QString>

#include <exception>

namespace runtime {

// The numbered run-time errors the program can raise. Their numbers and texts
// are the ones staff know from the shop's earlier program.
enum class ErrorNumber : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    InternalError = 51,
    FileNotFound = 53,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
    ColorChooserCancelled = 32755,
};

QString errorDescription(int number);

class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorNumber number);

    int number() const { return m_number; }
    QString description() const { return errorDescription(m_number); }

    // Where the error happened, when it happened while reading a file.
    QString path() const { return m_path; }
    int line() const { return m_line; }
    RuntimeError &at(const QString &path, int line);

    // The program's own explanation, shown above the error number when set.
    QString explanation() const { return m_explanation; }
    RuntimeError &explainedAs(const QString &explanation);

    // One plain sentence for staff, shown below the error: what is wrong
    // there and what is expected instead.
    QString detail() const { return m_detail; }
    RuntimeError &withDetail(const QString &detail);

    const char *what() const noexcept override;

private:
    int m_number;
    QString m_path;
    int m_line = 0;
    QString m_explanation;
    QString m_detail;
    QByteArray m_what;
};

[[noreturn]] void raise(ErrorNumber number);

// The text of the message box that reports an error no handler trapped.
QString runtimeErrorReport(const RuntimeError &error);

} // namespace runtime
