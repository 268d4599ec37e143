// Where the widgets of the main window sit on the 1600 x 1000 virtual
// screen. Drawing and hit tests both read these rectangles, so a widget is
// moved in one place.
#pragma once

#include <cstdint>

// The buttons of gMainButtons, by index.
enum MainButtonId : int {
    kButtonRender,
    kButtonStop,
    kButtonContinue,
    kButtonYes,
    kButtonNo,
    kButtonPreview,
    kButtonDraw,
    kButtonQuit,
    kMainButtonCount,
};

struct MainButtonPlace {
    MainButtonId id;
    const char* caption;
    int x, y, width, height;
    uint8_t enabledAtStart;
};

// One row per button in index order.
extern const MainButtonPlace kMainButtonPlaces[kMainButtonCount];
