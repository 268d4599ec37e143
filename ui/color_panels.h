// Colour widgets: ColorPanel (one colour on three 0..255 tracks with a
// swatch), GSelector (the "Gradient Browser" over the folder's colour maps,
// eight strips a page) and FogColorPanel (a colour and the gradient its
// owner hands it, with its buttons and browser).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/color_map.h"
#include "ui/button.h"

class ColorPanel {
public:
    ColorPanel() = default;
    virtual ~ColorPanel() = default;

    void Build(const int& x, const int& y, const int& zValue, const char* caption, const int& tagValue);
    void Draw() const;
    // Picks the track under the press (strictly inside its band); outside
    // the tracks' area un-picks (4).
    bool Click(const int& px, const int& py);
    bool Wheel(int px, int py, float delta);
    // The picked component follows the pointer's x, pinned at 0 and 255.
    bool Drag(const int& px, const int& py);
    void SetColor(int r, int g, int b);

    float left = 0, bottom = 0, right = 0, top = 0;
    float depth = 0;
    uint8_t changed = 0;
    uint8_t orientation = 1;
    unsigned frameList = 0, swatchList = 0, knobList = 0;
    uint8_t visible = 0;
    int component[3] = {};        // red, green, blue
    float componentFloat[3] = {};  // the same / 255, read by the shading
    int bandLow[3] = {}, bandHigh[3] = {};
    int trackStart = 0, trackEnd = 0;
    int lastCoordinate[3][2] = {};
    int picked = 4;
    int tag = 0;
    char text[128] = {};
    uint8_t valueChanged = 0;

private:
    void Store(int c, int value);
};

inline constexpr int kGradientRows = 8;

// One strip of the browser: the file's colours as a 1-D texture and its
// numbers as read (owners copy those, clamped, into their own maps).
struct GradientRow {
    uint8_t colours[kColorMapEntries * 3] = {};
    unsigned texture = 0;
    float red[kColorMapEntries] = {}, green[kColorMapEntries] = {}, blue[kColorMapEntries] = {};
};

// The ".map" files of a folder (any letter case), ordered by name without
// regard to case (ties in byte order), so every listing agrees.
std::vector<std::string> ListColorMapFiles(const std::string& folder);

class GSelector {
public:
    GSelector() = default;
    virtual ~GSelector() = default;

    void Build(const int& x, const int& y, const int& zValue);
    // Reads the folder's file number index into the row; rows past the
    // last file, and files that cannot be read, stay black. Returns the
    // number of colour-map files.
    int ListMapFiles(int index, int row);
    void Draw() const;
    // True when a strip was picked; the scroll column pages by two files.
    bool Click(const int& px, const int& py);
    bool Wheel(int px, int py, float delta);
    // A picked row's colours as bytes, each value clamped to 0..255 first.
    void CopyRow(int row, ColorMap& out) const;
    // The folder listed again at the same page, so that files added or
    // removed since show when the browser opens.
    void Relist() { Page(0); }

    float left = 0, bottom = 0, right = 0, top = 0;
    float depth = 0;
    uint8_t spare = 0;
    int fileCount = 0;
    unsigned frameList = 0;
    uint8_t visible = 0;
    int scrollHalf = 0;
    int rowY[kGradientRows] = {};
    int first = 0;
    int selectedRow = 0;
    std::vector<GradientRow> rows = std::vector<GradientRow>(kGradientRows);

private:
    void Page(int step);
};

class FogColorPanel {
public:
    FogColorPanel() = default;
    virtual ~FogColorPanel() = default;

    void Build(const int& x, const int& y, const int& zValue, const char* caption, const int& group);
    void Draw() const;
    // True only when a colour bar was pressed; the buttons act at once.
    bool Click(const int& x, const int& y);
    bool Wheel(int x, int y, float delta);
    // The active bar follows gPointerX.
    bool Drag();
    void SyncFloatColor();
    // Writes the map into the gradient entry by entry (threads may read it).
    void SetGradient(const ColorMap& map);

    enum ButtonIndex { kRandom, kLoad, kSave, kBrowse, kClose, kClear, kButtonCount };

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0, z = 0;
    uint8_t dragging = 0;
    uint8_t browserMode = 0;
    unsigned frameList = 0, swatchList = 0, markerList = 0;
    uint8_t visible = 0;
    // The gradient the panel shows and edits (entry 0 at the back, 255 at
    // the front); its owner sets it before Build, which clears it to black.
    ColorMap* gradient = nullptr;
    int component[3] = {};
    float componentFloat[3] = {};
    int bandLow[3] = {}, bandHigh[3] = {};
    int barStart = 0, barEnd = 0;
    int pressX[3] = {};
    int activeBar = 4;
    int groupId = 0;
    char text[64] = {};
    uint8_t changed = 0;
    Button buttons[kButtonCount];
    GSelector browser;

private:
    int BandAt(int y, const int order[3]) const;
    void Store(int c, int value);
    void PressButton(int index);
};
