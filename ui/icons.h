// Icons of the interface: the three tool icons of the preview corner (zoom,
// rotation mode, move axis), one icon per fractal type, and the 205 shape
// icons of the baseshape-type selector on two sheets of 8 x 16 cells.
#pragma once

inline constexpr int kRotationModeIcons = 4;  // "RZ", "RX", "RY", "RXYZ"
inline constexpr int kMoveAxisIcons = 3;      // "Y", "X", "XY"
inline constexpr int kFractalTypeIcons = 50;  // "1.png" .. "50.png"
inline constexpr int kShapeIcons = 205;
inline constexpr int kShapeIconsPerSheet = 128;

struct ToolIconSet {
    unsigned rotation[kRotationModeIcons];
    unsigned axis[kMoveAxisIcons];
    unsigned zoom;
    unsigned zoomList, rotationList, axisList;
};

extern ToolIconSet gToolIcons;
extern unsigned gFractalTypeIconTextures[kFractalTypeIcons];
extern unsigned gFractalTypeIconList;
extern unsigned gShapeIconSheets[2];
extern unsigned gShapeIconListBase;  // list gShapeIconListBase + n draws icon n

// The loaders read the icon files of the install folder's "img" folder and
// the sheets of its "res" folder; a missing file gives a black icon and the
// interface still builds. Each returns false when a file was missing.
bool LoadToolIcons();
bool LoadNumberedIcons();
bool LoadShapeIcons();

void DrawToolIcons(int rotationMode, int moveAxis);
void DrawFractalTypeIcon();  // icon of gFractalType
void DrawShapeIcon(int x, int y, int n);  // nothing when n is outside 0..204

// Texture coordinates of shape icon n on its sheet: s0, t0 (lower left).
struct SheetCell {
    int sheet;
    float s0, t0;
};
SheetCell ShapeIconCell(int n);
