#pragma once

#include "runtime/RuntimeError.h"
#include "runtime/TextDecoding.h"

#include <QString>

#include <cstdint>

namespace runtime {

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
// Spreadsheet rules (useSpreadsheetRules) change two of these: a quote mark
// written twice inside a quoted field is one quote mark of the text, and the
// fields may be separated by tabs instead of commas (a tab then is no blank).
// A NUL byte, which no text file written by hand contains, raises "Input
// past end of file".
// Errors raised while reading carry the file's path and the line number.
class SequentialInput
{
public:
    // No limit on the size of what is read.
    static constexpr qint64 AnySize = -1;

    // Reads loaded bytes, decoded as shop text (see TextDecoding.h); raises
    // Overflow when there are more than `maxBytes` of them. Opening a file is
    // the machine's part (see machine/SequentialFile.h).
    static SequentialInput fromBytes(const QByteArray &bytes, const QString &path = {},
                                     qint64 maxBytes = AnySize);

    // Reads on with spreadsheet rules, fields separated by `separator` (a
    // comma or a tab).
    void useSpreadsheetRules(char16_t separator);
    char16_t fieldSeparator() const { return m_separator; }

    // True when nothing but blank or whitespace-only lines is left. Skips
    // those lines, so blank lines between or after records are no error.
    bool atEndOfRecords();

    // What follows a field once the blanks after it are skipped.
    enum class FieldEnd : std::uint8_t {
        Comma,     // consumed
        LineEnd,   // consumed
        EndOfData,
        NextField, // the next field starts right here, after a closing quote or a blank
    };
    struct Field
    {
        QStringView text;      // a view into the loaded text, valid while the input lives
        bool quoted = false;
        bool closed = true;    // false for a quoted field whose closing quote never came
        FieldEnd end = FieldEnd::EndOfData;
        int line = 0;          // the line the field starts on
        bool doubledQuotes = false; // `text` holds quote marks written twice, as spreadsheet rules read them

        // The field's text, a doubled quote mark read as one.
        QString toString() const { return doubledQuotes ? withSingleQuotes() : text.toString(); }

    private:
        QString withSingleQuotes() const;
    };
    // Read one field with the rules above, for readers that check a record's
    // layout themselves; only a NUL byte raises an error here. At the end of
    // the data they give an empty field that ends there.
    Field readTextField() { return readField(FieldKind::Text); }
    Field readNumberField() { return readField(FieldKind::Number); }

    enum class IntegerFault : std::uint8_t { None, NotANumber, TooHigh, TooLow };
    struct IntegerValue
    {
        std::int16_t value = 0;
        IntegerFault fault = IntegerFault::None;
        bool rounded = false;   // the field held a fraction that rounding took away
    };
    // Converts a numeric field into a 16-bit Integer: an empty field reads
    // as 0; a quoted number is read as the number inside the quotes; a
    // fraction rounds half to even. The fault says why a field is none; the
    // reader of the file decides which error that is.
    // Most prices are one to four plain digits, read here at once; every
    // other form goes the long way.
    static IntegerValue toInteger(const Field &field)
    {
        const qsizetype size = field.text.size();
        if (field.quoted || size == 0 || size > 4)
            return toIntegerAnyForm(field);
        int value = 0;
        for (const QChar c : field.text) {
            const unsigned digit = c.unicode() - unsigned(u'0');
            if (digit > 9)
                return toIntegerAnyForm(field);
            value = value * 10 + int(digit);
        }
        return {std::int16_t(value), IntegerFault::None};
    }

    // A Ctrl-Z ends the data quietly only when nothing but blanks and line
    // ends follows it; otherwise whatever follows would be lost unseen.
    bool dataAfterEndMark() const;
    // Goes on reading after the Ctrl-Z the data ends at, up to the next one.
    void passEndMark();

    // The rest of the current line, up to its line end.
    QStringView restOfLine() const;
    // The first line that holds more than blanks, from the current position on.
    QStringView nextLineWithData() const;

    // A place in the input to read again from, and what stands on its line
    // from there on.
    struct Mark
    {
        qsizetype position = 0;
        int line = 1;
        bool lineJustEnded = false;
    };
    Mark mark() const { return {m_pos, m_line, m_lineJustEnded}; }
    void readAgainFrom(const Mark &mark);
    QStringView lineFrom(const Mark &mark) const;
    // Goes on at the start of the next line, unless the last field read
    // ended its line; so a reader that found a fault goes on with the line
    // after it.
    void skipRestOfLine();

    // The 1-based line the next field starts on.
    int lineNumber() const { return m_line; }
    QString path() const { return m_path; }
    ShopTextEncoding encoding() const { return m_encoding; }
    // The bytes were not valid UTF-8 and were read as Windows-1252.
    bool readAsWindows1252() const { return m_encoding == ShopTextEncoding::Windows1252; }

private:
    SequentialInput(QString text, QString path);

    enum class FieldKind { Text, Number };
    Field readField(FieldKind kind);
    template <char16_t Separator>
    Field readFieldSeparatedBy(FieldKind kind);
    static IntegerValue toIntegerAnyForm(const Field &field);
    [[noreturn]] Q_DECL_COLD_FUNCTION void failOnNul(qsizetype at, int line);
    [[noreturn]] void fail(ErrorNumber number, int line, const QString &detail = {}) const;
    bool isBlank(char16_t c) const { return c == u' ' || c == m_blankTab; }
    void consumeLineEnd();
    bool atLineEnd() const;
    bool atLineStart() const;

    QString m_text;
    QString m_path;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    int m_line = 1;
    bool m_lineJustEnded = false;
    ShopTextEncoding m_encoding = ShopTextEncoding::Utf8;
    char16_t m_separator = u',';
    // A tab where it counts as a blank; a space, which is one anyway, where
    // tabs separate the fields.
    char16_t m_blankTab = u'\t';
    bool m_doubledQuotes = false;
};

} // namespace runtime
