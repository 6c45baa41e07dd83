#pragma once

#include "catalogue/PriceTable.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace catalogue {

inline constexpr auto PriceFileName = "BrandsPrices.txt";
// The most records a price file may hold: the record counter is a 16-bit Integer.
inline constexpr int MaxRecords = 32767;
// The longest brand name, in characters: a list entry must stay quick to lay out.
inline constexpr int MaxNameLength = 1000;
// The largest price file that is read at all.
inline constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

// The price file beside the program, where an install links the shop's prices in.
QString priceFileBesideProgram();

// Reads a price file: one record per line, a brand name and five prices
// separated by commas, each field read with the runtime's sequential-input
// rules. A record ends with the line that holds its fifth price; blank lines
// are skipped. What spreadsheets export reads too: a quote mark written
// twice inside a quoted name, a heading row that names the five items in
// order (passed over), rows of nothing but separators (passed over), tabs
// instead of commas (see fieldSeparatorFor), UTF-16 with a byte-order mark,
// and prices written as currency ("$1,234.00"), rounded to whole dollars
// like any fraction. Raises the numbered run-time error of the first fault,
// carrying the path, the line and a sentence for staff (RuntimeError::detail):
// File not found (and the like) when the file cannot be opened; Input past
// end of file for a line that ends before its fifth price, an unclosed quote,
// a NUL byte, or a Ctrl-Z with more text after it; Type mismatch for a price
// that is not a number, a line with more than six fields, a row with prices
// but no name, or a heading that names the items in another order; Overflow for a
// price outside 16 bits, a record beyond the 32767th, a brand name longer
// than MaxNameLength or a file larger than MaxFileBytes.
Catalogue readPriceFile(const QString &path);
Catalogue parsePriceFile(const QByteArray &bytes, const QString &path = {});

// A record as the reader found it.
struct PriceRecord
{
    int line = 0;               // the line of the file where the record starts (1-based)
    QString brand;
    bool quoted = false;        // the name was written in double quotes
    std::array<std::int16_t, ItemCount> prices{};

    // A price the file writes with a fraction, which the kiosk quotes rounded.
    struct RoundedPrice
    {
        int item = 0;
        QString written;        // as the file writes it, "59.99" or "$1,234.50"
    };
    QList<RoundedPrice> rounded;
};

// A fault that makes the kiosk refuse the file.
struct LineFault
{
    int line = 0;               // 0 when it concerns the whole file (cannot be opened, too large)
    int errorNumber = 0;        // the run-time error number the window reports (53, 62, 13, 6 ...)
    QString sentence;           // one plain sentence: what is wrong there and what a line must look like
};

// Everything the reader found, for the staff's check: it goes on after a
// faulty line with the next line, so one reading lists every fault.
struct PriceFileCheck
{
    QString path;
    bool readAsWindows1252 = false;   // the bytes were not valid UTF-8
    int headingLine = 0;              // the heading row passed over; 0 for none
    QList<PriceRecord> records;       // the records read without fault, in file order
    QList<LineFault> faults;          // in line order, at most maxFaults; empty when the kiosk would load the file
    bool moreFaults = false;          // reading stopped after maxFaults faults
};

// Reads the file with the same record reader as readPriceFile, but goes on
// after a faulty line with the next line that starts a record. A file that
// cannot be opened or is too large gives one fault on line 0.
PriceFileCheck checkPriceFile(const QString &path, int maxFaults = 100);
PriceFileCheck checkPriceFileBytes(const QByteArray &bytes, const QString &path = {}, int maxFaults = 100);

// Whether the file's last line has its line end (CR, LF, or an old file's
// Ctrl-Z end mark; blanks and the zero bytes of UTF-16 after it do not
// count). A file cut short in the middle of a line, by a writer that stopped
// partway, reads as a shorter last price: the running kiosk waits for the
// rest instead. An empty file has no line to finish.
bool lastLineIsFinished(const QByteArray &bytes);

// The line for support saying how many prices the file writes with cents.
QString roundedPricesNote(int count, const QString &path);

// The message shown when the price file cannot be loaded: the program's own
// texts for a missing file or an unexpected error, then the error itself,
// and last the advice that shows staff the way to every other fault.
QString priceFileFailureExplanation(int errorNumber);
QString priceFileFailureAdvice();

} // namespace catalogue
