#include "check/CheckCommand.h"

#include "catalogue/PriceFile.h"
#include "check/ConfigurationReport.h"
#include "check/PriceFileReport.h"
#include "check/ReportText.h"
#include "runtime/NativePath.h"
#include "staffpassword/SetStaffPassword.h"
#include "staffpassword/StaffPasswordFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace check {

namespace {

// The program's own options, each named and described once: the parser is
// given these, and isCommandLineRequest() looks for their names.
struct OwnOptions
{
    QCommandLineOption check{
        QStringLiteral("check"),
        QStringLiteral("Check the price file FILE (default: the BrandsPrices.txt beside the program).")};
    QCommandLineOption setStaffPassword{
        QStringLiteral("set-staff-password"),
        QStringLiteral("As root: set the shop's own staff password, 6 to 12 digits, asked twice at a terminal or\n"
                       "read as one line from standard input.")};
    QCommandLineOption checkSettings{
        QStringLiteral("check-settings"),
        QStringLiteral("Check the kiosk's settings file FILE (default: the pellory.conf beside the program)\n"
                       "instead of a price file: status 1 when a line of it is not understood.")};

    QList<QCommandLineOption> all() const { return {check, setStaffPassword, checkSettings}; }
};

const OwnOptions &ownOptions()
{
    static const OwnOptions options;
    return options;
}

// The names Qt's help and version options answer to (addHelpOption() and
// addVersionOption()).
const QStringList QtOptionNames{QStringLiteral("help"),    QStringLiteral("h"), QStringLiteral("?"),
                                QStringLiteral("help-all"), QStringLiteral("version"), QStringLiteral("v")};

QString optionName(QString argument)
{
    argument.remove(0, argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return argument.section(u'=', 0, 0);
}

// The error number when the text could not all be written (a full disk, a
// closed output), 0 when it was.
int printTo(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) != size_t(bytes.size())
        || std::fflush(stream) != 0)
        return errno != 0 ? errno : EIO;
    return 0;
}

// A report nobody received must not pass for a report given.
int printReport(const QString &text, int status)
{
    const int error = printTo(stdout, text);
    if (error == 0)
        return status;
    printTo(stderr, QStringLiteral("%1: the report could not be written to standard output: %2\n")
                        .arg(QCoreApplication::applicationName(), QString::fromLocal8Bit(std::strerror(error))));
    return OutputError;
}

// The arguments as the system gave them: a file name that is not valid UTF-8
// still names that very file.
QStringList argumentsAsGiven(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << runtime::pathFromNative(argv[i]);
    return arguments;
}

int usageError(const QString &problem)
{
    printTo(stderr, QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                        .arg(QCoreApplication::applicationName(), problem));
    return UsageError;
}

QString helpText(const QCommandLineParser &parser)
{
    return parser.helpText()
        + QStringLiteral("\n--check also lists the kiosk's settings from pellory.conf beside the program.\n"
                         "\nWithout --check the program opens the kiosk window; Qt's own options (-style,\n"
                         "-platform ...) apply there.\n"
                         "\nExit status of --check: 0 when the kiosk would load the file (warnings or not),\n"
                         "1 when it would refuse it, 2 when the command line is wrong, 3 when the report\n"
                         "could not be written. --check also says which staff password the kiosk takes.\n"
                         "\nExit status of --check-settings: 0 when the kiosk understands every line (warnings\n"
                         "or not), 1 when it does not understand a line or a FILE named is not there.\n");
}

} // namespace

QStringList commandLineOptionNames()
{
    QStringList names;
    for (const QCommandLineOption &option : ownOptions().all())
        names << option.names();
    return names + QtOptionNames;
}

bool isCommandLineRequest(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--"))
            return false;
        if (argument.startsWith(u'-') && commandLineOptionNames().contains(optionName(argument)))
            return true;
    }
    return false;
}

int runCommandLine(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(PELLORY_VERSION));

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("The Pellory's sneaker price-quote kiosk. With --check it reads a price file the way\n"
                       "the kiosk does and reports, without opening the window, every faulty line, or the\n"
                       "brands it would list with their prices and the warnings staff should look at."));
    const OwnOptions &own = ownOptions();
    parser.addOptions(own.all());
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The price file to check."),
                                 QStringLiteral("[FILE]"));

    if (!parser.parse(argumentsAsGiven(argc, argv)))
        return usageError(parser.errorText());
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all")))
        return printReport(helpText(parser), 0);
    if (parser.isSet(versionOption))
        return printReport(QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                         QCoreApplication::applicationVersion()),
                           0);
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(own.setStaffPassword)) {
        if (parser.isSet(own.check) || parser.isSet(own.checkSettings) || !files.isEmpty())
            return usageError(QStringLiteral("--set-staff-password takes nothing else."));
        return staffpassword::setStaffPassword(staffpassword::passwordFileBesideProgram());
    }
    // FILE would be either file: a price file checked as settings, or the
    // other way round, would pass for checked.
    if (parser.isSet(own.check) && parser.isSet(own.checkSettings))
        return usageError(QStringLiteral("--check and --check-settings each check one file; run them one at a time."));
    if (files.size() > 1)
        return usageError(QStringLiteral("Check one price file at a time."));
    // Configuration management checks a settings file before it replaces
    // the one in place, as it checks a price file; a file it names that is
    // not there is a slip of the name, not a file of defaults.
    if (parser.isSet(own.checkSettings)) {
        const configuration::ConfigurationReading settings =
            files.isEmpty() ? configuration::readConfiguration(configuration::configurationBesideProgram())
                            : configuration::readConfiguration(files.constFirst(), configuration::MissingFile::IsFault);
        return printReport(configurationReportText(settings).join(u'\n') + u'\n',
                           configuration::hasFaults(settings) ? 1 : 0);
    }

    const QString path = files.isEmpty() ? catalogue::priceFileBesideProgram() : files.constFirst();
    const PriceFileReport report = reportOn(catalogue::checkPriceFile(path));
    const QString staffPassword = staffpassword::storedPasswordSummary(
        staffpassword::readStoredPassword(staffpassword::passwordFileBesideProgram()), staffpassword::Reader::Check);
    // The settings and the staff password come first: the price file's
    // verdict stays the last line.
    const QStringList settings =
        configurationReportText(configuration::readConfiguration(configuration::configurationBesideProgram()));
    const QString blankLine = QStringLiteral("\n\n");
    return printReport(settings.join(u'\n') + blankLine + staffPassword + blankLine + reportText(report).join(u'\n')
                           + u'\n',
                       report.exitStatus());
}

} // namespace check
