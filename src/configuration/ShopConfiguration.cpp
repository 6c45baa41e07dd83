#include "configuration/ShopConfiguration.h"

#include "machine/FileBytes.h"
#include "machine/ProgramFolder.h"
#include "runtime/RuntimeError.h"
#include "runtime/VisibleText.h"

#include <QDir>
#include <QHash>

#include <algorithm>
#include <optional>

namespace configuration {

namespace {

constexpr int LongestIdleSeconds = 24 * 60 * 60;

std::optional<bool> switchValue(const QString &text)
{
    const QString lower = text.toLower();
    if (lower == u"true" || lower == u"yes" || lower == u"on" || lower == u"1")
        return true;
    if (lower == u"false" || lower == u"no" || lower == u"off" || lower == u"0")
        return false;
    return std::nullopt;
}

bool readSwitch(const QString &text, bool &into)
{
    const std::optional<bool> value = switchValue(text);
    if (value)
        into = *value;
    return value.has_value();
}

QString switchText(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

bool readIdleSeconds(const QString &text, ShopConfiguration &into)
{
    const bool digitsOnly = !text.isEmpty() && text.size() <= 5
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digitsOnly || text.toInt() > LongestIdleSeconds)
        return false;
    into.idleReset = std::chrono::seconds(text.toInt());
    return true;
}

bool readDigitPad(const QString &text, ShopConfiguration &into)
{
    const QString lower = text.toLower();
    if (lower == u"auto")
        into.digitPad = DigitPad::Auto;
    else if (lower == u"on")
        into.digitPad = DigitPad::On;
    else if (lower == u"off")
        into.digitPad = DigitPad::Off;
    else
        return false;
    return true;
}

QString digitPadText(DigitPad pad)
{
    switch (pad) {
    case DigitPad::On: return QStringLiteral("on");
    case DigitPad::Off: return QStringLiteral("off");
    case DigitPad::Auto: break;
    }
    return QStringLiteral("auto");
}

const ConfigurationKey *findKey(const QString &section, const QString &name)
{
    for (const ConfigurationKey &key : configurationKeys()) {
        if (key.section.compare(section, Qt::CaseInsensitive) == 0 && key.name.compare(name, Qt::CaseInsensitive) == 0)
            return &key;
    }
    return nullptr;
}

QStringList namesIn(const QString &section)
{
    QStringList names;
    for (const ConfigurationKey &key : configurationKeys()) {
        if (key.section.compare(section, Qt::CaseInsensitive) == 0)
            names << key.name;
    }
    return names;
}

// Text from the file goes into messages for a terminal and a journal, where
// a control character could drive the terminal and a right-to-left override
// turn the rest of the line around: each is written out, so staff see it.
QString shown(const QString &text)
{
    return runtime::escapedInvisibleCharacters(text);
}

// Lists the first MostListedNotes faults and warnings of a file, and counts
// the rest.
class Notes
{
public:
    explicit Notes(ConfigurationReading &reading) : m_reading(reading) {}

    void fault(int line, const QString &sentence) { note(m_reading.faults, m_reading.unlistedFaults, line, sentence); }
    void warning(int line, const QString &sentence)
    {
        note(m_reading.warnings, m_reading.unlistedWarnings, line, sentence);
    }

private:
    void note(QList<ConfigurationFault> &list, qsizetype &unlisted, int line, const QString &sentence)
    {
        if (m_reading.faults.size() + m_reading.warnings.size() < MostListedNotes)
            list.append({line, sentence});
        else
            ++unlisted;
    }

    ConfigurationReading &m_reading;
};

// Where each setting was last given, and as what, to tell a setting given
// twice with another value.
struct GivenSetting
{
    int line = 0;
    QString value;
};

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return count == 1 ? QStringLiteral("1 %1").arg(one) : QStringLiteral("%1 %2").arg(count).arg(many);
}

QStringList linesOf(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}

} // namespace

const QList<ConfigurationKey> &configurationKeys()
{
    static const QList<ConfigurationKey> keys{
        {QStringLiteral("kiosk"), QStringLiteral("FillScreen"), QStringLiteral("true or false"),
         [](const QString &text, ShopConfiguration &into) { return readSwitch(text, into.fillScreen); },
         [](const ShopConfiguration &from) { return switchText(from.fillScreen); }},
        {QStringLiteral("kiosk"), QStringLiteral("IdleResetSeconds"),
         QStringLiteral("a whole number of seconds from 0 (never) to %1").arg(LongestIdleSeconds), readIdleSeconds,
         [](const ShopConfiguration &from) {
             return QString::number(std::chrono::duration_cast<std::chrono::seconds>(from.idleReset).count());
         }},
        {QStringLiteral("kiosk"), QStringLiteral("DigitPad"), QStringLiteral("auto, on or off"), readDigitPad,
         [](const ShopConfiguration &from) { return digitPadText(from.digitPad); }},
        {QStringLiteral("kiosk"), QStringLiteral("StaffOnlyPreferences"), QStringLiteral("true or false"),
         [](const QString &text, ShopConfiguration &into) { return readSwitch(text, into.staffOnlyPreferences); },
         [](const ShopConfiguration &from) { return switchText(from.staffOnlyPreferences); }},
        {QStringLiteral("kiosk"), QStringLiteral("ReloadPrices"), QStringLiteral("true or false"),
         [](const QString &text, ShopConfiguration &into) { return readSwitch(text, into.reloadPrices); },
         [](const ShopConfiguration &from) { return switchText(from.reloadPrices); }},
    };
    return keys;
}

bool offersDigitPad(DigitPad setting, bool touchScreenAttached)
{
    return setting == DigitPad::On || (setting == DigitPad::Auto && touchScreenAttached);
}

QString configurationBesideProgram()
{
    return QDir(machine::programFolder()).filePath(QString::fromLatin1(ConfigurationFileName));
}

ConfigurationReading parseConfiguration(const QByteArray &bytes, const QString &path)
{
    ConfigurationReading reading;
    reading.path = path;
    reading.found = true;
    Notes notes(reading);
    QHash<const ConfigurationKey *, GivenSetting> given;
    const QStringList lines = linesOf(bytes);
    QString section;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString text = lines.at(index).trimmed();
        const int line = int(index + 1);
        if (text.isEmpty() || text.startsWith(u'#') || text.startsWith(u';'))
            continue;
        if (text.startsWith(u'[') && text.endsWith(u']')) {
            section = text.mid(1, text.size() - 2).trimmed();
            if (namesIn(section).isEmpty())
                notes.fault(line, QStringLiteral("[%1] is not a section of the kiosk's settings; the lines under it "
                                                 "are ignored.")
                                      .arg(shown(section)));
            continue;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (equals <= 0) {
            notes.fault(line, QStringLiteral("\"%1\" is not a setting; write Name=value, a [section], or a comment "
                                             "starting with #.")
                                  .arg(shown(text)));
            continue;
        }
        const QString name = text.left(equals).trimmed();
        const QString value = text.mid(equals + 1).trimmed();
        if (section.isEmpty()) {
            notes.fault(line, QStringLiteral("%1 stands before any section and is ignored; put it under [kiosk].")
                                  .arg(shown(name)));
            continue;
        }
        if (namesIn(section).isEmpty())
            continue;
        const ConfigurationKey *key = findKey(section, name);
        if (!key) {
            notes.fault(line, QStringLiteral("%1 is not a setting of [%2] and is ignored; the settings there are %3.")
                                  .arg(shown(name), shown(section), namesIn(section).join(QStringLiteral(", "))));
            continue;
        }
        if (!key->read(value, reading.values)) {
            const QString fallback = key->show(ShopConfiguration{});
            key->read(fallback, reading.values);
            given.remove(key);
            notes.fault(line, QStringLiteral("%1=%2: the value must be %3; the kiosk uses the default, %4.")
                                  .arg(key->name, shown(value), key->accepted, fallback));
            continue;
        }
        const QString inEffect = key->show(reading.values);
        if (const auto earlier = given.constFind(key); earlier != given.cend() && earlier->value != inEffect)
            notes.warning(line, QStringLiteral("%1 is given again; line %2 gave %3, and the kiosk uses this line's %4.")
                                    .arg(key->name)
                                    .arg(earlier->line)
                                    .arg(earlier->value, inEffect));
        given.insert(key, {line, inEffect});
    }
    return reading;
}

ConfigurationReading readConfiguration(const QString &path, MissingFile missing)
{
    QByteArray bytes;
    try {
        bytes = machine::readWholeFile(path, MaxConfigurationBytes);
    } catch (const runtime::RuntimeError &error) {
        ConfigurationReading reading;
        reading.path = path;
        const auto number = runtime::ErrorNumber(error.number());
        if (number == runtime::ErrorNumber::FileNotFound || number == runtime::ErrorNumber::PathNotFound) {
            if (missing == MissingFile::IsFault)
                reading.faults.append({0, error.detail()});
            return reading;
        }
        reading.found = true;
        reading.faults.append({0, error.detail() + QStringLiteral(" Every setting is at its default.")});
        return reading;
    }
    return parseConfiguration(bytes, path);
}

bool hasFaults(const ConfigurationReading &reading)
{
    return !reading.faults.isEmpty() || reading.unlistedFaults > 0;
}

QString unlistedText(const ConfigurationReading &reading)
{
    const QString faults = counted(reading.unlistedFaults, QStringLiteral("more line not understood"),
                                   QStringLiteral("more lines not understood"));
    const QString warnings = counted(reading.unlistedWarnings, QStringLiteral("more setting given again"),
                                     QStringLiteral("more settings given again"));
    const qsizetype total = reading.unlistedFaults + reading.unlistedWarnings;
    const QString verb = total == 1 ? QStringLiteral("is") : QStringLiteral("are");
    if (reading.unlistedWarnings == 0)
        return total == 0 ? QString() : QStringLiteral("%1 %2 not listed.").arg(faults, verb);
    if (reading.unlistedFaults == 0)
        return QStringLiteral("%1 %2 not listed.").arg(warnings, verb);
    return QStringLiteral("%1 and %2 are not listed.").arg(faults, warnings);
}

QString faultText(const ConfigurationReading &reading, const ConfigurationFault &fault)
{
    QString where = QDir::toNativeSeparators(reading.path);
    if (fault.line > 0)
        where += QLatin1Char(':') + QString::number(fault.line);
    return where + QStringLiteral(": ") + fault.sentence;
}

QStringList supportLines(const ConfigurationReading &reading)
{
    QStringList lines;
    for (const ConfigurationFault &fault : reading.faults)
        lines << faultText(reading, fault);
    for (const ConfigurationFault &warning : reading.warnings)
        lines << faultText(reading, warning);
    if (const QString unlisted = unlistedText(reading); !unlisted.isEmpty())
        lines << faultText(reading, {0, unlisted});
    return lines;
}

} // namespace configuration
