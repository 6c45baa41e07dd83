#pragma once

#include "catalogue/PriceFile.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace check {

// One brand as the window would list it.
struct BrandRow
{
    int position = 0;   // 0-based place in the brand list, which decides the items offered
    int line = 0;
    QString name;
    std::array<std::int16_t, catalogue::ItemCount> prices{};
    std::array<bool, catalogue::ItemCount> offered{};
};

// Something staff should look at although the kiosk still loads the file.
struct Warning
{
    enum Kind {
        OfferedWithoutPrice,    // an offered item priced 0 or below
        PriceOfGreyedItem,      // a price the window can never quote
        SameName,               // the name of an earlier brand again
        BlanksAroundName,       // quoted blanks the list shows as part of the name
        ReadAsWindows1252,      // the bytes were not valid UTF-8; `name` is the file's
        RoundedPrice,           // a price written with a fraction, quoted rounded
    };
    Kind kind = OfferedWithoutPrice;
    int line = 0;               // 0 when it concerns the whole file
    int position = -1;
    QString name;
    int item = -1;
    int price = 0;
    int earlierLine = 0;        // for SameName: where the name first appears
    QString written;            // for RoundedPrice: the price as the file writes it
};

struct PriceFileReport
{
    QString path;
    QList<catalogue::LineFault> faults;
    bool moreFaults = false;
    QList<BrandRow> rows;       // only when the kiosk would load the file
    int headingLine = 0;        // the heading row the kiosk passes over; 0 for none
    QList<Warning> warnings;

    bool kioskLoads() const { return faults.isEmpty(); }
    // 0 when the kiosk would load the file, 1 when it would refuse it.
    int exitStatus() const { return kioskLoads() ? 0 : 1; }
};

// What the kiosk would make of a file the reader checked: the brand rows with
// the items their list position offers, and the warnings that do not stop it.
PriceFileReport reportOn(const catalogue::PriceFileCheck &check);

} // namespace check
