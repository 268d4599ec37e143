// The widget gallery: every widget class built at a fixed place of the
// virtual screen, so that tests can drive them and compare what they draw.
#pragma once

#include <string>

#include "ui/balls.h"
#include "ui/button.h"
#include "ui/color_panels.h"
#include "ui/option_lists.h"
#include "ui/picture_pickers.h"
#include "ui/progress_box.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/tabs.h"
#include "ui/text_boxes.h"
#include "ui/texture_box.h"
#include "ui/thumb_wheel.h"

struct ValueWidgetGallery {
    SLWindow slWindow;
    STWindow stWindow;
    ListBox list;
    OptionsBox checks, captionedChecks;
    Tab tab;
    MaxTab maxTab;
    TextBox number;
    SliderBox progress[3];
    ButtonXY placed;
    TextureBox swatch;
    InputBox input;
    unsigned swatchTexture = 0;

    // Builds every widget (needs the interface context), all visible.
    void Build();
    // Sets the visible flag of every widget.
    void SetVisible(uint8_t visible);
    void Draw();
};

// Where the gallery draws the placed button, twice a frame.
inline constexpr int kPlacedButtonAt[2][2] = {{1200, 620}, {1360, 620}};

// A folder of 'count' generated colour maps gradient00.map, ... (a red
// ramp of slope index + 1 wrapping, green falling, blue 40 per index).
std::string MakeColorMapFolder(const std::string& name, int count);

// A folder of generated pictures and colour maps for the texture panel:
// 'pictures' PNG files and 'maps' colour maps (names sorted as the folder
// scan lists them), with the thumbnail atlas built over it.
std::string MakeThumbnailFolder(const std::string& name, int pictures, int maps);

struct ScrollWidgetGallery {
    NewDropBox types;
    SliderWindow filter;
    HListBox fixedView;
    YSlider zoom;
    BoolBox materialTypes;
    TexturePanel browser, presets;
    TSelector shapes;
    unsigned presetTextures[kPickerCells] = {};

    // Builds every widget, all visible, and the atlas over a generated
    // folder of 20 pictures and 6 colour maps.
    void Build();
    void SetVisible(uint8_t visible);
    void Draw();
};

struct DirectionWidgetGallery {
    TrackBall ball;
    TrackBall lightFront, lightBehind;
    SimpleBall turned, fresh;
    ColorPanel color;
    ColorMap fogGradient = {};
    FogColorPanel fog, fogBrowser;

    // Builds every widget, all visible; the fog browser lists a generated
    // folder of 11 colour maps.
    void Build();
    void SetVisible(uint8_t visible);
    void Draw();
};
