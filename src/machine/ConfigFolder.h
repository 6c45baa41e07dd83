#pragma once

#include <QString>

namespace machine {

// The folder for per-user configuration, by the XDG rules: XDG_CONFIG_HOME
// when it is an absolute path (a relative one is ignored, as the rules say),
// otherwise .config in the home folder. The home folder is HOME, or, when
// HOME is unset or not absolute (a service started without it), the
// account's home from the password database: never the root folder, where a
// program run as root would make /.config. Empty when there is no home.
QString configFolderFor(const QString &xdgConfigHome, const QString &home, const QString &accountHome);

// The same for this process: its environment and its account.
QString configFolder();

} // namespace machine
