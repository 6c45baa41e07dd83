#include "runtime/SequentialInput.h"

#include "runtime/Conversions.h"
#include "runtime/FileSizeLimit.h"
#include "runtime/TextDecoding.h"

#include <optional>

namespace runtime {

namespace {

constexpr char16_t EndOfData = 0x1A;

bool isLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// CR LF is one line end: the CR at `i` ends no line when a LF follows it.
bool isCrBeforeLf(const QChar *data, qsizetype i, qsizetype end)
{
    return data[i] == u'\r' && i + 1 < end && data[i + 1] == u'\n';
}

// True when the character at `i` ends a line, counting CR LF once.
bool endsLine(const QChar *data, qsizetype i, qsizetype end)
{
    return isLineEnd(data[i].unicode()) && !isCrBeforeLf(data, i, end);
}

// A tab is a blank unless it separates the fields.
template <char16_t Separator>
constexpr bool isBlankBetween(char16_t c)
{
    return c == u' ' || (Separator != u'\t' && c == u'\t');
}

qsizetype countLineEnds(const QChar *data, qsizetype from, qsizetype to)
{
    qsizetype count = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (endsLine(data, i, to))
            ++count;
    }
    return count;
}

} // namespace

SequentialInput::SequentialInput(QString text, QString path)
    : m_text(std::move(text))
    , m_path(std::move(path))
{
    const qsizetype endOfData = m_text.indexOf(QChar(EndOfData));
    m_end = endOfData < 0 ? m_text.size() : endOfData;
}

SequentialInput SequentialInput::fromBytes(const QByteArray &bytes, const QString &path, qint64 maxBytes)
{
    if (maxBytes >= 0 && bytes.size() > maxBytes)
        raiseTooLarge(path, bytes.size(), maxBytes);
    ShopTextEncoding encoding = ShopTextEncoding::Utf8;
    SequentialInput input(decodeShopText(bytes, &encoding), path);
    input.m_encoding = encoding;
    return input;
}

void SequentialInput::useSpreadsheetRules(char16_t separator)
{
    m_separator = separator;
    m_blankTab = separator == u'\t' ? u' ' : u'\t';
    m_doubledQuotes = true;
}

QString SequentialInput::Field::withSingleQuotes() const
{
    return text.toString().replace(QLatin1String("\"\""), QLatin1String("\""));
}

bool SequentialInput::atEndOfRecords()
{
    const QChar *data = m_text.constData();
    const bool lineStart = atLineStart();
    qsizetype pos = m_pos;
    int line = m_line;
    for (;;) {
        while (pos < m_end && isBlank(data[pos].unicode()))
            ++pos;
        if (pos >= m_end) {
            m_pos = m_end;
            m_line = line;
            return true;
        }
        if (!isLineEnd(data[pos].unicode()))
            return false;
        if (isCrBeforeLf(data, pos, m_end))
            ++pos;
        ++pos;
        ++line;
        // The rest of a line whose fields were only partly read is still an
        // empty field to the next read (a trailing comma shifts the fields
        // that follow); only whole blank lines are skipped.
        if (lineStart) {
            m_pos = pos;
            m_line = line;
        }
    }
}

namespace {

// Most prices are plain whole numbers: read those directly, without the
// general decimal conversion. Returns nothing for any other form.
std::optional<int> plainWholeNumber(QStringView text)
{
    qsizetype i = 0;
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        ++i;
    // Six digits hold every 16-bit value and cannot overflow an int.
    if (i == text.size() || text.size() - i > 6)
        return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

} // namespace

SequentialInput::IntegerValue SequentialInput::toIntegerAnyForm(const Field &field)
{
    const QStringView number = field.quoted ? field.text.trimmed() : field.text;
    if (number.isEmpty())
        return {};
    if (const std::optional<int> whole = plainWholeNumber(number)) {
        if (*whole > std::numeric_limits<std::int16_t>::max())
            return {0, IntegerFault::TooHigh};
        if (*whole < std::numeric_limits<std::int16_t>::min())
            return {0, IntegerFault::TooLow};
        return {static_cast<std::int16_t>(*whole), IntegerFault::None};
    }
    const std::optional<double> parsed = parseDecimal(number);
    if (!parsed)
        return {0, IntegerFault::NotANumber};
    const double value = roundHalfEven(*parsed);
    if (value > std::numeric_limits<std::int16_t>::max())
        return {0, IntegerFault::TooHigh};
    if (value < std::numeric_limits<std::int16_t>::min())
        return {0, IntegerFault::TooLow};
    // A NaN compares false both ways; no form parseDecimal reads yields one,
    // but it must never reach the cast.
    if (value != value)
        return {0, IntegerFault::NotANumber};
    return {static_cast<std::int16_t>(value), IntegerFault::None, value != *parsed};
}

// The field is a view into the loaded text: a number is converted at once,
// and only a text field is copied.
SequentialInput::Field SequentialInput::readField(FieldKind kind)
{
    return m_separator == u'\t' ? readFieldSeparatedBy<u'\t'>(kind) : readFieldSeparatedBy<u','>(kind);
}

// The separator is a constant here, so testing a character against the
// separator, the line ends and the blanks compiles to one test of a set.
template <char16_t Separator>
SequentialInput::Field SequentialInput::readFieldSeparatedBy(FieldKind kind)
{
    m_lineJustEnded = false;
    const QChar *data = m_text.constData();
    while (m_pos < m_end && isBlankBetween<Separator>(data[m_pos].unicode()))
        ++m_pos;
    const int startLine = m_line;
    if (m_pos >= m_end)
        return {QStringView(), false, true, FieldEnd::EndOfData, startLine};

    qsizetype start = m_pos;
    qsizetype length = 0;
    bool closed = true;
    bool escapedQuotes = false;
    const bool quoted = data[m_pos] == u'"';
    if (quoted) {
        start = m_pos + 1;
        qsizetype i = start;
        int lineEnds = 0;
        bool doubledQuotes = false;
        for (; i < m_end; ++i) {
            const char16_t c = data[i].unicode();
            if (c == u'"') {
                if (i + 1 >= m_end || data[i + 1] != u'"' || !m_doubledQuotes)
                    break;
                doubledQuotes = true;
                ++i;
                continue;
            }
            if (c == u'\0')
                failOnNul(i, startLine + lineEnds);
            if (endsLine(data, i, m_end))
                ++lineEnds;
        }
        length = i - start;
        m_line += lineEnds;
        escapedQuotes = doubledQuotes;
        // Without a closing quote the field runs to the end of the data.
        closed = i < m_end;
        m_pos = closed ? i + 1 : m_end;
    } else {
        const bool number = kind == FieldKind::Number;
        qsizetype i = start;
        for (; i < m_end; ++i) {
            const char16_t c = data[i].unicode();
            if (c == Separator || isLineEnd(c))
                break;
            if (number && isBlankBetween<Separator>(c)) {
                // A spreadsheet may write a blank between a dollar sign
                // and its amount; the amount belongs to the same field.
                if (!m_doubledQuotes || data[i - 1] != u'$')
                    break;
                while (i + 1 < m_end && isBlankBetween<Separator>(data[i + 1].unicode()))
                    ++i;
                continue;
            }
            if (c == u'\0')
                failOnNul(i, startLine);
        }
        m_pos = i;
        length = i - start;
        if (!number) {
            while (length > 0 && data[start + length - 1] == u' ')
                --length;
        }
    }

    while (m_pos < m_end && isBlankBetween<Separator>(data[m_pos].unicode()))
        ++m_pos;
    FieldEnd end = FieldEnd::NextField;
    if (m_pos >= m_end) {
        end = FieldEnd::EndOfData;
    } else if (data[m_pos] == Separator) {
        ++m_pos;
        end = FieldEnd::Comma;
    } else if (atLineEnd()) {
        consumeLineEnd();
        end = FieldEnd::LineEnd;
        m_lineJustEnded = true;
    }
    return {QStringView(data + start, length), quoted, closed, end, startLine, escapedQuotes};
}

// The position moves to the NUL first, so a reader that goes on after the
// fault goes on after the NUL's line, not inside a quoted field.
void SequentialInput::failOnNul(qsizetype at, int line)
{
    m_pos = at;
    m_line = line;
    fail(ErrorNumber::InputPastEndOfFile, line,
         QStringLiteral("Line %1 holds a NUL byte; save the file as plain text (UTF-8 or Windows-1252), "
                        "not UTF-16.").arg(line));
}

void SequentialInput::fail(ErrorNumber number, int line, const QString &detail) const
{
    throw RuntimeError(number).at(m_path, line).withDetail(detail);
}

bool SequentialInput::dataAfterEndMark() const
{
    const QChar *data = m_text.constData();
    for (qsizetype i = m_end + 1; i < m_text.size(); ++i) {
        const char16_t c = data[i].unicode();
        if (!isBlank(c) && !isLineEnd(c))
            return true;
    }
    return false;
}

void SequentialInput::passEndMark()
{
    if (m_end >= m_text.size())
        return;
    const QChar *data = m_text.constData();
    const bool markStartsLine = m_end == 0 || isLineEnd(data[m_end - 1].unicode());
    m_line += int(countLineEnds(data, m_pos, m_end));
    m_pos = m_end + 1;
    const qsizetype next = m_text.indexOf(QChar(EndOfData), m_pos);
    m_end = next < 0 ? m_text.size() : next;
    // A mark inside a line spoils the rest of that line; a mark that starts
    // a line is followed by a record of its own.
    if (!markStartsLine) {
        m_pos += restOfLine().size();
        if (atLineEnd())
            consumeLineEnd();
    }
}

QStringView SequentialInput::restOfLine() const
{
    const QChar *data = m_text.constData();
    qsizetype i = m_pos;
    while (i < m_end && !isLineEnd(data[i].unicode()))
        ++i;
    return QStringView(data + m_pos, i - m_pos);
}

QStringView SequentialInput::nextLineWithData() const
{
    const QChar *data = m_text.constData();
    qsizetype start = m_pos;
    for (;;) {
        qsizetype i = start;
        while (i < m_end && isBlank(data[i].unicode()))
            ++i;
        if (i >= m_end || !isLineEnd(data[i].unicode()))
            break;
        start = i + 1;
    }
    qsizetype end = start;
    while (end < m_end && !isLineEnd(data[end].unicode()))
        ++end;
    return QStringView(data + start, end - start);
}

void SequentialInput::readAgainFrom(const Mark &mark)
{
    m_pos = mark.position;
    m_line = mark.line;
    m_lineJustEnded = mark.lineJustEnded;
}

QStringView SequentialInput::lineFrom(const Mark &mark) const
{
    const QChar *data = m_text.constData();
    qsizetype end = mark.position;
    while (end < m_end && !isLineEnd(data[end].unicode()))
        ++end;
    return QStringView(data + mark.position, end - mark.position);
}

void SequentialInput::skipRestOfLine()
{
    if (m_lineJustEnded)
        return;
    m_pos += restOfLine().size();
    if (atLineEnd())
        consumeLineEnd();
    m_lineJustEnded = true;
}

// The data before the first end mark holds none, so one just before the
// position is a mark that was passed at the start of a line.
bool SequentialInput::atLineStart() const
{
    if (m_pos == 0)
        return true;
    const char16_t previous = m_text.constData()[m_pos - 1].unicode();
    return isLineEnd(previous) || previous == EndOfData;
}

bool SequentialInput::atLineEnd() const
{
    return m_pos < m_end && isLineEnd(m_text.constData()[m_pos].unicode());
}

void SequentialInput::consumeLineEnd()
{
    const QChar *data = m_text.constData();
    if (isCrBeforeLf(data, m_pos, m_end))
        ++m_pos;
    ++m_pos;
    ++m_line;
}

} // namespace runtime
