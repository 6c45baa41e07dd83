#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace window {

// The prices a kiosk shows, as IT needs to tell them from the file on disk.
struct PricesShown
{
    int brandCount = 0;
    QString priceFile;
    QByteArray sha256;
    QDateTime takenIntoUse;
    // False for the prices start-up loaded, true once a reload replaced them.
    bool reloaded = false;
};

// The status line systemctl status shows for the kiosk, for example
// "13 brands from /etc/pellory/BrandsPrices.txt, SHA-256 3f2a9c01d4e7, loaded 2026-12-07 16:00:05".
// The first 12 hexadecimal digits of the digest tell files apart well enough
// to compare with sha256sum's output; the time is the kiosk's local time.
QString kioskStatusText(const PricesShown &prices);

} // namespace window
