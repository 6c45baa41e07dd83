#include "machine/ScreenResolution.h"

#include <QGuiApplication>
#include <QScreen>

namespace machine {

qreal logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace machine
