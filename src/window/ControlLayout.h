#pragma once

#include "runtime/ProgramFacts.h"

#include <QString>

namespace window {

// Places and sizes in twips, from the top-left corner of the container's
// client area (the window's, or the frame's for the items and pairs).
struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int ClientWidth = 9075;
inline constexpr int ClientHeight = 6300;

inline constexpr TwipsRect lstBrandsRect{720, 2280, 2055, 3195};
inline constexpr TwipsRect fraSneakerItemsRect{3240, 2160, 2175, 3135};
inline constexpr TwipsRect fraPairsRect{5880, 2160, 2295, 2415};
inline constexpr TwipsRect lblDateTimeRect{4320, 1560, 570, 285};
inline constexpr TwipsRect lblPriceQuoteRect{240, 5760, 105, 345};
inline constexpr TwipsRect cmdCalculateRect{5640, 4920, 1455, 735};
inline constexpr TwipsRect cmdClearQuoteRect{720, 1440, 2055, 735};
inline constexpr TwipsRect lblInstructionsRect{360, 120, 8535, 1215};
inline constexpr TwipsRect cmdResetRect{7440, 4920, 1455, 735};

// The five items and the five pairs options are stacked inside their frames.
inline constexpr TwipsRect chkSneakerItemRect(int index) { return {120, 480 + 480 * index, 1695, 375}; }
inline constexpr TwipsRect optPairRect(int index) { return {120, 480 + 360 * (index - 1), 2055, 375}; }

inline const QString FormCaption = QString::fromUtf8(runtime::facts::WindowTitle);

// Indexed by the number of pairs; there is no option for none.
inline const QString PairCaptions[] = {
    QString(), QStringLiteral("One (1) Pair"), QStringLiteral("Two (2) Pair"), QStringLiteral("Three (3) Pair"),
    QStringLiteral("Four (4) Pair"), QStringLiteral("Five (5) Pair"),
};

inline const QString InstructionsCaption = QStringLiteral(
    "Please select a brand of sneakers, one or more sneaker item and how many pairs of sneakers you would "
    "like to price.  Then click \"Calculate\" to see the price of selected sneakers, \"Clear All Selections\" "
    "to clear the form, \"Clear Sneaker Brand\" to price a different sneaker or just change selection(s) and "
    "click \"Calculate\" again.  ");

} // namespace window
