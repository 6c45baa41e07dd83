#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>

// The shop's own settings for the kiosk, which customers and staff never see
// on screen: pellory.conf, an INI file beside the program (on an installed
// kiosk a link to /etc/pellory/pellory.conf). main reads it once at start-up
// and hands the values to the window; nothing else looks for the file. A
// missing file means every default; a value that is not understood gives its
// default, so a slip in the file never keeps the kiosk from opening.

namespace configuration {

inline constexpr auto ConfigurationFileName = "pellory.conf";
// A settings file is a few lines; a megabyte is far more than any needs.
inline constexpr qint64 MaxConfigurationBytes = 1024 * 1024;
// The faults and warnings listed for one file; a file of junk would
// otherwise flood standard error with a line for each of its lines.
inline constexpr int MostListedNotes = 100;

enum class DigitPad { Auto, On, Off };

struct ShopConfiguration
{
    // The window grows to fill the screen, for finger-sized controls.
    bool fillScreen = false;
    // How long the window waits without input before it clears every
    // selection for the next customer; zero never clears.
    std::chrono::milliseconds idleReset = std::chrono::seconds(120);
    // Whether the staff password box offers an on-screen digit pad; Auto
    // offers it when a touch screen is attached.
    DigitPad digitPad = DigitPad::Auto;
    // Preferences ask for the staff password before they change anything.
    bool staffOnlyPreferences = false;
    // A new price file takes effect on the running kiosk by itself, once it
    // has stayed unchanged for priceFileSettling.
    bool reloadPrices = true;
    // Not a setting of the file: how long a changed price file must stay
    // unchanged before it is read, so a file still being written is never
    // read half-way. Tests shorten it.
    std::chrono::milliseconds priceFileSettling = std::chrono::seconds(2);
};

// A line the kiosk did not understand, whose setting keeps the default; or,
// as a warning, a line it understood but that looks like a slip.
struct ConfigurationFault
{
    int line = 0;       // 0 when it concerns the whole file
    QString sentence;   // what is wrong there, for staff; characters that do not show are written out
};

struct ConfigurationReading
{
    QString path;
    bool found = false;
    ShopConfiguration values;
    // The first MostListedNotes faults and warnings, in the order of the file.
    QList<ConfigurationFault> faults;
    // A setting given again with another value: the later line wins.
    QList<ConfigurationFault> warnings;
    // Those left out of the lists.
    qsizetype unlistedFaults = 0;
    qsizetype unlistedWarnings = 0;
};

// One setting of the file. A new setting is one more entry in
// configurationKeys(): its section and name, the values it accepts, and how
// it reads and shows them.
struct ConfigurationKey
{
    QString section;
    QString name;
    QString accepted;   // the values it takes, as staff write them
    // Stores the value a text means; false when the text means none.
    bool (*read)(const QString &text, ShopConfiguration &into);
    QString (*show)(const ShopConfiguration &from);
};

const QList<ConfigurationKey> &configurationKeys();

// Whether the staff password box offers the digit pad: as set, or for Auto
// when a touch screen is attached.
bool offersDigitPad(DigitPad setting, bool touchScreenAttached);

// pellory.conf beside the program.
QString configurationBesideProgram();

// The kiosk's own file may be missing (every default); a file staff name for
// a check must be there.
enum class MissingFile { MeansDefaults, IsFault };

// Reads the settings file at `path`: a missing file gives every default,
// with a fault only when `missing` says so; a file that cannot be read (a
// folder, a device, a pipe, unreadable, larger than MaxConfigurationBytes)
// gives every default and one fault. Never blocks, whatever is put at `path`.
ConfigurationReading readConfiguration(const QString &path, MissingFile missing = MissingFile::MeansDefaults);
ConfigurationReading parseConfiguration(const QByteArray &bytes, const QString &path = {});

// Whether a line was not understood, listed or not.
bool hasFaults(const ConfigurationReading &reading);

// How many faults and warnings the lists leave out, as a sentence; empty
// when none.
QString unlistedText(const ConfigurationReading &reading);

// A fault as one line for whoever looks after the kiosk: the file, the line
// and the sentence.
QString faultText(const ConfigurationReading &reading, const ConfigurationFault &fault);

// Every line the kiosk leaves on standard error about the file: each fault
// and warning listed, then how many more there are.
QStringList supportLines(const ConfigurationReading &reading);

} // namespace configuration
