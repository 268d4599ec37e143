#include "app/status_line_drawing.h"

#include <algorithm>
#include <cstring>

#include "app/main_buttons.h"
#include "app/screen_lists.h"
#include "engine/status_line.h"
#include "ui/font.h"

namespace {

char gStatusShown[kStatusTextSize];  // the status text the last frame drew
std::string gStatusDrawn;            // and as it drew it

// A name given up to the band keeps at least this much of itself.
constexpr size_t kShortestName = 7;

// The text in at most keep characters: its start and end, "..." between.
std::string MiddleCut(const std::string& text, size_t keep)
{
    if (text.size() <= keep) return text;
    if (keep <= 3) return std::string("...", keep);
    const size_t body = keep - 3;
    return text.substr(0, body - body / 2) + "..." + text.substr(text.size() - body / 2);
}

// The text in at most fits characters. A long line names a file and says
// why it was refused: the names give way before the reason does.
std::string Shorten(const std::string& text, const StatusNames& names, size_t fits)
{
    if (text.size() <= fits) return text;
    struct Name {
        size_t begin, end, keep;
    };
    Name kept[kMaxStatusNames];
    int count = 0;
    for (int i = 0; i < names.count && i < kMaxStatusNames; ++i) {
        const size_t begin = static_cast<size_t>(std::max(0, names.spans[i].begin));
        const size_t end = std::min(text.size(), static_cast<size_t>(std::max(0, names.spans[i].end)));
        if (end <= begin || (count > 0 && begin < kept[count - 1].end)) continue;
        kept[count++] = {begin, end, end - begin};
    }
    for (size_t excess = text.size() - fits; excess > 0; --excess) {
        Name* longest = nullptr;
        for (Name* n = kept; n != kept + count; ++n)
            if (n->keep > kShortestName && (longest == nullptr || n->keep > longest->keep)) longest = n;
        if (longest == nullptr) break;
        --longest->keep;
    }
    std::string shown;
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        shown.append(text, at, kept[i].begin - at);
        shown += MiddleCut(text.substr(kept[i].begin, kept[i].end - kept[i].begin), kept[i].keep);
        at = kept[i].end;
    }
    shown.append(text, at, std::string::npos);
    // The start and the end of a message stay (its subject and its reason).
    return MiddleCut(shown, fits);
}

}  // namespace

StatusLinePlace PlaceStatusLine(const char* text, int halfWidth, const StatusNames& names)
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
    const std::string shown = Shorten(text, names, fits);
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
    StatusNames names;
    CopyStatusText(text, sizeof text, &width, &names);
    std::memcpy(gStatusShown, text, sizeof gStatusShown);
    gStatusDrawn.clear();
    if (!text[0]) return;
    const StatusLinePlace place = PlaceStatusLine(text, width, names);
    DrawFramedTextF(place.x, kStatusLineY, "%s", place.text.c_str());
    gStatusDrawn = place.text;
}

const std::string& DrawnStatusLine() { return gStatusDrawn; }

bool StatusLineChanged()
{
    char text[kStatusTextSize];
    int width = 0;
    CopyStatusText(text, sizeof text, &width);
    return std::strcmp(text, gStatusShown) != 0;
}
