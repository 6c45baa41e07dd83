#pragma once

#include <QString>

namespace machine {

// The per-user application settings store, addressed by application,
// section and key, holding text. On Windows the values live where the shop's
// earlier program kept them, HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\<application>\<section>; elsewhere in the user's configuration
// folder (see ConfigFolder.h), <application>.conf, one group per section.
// That file may be a link, which stays a link; when it is, or leads to,
// anything but a regular file (a device, a named pipe, a folder), or a file
// over 1 MiB, the store is neither read nor written. It is written only when
// its lock file lets Qt write at once (see SettingsLock.h), so no read or
// write ever waits more than about half a second.
namespace settings {

// The stored text, or `defaultValue` when the key is absent or the store
// cannot be read.
QString GetSetting(const QString &application, const QString &section, const QString &key,
                   const QString &defaultValue);

// Stores the text. Returns false when the store cannot be written (a
// read-only file or folder, or a file that is not a regular one); the
// caller's choice still holds for this run.
bool SaveSetting(const QString &application, const QString &section, const QString &key, const QString &value);

} // namespace settings
} // namespace machine
