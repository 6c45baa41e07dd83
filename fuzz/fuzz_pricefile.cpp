// Any bytes at all may sit in BrandsPrices.txt. The reader must either hand
// back a consistent catalogue or raise one of its numbered run-time errors
// that names the file and a line, so the shop is told where to look. Anything
// else (another exception, a crash, a table out of step with the brand list)
// aborts.

#include "catalogue/PriceFile.h"
#include "platform/RuntimeError.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString FuzzPath = QStringLiteral("/shop/BrandsPrices.txt");

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "price file invariant broken: %s\n", what);
    std::abort();
}

bool isReaderError(int number)
{
    using platform::ErrorNumber;
    return number == int(ErrorNumber::Overflow) || number == int(ErrorNumber::TypeMismatch)
        || number == int(ErrorNumber::InputPastEndOfFile);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const catalogue::Catalogue loaded = catalogue::parsePriceFile(bytes, FuzzPath);
        const catalogue::PriceTable &table = loaded.prices;
        if (loaded.brands.size() > catalogue::MaxRecords)
            fail("more brands than a 16-bit record counter allows");
        for (int item = 0; item < catalogue::ItemCount; ++item) {
            if (qsizetype(table.column(item).size()) != loaded.brands.size())
                fail("a price column is not parallel to the brand list");
        }
    } catch (const platform::RuntimeError &error) {
        if (error.line() <= 0)
            fail("error without a line number");
        if (error.path() != FuzzPath)
            fail("error without the file's path");
        if (!isReaderError(error.number()))
            fail("error number a reader cannot raise");
        if (platform::runtimeErrorReport(error).indexOf(QStringLiteral("Line: %1").arg(error.line())) < 0)
            fail("report does not show the line");
    } catch (...) {
        fail("exception other than a run-time error");
    }
    return 0;
}
