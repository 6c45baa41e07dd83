#include "machine/ConfigFolder.h"

#include "runtime/NativePath.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

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
    if (const passwd *account = ::getpwuid(::geteuid()); account && account->pw_dir)
        return runtime::pathFromNative(account->pw_dir);
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
