// Option columns: ListBox, a captioned column of exclusive options, and
// OptionsBox, a group of independent check rows in a plain or a captioned
// look. Rows count from the bottom (0 = lowest row); option strings are
// given top first. Worker threads read the selection and the flags (through
// SharedLoad) while the window thread changes them.
#pragma once

#include <cstdint>

#include "ui/widget.h"

class ListBox {
public:
    ListBox() = default;
    virtual ~ListBox() = default;

    // options: count strings, top first.
    void Build(const int& x, const int& y, const int& z, const int& width, const int& rowH, const int& rowCount,
               const char* caption, const char* const* options);
    void Draw() const;
    // Only the column of boxes takes presses; on the line between two rows
    // the upper one is selected.
    bool Click(const int& px, const int& py);

    float left = 0, bottom = 0, right = 0, top = 0;
    float textRight = 0;  // where the ink of its widest text ends
    float depth = 0;
    unsigned frameList = 0, markList = 0;
    float rowHeight = 0;
    uint8_t spare = 0;
    int count = 0;
    int selected = 0;         // from the bottom; owners set the first choice
    int selectedFromTop = 0;  // index into the option strings
    int previous = 0;         // the selection before the last Click
    uint8_t visible = 0;
};

inline constexpr int kOptionsBoxMaxRows = 50;

class OptionsBox {
public:
    OptionsBox() = default;
    virtual ~OptionsBox() = default;

    // labels: count strings, top first; a one-row group uses the caption as
    // its label. More than 50 rows are cut to 50.
    void Build(const int& x, const int& y, const int& z, const int& width, const int& rowH, const int& rowCount,
               const char* caption, const char* const* labels);
    void Draw() const;      // plain look
    void DrawBase() const;  // with the caption bar (groups of more than one row)
    // Toggles the row under the box column; on the line between two rows
    // only the upper one, so one press never changes two options.
    bool Click(const int& px, const int& py);
    bool Flag(int band) const { return SharedLoad(flags[band]) != 0; }

    float left = 0, bottom = 0, right = 0, top = 0;
    float textRight = 0;  // where the ink of its widest text ends
    float rowsTop = 0;
    float depth = 0;
    unsigned captionedList = 0, plainList = 0, markList = 0;
    float rowHeight = 0;
    uint8_t changed = 0;
    int count = 0;
    int lastRow = 0;
    uint8_t flags[kOptionsBoxMaxRows] = {};
    uint8_t visible = 0;

private:
    void DrawMarks() const;
};

// A row of exclusive option cells under (or over) a caption bar, each cell a
// box over a short label ("Fixed View", "Fixed Rotation").
class HListBox {
public:
    HListBox() = default;
    virtual ~HListBox() = default;

    // items are given from the right: cell i from the left shows
    // items[count - 1 - i].
    void Build(const int& x, const int& y, const int& z, const int& width, const int& cellSize, const int& count,
               const char* caption, const char* const* items, const bool& captionAbove);
    void Draw() const;
    // Only the box row takes presses; on the line between two cells the
    // right one wins. Every press copies the selection into previous.
    bool Click(const int& px, const int& py);

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float z = 0;
    unsigned frameList = 0, markList = 0;
    float cell = 0;
    int optionCount = 0;
    int selected = 0;
    int previous = 0;
    uint8_t visible = 0;
    bool captionAbove = true;  // the caption bar over the cells, else under them
};
