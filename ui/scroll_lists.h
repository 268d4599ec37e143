// Scrolling lists with arrow buttons and a turning drum between them:
// NewDropBox, a single-choice list under a caption bar (fractal types,
// resolutions, symmetry, block types), and BoolBox, a titled check list with
// one marked row ("Material Type", "Fractal Generator"). Screen rows count
// from the bottom; row i shows item first + visibleRows - 1 - i.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class NewDropBox {
public:
    NewDropBox() = default;
    virtual ~NewDropBox() = default;

    // The list always uses depth 30 and rows of 24 units.
    void Build(int x, int y, int depth, int width, int rowH, int itemCount, int visibleRowCount, const char* caption,
               const char* const* items);
    void Draw() const;
    // Arrows scroll by one row; a press on a row with an item chooses it
    // (on the line between two rows the upper one).
    bool Click(const int& x, const int& y);
    bool Wheel(int x, int y, float delta);
    bool PressScrollBar(int x, int y);
    // One row per drag event, down when the pointer moved down.
    bool Drag(int x, int y);
    // Selects the item (kept inside the list) and scrolls it into the bottom
    // row when it lies in the last visible rows' reach.
    void SetSelected(int item);
    int GetSelected() const;
    // The highest first item that still fills the rows; 0 for short lists.
    int LastFirst() const;

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float z = 30;
    unsigned frameList = 0, highlightList = 0, upPressedList = 0, downPressedList = 0, upList = 0, downList = 0,
             wheelList = 0;
    float wheelRadius = 0;
    float rowHeight = 24;
    float arrowHalfWidth = 12;
    uint8_t upPressed = 0, downPressed = 0;
    int visibleRows = 0, selectedRow = 0, first = 0, itemCount = 0;
    int selected = 0;  // read by the render set-up while the list changes it
    int barLeft = 0, barRight = 0, barBottom = 0, barTop = 0;
    int pressY = 0;
    uint8_t held = 0;
    uint8_t visible = 0;
    std::vector<std::string> captions;
    std::vector<float> rowTextY;
};

class BoolBox {
public:
    BoolBox() = default;
    virtual ~BoolBox() = default;

    void Build(const int& x, const int& y, const int& zValue, const int& width, const int& rowH,
               const int& visibleRowCount, const int& rows, const char* title, const char* const* captionTexts);
    void Draw() const;
    // Arrows scroll; a press in the caption column marks the row under it
    // (below the last row: the last row) and only that one.
    bool Click(const int& x, const int& y);
    bool Wheel(int x, int y, float delta);
    bool PressScrollBar(const int& x, const int& y);
    bool Drag(const int& x, const int& y);
    // Marks the row (kept inside the list) and scrolls it into view.
    void SetSelected(const int& row);
    int LastFirst() const;

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float z = 0;
    unsigned frameList = 0;
    unsigned arrowLists[4] = {};  // up pressed, down pressed, up, down
    std::vector<uint8_t> marks;   // read by the shading while the list changes them
    unsigned drumList = 0, markOnList = 0, markOffList = 0;
    float drumOffset = 0;
    float rowHeight = 0;
    uint8_t upPressed = 0, downPressed = 0;
    int visibleRows = 0;
    int lastClickedRow = 0;
    int firstRow = 0;
    int rowCount = 0;
    int selectedRow = 0;
    int captionWidth = 0;
    int barLeft = 0, barRight = 0, barBottom = 0, barTop = 0;
    int dragLastY = 0, dragY = 0;
    float barWidth = 0, barHeight = 0;
    uint8_t dragging = 0;
    uint8_t visible = 0;
    std::vector<std::string> captions;
    std::vector<float> rowY;

private:
    void MarkOnly(int row);
};
