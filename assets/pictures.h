// Our interface pictures, each drawn by code. Sizes and layouts are those the
// interface kit loads: font grid, skin sizes, icon sheets.
#pragma once

#include <string>

#include "assets/canvas.h"
#include "assets/kernel_pictures.h"

namespace assetgen {

inline constexpr int kFontSheetSize = 1024;  // 16 x 16 cells of 64 x 64
inline constexpr int kFontCell = 64;
inline constexpr int kFontBaseline = 14;     // pixels above the cell's bottom

// Unicode of a Windows-1252 code; 0 for the five unassigned codes.
unsigned Cp1252ToUnicode(unsigned char code);

// Glyph g (0..255) lies in cell column g mod 16, row g div 16 from the top;
// set 0 (glyphs 0..127) slanted, set 1 (128..255) upright with icons.
Canvas MakeFontSheet();

// The characters of set 1 whose cells hold icons instead of letters.
bool IsIconCode(unsigned char code);

Canvas MakeButtonFace(bool pressed);   // 128 x 32
Canvas MakeTabSkin(bool bright);       // 128 x 32
Canvas MakePanelSkin();                // 32 x 32, tiles seamlessly
Canvas MakeTrackballSkin(int index);   // 32 x 32; 0..5 dark red, dark blue, dark green, bright ...
Canvas MakeWindowIcon();               // 64 x 64
Canvas MakeAxisLetters();              // 24 x 8: X, Y, Z

// Tool icons of the preview corner, 64 x 64; names "RZ", "RX", "RY", "RXYZ",
// "Y", "X", "XY", "Zoom".
Canvas MakeToolIcon(const std::string& name);
// Icon of fractal type number n (1..50), 128 x 128: the type's own kernel's
// picture, or a numbered tile when the kernel leaves too few finite points
// (drawnByKernel, when given, tells which).
Canvas MakeFractalTypeIcon(int n, bool* drawnByKernel = nullptr);
// The icon of type number n from the kernel's points, as above.
Canvas TypeIconFromPoints(int n, const std::vector<KernelPoint>& points, const PointView& view,
                          bool* drawnByKernel);
// Shape-icon sheet 1 (icons 0..127) or 2 (icons 128..204): 512 x 1024, cells
// of 64 x 64 in 8 columns and 16 rows, icon k of the sheet in row k div 8,
// drawn by the baseshape icon tool.
Canvas MakeShapeIconSheet(int sheet);
// Both sheets, drawn on two threads.
void MakeShapeIconSheets(Canvas& first, Canvas& second);

// The two built-in material textures of material 0 (sides A and B), 256 x 256.
Canvas MakeMaterialTextureA();
Canvas MakeMaterialTextureB();

// The 512 x 512 splash and about picture.
Canvas MakeSplashPicture();

}  // namespace assetgen
