#include "check/CheckCommand.h"

#include "catalogue/PriceFile.h"
#include "check/ConfigurationReport.h"
#include "check/PriceFileReport.h"
#include "check/ReportText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace check {

namespace {

// The option names the command line answers to; everything else starts the window.
const QStringList CommandLineOptionNames{QStringLiteral("check"), QStringLiteral("help"), QStringLiteral("h"),
                                         QStringLiteral("?"), QStringLiteral("help-all"),
                                         QStringLiteral("version"), QStringLiteral("v")};

QString optionName(QString argument)
{
    argument.remove(0, argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return argument.section(u'=', 0, 0);
}

void printTo(FILE *stream, const QString &text)
{
    QTextStream out(stream);
    out << text;
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
                         "1 when it would refuse it, 2 when the command line is wrong.\n");
}

} // namespace

bool isCommandLineRequest(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--"))
            return false;
        if (argument.startsWith(u'-') && CommandLineOptionNames.contains(optionName(argument)))
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
    const QCommandLineOption checkOption(
        QStringLiteral("check"),
        QStringLiteral("Check the price file FILE (default: the BrandsPrices.txt beside the program)."));
    parser.addOption(checkOption);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The price file to check."),
                                 QStringLiteral("[FILE]"));

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        printTo(stdout, helpText(parser));
        return 0;
    }
    if (parser.isSet(versionOption)) {
        printTo(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion()));
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QStringLiteral("Check one price file at a time."));

    const QString path = files.isEmpty() ? catalogue::priceFileBesideProgram() : files.constFirst();
    const PriceFileReport report = reportOn(catalogue::checkPriceFile(path));
    // The settings come first: the price file's verdict stays the last line.
    printTo(stdout, configurationReportText(configuration::readConfiguration(configuration::configurationBesideProgram()))
                        .join(u'\n') + QStringLiteral("\n\n"));
    printTo(stdout, reportText(report).join(u'\n') + u'\n');
    return report.exitStatus();
}

} // namespace check
