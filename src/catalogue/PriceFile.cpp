#include "catalogue/PriceFile.h"

#include "platform/SequentialInput.h"

#include <QDir>

#include <functional>

namespace catalogue {

namespace {

Catalogue readRecords(platform::SequentialInput &input)
{
    Catalogue catalogue;
    while (!input.atEndOfRecords()) {
        if (catalogue.brands.size() == MaxRecords)
            throw platform::RuntimeError(platform::ErrorNumber::Overflow).at(input.path(), input.lineNumber());
        const QString brand = input.readText();
        std::array<std::int16_t, ItemCount> prices{};
        for (std::int16_t &price : prices)
            price = input.readInteger();
        catalogue.prices.append(prices);
        catalogue.brands.append(brand);
    }
    return catalogue;
}

} // namespace

QString priceFilePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QString::fromLatin1(PriceFileName));
}

Catalogue readPriceFile(const QString &path)
{
    platform::SequentialInput input = platform::SequentialInput::open(path);
    return readRecords(input);
}

Catalogue parsePriceFile(const QByteArray &bytes, const QString &path)
{
    platform::SequentialInput input = platform::SequentialInput::fromBytes(bytes, path);
    return readRecords(input);
}

namespace {

PriceFileCheck checkWith(const QString &path, const std::function<Catalogue()> &read)
{
    PriceFileCheck check;
    check.path = path;
    try {
        const Catalogue catalogue = read();
        for (qsizetype i = 0; i < catalogue.brands.size(); ++i) {
            PriceRecord record;
            record.brand = catalogue.brands.at(i);
            for (int item = 0; item < ItemCount; ++item)
                record.prices[item] = catalogue.prices.price(item, int(i));
            check.records.append(record);
        }
    } catch (const platform::RuntimeError &error) {
        check.faults.append({error.line(), error.number(), error.description()});
    }
    return check;
}

} // namespace

PriceFileCheck checkPriceFile(const QString &path, int)
{
    return checkWith(path, [&] { return readPriceFile(path); });
}

PriceFileCheck checkPriceFileBytes(const QByteArray &bytes, const QString &path, int)
{
    return checkWith(path, [&] { return parsePriceFile(bytes, path); });
}

QString priceFileFailureExplanation(int errorNumber)
{
    const bool missing = errorNumber == int(platform::ErrorNumber::FileNotFound)
        || errorNumber == int(platform::ErrorNumber::PathNotFound);
    const QStringList lines = missing
        ? QStringList{QStringLiteral(" A file required by the Pellory "),
                      QStringLiteral("program is missing.  Please insure that "),
                      QStringLiteral("BrandsPrices.txt is in the Pellory "),
                      QStringLiteral("on the computer's hard drive.")}
        : QStringList{QStringLiteral(" An unexpected error has occurred."),
                      QStringLiteral("Please contact Quarlow at "),
                      QStringLiteral("(555) 555-5555).")};
    return lines.join(QLatin1Char('\n'));
}

} // namespace catalogue
