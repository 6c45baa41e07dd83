// Any bytes at all may sit in BrandsPrices.txt. The reader must either hand
// back a consistent catalogue or raise one of its numbered run-time errors
// that names the file and a line and says in a sentence what is wrong there,
// so the shop is told where to look. The staff's check of the same bytes must
// agree: no fault for a file the window loads, the window's fault first
// otherwise, and every listed fault on a line of its own order. Anything else
// (another exception, a crash, a hang, a table out of step with the brand
// list) aborts.

#include "catalogue/PriceFile.h"
#include "runtime/RuntimeError.h"

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
    using runtime::ErrorNumber;
    return number == int(ErrorNumber::Overflow) || number == int(ErrorNumber::TypeMismatch)
        || number == int(ErrorNumber::InputPastEndOfFile);
}

void checkAgreesWithTheWindow(const catalogue::PriceFileCheck &check, const runtime::RuntimeError *windowFault,
                              qsizetype windowBrands)
{
    if (!windowFault) {
        if (!check.faults.isEmpty())
            fail("the check finds a fault in a file the window loads");
        if (check.records.size() != windowBrands)
            fail("the check lists other records than the window loads");
        return;
    }
    if (check.faults.isEmpty())
        fail("the check finds no fault in a file the window refuses");
    const catalogue::LineFault &first = check.faults.first();
    if (first.line != windowFault->line() || first.errorNumber != windowFault->number()
        || first.sentence != windowFault->detail())
        fail("the check's first fault is not the window's");
    int previousLine = 0;
    for (const catalogue::LineFault &fault : check.faults) {
        if (fault.line < previousLine)
            fail("the check's faults are out of line order");
        if (!isReaderError(fault.errorNumber) || fault.sentence.isEmpty())
            fail("the check lists a fault without its number or sentence");
        previousLine = fault.line;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const catalogue::PriceFileCheck check = catalogue::checkPriceFileBytes(bytes, FuzzPath);
    try {
        const catalogue::Catalogue loaded = catalogue::parsePriceFile(bytes, FuzzPath);
        const catalogue::PriceTable &table = loaded.prices;
        if (loaded.brands.size() > catalogue::MaxRecords)
            fail("more brands than a 16-bit record counter allows");
        for (int item = 0; item < catalogue::ItemCount; ++item) {
            if (qsizetype(table.column(item).size()) != loaded.brands.size())
                fail("a price column is not parallel to the brand list");
        }
        checkAgreesWithTheWindow(check, nullptr, loaded.brands.size());
    } catch (const runtime::RuntimeError &error) {
        if (error.detail().isEmpty())
            fail("error without a sentence for staff");
        checkAgreesWithTheWindow(check, &error, 0);
        if (error.line() <= 0)
            fail("error without a line number");
        if (error.path() != FuzzPath)
            fail("error without the file's path");
        if (!isReaderError(error.number()))
            fail("error number a reader cannot raise");
        if (runtime::runtimeErrorReport(error).indexOf(QStringLiteral("Line: %1").arg(error.line())) < 0)
            fail("report does not show the line");
    } catch (...) {
        fail("exception other than a run-time error");
    }
    return 0;
}
