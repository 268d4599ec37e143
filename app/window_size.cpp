#include "app/window_size.h"

namespace {

struct ScreenFit {
    int screenWidth, screenHeight, clientWidth, clientHeight;
};

// First match wins.
constexpr ScreenFit kScreenFits[] = {
    {1024, 768, 1000, 625},  {1152, 864, 1120, 700},  {1280, 720, 1112, 695},  {1280, 768, 1160, 725},
    {1280, 800, 1200, 750},  {1280, 960, 1240, 775},  {1280, 1024, 1264, 790}, {1360, 768, 1160, 725},
    {1366, 768, 1160, 725},  {1600, 900, 1320, 825},  {1600, 1024, 1560, 975},
};

}  // namespace

void FitWindowToScreen(int* width, int* height)
{
    int w = *width;
    int h = *height;
    if (w > 1600 && h > 1000) {
        *width = 1600;
        *height = 1000;
        return;
    }
    for (const ScreenFit& fit : kScreenFits) {
        if (fit.screenWidth == w && fit.screenHeight == h) {
            *width = fit.clientWidth;
            *height = fit.clientHeight;
            return;
        }
    }
    if (w >= 1600) return;
    if (static_cast<double>(w) * 0.625 > h) {
        h = static_cast<int>(static_cast<double>(w) * 0.625);
    } else {
        w = static_cast<int>(static_cast<double>(h) * 1.6);
    }
    w = static_cast<int>(w * 0.8);
    h = static_cast<int>(h * 0.8);
    // The rule above grows the box along the screen's shorter side, which on
    // a portrait or very wide screen gives a window larger than the screen;
    // then the box of aspect 1.6 is fitted inside the screen instead.
    if (w > *width || h > *height) {
        w = *width;
        h = *height;
        if (static_cast<double>(w) * 0.625 <= h) {
            h = static_cast<int>(static_cast<double>(w) * 0.625);
        } else {
            w = static_cast<int>(static_cast<double>(h) * 1.6);
        }
        w = static_cast<int>(w * 0.8);
        h = static_cast<int>(h * 0.8);
    }
    *width = w;
    *height = h;
}
