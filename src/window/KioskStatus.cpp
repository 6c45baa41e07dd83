#include "window/KioskStatus.h"

#include <QDir>

namespace window {

QString kioskStatusText(const PricesShown &prices)
{
    const QString brands = prices.brandCount == 1 ? QStringLiteral("1 brand")
                                                  : QStringLiteral("%1 brands").arg(prices.brandCount);
    return QStringLiteral("%1 from %2, SHA-256 %3, %4 %5")
        .arg(brands, QDir::toNativeSeparators(prices.priceFile),
             QString::fromLatin1(prices.sha256.toHex().left(12)),
             prices.reloaded ? QStringLiteral("reloaded") : QStringLiteral("loaded"),
             prices.takenIntoUse.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

} // namespace window
