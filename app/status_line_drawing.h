// The status text as the window shows it: framed at y 46, centred on x 1116
// where it fits between the status panel's edges (and left of the erase
// question while it is open), otherwise moved inside and, when longer than
// the panel, shortened in the middle. The text itself is engine/status_line.h.
#pragma once

#include <string>

inline constexpr int kStatusLineY = 46;
struct StatusLinePlace {
    std::string text;  // as drawn
    int x = 0;
    float rect[4] = {};
};
// halfWidth: the status text's width (half its length in glyphs).
StatusLinePlace PlaceStatusLine(const char* text, int halfWidth);
void DrawStatusLine();
// Whether the status text differs from what DrawStatusLine drew last.
bool StatusLineChanged();
