#include "app/status_line_drawing.h"

#include <algorithm>
#include <cstring>

#include "app/main_buttons.h"
#include "app/screen_lists.h"
#include "engine/status_line.h"
#include "ui/font.h"

namespace {

char gStatusShown[kStatusTextSize];  // the status text the last frame drew

}  // namespace

StatusLinePlace PlaceStatusLine(const char* text, int halfWidth)
{
    StatusLinePlace place;
    const size_t length = std::strlen(text);
    if (length == 0) return place;
    // The band left free for it in the status panel; while the erase
    // question is open its box takes the right end.
    const int left = static_cast<int>(kStatusPanelRect[0]) + 4;
    const int right = static_cast<int>(ButtonEnabled(kButtonNo) ? kWarningBoxRect[0] : kStatusPanelRect[2]) - 4;
    const int frame = kGlyphAdvance;  // the frame reaches a glyph past the text
    const size_t fits = static_cast<size_t>(std::max(0, (right - left - frame) / kGlyphAdvance));
    std::string shown = text;
    if (length > fits) {
        // Too long for the band: the start and the end stay (a message's
        // subject and its reason), the middle gives way.
        const size_t keep = fits > 3 ? fits - 3 : 0;
        shown = std::string(text, keep - keep / 2) + "..." + std::string(text + length - keep / 2);
        shown.resize(std::min(shown.size(), fits));
    }
    const int advance = TextAdvance(shown.size());
    // Centred on x 1116 where it fits, else moved inside the band.
    int x = length > fits ? left : 1116 - halfWidth;
    x = std::clamp(x, left, std::max(left, right - advance - frame));
    place.text = shown;
    place.x = x;
    place.rect[0] = static_cast<float>(x);
    place.rect[1] = static_cast<float>(kStatusLineY);
    place.rect[2] = static_cast<float>(x + advance + frame);
    place.rect[3] = static_cast<float>(kStatusLineY + kGlyphQuadSize);
    return place;
}

void DrawStatusLine()
{
    char text[kStatusTextSize];
    int width = 0;
    CopyStatusText(text, sizeof text, &width);
    std::memcpy(gStatusShown, text, sizeof gStatusShown);
    if (!text[0]) return;
    const StatusLinePlace place = PlaceStatusLine(text, width);
    DrawFramedTextF(place.x, kStatusLineY, "%s", place.text.c_str());
}

bool StatusLineChanged()
{
    char text[kStatusTextSize];
    int width = 0;
    CopyStatusText(text, sizeof text, &width);
    return std::strcmp(text, gStatusShown) != 0;
}
