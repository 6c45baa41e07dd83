#include "runtime/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

qreal logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace platform
