// Prints the window's control layout, in twips, as shell variables for
// run.sh, so the real-window check clicks and samples where the window really
// places its controls. The build writes them to realwindow/layout.sh, with
// twips_to_pixels DPI TWIPS, which runs this program again to convert as the
// window does.

#include "runtime/Twips.h"
#include "window/ControlLayout.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void print(const char *name, const window::TwipsRect &rect)
{
    std::printf("%s_left=%d %s_top=%d %s_width=%d %s_height=%d\n", name, rect.left, name, rect.top, name, rect.width,
                name, rect.height);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "pixels") == 0) {
        std::printf("%d\n", runtime::twipsToPixels(std::atoi(argv[3]), std::atof(argv[2])));
        return 0;
    }
    // The build names this program's full path, for the function to run it again.
    if (argc == 2)
        std::printf("twips_to_pixels() { '%s' pixels \"$1\" \"$2\"; }\n", argv[1]);
    std::printf("ClientWidth=%d ClientHeight=%d\n", window::ClientWidth, window::ClientHeight);
    print("lstBrands", window::lstBrandsRect);
    print("fraSneakerItems", window::fraSneakerItemsRect);
    print("fraPairs", window::fraPairsRect);
    print("lblDateTime", window::lblDateTimeRect);
    print("lblPriceQuote", window::lblPriceQuoteRect);
    print("cmdCalculate", window::cmdCalculateRect);
    print("cmdReset", window::cmdResetRect);
    char name[32];
    for (int item = 0; item < 5; ++item) {
        std::snprintf(name, sizeof name, "chkSneakerItem_%d", item);
        print(name, window::chkSneakerItemRect(item));
    }
    for (int pairs = 1; pairs <= 5; ++pairs) {
        std::snprintf(name, sizeof name, "optPair_%d", pairs);
        print(name, window::optPairRect(pairs));
    }
    return 0;
}
