#include "machine/ConfigFolder.h"

#include "runtime/NativePath.h"

#include <QDir>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

namespace machine {

namespace {

bool isAbsolute(const QString &path)
{
    return path.startsWith(u'/');
}

QString environmentPath(const char *name)
{
    return runtime::pathFromNative(qgetenv(name));
}

QString accountHome()
{
#ifndef Q_OS_WIN
    if (const passwd *account = ::getpwuid(::geteuid()); account && account->pw_dir)
        return runtime::pathFromNative(account->pw_dir);
#endif
    return {};
}

} // namespace

QString configFolderFor(const QString &xdgConfigHome, const QString &home, const QString &accountHome)
{
    if (isAbsolute(xdgConfigHome))
        return QDir::cleanPath(xdgConfigHome);
    const QString base = isAbsolute(home) ? home : isAbsolute(accountHome) ? accountHome : QString();
    if (base.isEmpty())
        return {};
    return QDir::cleanPath(base + QStringLiteral("/.config"));
}

QString configFolder()
{
    const QString xdgConfigHome = environmentPath("XDG_CONFIG_HOME");
    const QString home = environmentPath("HOME");
    // The password database may be a network service: asked only when needed.
    const bool accountNeeded = !isAbsolute(xdgConfigHome) && !isAbsolute(home);
    return configFolderFor(xdgConfigHome, home, accountNeeded ? accountHome() : QString());
}

} // namespace machine
