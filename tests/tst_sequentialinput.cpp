#include "machine/SequentialFile.h"
#include "runtime/SequentialInput.h"
#include "runtime/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using runtime::ErrorNumber;
using runtime::RuntimeError;
using runtime::SequentialInput;

namespace {

using Field = SequentialInput::Field;
using FieldEnd = SequentialInput::FieldEnd;
using IntegerFault = SequentialInput::IntegerFault;

// The value of a numeric field as the price file reader converts it; a
// field that is no 16-bit Integer reads as 0 here, its fault is tested apart.
QString numberIn(const Field &field)
{
    return QString::number(SequentialInput::toInteger(field).value);
}

// Reads one field per letter of `kinds`: t = text, n = number; a leading S
// or T reads with spreadsheet rules, fields separated by commas or tabs.
QStringList readFields(SequentialInput &input, QString kinds)
{
    if (kinds.startsWith(u'S') || kinds.startsWith(u'T'))
        input.useSpreadsheetRules(kinds.front() == u'S' ? u',' : u'\t');
    kinds.remove(u'S').remove(u'T');
    QStringList fields;
    for (const QChar kind : kinds)
        fields << (kind == u'n' ? numberIn(input.readNumberField()) : input.readTextField().toString());
    return fields;
}

// True when the next read finds no data left.
bool atEndOfData(SequentialInput &input)
{
    const Field next = input.readTextField();
    return next.end == FieldEnd::EndOfData && next.text.isEmpty() && !next.quoted;
}

QString endName(FieldEnd end)
{
    switch (end) {
    case FieldEnd::Comma:
        return QStringLiteral("comma");
    case FieldEnd::LineEnd:
        return QStringLiteral("line end");
    case FieldEnd::EndOfData:
        return QStringLiteral("end");
    case FieldEnd::NextField:
        break;
    }
    return QStringLiteral("next field");
}

// Reads records of a text field followed by a number, one record after
// another as the price file reader does, and describes each as
// "line: name, price, what ended the price"; the reader judges the record's
// layout from these. A fault the input raises itself ends the list.
QStringList readRecords(const QByteArray &bytes)
{
    SequentialInput input = SequentialInput::fromBytes(bytes, QStringLiteral("prices.txt"));
    QStringList records;
    try {
        while (!input.atEndOfRecords()) {
            const Field name = input.readTextField();
            const Field price = input.readNumberField();
            records << QStringLiteral("%1: %2, %3, %4")
                           .arg(name.line)
                           .arg(name.toString(), price.text.toString(), endName(price.end));
            if (price.end != FieldEnd::LineEnd)
                input.skipRestOfLine();
        }
    } catch (const RuntimeError &error) {
        records << QStringLiteral("error %1 on line %2 of %3").arg(error.number()).arg(error.line()).arg(error.path());
    }
    return records;
}

} // namespace

class TestSequentialInput : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void numbers_data();
    void numbers();
    void records_data();
    void records();
    void decoding_data();
    void decoding();
    void open_data();
    void open();
    void largeInput();
};

void TestSequentialInput::fields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("atEnd");

    QTest::newRow("CR LF ends a line") << QByteArray("ab,cd\r\nef,gh\r\n") << "tttt" << QStringList{"ab", "cd", "ef", "gh"} << true;
    QTest::newRow("LF alone ends a line") << QByteArray("ab,cd\nef,gh\n") << "tttt" << QStringList{"ab", "cd", "ef", "gh"} << true;
    QTest::newRow("CR alone ends a line") << QByteArray("ab,cd\ref,gh\r") << "tttt" << QStringList{"ab", "cd", "ef", "gh"} << true;
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd") << "tttt" << QStringList{"a", "b", "c", "d"} << true;
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << "ttt" << QStringList{"a", "", "b"} << true;
    QTest::newRow("more fields than read stay for the next read") << QByteArray("a,b,c\r\n") << "tt" << QStringList{"a", "b"} << false;
    QTest::newRow("trailing spaces trimmed") << QByteArray("  Nike Air  ,x") << "tt" << QStringList{"Nike Air", "x"} << true;
    QTest::newRow("trailing tab kept") << QByteArray("ab\t,x") << "tt" << QStringList{"ab\t", "x"} << true;
    QTest::newRow("leading tab skipped") << QByteArray("\tab,x") << "tt" << QStringList{"ab", "x"} << true;
    QTest::newRow("space inside text kept") << QByteArray("ab cd,ef") << "tt" << QStringList{"ab cd", "ef"} << true;
    QTest::newRow("quoted name with comma") << QByteArray("\"Nike, Air\",60\r\n") << "tn" << QStringList{"Nike, Air", "60"} << true;
    QTest::newRow("quoted keeps line ends") << QByteArray("\"a\r\nb\",c") << "tt" << QStringList{"a\r\nb", "c"} << true;
    QTest::newRow("quoted keeps blanks") << QByteArray("\"  a  \",b") << "tt" << QStringList{"  a  ", "b"} << true;
    QTest::newRow("text after closing quote starts a field") << QByteArray("\"abc\"xyz,def") << "ttt" << QStringList{"abc", "xyz", "def"} << true;
    QTest::newRow("blanks after closing quote skipped") << QByteArray("\"abc\"   ,def") << "tt" << QStringList{"abc", "def"} << true;
    QTest::newRow("doubled quote is no escape") << QByteArray("\"1,2\"\"X\"") << "tt" << QStringList{"1,2", "X"} << true;
    QTest::newRow("spreadsheet rules: doubled quote is one") << QByteArray("\"The \"\"Best\"\" Co.\",\"\"\"\"") << "Stt" << QStringList{"The \"Best\" Co.", "\""} << true;
    QTest::newRow("spreadsheet rules: tabs separate, commas are text") << QByteArray("Harrow, Vane\t60\t\t5\r\n") << "Ttnnn" << QStringList{"Harrow, Vane", "60", "0", "5"} << true;
    QTest::newRow("spreadsheet rules: a tab is no blank") << QByteArray("\tx\t 7") << "Tttn" << QStringList{"", "x", "7"} << true;
    QTest::newRow("unterminated quote reads to the end") << QByteArray("\"abc,def\r\nghi") << "t" << QStringList{"abc,def\r\nghi"} << true;
    QTest::newRow("numbers split at blanks") << QByteArray("1 2\t3\r\n") << "nnn" << QStringList{"1", "2", "3"} << true;
    QTest::newRow("blanks before comma after number") << QByteArray("60  ,70") << "nn" << QStringList{"60", "70"} << true;
    QTest::newRow("trailing comma shifts fields") << QByteArray("x,1,\r\ny,2\r\n") << "tnttn" << QStringList{"x", "1", "", "y", "2"} << true;
    QTest::newRow("record spans two lines") << QByteArray("a,1\r\nb,2") << "tntn" << QStringList{"a", "1", "b", "2"} << true;
    QTest::newRow("empty fields") << QByteArray(",,5") << "tnn" << QStringList{"", "0", "5"} << true;
    QTest::newRow("blank line reads empty") << QByteArray("\r\n5") << "nn" << QStringList{"0", "5"} << true;
    QTest::newRow("ctrl-z ends the data") << QByteArray("A,60\r\n\x1A" "B,70\r\n") << "tn" << QStringList{"A", "60"} << true;
    QTest::newRow("ctrl-z inside a quote ends it") << QByteArray("\"A\x1A\",1") << "t" << QStringList{"A"} << true;
    QTest::newRow("hash text stays literal") << QByteArray("#TRUE#,x") << "tt" << QStringList{"#TRUE#", "x"} << true;
}

void TestSequentialInput::fields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kinds);
    QFETCH(QStringList, expected);
    QFETCH(bool, atEnd);

    SequentialInput input = SequentialInput::fromBytes(bytes);
    QCOMPARE(readFields(input, kinds), expected);
    QCOMPARE(atEndOfData(input), atEnd);
}

void TestSequentialInput::numbers_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("fault");

    const int none = int(IntegerFault::None);
    const int notANumber = int(IntegerFault::NotANumber);
    const int tooHigh = int(IntegerFault::TooHigh);
    const int tooLow = int(IntegerFault::TooLow);
    QTest::newRow("plain") << QByteArray("60") << 60 << none;
    QTest::newRow("surrounded by blanks") << QByteArray(" 60 ") << 60 << none;
    QTest::newRow("half rounds up to even") << QByteArray("59.5") << 60 << none;
    QTest::newRow("half rounds down to even") << QByteArray("58.5") << 58 << none;
    QTest::newRow("below half") << QByteArray("60.4") << 60 << none;
    QTest::newRow("above half") << QByteArray("60.6") << 61 << none;
    QTest::newRow("negative half to even") << QByteArray("-2.5") << -2 << none;
    QTest::newRow("exponent") << QByteArray("1e2") << 100 << none;
    QTest::newRow("leading plus") << QByteArray("+7") << 7 << none;
    QTest::newRow("lowest") << QByteArray("-32768") << -32768 << none;
    QTest::newRow("highest") << QByteArray("32767") << 32767 << none;
    QTest::newRow("highest with fraction below half") << QByteArray("32767.4") << 32767 << none;
    QTest::newRow("quoted number") << QByteArray("\"60\"") << 60 << none;
    QTest::newRow("quoted number with blanks") << QByteArray("\" 60 \"") << 60 << none;
    QTest::newRow("quoted empty") << QByteArray("\"\"") << 0 << none;
    QTest::newRow("blank line") << QByteArray("\r\n") << 0 << none;
    QTest::newRow("empty before comma") << QByteArray(",5") << 0 << none;
    QTest::newRow("letters") << QByteArray("abc") << 0 << notANumber;
    QTest::newRow("currency sign") << QByteArray("$60") << 0 << notANumber;
    QTest::newRow("digits then letters") << QByteArray("60abc") << 0 << notANumber;
    QTest::newRow("hexadecimal") << QByteArray("&H10") << 0 << notANumber;
    QTest::newRow("trailing sign") << QByteArray("5-") << 0 << notANumber;
    QTest::newRow("lone sign") << QByteArray("-") << 0 << notANumber;
    QTest::newRow("lone point") << QByteArray(".") << 0 << notANumber;
    QTest::newRow("quoted letters") << QByteArray("\"abc\"") << 0 << notANumber;
    QTest::newRow("infinity word") << QByteArray("inf") << 0 << notANumber;
    QTest::newRow("above range") << QByteArray("40000") << 0 << tooHigh;
    QTest::newRow("rounds above range") << QByteArray("32767.5") << 0 << tooHigh;
    QTest::newRow("below range") << QByteArray("-32769") << 0 << tooLow;
    QTest::newRow("many digits") << QByteArray("99999999999999999999999") << 0 << tooHigh;
    QTest::newRow("beyond double range") << QByteArray("1e400") << 0 << tooHigh;
}

void TestSequentialInput::numbers()
{
    QFETCH(QByteArray, field);
    QFETCH(int, expected);
    QFETCH(int, fault);

    SequentialInput input = SequentialInput::fromBytes(field);
    const SequentialInput::IntegerValue number = SequentialInput::toInteger(input.readNumberField());
    QCOMPARE(int(number.fault), fault);
    QCOMPARE(int(number.value), expected);
}

void TestSequentialInput::records_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("records");

    const QString nulOnLine1 = QStringLiteral("error 62 on line 1 of prices.txt");
    const QString nulOnLine2 = QStringLiteral("error 62 on line 2 of prices.txt");
    QTest::newRow("two records") << QByteArray("A,60\r\nB,70\r\n") << QStringList{"1: A, 60, line end", "2: B, 70, line end"};
    QTest::newRow("no final line end") << QByteArray("A,60\r\nB,70") << QStringList{"1: A, 60, line end", "2: B, 70, end"};
    QTest::newRow("extra blank line") << QByteArray("A,60\r\nB,70\r\n\r\n") << QStringList{"1: A, 60, line end", "2: B, 70, line end"};
    QTest::newRow("spaces-only line at the end") << QByteArray("A,60\r\n   \t\r\n") << QStringList{"1: A, 60, line end"};
    QTest::newRow("blank lines between records") << QByteArray("A,60\r\n\r\n  \nB,70\r\n") << QStringList{"1: A, 60, line end", "4: B, 70, line end"};
    QTest::newRow("blank lines before the first record") << QByteArray("\r\n\nA,60") << QStringList{"3: A, 60, end"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << QStringList{};
    QTest::newRow("ctrl-z after the records") << QByteArray("A,60\r\nB,70\r\n\x1A") << QStringList{"1: A, 60, line end", "2: B, 70, line end"};
    QTest::newRow("ctrl-z hides what follows") << QByteArray("A,60\r\n\x1A" "B,x\r\n") << QStringList{"1: A, 60, line end"};
    QTest::newRow("record cut short") << QByteArray("A,60\r\nB\r\n") << QStringList{"1: A, 60, line end", "2: B, , end"};
    QTest::newRow("record cut short, no line end") << QByteArray("A,60\r\nB") << QStringList{"1: A, 60, line end", "2: B, , end"};
    QTest::newRow("record cut short by ctrl-z") << QByteArray("A,60\r\nB\x1A,70") << QStringList{"1: A, 60, line end", "2: B, , end"};
    QTest::newRow("NUL in a name") << QByteArray("A,60\r\nB\0C,70", 12) << QStringList{"1: A, 60, line end", nulOnLine2};
    QTest::newRow("NUL in a quoted name") << QByteArray("A,60\r\n\"B\0\",70", 13) << QStringList{"1: A, 60, line end", nulOnLine2};
    QTest::newRow("NUL in a price") << QByteArray("A,6\0", 4) << QStringList{nulOnLine1};
    QTest::newRow("NUL after the records") << QByteArray("A,60\r\n\0", 7) << QStringList{"1: A, 60, line end", nulOnLine2};
    QTest::newRow("unterminated quote") << QByteArray("A,60\r\n\"B,70\r\n") << QStringList{"1: A, 60, line end", "2: B,70\r\n, , end"};
    QTest::newRow("word for a price on line 3") << QByteArray("A,60\r\nB,70\r\nC,x\r\n") << QStringList{"1: A, 60, line end", "2: B, 70, line end", "3: C, x, line end"};
    QTest::newRow("LF line ends") << QByteArray("A,60\nB,70\nC,x\n") << QStringList{"1: A, 60, line end", "2: B, 70, line end", "3: C, x, line end"};
    QTest::newRow("CR line ends") << QByteArray("A,60\rB,70\rC,x\r") << QStringList{"1: A, 60, line end", "2: B, 70, line end", "3: C, x, line end"};
    QTest::newRow("word for a price after blank lines") << QByteArray("\r\nA,60\r\n\r\nC,x") << QStringList{"2: A, 60, line end", "4: C, x, end"};
    QTest::newRow("quoted name spanning lines") << QByteArray("\"A\r\nB\",60\r\nC,x") << QStringList{"1: A\r\nB, 60, line end", "3: C, x, end"};
    QTest::newRow("price above the range on line 2") << QByteArray("A,60\r\nB,40000\r\n") << QStringList{"1: A, 60, line end", "2: B, 40000, line end"};
    // The reader refuses a record whose price ends at a comma: the fields
    // after it would shift into the next record.
    QTest::newRow("trailing comma after a price") << QByteArray("A,60,\r\nB,70\r\n") << QStringList{"1: A, 60, comma", "2: B, 70, line end"};
    QTest::newRow("trailing comma on the last record") << QByteArray("A,60,\r\n") << QStringList{"1: A, 60, comma"};
}

void TestSequentialInput::records()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, records);

    QCOMPARE(readRecords(bytes), records);
}

void TestSequentialInput::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ASCII") << QByteArray("Nike Air") << QStringLiteral("Nike Air");
    QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC") << QStringLiteral(u"Caf\u00E9 \u20AC");
    QTest::newRow("UTF-8 four-byte") << QByteArray("\xF0\x9F\x91\x9F") << QStringLiteral(u"\U0001F45F");
    QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF" "Caf\xC3\xA9") << QStringLiteral(u"Caf\u00E9");
    QTest::newRow("Windows-1252 letter") << QByteArray("Caf\xE9") << QStringLiteral(u"Caf\u00E9");
    QTest::newRow("Windows-1252 specials") << QByteArray("\x80\x8A\x99\x9F") << QStringLiteral(u"\u20AC\u0160\u2122\u0178");
    QTest::newRow("Windows-1252 undefined bytes") << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral(u"\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("Windows-1252 after a byte-order mark") << QByteArray("\xEF\xBB\xBF" "Caf\xE9") << QStringLiteral(u"Caf\u00E9");
    QTest::newRow("overlong form is not UTF-8") << QByteArray("\xC0\xAF") << QStringLiteral(u"\u00C0\u00AF");
    QTest::newRow("surrogate is not UTF-8") << QByteArray("\xED\xA0\x80") << QStringLiteral(u"\u00ED\u00A0\u20AC");
    QTest::newRow("above U+10FFFF is not UTF-8") << QByteArray("\xF4\x90\x80\x80") << QStringLiteral(u"\u00F4\u0090\u20AC\u20AC");
    QTest::newRow("sequence cut off at the end") << QByteArray("ab\xC3") << QStringLiteral(u"ab\u00C3");
    QTest::newRow("lone continuation byte") << QByteArray("a\xA9") << QStringLiteral(u"a\u00A9");
    QTest::newRow("UTF-16 little-endian") << QByteArray("\xFF\xFE" "a\0\xE9\0\xAC\x20", 8) << QStringLiteral(u"a\u00E9\u20AC");
    QTest::newRow("UTF-16 big-endian") << QByteArray("\xFE\xFF\0a\0\xE9\x20\xAC", 8) << QStringLiteral(u"a\u00E9\u20AC");
    QTest::newRow("UTF-16 pair of surrogates") << QByteArray("\xFF\xFE\x3D\xD8\x5F\xDC", 6) << QStringLiteral(u"\U0001F45F");
}

void TestSequentialInput::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);

    QCOMPARE(runtime::decodeShopText(bytes), expected);
    // The comma after the text is written in the text's own encoding.
    const QByteArray comma = bytes.startsWith("\xFF\xFE") ? QByteArray(",\0", 2)
        : bytes.startsWith("\xFE\xFF")                    ? QByteArray("\0,", 2)
                                                          : QByteArray(",");
    SequentialInput input = SequentialInput::fromBytes(bytes + comma);
    QCOMPARE(input.readTextField().toString(), expected);
}

void TestSequentialInput::open_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<int>("error");

    const qint64 any = SequentialInput::AnySize;
    QTest::newRow("readable file") << "prices.txt" << any << 0;
    QTest::newRow("file of exactly the most bytes") << "prices.txt" << qint64(9) << 0;
    QTest::newRow("file one byte over the most") << "prices.txt" << qint64(8) << int(ErrorNumber::Overflow);
    QTest::newRow("missing file") << "absent.txt" << any << int(ErrorNumber::FileNotFound);
    QTest::newRow("missing folder") << "absent/prices.txt" << any << int(ErrorNumber::PathNotFound);
    QTest::newRow("folder instead of a file") << "folder" << any << int(ErrorNumber::PathFileAccessError);
    QTest::newRow("named pipe with no writer") << "prices.pipe" << any << int(ErrorNumber::PathFileAccessError);
    QTest::newRow("unreadable file") << "locked.txt" << any << int(ErrorNumber::PermissionDenied);
}

void TestSequentialInput::open()
{
    QFETCH(QString, relativePath);
    QFETCH(qint64, maxBytes);
    QFETCH(int, error);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : {QStringLiteral("prices.txt"), QStringLiteral("locked.txt")}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Nike,60\r\n");
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("prices.pipe"))).constData(), 0600) == 0);
    QFile::setPermissions(dir.filePath(QStringLiteral("locked.txt")), QFileDevice::WriteOwner);
    if (relativePath == QLatin1String("locked.txt") && QFile(dir.filePath(relativePath)).open(QIODevice::ReadOnly))
        QSKIP("permissions do not stop this user from reading");

    const QString path = dir.filePath(relativePath);
    try {
        SequentialInput input = machine::openSequentialInput(path, maxBytes);
        QCOMPARE(error, 0);
        QCOMPARE(input.path(), path);
        QCOMPARE(readFields(input, QStringLiteral("tn")), (QStringList{"Nike", "60"}));
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), error);
        QCOMPARE(e.path(), path);
        QCOMPARE(e.line(), 0);
    }
}

// A full price file and a single line of several megabytes, to catch
// scanning that grows faster than the input; the test timeout is the bound.
void TestSequentialInput::largeInput()
{
    QByteArray file;
    for (int i = 0; i < 32767; ++i)
        file += "Brand " + QByteArray::number(i) + ",120,95,80,110,75\r\n";
    SequentialInput input = SequentialInput::fromBytes(file);
    int records = 0;
    int sum = 0;
    while (!input.atEndOfRecords()) {
        QCOMPARE(input.readTextField().toString(), QStringLiteral("Brand %1").arg(records));
        for (int price = 0; price < 5; ++price)
            sum += SequentialInput::toInteger(input.readNumberField()).value;
        ++records;
    }
    QCOMPARE(records, 32767);
    QCOMPARE(sum, 32767 * 480);

    const QByteArray longName(8 * 1024 * 1024, 'x');
    SequentialInput longLine = SequentialInput::fromBytes(longName + ",5\r\n\"" + longName);
    QCOMPARE(longLine.readTextField().text.size(), longName.size());
    QCOMPARE(numberIn(longLine.readNumberField()), QStringLiteral("5"));
    QCOMPARE(longLine.readTextField().text.size(), longName.size());
    QVERIFY(atEndOfData(longLine));
}

QTEST_APPLESS_MAIN(TestSequentialInput)
#include "tst_sequentialinput.moc"
