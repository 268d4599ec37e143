// Tool icons of the "img" folder and the shape-icon sheets (the fractal-type
// icons are in type_icons.cpp).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

#include "assets/glyph_raster.h"
#include "assets/pictures.h"
#include "baseshapes/generator_table.h"
#include "tools/shape_icons.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;
const Rgb kInk{0.85f, 0.85f, 0.88f};
const Rgb kAccent{0.95f, 0.2f, 0.12f};

Canvas IconBackground(int size)
{
    Canvas c(size, size);
    ShadeBox(c, 0, 0, size, size, [&](float, float y) {
        const float t = y / size;
        return Mix(Rgb{0.16f, 0.1f, 0.1f}, Rgb{0.04f, 0.03f, 0.03f}, t);
    });
    const float e = size - 1.0f;
    DrawLine(c, 0.5f, 0.5f, e, 0.5f, 1.0f, {0.5f, 0.5f, 0.5f});
    DrawLine(c, 0.5f, 0.5f, 0.5f, e, 1.0f, {0.5f, 0.5f, 0.5f});
    DrawLine(c, e, e, 0.5f, e, 1.0f, {0.2f, 0.2f, 0.2f});
    DrawLine(c, e, e, e, 0.5f, 1.0f, {0.2f, 0.2f, 0.2f});
    return c;
}

// An arrow head at (x, y) pointing along the angle.
void ArrowHead(Canvas& c, float x, float y, float angle, float size, Rgb colour)
{
    const float dx = std::cos(angle), dy = std::sin(angle);
    const float xy[6] = {x + dx * size,       y + dy * size,       x - dx * size * 0.6f - dy * size * 0.8f,
                         y - dy * size * 0.6f + dx * size * 0.8f, x - dx * size * 0.6f + dy * size * 0.8f,
                         y - dy * size * 0.6f - dx * size * 0.8f};
    FillShape(c, static_cast<int>(x - 2 * size), static_cast<int>(y - 2 * size), static_cast<int>(x + 2 * size),
              static_cast<int>(y + 2 * size), colour, [&](float px, float py) { return InsidePolygon(xy, 3, px, py); });
}

// An elliptic arc of radii rx, ry about (cx, cy) from angle a0 to a1 with an
// arrow head at its end.
void ArcArrow(Canvas& c, float cx, float cy, float rx, float ry, float a0, float a1, Rgb colour)
{
    constexpr int kSteps = 48;
    for (int i = 0; i < kSteps; ++i) {
        const float t0 = a0 + (a1 - a0) * i / kSteps, t1 = a0 + (a1 - a0) * (i + 1) / kSteps;
        DrawLine(c, cx + rx * std::cos(t0), cy + ry * std::sin(t0), cx + rx * std::cos(t1), cy + ry * std::sin(t1),
                 2.5f, colour);
    }
    const float tx = -rx * std::sin(a1) * (a1 > a0 ? 1 : -1), ty = ry * std::cos(a1) * (a1 > a0 ? 1 : -1);
    ArrowHead(c, cx + rx * std::cos(a1), cy + ry * std::sin(a1), std::atan2(ty, tx), 6.0f, colour);
}

void StraightArrow(Canvas& c, float ax, float ay, float bx, float by, Rgb colour)
{
    DrawLine(c, ax, ay, bx, by, 3.0f, colour);
    const float angle = std::atan2(by - ay, bx - ax);
    ArrowHead(c, bx, by, angle, 6.0f, colour);
    ArrowHead(c, ax, ay, angle + kPi, 6.0f, colour);
}

void Label(Canvas& c, const std::string& text, float x, float y, int px)
{
    GlyphFace face(DejaVuPath("DejaVuSans-Bold.ttf"), DejaVuPath("DejaVuSansMono.ttf"));
    face.SetPixelSize(px);
    face.DrawCentred(c, text, x, y, kAccent);
}

}  // namespace

Canvas MakeToolIcon(const std::string& name)
{
    Canvas c = IconBackground(64);
    if (name == "RZ") {
        ArcArrow(c, 32, 30, 20, 20, -0.3f * kPi, 1.35f * kPi, kInk);
        Label(c, "Z", 32, 38, 18);
    } else if (name == "RX") {
        ArcArrow(c, 32, 30, 22, 9, -0.2f * kPi, 1.45f * kPi, kInk);
        DrawLine(c, 6, 30, 58, 30, 1.0f, {0.45f, 0.45f, 0.45f});
        Label(c, "X", 32, 60, 16);
    } else if (name == "RY") {
        ArcArrow(c, 32, 28, 9, 22, -0.3f * kPi, 1.3f * kPi, kInk);
        DrawLine(c, 32, 4, 32, 52, 1.0f, {0.45f, 0.45f, 0.45f});
        Label(c, "Y", 50, 60, 16);
    } else if (name == "RXYZ") {
        ArcArrow(c, 32, 30, 22, 22, 0.1f * kPi, 1.8f * kPi, kInk);
        ArcArrow(c, 32, 30, 22, 8, 1.1f * kPi, 1.9f * kPi, {0.6f, 0.6f, 0.65f});
        ArcArrow(c, 32, 30, 8, 22, -0.4f * kPi, 0.4f * kPi, {0.6f, 0.6f, 0.65f});
        Label(c, "XYZ", 32, 60, 13);
    } else if (name == "Y") {
        StraightArrow(c, 32, 52, 32, 10, kInk);
        Label(c, "Y", 48, 38, 16);
    } else if (name == "X") {
        StraightArrow(c, 10, 30, 54, 30, kInk);
        Label(c, "X", 32, 56, 16);
    } else if (name == "XY") {
        StraightArrow(c, 10, 30, 54, 30, kInk);
        StraightArrow(c, 32, 52, 32, 8, kInk);
        Label(c, "XY", 48, 60, 12);
    } else if (name == "Zoom") {
        FillShape(c, 0, 0, 64, 64, kInk, [](float x, float y) {
            const float dx = x - 27, dy = y - 26, r = std::sqrt(dx * dx + dy * dy);
            const bool ring = r >= 13 && r <= 17;
            // The handle runs down to the right from the ring.
            const float u = (x - 27 + y - 26) / std::sqrt(2.0f), v = (x - y - 1) / std::sqrt(2.0f);
            const bool handle = u >= 17 && u <= 36 && std::fabs(v) <= 3.5f;
            return ring || handle;
        });
        DrawLine(c, 21, 26, 33, 26, 3.0f, kAccent);
        DrawLine(c, 27, 20, 27, 32, 3.0f, kAccent);
    }
    return c;
}

namespace {

constexpr int kShapeCell = 64;
constexpr int kIconsPerSheet = 128;
constexpr int kShapeIconCount = 205;

// Draws every `step`-th icon from `first` into the sheets (sheet 1 holds
// icons 0..127), on render slot 1 + 11 first (apart, so per-slot entries of two
// threads share no cache line), so two calls may run at once.
void DrawShapeIcons(Canvas* sheets[2], int first, int step)
{
    ShapeIconStyle style;
    style.size = kShapeCell;
    style.slot = static_cast<uint8_t>(1 + 11 * first);
    for (int n = first; n < kShapeIconCount; n += step) {
        Canvas* sheet = sheets[n / kIconsPerSheet];
        if (!sheet) continue;
        // Icon n shows generator table entry n: kinds 0..194, then kind 0 again.
        style.seed = static_cast<uint32_t>(n + 1);
        const IconImage icon = DrawShapeIcon(n, false, IconTemplate(n), style);
        Canvas cell(icon.width, icon.height);
        cell.pixels = icon.pixels;
        const int k = n % kIconsPerSheet;
        sheet->Paste(cell, (k % 8) * kShapeCell, (k / 8) * kShapeCell);
    }
}

}  // namespace

Canvas MakeShapeIconSheet(int sheet)
{
    Canvas c(512, 1024);
    Canvas* sheets[2] = {sheet == 1 ? &c : nullptr, sheet == 2 ? &c : nullptr};
    BuildBaseshapeGeneratorTables();
    DrawShapeIcons(sheets, 0, 1);
    return c;
}

void MakeShapeIconSheets(Canvas& first, Canvas& second)
{
    first = Canvas(512, 1024);
    second = Canvas(512, 1024);
    Canvas* sheets[2] = {&first, &second};
    BuildBaseshapeGeneratorTables();
    // Alternate icons, so both threads get the same mix of light and heavy kinds.
    std::thread other([&sheets] { DrawShapeIcons(sheets, 1, 2); });
    DrawShapeIcons(sheets, 0, 2);
    other.join();
}

}  // namespace assetgen
