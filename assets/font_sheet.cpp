// The bitmap font: two sets of 128 glyphs for codes 32..159 of Windows-1252,
// set 0 slanted and set 1 upright, with eight small icons in set 1.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "assets/glyph_raster.h"
#include "assets/pictures.h"

namespace assetgen {

namespace {

constexpr unsigned kHigh1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr int kFontPixelSize = 50;  // a 30-pixel advance: about half a cell

const Rgb kWhite{1, 1, 1};
const Rgb kBlue{0.25f, 0.5f, 1.0f};
const Rgb kRed{0.95f, 0.12f, 0.1f};

struct Cell {
    int x, y;  // top-left pixel
    float Cx() const { return x + kFontCell * 0.5f; }
    float Cy() const { return y + kFontCell * 0.5f; }
};

void Triangle(Canvas& c, Cell cell, bool pointsLeft)
{
    const float cx = cell.Cx(), cy = cell.Cy();
    const float s = pointsLeft ? -1.0f : 1.0f;
    const float xy[6] = {cx + s * 14, cy, cx - s * 12, cy - 15, cx - s * 12, cy + 15};
    FillShape(c, cell.x, cell.y, cell.x + kFontCell, cell.y + kFontCell, kBlue,
              [&](float x, float y) { return InsidePolygon(xy, 3, x, y); });
    // A lighter inner triangle gives the icon some depth.
    const float in[6] = {cx + s * 7, cy, cx - s * 7, cy - 8, cx - s * 7, cy + 8};
    FillShape(c, cell.x, cell.y, cell.x + kFontCell, cell.y + kFontCell, {0.55f, 0.75f, 1.0f},
              [&](float x, float y) { return InsidePolygon(in, 3, x, y); });
}

void Padlock(Canvas& c, Cell cell)
{
    const float cx = cell.Cx(), cy = cell.Cy() + 4;
    FillShape(c, cell.x, cell.y, cell.x + kFontCell, cell.y + kFontCell, kRed, [&](float x, float y) {
        const float dx = x - cx, dy = y - (cy - 8);
        const float r = std::sqrt(dx * dx + dy * dy);
        const bool shackle = dy <= 0 && r >= 6.5f && r <= 10.5f;
        const bool shackleLegs = y >= cy - 8 && y <= cy && (std::fabs(dx) >= 6.5f && std::fabs(dx) <= 10.5f);
        const bool body = std::fabs(x - cx) <= 14 && y >= cy && y <= cy + 18;
        return shackle || shackleLegs || body;
    });
    // Keyhole.
    FillShape(c, cell.x, cell.y, cell.x + kFontCell, cell.y + kFontCell, {0.2f, 0.0f, 0.0f}, [&](float x, float y) {
        const float dx = x - cx, dy = y - (cy + 7);
        return dx * dx + dy * dy <= 9.0f || (std::fabs(dx) <= 1.5f && y >= cy + 7 && y <= cy + 13);
    });
}

void LetterTile(Canvas& c, Cell cell, GlyphFace& face, char letter, Rgb tile)
{
    const float cx = cell.Cx(), cy = cell.Cy();
    FillShape(c, cell.x, cell.y, cell.x + kFontCell, cell.y + kFontCell, tile, [&](float x, float y) {
        return std::fabs(x - cx) <= 18 && std::fabs(y - cy) <= 18;
    });
    // Bevel: a light top-left edge, a dark bottom-right edge.
    DrawLine(c, cx - 18, cy - 18, cx + 18, cy - 18, 2, Mix(tile, kWhite, 0.45f));
    DrawLine(c, cx - 18, cy - 18, cx - 18, cy + 18, 2, Mix(tile, kWhite, 0.45f));
    DrawLine(c, cx + 18, cy + 18, cx - 18, cy + 18, 2, Scale(tile, 0.45f));
    DrawLine(c, cx + 18, cy + 18, cx + 18, cy - 18, 2, Scale(tile, 0.45f));
    face.SetPixelSize(30);
    face.DrawCentred(c, std::string(1, letter), cx, cy + 11, kWhite);
    face.SetPixelSize(kFontPixelSize);
}

void ArrowDown(Canvas& c, Cell cell)
{
    const float cx = cell.Cx(), cy = cell.Cy();
    const float xy[14] = {cx - 6, cy - 16, cx + 6, cy - 16, cx + 6, cy, cx + 14, cy, cx, cy + 16, cx - 14, cy, cx - 6, cy};
    FillShape(c, cell.x, cell.y, cell.x + kFontCell, cell.y + kFontCell, kRed,
              [&](float x, float y) { return InsidePolygon(xy, 7, x, y); });
}

void GlowBall(Canvas& c, Cell cell, Rgb colour)
{
    const float cx = cell.Cx(), cy = cell.Cy();
    for (int y = cell.y; y < cell.y + kFontCell; ++y)
        for (int x = cell.x; x < cell.x + kFontCell; ++x) {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float glow = std::exp(-r * r / 160.0f);
            const float core = std::clamp(1.0f - r / 10.0f, 0.0f, 1.0f);
            // Highlight towards the top left, as if lit from there.
            const float hx = dx + 3, hy = dy + 3;
            const float spot = std::exp(-(hx * hx + hy * hy) / 10.0f);
            c.Add(x, y, colour, glow * 0.9f + core * 0.4f);
            c.Add(x, y, kWhite, spot * 0.6f);
        }
}

void HollowBox(Canvas& c, Cell cell)
{
    const float l = cell.x + 19, r = cell.x + 45, t = cell.y + 14, b = cell.y + kFontCell - kFontBaseline;
    DrawLine(c, l, t, r, t, 2.5f, kWhite);
    DrawLine(c, r, t, r, b, 2.5f, kWhite);
    DrawLine(c, r, b, l, b, 2.5f, kWhite);
    DrawLine(c, l, b, l, t, 2.5f, kWhite);
}

void DrawIcon(Canvas& c, Cell cell, unsigned char code, GlyphFace& bold)
{
    switch (code) {
    case '#': Triangle(c, cell, true); break;
    case '$': Triangle(c, cell, false); break;
    case '&': Padlock(c, cell); break;
    case '`': LetterTile(c, cell, bold, 'G', {0.45f, 0.27f, 0.1f}); break;
    case '{': ArrowDown(c, cell); break;
    case '}': GlowBall(c, cell, {1.0f, 0.15f, 0.1f}); break;
    case '~': LetterTile(c, cell, bold, 'B', {0.4f, 0.03f, 0.03f}); break;
    case 140: GlowBall(c, cell, {0.2f, 0.4f, 1.0f}); break;
    default: break;
    }
}

}  // namespace

unsigned Cp1252ToUnicode(unsigned char code)
{
    if (code >= 128 && code < 160) return kHigh1252[code - 128];
    return code;
}

bool IsIconCode(unsigned char code)
{
    switch (code) {
    case '#': case '$': case '&': case '`': case '{': case '}': case '~': case 140: return true;
    default: return false;
    }
}

Canvas MakeFontSheet()
{
    Canvas sheet(kFontSheetSize, kFontSheetSize);
    GlyphFace upright(DejaVuPath("DejaVuSansMono.ttf"));
    GlyphFace slanted(DejaVuPath("DejaVuSansMono-Oblique.ttf"), DejaVuPath("DejaVuSansMono.ttf"), 0.2f);
    GlyphFace bold(DejaVuPath("DejaVuSans-Bold.ttf"), DejaVuPath("DejaVuSansMono.ttf"));
    if (!upright.Ok() || !slanted.Ok() || !bold.Ok()) {
        // A blank font atlas would make every text of the interface vanish.
        throw std::runtime_error("the DejaVu fonts are missing (" + DejaVuPath("DejaVuSansMono.ttf") +
                                 "; install fonts-dejavu-core or set TALVORAN_FONT_DIR)");
    }
    upright.SetPixelSize(kFontPixelSize);
    slanted.SetPixelSize(kFontPixelSize);
    for (int g = 0; g < 256; ++g) {
        const int set = g / 128;
        const unsigned char code = static_cast<unsigned char>(32 + g % 128);
        const Cell cell{(g % 16) * kFontCell, (g / 16) * kFontCell};
        if (set == 1 && IsIconCode(code)) {
            DrawIcon(sheet, cell, code, bold);
            continue;
        }
        if (code == 127) {
            HollowBox(sheet, cell);
            continue;
        }
        const unsigned cp = Cp1252ToUnicode(code);
        if (cp == 0) continue;
        GlyphFace& face = set == 0 ? slanted : upright;
        const float advance = face.Advance(cp);
        face.DrawGlyph(sheet, cp, cell.x + (kFontCell - advance) * 0.5f, cell.y + kFontCell - kFontBaseline, kWhite);
    }
    return sheet;
}

}  // namespace assetgen
