// Pickers over pages of 15 pictures (5 across, 3 down, 64 units each) with
// a highlight on the chosen cell: TexturePanel over the thumbnail atlas (or
// 15 textures its owner hands it) and TSelector over the shape icons.
// Cells count left to right from the top row (0..14); rows from the bottom.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"  // the kind picker's pages

inline constexpr int kPickerCells = 15;

// Where cell k of a page at (x, y) lies, and which cell a press falls in.
struct PickerGrid {
    int cellX[kPickerCells] = {}, cellY[kPickerCells] = {};
    void Place(int x, int y);
    // Column 0..4 and row 0..2 of a point of the grid, clamped at the right
    // and top edges.
    static void CellAt(float dx, float dy, int* column, int* row);
};

class TexturePanel {
public:
    TexturePanel() = default;
    virtual ~TexturePanel() = default;

    // mode 1: fixed (textures[] from the owner, a progress bar while
    // generating); 0: browser over the atlas with a scroll column.
    void Build(const int& x, const int& y, const int& zValue, const int& unusedA, const int& unusedB,
               const char* unusedText, const int& mode);
    void Draw() const;
    // The owner reads selected, which may lie past the last file.
    void Click(const int& x, const int& y);
    bool Wheel(int x, int y, float delta);
    // Files the browser pages through: the atlas's thumbnails.
    static int FileCount();

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0, z = 0;
    uint8_t generating = 0;
    float progressDone = 0, progressTotal = 0;
    unsigned frameList = 0, highlightList = 0;
    unsigned textures[kPickerCells] = {};
    uint8_t visible = 0;
    int column = 0, row = 0;
    float highlightX = 0, highlightY = 0;
    int cellInPage = 0;
    PickerGrid grid;
    int firstIndex = 0;
    int selected = 0;
    int fixedMode = 0;
    // Milliseconds of the progress bar's pulse (a steady clock).
    uint64_t (*clockMs)() = SteadyMilliseconds;

    static uint64_t SteadyMilliseconds();
};

inline constexpr int kShapeMarks = kBaseshapeTableSize;  // marks by generator table entry
inline constexpr int kShapeLastFirst = kKindPickerLastFirst;  // the last page shows kinds 180..194
static_assert(kPickerCells == kKindPickerPage, "the shape picker's pages are the kind picker's");

class TSelector {
public:
    TSelector() = default;
    virtual ~TSelector() = default;

    void Build(const int& x, const int& y, const int& zValue);
    // current: the edited baseshape's kind, which the highlight follows.
    void Draw(int current) const;
    // 1 when a grid cell was hit; the scroll column's halves page by 15.
    int Click(int px, int py);
    bool Wheel(int px, int py, float delta);

    uint8_t marks[kShapeMarks] = {};  // "G" on the cell showing that shape
    float left = 0, bottom = 0, right = 0, top = 0;
    float depth = 0;
    uint8_t hit = 0;
    unsigned frameList = 0, highlightList = 0;
    uint8_t visible = 0;
    int column = 0, row = 0;
    float highlightX = 0, highlightY = 0;
    int cell = 0;
    PickerGrid grid;
    int first = 0;
    int selected = 0;
};
