#include "machine/WindowStartFailure.h"

#include "runtime/NativePath.h"
#include "runtime/VisibleText.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace machine {

namespace {

// Qt's own options, which QApplication takes off the command line: those
// after "=" or in the next argument take a value.
const QStringList QtOptionsWithValue{
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("session"), QStringLiteral("style"),
    QStringLiteral("stylesheet"), QStringLiteral("display"), QStringLiteral("geometry"),
    QStringLiteral("title"), QStringLiteral("icon"), QStringLiteral("name"), QStringLiteral("qmljsdebugger")};
const QStringList QtOptionsWithoutValue{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                        QStringLiteral("nograb"), QStringLiteral("dograb"),
                                        QStringLiteral("testability")};

QtMessageHandler g_previousHandler = nullptr;

void endInsteadOfAborting(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (g_previousHandler) {
            g_previousHandler(type, context, message);
        } else {
            const QByteArray line = (qFormatLogMessage(type, context, message) + u'\n').toLocal8Bit();
            std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        }
        return;
    }
    const bool displayNamed = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const QByteArray line = (windowStartFailureLine(displayNamed, message) + u'\n').toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

QStringList unknownWindowOptions(const QStringList &arguments)
{
    QStringList unknown;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(u'-') || argument == QLatin1String("-"))
            continue;
        const QString option = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const QString name = option.section(u'=', 0, 0);
        if (QtOptionsWithValue.contains(name)) {
            if (!option.contains(u'='))
                ++i;
            continue;
        }
        if (!QtOptionsWithoutValue.contains(option))
            unknown << argument;
    }
    return unknown;
}

void reportUnknownWindowOptions(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << runtime::pathFromNative(argv[i]);
    for (const QString &option : unknownWindowOptions(arguments)) {
        const QByteArray line =
            QStringLiteral("pellory: the option %1 is not known and was ignored.\n").arg(runtime::escapedInvisibleCharacters(option)).toLocal8Bit();
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
}

QString windowStartFailureLine(bool displayNamed, const QString &qtMessage)
{
    if (!displayNamed)
        return QStringLiteral("pellory: no display was found (DISPLAY and WAYLAND_DISPLAY are not set), so the window "
                              "cannot open; start it in a desktop session or under cage. 'pellory --check' needs "
                              "no display.");
    return QStringLiteral("pellory: the window cannot open, because no display could be used: %1")
        .arg(qtMessage.section(u'\n', 0, 0));
}

WindowStartFailure::WindowStartFailure()
{
    g_previousHandler = qInstallMessageHandler(endInsteadOfAborting);
    m_installed = true;
}

void WindowStartFailure::release()
{
    if (!m_installed)
        return;
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
    m_installed = false;
}

} // namespace machine
