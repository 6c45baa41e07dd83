#pragma once

#include <QString>

namespace machine {

// The folder that holds the program, where its data files lie beside it.
// Started through a link on the PATH, this is still the real program's folder.
// On Linux it is the folder of the file the system started, byte for byte
// (see NativePath.h), even when its name is not valid UTF-8.
QString programFolder();

} // namespace machine
