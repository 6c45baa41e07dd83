#include "runtime/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace runtime {

qreal logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace runtime
