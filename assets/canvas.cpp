#include "assets/canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

uint8_t ToByte(float v)
{
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Canvas::Canvas(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 3)
{
    Fill(fill);
}

Rgb Canvas::Get(int x, int y) const
{
    const uint8_t* p = At(x, y);
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
}

void Canvas::Set(int x, int y, Rgb c)
{
    if (!Inside(x, y)) return;
    uint8_t* p = At(x, y);
    p[0] = ToByte(c.r);
    p[1] = ToByte(c.g);
    p[2] = ToByte(c.b);
}

void Canvas::Blend(int x, int y, Rgb c, float a)
{
    if (!Inside(x, y) || a <= 0.0f) return;
    Set(x, y, Mix(Get(x, y), c, std::min(a, 1.0f)));
}

void Canvas::Add(int x, int y, Rgb c, float a)
{
    if (!Inside(x, y) || a <= 0.0f) return;
    const Rgb o = Get(x, y);
    Set(x, y, {o.r + c.r * a, o.g + c.g * a, o.b + c.b * a});
}

void Canvas::Fill(Rgb c)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Set(x, y, c);
}

void Canvas::Paste(const Canvas& src, int x, int y)
{
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx)
            if (Inside(x + sx, y + sy)) Set(x + sx, y + sy, src.Get(sx, sy));
}

void FillShape(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour, const InsideFn& inside)
{
    constexpr int kSamples = 4;
    for (int y = std::max(y0, 0); y < std::min(y1, c.height); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, c.width); ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    if (inside(x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples)) ++hits;
            c.Blend(x, y, colour, hits / float(kSamples * kSamples));
        }
    }
}

void ShadeBox(Canvas& c, int x0, int y0, int x1, int y1, const ShadeFn& shade)
{
    for (int y = std::max(y0, 0); y < std::min(y1, c.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, c.width); ++x) c.Set(x, y, shade(x + 0.5f, y + 0.5f));
}

void DrawLine(Canvas& c, float ax, float ay, float bx, float by, float width, Rgb colour)
{
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float half = width * 0.5f;
    const int x0 = static_cast<int>(std::floor(std::min(ax, bx) - half - 1));
    const int y0 = static_cast<int>(std::floor(std::min(ay, by) - half - 1));
    const int x1 = static_cast<int>(std::ceil(std::max(ax, bx) + half + 1));
    const int y1 = static_cast<int>(std::ceil(std::max(ay, by) + half + 1));
    FillShape(c, x0, y0, x1, y1, colour, [&](float x, float y) {
        float t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0.0f;
        t = std::clamp(t, 0.0f, 1.0f);
        const float px = ax + t * dx - x, py = ay + t * dy - y;
        return px * px + py * py <= half * half;
    });
}

bool InsidePolygon(const float* xy, int count, float x, float y)
{
    bool inside = false;
    for (int i = 0, j = count - 1; i < count; j = i++) {
        const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

Rgb Mix(Rgb a, Rgb b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }

}  // namespace assetgen
