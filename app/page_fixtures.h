// What the pages draw besides their controls: the frames that group them,
// captions and read-outs, the status line, the erase question, the export
// progress, the turning render mark, the "Zoom" sliders and the parameter
// field. Each is listed with
// the page it shows on, when, and the rectangles it takes, read from the same
// places the drawing uses, so the layout can be checked as a whole: nothing
// solid lies over another thing, and nothing crosses a frame's line.
#pragma once

#include <cstdint>
#include <span>

enum class FixtureLook : uint8_t {
    Solid,  // covers its rectangles
    Frame,  // a line around its rectangle: things lie inside it or outside
};

inline constexpr int kMaxFixtureRects = 24;
using FixtureRects = float[kMaxFixtureRects][4];

struct Fixture {
    const char* name;
    int8_t tab, page;          // kEveryPage for every tab or page
    FixtureLook look;
    bool (*shown)();           // null: always on its page
    int (*rects)(FixtureRects out);  // x0, y0, x1, y1 each; returns the count
    const char* const* owns = nullptr;  // controls drawn on it on purpose (null-ended)
};

std::span<const Fixture> PageFixtures();
// On the page on screen and its condition holds.
bool FixtureShown(const Fixture& f);

// The rectangle a text of n glyphs drawn at (x, y) takes.
void TextRect(int x, int y, int glyphs, float* rect);
