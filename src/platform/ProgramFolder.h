#pragma once

#include <QCoreApplication>
#include <QString>

namespace platform {

// The folder that holds the program, where its data files lie beside it.
// Started through a link on the PATH, this is still the real program's folder.
inline QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
