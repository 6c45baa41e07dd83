#pragma once

#include <QtGlobal>

namespace machine {

// The primary screen's logical resolution, by which twips become pixels; 96
// while there is no screen.
qreal logicalDpi();

} // namespace machine
