// The thumbwheel slider windows: a titled box of rows, each a caption, a
// value and a textured thumbwheel that turns with the value. A press on a row
// and a sideways drag change the value; so does the mouse wheel over it.
// Owners read the values straight from the window (value[row]; Value() from
// other threads).
//
// SLWindow has four draw operations and a row frame; STWindow draws its texts
// two units higher, backs its captions list in black and has one draw.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/widget.h"

// The row model, hit bands and value arithmetic both windows share.
// The window is rows + 1 bands of one row height from the bottom; band k
// holds row rows - 1 - k (row 0 is the highest) and the top band the title.
class ThumbwheelWindow {
public:
    ThumbwheelWindow() = default;
    virtual ~ThumbwheelWindow() = default;

    // Copies the wheel steps that WheelStep uses, one per row; returns count.
    int SetValueList(int count, const float* stepValues);

    // New bounds for a row; its drag step follows them, so a drag across
    // the window's width still covers the whole range.
    void SetRange(int row, float low, float high);

    // A press on a row takes the drag; a miss releases it.
    bool Click(int px, int py);
    // The row under the pointer moves by -delta (Wheel) or by one step
    // against the sign of delta (WheelStep), clamped by the row's mode; the
    // wheel turns one degree whatever the clamp does.
    bool Wheel(int px, int py, float delta);
    bool WheelStep(int px, int py, float delta);
    // Pointer travel since the last press or drag changes the held row.
    bool Drag(int px);

    // The row hit at (px, py), or -1: strictly inside the window's width and
    // strictly inside one band below the title.
    int RowAt(int px, int py);
    // "%2.3f", or "%d" of the truncated value for integer rows.
    const char* FormatValue(int row);
    float Value(int row) const { return SharedLoad(value[row]); }
    int ClampMode(int row) const { return clampMin[row] + 2 * clampMax[row]; }

    float left = 0, bottom = 0, right = 0, top = 0;
    float depth = 0;
    int rows = 0;
    unsigned frameList = 0, captionsList = 0, wheelList = 0;
    uint8_t visible = 0;
    std::unique_ptr<float[]> valuePerUnit, minimum, maximum, initial;
    std::unique_ptr<uint8_t[]> clampMin, clampMax, integer;
    std::unique_ptr<float[]> value, wheelAngle;
    std::unique_ptr<float[]> steps;
    int stepCount = 0;
    int rowCounter = 0;  // after a hit: the band hit
    char text[255] = {};
    float rowHeight = 0, halfRow = 0, quarterRow = 0;
    float width = 0, halfWidth = 0, quarterWidth = 0;
    // groupId, widgetId, held (the dragging flag), heldRow (the selected
    // row), pressX (the last x).
    DragState drag;
    // Values below the threshold show "-" (the transformation editor's window).
    bool dashBelowThreshold = false;
    int threshold = 0;
    // Wheel angles of drags kept to whole degrees.
    bool wholeDegreeDrags = false;
    // Where the title and the widest row caption end (the values are drawn
    // at a column of the owner's choice, which must lie right of them).
    float titleRight = 0, captionRight = 0;

protected:
    // The value a unit of drag moves at sensitivity 1: the range over the width.
    float StepPerUnit(float low, float high) const;
    // Steps 1 to 3 and 8 of Build: id, arrays, geometry, row values.
    void BuildRows(int x, int y, int z, int w, int rowH, int rowCount, const float* rowDefs, int group);
    void RecordWheel();
    // The frame: black box, outline, title bar and title, then the captions
    // (textDrop units below each band's middle). captions[0] is the title.
    void RecordWindowFrame(const char* const* captions, int textDrop);
    void RecordCaptions(const char* const* captions, int textDrop);
    // Values and wheels of the first 'count' rows.
    void DrawRows(int textX, float wheelX, int count, int textDrop);
    void StoreClamped(int row, float candidate);
};

class SLWindow : public ThumbwheelWindow {
public:
    // rowDefs: six floats per row, top row first: minimum, maximum, initial
    // value, clamp at minimum, clamp at maximum, integer display.
    void Build(const int& x, const int& y, const int& z, const int& w, const int& rowH, const int& rowCount,
               const char* const* captions, const float* rowDefs, const int& group);
    void Draw();
    void DrawAt(int xOffset, int rowCount);
    void DrawAtOffset(int xOffset);
    // The frame and the first rowCount rows, their values at xOffset.
    void DrawFrameAndRows(int xOffset, int rowCount);
    void DrawWithLayers(uint8_t showCaptions, int xOffset, uint8_t showRowFrame);

    unsigned rowFrameList = 0;
    uint8_t secondFlag = 0;
};

class STWindow : public ThumbwheelWindow {
public:
    void Build(const int& x, const int& y, const int& z, const int& w, const int& rowH, const int& rowCount,
               const char* const* captions, const float* rowDefs, const int& group);
    void Draw(int xOffset);
};

// The transformation editor's window ("Filter:"): the frame and knobs of
// SLWindow, values below a threshold shown as "-", knob angles of drags in
// whole degrees, and no wheel steps of its own.
class SliderWindow : public ThumbwheelWindow {
public:
    void Build(const int& x, const int& y, const int& z, const int& w, const int& rowH, const int& rowCount,
               const char* const* captions, const float* rowDefs, const int& group, const int& belowShowsDash);
    void Draw(const int& xOffset);
};
