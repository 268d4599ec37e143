// The status text as the window shows it: framed at y 46, centred on x 1116
// where it fits between the status panel's edges (and left of the erase
// question while it is open), otherwise moved inside and, when longer than
// the panel, shortened: its file names first, then the rest in its middle.
// The text itself is engine/status_line.h.
#pragma once

#include <string>

#include "engine/status_line.h"

inline constexpr int kStatusLineY = 46;
struct StatusLinePlace {
    std::string text;  // as drawn
    int x = 0;
    float rect[4] = {};
};
// halfWidth: the status text's width (half its length in glyphs); names:
// where the text's file names stand. A text too long for the band gives
// up the middles of its names, each down to a few characters, the longest
// first; only when the rest alone does not fit is the rest shortened in
// its middle too.
StatusLinePlace PlaceStatusLine(const char* text, int halfWidth, const StatusNames& names = {});
void DrawStatusLine();
// The status line as the last frame drew it (shortened where it had to be);
// empty when it drew none.
const std::string& DrawnStatusLine();
// Whether the status text differs from what DrawStatusLine drew last.
bool StatusLineChanged();
