// What every widget class shares: the virtual 1600 x 1000 screen (origin at
// the lower left, y up), the drag routing globals, hit rules, list rows
// counted from the bottom, and the recorded looks (frames, caption bars).
//
// Order of calls: Build once (records display lists), then Draw every frame;
// Click on a left press, Drag on moves while held, Wheel under the pointer.
// With its visible flag at 0 a widget draws nothing and takes no input.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/shared_access.h"

inline constexpr float kWidgetDepth = 30.0f;

extern int gDragGroup;             // group id of the widget that took the last press
// The group of a list whose scroll wheel took the press.
inline constexpr int kListDragGroup = 1;
extern int gDragWidgetId;          // widget id of the draggable that took it
extern float gControlSensitivity;  // factor on slider and ball drags and wheel steps
extern int gPointerX;              // pointer x in virtual units, kept by the move handler

// A fresh widget id for a draggable: one output of gGlobalRandomB.
int NewWidgetId();

// Buttons: integer rectangles, all four bounds inclusive.
inline bool HitInclusive(int x, int y, int x0, int y0, int x1, int y1)
{
    return x0 <= x && x <= x1 && y0 <= y && y <= y1;
}

// Sliders and knobs: float rectangles, strict on every side.
inline bool HitStrict(float x, float y, float x0, float y0, float x1, float y1)
{
    return x0 < x && x < x1 && y0 < y && y < y1;
}

// Values, selections and flags that worker threads read while the window
// thread changes them go through SharedLoad and SharedStore.

// A value shown with "%d": truncated toward zero, clamped to the int range,
// not-a-number giving 0 (the plain conversion is undefined for all of them).
inline int CheckedTruncToInt(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// Screen rows count from the bottom, items from the top of the list.
inline int ListItemFromRow(int firstVisible, int visibleRows, int row) { return firstVisible + visibleRows - 1 - row; }

// Press and drag of the draggable widgets (slider windows and balls).
struct DragState {
    int groupId = 0;
    int widgetId = 0;
    uint8_t held = 0;
    int heldRow = 0;
    int pressX = 0;

    // A press on the widget (row or ball): takes the drag routing.
    void Press(int x, int row);
    // Pointer travel since the last press or drag, times step and
    // sensitivity, with the sign convention of the caller ((press - current)
    // when reversed). False, and the held flag cleared, when the drag is not
    // this widget's.
    bool Travel(int currentX, float step, bool reversed, float* change);
};

// Looks shared by the Build methods; all usable inside display lists.
// A black quad and an outline whose corners alternate greyA and greyB,
// starting at the lower left.
void RecordFrame(float x0, float y0, float x1, float y1, float z, float greyA, float greyB);
// A quad whose corners alternate black and dark red, outlined in 0.25 and
// 0.75 grey, with the caption in font set 1 at (textX, textY); an empty
// caption records the bar alone and leaves blending on, depth test off.
void RecordCaptionBar(float x0, float y0, float x1, float y1, float z, const char* caption, int textX, int textY);
