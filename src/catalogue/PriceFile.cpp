#include "catalogue/PriceFile.h"

#include "catalogue/SpreadsheetForms.h"
#include "runtime/Conversions.h"
#include "machine/ProgramFolder.h"
#include "machine/SequentialFile.h"
#include "runtime/SequentialInput.h"

#include <QDir>

#include <algorithm>
#include <optional>

namespace catalogue {

namespace {

using runtime::ErrorNumber;
using runtime::groupedIntegerText;
using runtime::RuntimeError;
using runtime::SequentialInput;
using FieldEnd = SequentialInput::FieldEnd;

// A field as a message shows it: a runaway one is cut (never inside a
// character), and the line ends a quoted one may hold become blanks, so the
// sentence stays one readable line.
QString shown(QStringView text)
{
    constexpr qsizetype Longest = 40;
    QString field = text.toString();
    if (field.size() > Longest)
        field = field.first(field.at(Longest).isLowSurrogate() ? Longest - 1 : Longest) + QStringLiteral("...");
    return field.replace(u'\r', u' ').replace(u'\n', u' ');
}

qsizetype characterCount(const QString &text)
{
    return text.size() - std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLowSurrogate(); });
}

bool holdsOnlySeparatorsAndBlanks(QStringView line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c == u',' || c == u'\t' || c == u' '; });
}

QString fieldCount(int count)
{
    return count == 1 ? QStringLiteral("1 field") : QStringLiteral("%1 fields").arg(count);
}

// Reads one record after another, one record per line, and raises the fault
// of a faulty one; after a fault it can go on with the next line.
class RecordReader
{
public:
    explicit RecordReader(SequentialInput &input)
        : m_input(input)
    {
        m_input.useSpreadsheetRules(fieldSeparatorFor(m_input.nextLineWithData()));
    }

    // Reads the next record into `record`; false when no record is left.
    // A heading row and rows that hold nothing but separators are passed
    // over, as blank lines are: they take no place in the brand list.
    bool next(PriceRecord &record)
    {
        for (;;) {
            m_nameRunsOn = false;
            if (m_input.atEndOfRecords()) {
                if (m_input.dataAfterEndMark())
                    raiseDataAfterEndMark();
                return false;
            }
            m_recordStart = m_input.mark();
            if (m_started == 0 && m_headingLine == 0 && skippedHeading())
                continue;
            // The record is read before it is counted, so a faulty 32768th
            // record reports its own fault.
            const int number = ++m_started;
            if (!readRecord(record)) {
                --m_started;
                continue;
            }
            if (number == MaxRecords + 1)
                raise(ErrorNumber::Overflow, record.line,
                      QStringLiteral("Line %1 holds brand number %2; a price file may hold at most %3 brands.")
                          .arg(record.line)
                          .arg(groupedIntegerText(number), groupedIntegerText(MaxRecords)));
            return true;
        }
    }

    void skipFaultyLine()
    {
        if (m_stoppedAtEndMark) {
            m_stoppedAtEndMark = false;
            m_input.passEndMark();
            return;
        }
        m_input.skipRestOfLine();
    }

    // Records begun so far, faulty ones included, as the record counter counts them.
    int recordsStarted() const { return m_started; }
    // The line of the heading row passed over, 0 when the file has none.
    int headingLine() const { return m_headingLine; }

private:
    // False for a row without a name or a price, which is passed over.
    bool readRecord(PriceRecord &record)
    {
        record.line = m_input.lineNumber();
        if (!record.rounded.isEmpty())
            record.rounded.clear();
        const SequentialInput::Field field = m_input.readTextField();
        checkClosed(field);
        m_recordLine = record.line;
        // The line count has already moved past the line ends inside the
        // quotes, and past the one that ended the field.
        const int nameEndLine = m_input.lineNumber() - (field.end == FieldEnd::LineEnd ? 1 : 0);
        m_nameRunsOn = nameEndLine > record.line;
        // A spreadsheet writes the rows it has formatted but left empty as
        // separators alone, of any number.
        if (field.text.isEmpty() && !field.quoted && holdsOnlySeparatorsAndBlanks(m_input.lineFrom(m_recordStart))) {
            m_input.skipRestOfLine();
            return false;
        }
        if (field.text.size() > MaxNameLength) {
            const qsizetype characters = characterCount(field.toString());
            if (characters > MaxNameLength)
                raise(ErrorNumber::Overflow, field.line,
                      QStringLiteral("Line %1: the brand name is %2 characters long; a name may have at most %3.")
                          .arg(field.line)
                          .arg(groupedIntegerText(characters), groupedIntegerText(MaxNameLength)));
        }
        record.brand = field.toString();
        record.quoted = field.quoted;
        const bool nameless = record.brand.isEmpty()
            || (record.brand.front().isSpace() && QStringView(record.brand).trimmed().isEmpty());
        qsizetype writtenPrices = 0;
        // Each price is a field of its own, never assigned over another: the
        // copy of a just-written field stalls the processor, and this loop
        // is most of the reading.
        FieldEnd end = field.end;
        for (int item = 0; item < ItemCount; ++item) {
            if (end == FieldEnd::LineEnd || end == FieldEnd::EndOfData)
                raiseCutShort(end, 1 + item);
            const SequentialInput::Field price = m_input.readNumberField();
            checkClosed(price);
            record.prices[item] = priceOf(price, item, record);
            writtenPrices |= price.text.size();
            end = price.end;
        }
        if (end == FieldEnd::Comma || end == FieldEnd::NextField)
            raiseTooManyFields(end);
        if (nameless && writtenPrices == 0) {
            // Only quoted empty fields: nothing to list, as with bare separators.
            return false;
        }
        if (nameless)
            raise(ErrorNumber::TypeMismatch, record.line,
                  QStringLiteral("Line %1 has prices but no brand name; write the brand's name before its prices, "
                                 "or delete the line.")
                      .arg(record.line));
        return true;
    }

    // Reads the first record's fields as words: a heading row that names the
    // five items in the window's order is passed over. One that names them
    // in another order would put every price on the wrong item.
    bool skippedHeading()
    {
        QStringList priceFields;
        SequentialInput::Field field = m_input.readTextField();
        while (field.closed && (field.end == FieldEnd::Comma || field.end == FieldEnd::NextField)
               && priceFields.size() <= ItemCount) {
            field = m_input.readTextField();
            priceFields << field.toString();
        }
        const bool wholeLine = field.closed && field.line == m_recordStart.line
            && (field.end == FieldEnd::LineEnd || field.end == FieldEnd::EndOfData);
        const Heading heading = wholeLine ? headingOf(priceFields) : Heading::None;
        const int line = m_recordStart.line;
        if (heading == Heading::ItemsInOrder) {
            m_headingLine = line;
            return true;
        }
        if (heading == Heading::ItemsInAnotherOrder)
            raise(ErrorNumber::TypeMismatch, line,
                  QStringLiteral("Line %1 is a heading row that names the items in another order; the kiosk reads "
                                 "the prices in the order %2: put the columns in that order.")
                      .arg(line)
                      .arg(itemOrder()));
        m_input.readAgainFrom(m_recordStart);
        return false;
    }

    std::int16_t priceOf(const SequentialInput::Field &field, int item, PriceRecord &record) const
    {
        const SequentialInput::IntegerValue converted = SequentialInput::toInteger(field);
        if (converted.fault == SequentialInput::IntegerFault::None && !converted.rounded) [[likely]]
            return converted.value;
        return unusualPriceOf(field, item, record, converted);
    }

    // A price that is not a plain number may be an amount as a spreadsheet
    // shows currency. A first line whose very first price is a word may be
    // meant as a heading; the fault then says what a heading must look like.
    Q_DECL_COLD_FUNCTION std::int16_t unusualPriceOf(const SequentialInput::Field &field, int item,
                                                     PriceRecord &record,
                                                     SequentialInput::IntegerValue converted) const
    {
        if (converted.fault == SequentialInput::IntegerFault::NotANumber) {
            const bool thousandsSeparators = field.quoted || m_input.fieldSeparator() != u',';
            if (const std::optional<QString> amount = plainAmount(field.text, thousandsSeparators)) {
                SequentialInput::Field plain = field;
                plain.text = *amount;
                plain.quoted = false;
                converted = SequentialInput::toInteger(plain);
            }
        }
        if (converted.rounded)
            record.rounded.append({item, field.text.trimmed().toString()});
        switch (converted.fault) {
        case SequentialInput::IntegerFault::None:
            return converted.value;
        case SequentialInput::IntegerFault::NotANumber:
            raiseLayoutFault(ErrorNumber::TypeMismatch, field.line,
                             QStringLiteral("Line %1: \"%2\" is not a whole number of dollars.%3")
                                 .arg(field.line)
                                 .arg(shown(field.quoted ? field.text.trimmed() : field.text),
                                      m_started == 1 && item == 0 ? headingNote() : QString()));
        case SequentialInput::IntegerFault::TooHigh:
            raise(ErrorNumber::Overflow, field.line,
                  QStringLiteral("Line %1: %2 is above the highest price, 32767.")
                      .arg(field.line)
                      .arg(shown(field.text.trimmed())));
        case SequentialInput::IntegerFault::TooLow:
            break;
        }
        raise(ErrorNumber::Overflow, field.line,
              QStringLiteral("Line %1: %2 is below the lowest price, -32768.")
                  .arg(field.line)
                  .arg(shown(field.text.trimmed())));
    }

    // A quote left open runs to the end of the data; that end may be a
    // Ctrl-Z with more after it, the fault to fix first.
    void checkClosed(const SequentialInput::Field &field)
    {
        if (field.closed)
            return;
        if (m_input.dataAfterEndMark())
            raiseDataAfterEndMark();
        raise(ErrorNumber::InputPastEndOfFile, field.line,
              QStringLiteral("Line %1: a double quote opens a field but nothing closes it; "
                             "end the field with a second double quote.")
                  .arg(field.line));
    }

    [[noreturn]] void raiseCutShort(FieldEnd end, int fields)
    {
        if (end == FieldEnd::EndOfData && m_input.dataAfterEndMark())
            raiseDataAfterEndMark();
        // The line end after the last field has been read already.
        const int line = end == FieldEnd::LineEnd ? m_input.lineNumber() - 1 : m_input.lineNumber();
        raiseLayoutFault(ErrorNumber::InputPastEndOfFile, line,
                         QStringLiteral("Line %1 has %2; %3").arg(line).arg(fieldCount(fields), lineLayout()));
    }

    [[noreturn]] void raiseTooManyFields(FieldEnd end)
    {
        const int line = m_input.lineNumber();
        const QStringView rest = m_input.restOfLine();
        if (end == FieldEnd::Comma && rest.trimmed().isEmpty())
            raiseLayoutFault(ErrorNumber::TypeMismatch, line,
                             QStringLiteral("Line %1 ends with a %2, which starts a seventh field; %3")
                                 .arg(line)
                                 .arg(separatorName(), lineLayout()));
        const int fields = 1 + ItemCount + 1 + int(rest.count(m_input.fieldSeparator()));
        raiseLayoutFault(ErrorNumber::TypeMismatch, line,
                         QStringLiteral("Line %1 has %2; %3").arg(line).arg(fieldCount(fields), lineLayout()));
    }

    QString headingNote() const
    {
        return QStringLiteral(" If line %1 is a heading row, it must name the five items in the order %2, "
                              "or be deleted.")
            .arg(m_recordStart.line)
            .arg(itemOrder());
    }

    QString separatorName() const
    {
        return m_input.fieldSeparator() == u',' ? QStringLiteral("comma") : QStringLiteral("tab");
    }

    QString lineLayout() const
    {
        return QStringLiteral("each line holds a brand name and five prices, separated by %1s.").arg(separatorName());
    }

    // A line whose fields are written the wrong way says so, rather than
    // what reading it the right way went wrong on.
    [[noreturn]] void raiseLayoutFault(ErrorNumber number, int line, const QString &detail) const
    {
        if (line == m_recordStart.line && separatesBySemicolons(m_input.lineFrom(m_recordStart)))
            raise(number, line,
                  QStringLiteral("Line %1 separates its fields with semicolons, where the kiosk needs commas; "
                                 "export the price list again with a comma as the field delimiter.")
                      .arg(line));
        raise(number, line, detail);
    }

    [[noreturn]] void raiseDataAfterEndMark()
    {
        m_stoppedAtEndMark = true;
        m_nameRunsOn = false;
        const int line = m_input.lineNumber();
        raise(ErrorNumber::InputPastEndOfFile, line,
              QStringLiteral("Line %1 holds an end-of-file mark (Ctrl-Z) with more text after it; "
                             "delete the mark so that what follows it is read.")
                  .arg(line));
    }

    [[noreturn]] void raise(ErrorNumber number, int line, const QString &detail) const
    {
        throw RuntimeError(number).at(m_input.path(), line).withDetail(withNameNote(line, detail));
    }

    // A name that runs on over lines is mostly a closing quote left out; a
    // fault on a later line of its record may well come from there.
    QString withNameNote(int line, const QString &detail) const
    {
        if (!m_nameRunsOn || line <= m_recordLine)
            return detail;
        return detail.chopped(1)
            + QStringLiteral("; note that the brand name that starts on line %1 runs on to this line "
                             "inside its double quotes.")
                  .arg(m_recordLine);
    }

    SequentialInput &m_input;
    SequentialInput::Mark m_recordStart;
    int m_headingLine = 0;
    int m_started = 0;
    int m_recordLine = 0;
    bool m_nameRunsOn = false;
    bool m_stoppedAtEndMark = false;
};

Catalogue readCatalogue(SequentialInput &input)
{
    Catalogue catalogue;
    RecordReader reader(input);
    PriceRecord record;
    while (reader.next(record)) {
        catalogue.roundedPrices += int(record.rounded.size());
        catalogue.prices.append(record.prices);
        catalogue.brands.append(std::move(record.brand));
    }
    return catalogue;
}

// Adds the fault unless the list is full; false when reading is to stop.
bool addFault(PriceFileCheck &check, const RuntimeError &error, int maxFaults)
{
    if (check.faults.size() >= maxFaults) {
        check.moreFaults = true;
        return false;
    }
    check.faults.append({error.line(), error.number(), error.detail()});
    return true;
}

template <typename Open>
PriceFileCheck checkInput(const QString &path, int maxFaults, Open open)
{
    PriceFileCheck check;
    check.path = path;
    std::optional<SequentialInput> input;
    try {
        input.emplace(open());
    } catch (const RuntimeError &error) {
        addFault(check, error, maxFaults);
        return check;
    }
    check.readAsWindows1252 = input->readAsWindows1252();
    RecordReader reader(*input);
    for (;;) {
        try {
            PriceRecord record;
            if (!reader.next(record))
                break;
            // Beyond the counter's limit the window refuses the file; the
            // lines are still checked, but no longer listed.
            if (reader.recordsStarted() <= MaxRecords)
                check.records.append(std::move(record));
        } catch (const RuntimeError &error) {
            if (!addFault(check, error, maxFaults))
                break;
            reader.skipFaultyLine();
        }
    }
    check.headingLine = reader.headingLine();
    return check;
}

} // namespace

QString priceFileBesideProgram()
{
    return QDir(machine::programFolder()).filePath(QString::fromLatin1(PriceFileName));
}

Catalogue readPriceFile(const QString &path)
{
    SequentialInput input = machine::openSequentialInput(path, MaxFileBytes);
    return readCatalogue(input);
}

Catalogue parsePriceFile(const QByteArray &bytes, const QString &path)
{
    SequentialInput input = SequentialInput::fromBytes(bytes, path, MaxFileBytes);
    return readCatalogue(input);
}

PriceFileCheck checkPriceFile(const QString &path, int maxFaults)
{
    return checkInput(path, maxFaults, [&] { return machine::openSequentialInput(path, MaxFileBytes); });
}

PriceFileCheck checkPriceFileBytes(const QByteArray &bytes, const QString &path, int maxFaults)
{
    return checkInput(path, maxFaults, [&] { return SequentialInput::fromBytes(bytes, path, MaxFileBytes); });
}

bool lastLineIsFinished(const QByteArray &bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == '\t' || bytes[end - 1] == '\0'))
        --end;
    if (end == 0)
        return true;
    const char last = bytes[end - 1];
    return last == '\n' || last == '\r' || last == '\x1a';
}

// Customers see whole dollars whatever the file says; whoever looks after
// the kiosk learns that the file says otherwise.
QString roundedPricesNote(int count, const QString &path)
{
    const QString prices = count == 1 ? QStringLiteral("1 price") : QStringLiteral("%1 prices").arg(count);
    return QStringLiteral("%1 in %2 %3 cents and will be quoted rounded to whole dollars; run pellory --check to see "
                          "which.")
        .arg(prices, QDir::toNativeSeparators(path), count == 1 ? QStringLiteral("has") : QStringLiteral("have"));
}

QString priceFileFailureAdvice()
{
    return QStringLiteral("To list every faulty line of the price file, run pellory --check in a terminal.");
}

QString priceFileFailureExplanation(int errorNumber)
{
    const bool missing = errorNumber == int(runtime::ErrorNumber::FileNotFound)
        || errorNumber == int(runtime::ErrorNumber::PathNotFound);
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
