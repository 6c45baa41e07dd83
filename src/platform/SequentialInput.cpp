#include "platform/SequentialInput.h"

#include "platform/Conversions.h"
#include "platform/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace platform {

namespace {

constexpr char16_t EndOfData = 0x1A;

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

SequentialInput::SequentialInput(QString text, QString path)
    : m_text(std::move(text))
    , m_path(std::move(path))
{
    const qsizetype endOfData = m_text.indexOf(QChar(EndOfData));
    m_end = endOfData < 0 ? m_text.size() : endOfData;
}

SequentialInput SequentialInput::open(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        const bool folderExists = path.isEmpty() || info.absoluteDir().exists();
        throw RuntimeError(folderExists ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound).at(path, 0);
    }
    // Only a regular file is read: a folder cannot be, and a device or pipe
    // could block or never end.
    if (!info.isFile())
        throw RuntimeError(ErrorNumber::PathFileAccessError).at(path, 0);
    if (!info.isReadable())
        throw RuntimeError(ErrorNumber::PermissionDenied).at(path, 0);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::PathFileAccessError).at(path, 0);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PathFileAccessError).at(path, 0);
    return fromBytes(bytes, path);
}

SequentialInput SequentialInput::fromBytes(const QByteArray &bytes, const QString &path)
{
    return SequentialInput(decodeShopText(bytes), path);
}

bool SequentialInput::atEnd() const
{
    return m_pos >= m_end;
}

bool SequentialInput::atEndOfRecords()
{
    const QChar *data = m_text.constData();
    const bool atLineStart = m_pos == 0 || isLineEnd(data[m_pos - 1].unicode());
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
        if (data[pos] == u'\r' && pos + 1 < m_end && data[pos + 1] == u'\n')
            ++pos;
        ++pos;
        ++line;
        // The rest of a line whose fields were only partly read is still an
        // empty field to the next read (a trailing comma shifts the fields
        // that follow); only whole blank lines are skipped.
        if (atLineStart) {
            m_pos = pos;
            m_line = line;
        }
    }
}

QString SequentialInput::readText()
{
    return readField(FieldKind::Text).text.toString();
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

std::int16_t SequentialInput::readInteger()
{
    // Blanks before the field never span lines, so this is the field's line.
    const int line = m_line;
    const Field field = readField(FieldKind::Number);
    const QStringView number = field.quoted ? field.text.trimmed() : field.text;
    if (number.isEmpty())
        return 0;
    const std::optional<int> whole = plainWholeNumber(number);
    double value = whole ? *whole : 0;
    if (!whole) {
        const std::optional<double> parsed = parseDecimal(number);
        if (!parsed)
            fail(ErrorNumber::TypeMismatch, line);
        value = roundHalfEven(*parsed);
    }
    if (!(value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max()))
        fail(ErrorNumber::Overflow, line);
    return static_cast<std::int16_t>(value);
}

// The field is a view into the loaded text: a number is converted at once,
// and only a text field is copied.
SequentialInput::Field SequentialInput::readField(FieldKind kind)
{
    skipBlanks();
    const int startLine = m_line;
    if (m_pos >= m_end) {
        // A record cut short at the end of the file is reported on its own
        // line, not on the empty line after its last line end.
        const bool endsWithLineEnd = m_end > 0 && isLineEnd(m_text.at(m_end - 1).unicode());
        fail(ErrorNumber::InputPastEndOfFile, endsWithLineEnd ? m_line - 1 : m_line);
    }

    const QChar *data = m_text.constData();
    qsizetype start = m_pos;
    qsizetype length = 0;
    const bool quoted = data[m_pos] == u'"';
    if (quoted) {
        start = m_pos + 1;
        qsizetype i = start;
        int lineEnds = 0;
        for (; i < m_end; ++i) {
            const char16_t c = data[i].unicode();
            if (c == u'"')
                break;
            if (c == u'\0')
                fail(ErrorNumber::InputPastEndOfFile, startLine);
            if (c == u'\n' || (c == u'\r' && (i + 1 >= m_end || data[i + 1] != u'\n')))
                ++lineEnds;
        }
        length = i - start;
        m_line += lineEnds;
        // Without a closing quote the field runs to the end of the data.
        m_pos = i < m_end ? i + 1 : m_end;
    } else {
        const bool number = kind == FieldKind::Number;
        qsizetype i = start;
        for (; i < m_end; ++i) {
            const char16_t c = data[i].unicode();
            if (c == u',' || isLineEnd(c) || (number && isBlank(c)))
                break;
            if (c == u'\0')
                fail(ErrorNumber::InputPastEndOfFile, startLine);
        }
        m_pos = i;
        length = i - start;
        if (!number) {
            while (length > 0 && data[start + length - 1] == u' ')
                --length;
        }
    }

    skipBlanks();
    if (m_pos < m_end && data[m_pos] == u',')
        ++m_pos;
    else if (atLineEnd())
        consumeLineEnd();

    return {QStringView(data + start, length), quoted};
}

void SequentialInput::fail(ErrorNumber number, int line) const
{
    throw RuntimeError(number).at(m_path, line);
}

bool SequentialInput::atLineEnd() const
{
    return m_pos < m_end && isLineEnd(m_text.constData()[m_pos].unicode());
}

void SequentialInput::consumeLineEnd()
{
    const QChar *data = m_text.constData();
    if (data[m_pos] == u'\r' && m_pos + 1 < m_end && data[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
}

} // namespace platform
