#include "runtime/VisibleText.h"

#include "runtime/NativePath.h"

namespace runtime {

bool isInvisibleCharacter(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString withoutInvisibleCharacters(QStringView text)
{
    QString visible;
    visible.reserve(text.size());
    for (const QChar c : text) {
        if (!isInvisibleCharacter(c))
            visible += c;
    }
    return visible;
}

QString escapedInvisibleCharacters(QStringView text)
{
    // Bytes that are not UTF-8 first, while the pairs of surrogates that
    // encode characters beyond U+FFFF can still be told from them.
    const QString bytesShown = displayedPath(text);
    QString escaped;
    escaped.reserve(bytesShown.size());
    for (const QChar c : bytesShown) {
        if (!isInvisibleCharacter(c))
            escaped += c;
        else if (c.unicode() < 0x100)
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return escaped;
}

} // namespace runtime
