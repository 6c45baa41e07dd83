#pragma once

#include "platform/RuntimeError.h"

#include <QString>

#include <cstdint>

namespace platform {

// A text file opened for sequential input, read one field at a time with the
// runtime's field rules:
// - fields are separated by commas or line ends; CR LF, LF alone and CR alone
//   each end a line;
// - spaces and tabs before a field are skipped;
// - a field that starts with a double quote runs to the next double quote
//   (commas and line ends inside belong to the text); the quotes are removed;
//   characters after the closing quote other than blanks, a comma or a line
//   end start the next field;
// - an unquoted text field runs to a comma or a line end, trailing spaces
//   removed; an unquoted numeric field also ends at a space or tab;
// - after a field, blanks, then one comma or one line end are consumed;
// - a Ctrl-Z byte (0x1A) marks the end of the data, as in old DOS files.
// Reading a field when no data is left raises "Input past end of file"; so
// does a NUL byte, which no text file written by hand contains.
// Errors raised while reading carry the file's path and the line number.
class SequentialInput
{
public:
    // Opens `path` for reading; raises File not found, Path not found or
    // Permission denied / Path/File access error when it cannot be read.
    static SequentialInput open(const QString &path);
    // Reads already loaded bytes, decoded as shop text (see TextDecoding.h).
    static SequentialInput fromBytes(const QByteArray &bytes, const QString &path = {});

    // True when nothing but blank or whitespace-only lines is left. Skips
    // those lines, so blank lines between or after records are no error.
    bool atEndOfRecords();
    // True when no data is left at all.
    bool atEnd() const;

    QString readText();
    // Reads a numeric field into a 16-bit Integer: an empty field reads as 0;
    // a quoted number is read as the number inside the quotes; a fraction
    // rounds half to even; a field that is not a number raises Type mismatch,
    // one outside -32768..32767 raises Overflow.
    std::int16_t readInteger();

    // The 1-based line the next field starts on.
    int lineNumber() const { return m_line; }
    QString path() const { return m_path; }

private:
    SequentialInput(QString text, QString path);

    enum class FieldKind { Text, Number };
    struct Field
    {
        QStringView text;
        bool quoted = false;
    };
    Field readField(FieldKind kind);
    [[noreturn]] void fail(ErrorNumber number, int line) const;
    void skipBlanks()
    {
        const QChar *data = m_text.constData();
        while (m_pos < m_end && (data[m_pos] == u' ' || data[m_pos] == u'\t'))
            ++m_pos;
    }
    void consumeLineEnd();
    bool atLineEnd() const;

    QString m_text;
    QString m_path;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    int m_line = 1;
};

} // namespace platform
