#include <gtest/gtest.h>

#include "app/window_size.h"

namespace {

struct FitCase {
    int screenWidth, screenHeight, width, height;
};

TEST(FitWindowToScreen, Table)
{
    const FitCase cases[] = {
        {1920, 1080, 1600, 1000},  // larger in both directions
        {2560, 1440, 1600, 1000},
        {1601, 1001, 1600, 1000},
        {1600, 1000, 1600, 1000},  // not larger, not in the list: kept from 1600 wide on
        {1920, 900, 1920, 900},
        {1024, 768, 1000, 625},    // the list of common screens
        {1152, 864, 1120, 700},
        {1280, 720, 1112, 695},
        {1280, 768, 1160, 725},
        {1280, 800, 1200, 750},
        {1280, 960, 1240, 775},
        {1280, 1024, 1264, 790},
        {1360, 768, 1160, 725},
        {1366, 768, 1160, 725},
        {1600, 900, 1320, 825},
        {1600, 1024, 1560, 975},
        {1440, 900, 1152, 720},    // aspect 1.6 box scaled by 0.8
        {1400, 1050, 1344, 840},   // taller than 1.6: width from the height, still on screen
        {1400, 800, 1120, 700},    // wider than 1.6: height from the width, still on screen
        {800, 600, 768, 480},
        {1200, 500, 640, 400},     // that rule would leave the screen: fitted inside instead
        {768, 1024, 614, 384},     // portrait: the rule would leave the screen too
    };
    for (const FitCase& c : cases) {
        int w = c.screenWidth;
        int h = c.screenHeight;
        FitWindowToScreen(&w, &h);
        EXPECT_EQ(w, c.width) << c.screenWidth << " x " << c.screenHeight;
        EXPECT_EQ(h, c.height) << c.screenWidth << " x " << c.screenHeight;
    }
}

}  // namespace
