// Widget skins: slanted button and tab bars, the repeating panel tile, the
// trackball squares, plus the window icon and the axis letters.
#include <algorithm>
#include <cmath>

#include "assets/pictures.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

// A bar leaning right: its bottom edge spans x 0..w-16, its top edge 16..w.
// Rows are top first, so the top edge is row 0.
Canvas SlantedBar(Rgb rim, Rgb bodyTop, Rgb bodyBottom)
{
    constexpr int w = 128, h = 32;
    Canvas c(w, h);
    auto inside = [&](float x, float y, float inset) {
        const float shift = 16.0f * (1.0f - y / h);  // 16 at the top, 0 at the bottom
        return y >= inset && y <= h - inset && x >= shift + inset && x <= shift + (w - 16) - inset;
    };
    FillShape(c, 0, 0, w, h, rim, [&](float x, float y) { return inside(x, y, 0.0f); });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int hits = 0;
            for (int s = 0; s < 16; ++s)
                if (inside(x + (s % 4 + 0.5f) / 4, y + (s / 4 + 0.5f) / 4, 2.0f)) ++hits;
            if (hits == 0) continue;
            // Soft horizontal sheen along the upper third.
            const float t = (y + 0.5f) / h;
            Rgb body = Mix(bodyTop, bodyBottom, t);
            body = Mix(body, Scale(bodyTop, 1.6f), 0.35f * std::exp(-std::pow((t - 0.28f) / 0.12f, 2.0f)));
            c.Blend(x, y, body, hits / 16.0f);
        }
    return c;
}

}  // namespace

Canvas MakeButtonFace(bool pressed)
{
    const float k = pressed ? 0.55f : 1.0f;
    return SlantedBar(Scale({0.72f, 0.72f, 0.74f}, k), Scale({0.22f, 0.22f, 0.24f}, k),
                      Scale({0.07f, 0.07f, 0.08f}, k));
}

Canvas MakeTabSkin(bool bright)
{
    const Rgb rim = bright ? Rgb{1.0f, 0.12f, 0.08f} : Rgb{0.5f, 0.06f, 0.05f};
    return SlantedBar(rim, {0.2f, 0.16f, 0.16f}, {0.05f, 0.04f, 0.04f});
}

Canvas MakePanelSkin()
{
    Canvas c(32, 32);
    // Two soft bars across the tile: a period of 16 keeps the tile seamless.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const float v = 0.62f + 0.38f * std::cos(2.0f * kPi * (x + 0.5f) / 16.0f);
            c.Set(x, y, Rgb{0.42f * v + 0.06f, 0.05f * v + 0.015f, 0.05f * v + 0.015f});
        }
    return c;
}

Canvas MakeTrackballSkin(int index)
{
    static const Rgb kColours[6] = {
        {0.45f, 0.05f, 0.05f}, {0.05f, 0.08f, 0.45f}, {0.05f, 0.35f, 0.07f},
        {1.0f, 0.2f, 0.15f},   {0.25f, 0.45f, 1.0f},  {0.25f, 1.0f, 0.3f},
    };
    const Rgb colour = kColours[std::clamp(index, 0, 5)];
    Canvas c(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            // Distance to the nearest edge, faded over six pixels.
            const float d = std::min(std::min(x + 0.5f, 31.5f - x), std::min(y + 0.5f, 31.5f - y));
            const float a = std::clamp((d - 1.0f) / 6.0f, 0.0f, 1.0f);
            c.Set(x, y, Scale(colour, a * a * (3 - 2 * a)));
        }
    return c;
}

Canvas MakeWindowIcon()
{
    constexpr int n = 64;
    Canvas c(n, n, {0.05f, 0.02f, 0.02f});
    // A triangle of triangles by the chaos game, brighter where it is denser.
    float hits[n][n] = {};
    const float vx[3] = {32, 6, 58}, vy[3] = {5, 55, 55};
    float x = 32, y = 32;
    uint32_t s = 12345;
    for (int i = 0; i < 60000; ++i) {
        s = s * 1664525u + 1013904223u;
        const int k = (s >> 16) % 3;
        x = (x + vx[k]) * 0.5f;
        y = (y + vy[k]) * 0.5f;
        if (i > 20) hits[static_cast<int>(y)][static_cast<int>(x)] += 1.0f;
    }
    for (int py = 0; py < n; ++py)
        for (int px = 0; px < n; ++px) {
            const float v = std::min(1.0f, std::log1p(hits[py][px]) / 4.0f);
            c.Add(px, py, Mix({0.6f, 0.05f, 0.02f}, {1.0f, 0.75f, 0.3f}, v * v), v);
        }
    return c;
}

Canvas MakeAxisLetters()
{
    // Rows top first; bit 7 is the left pixel.
    static const uint8_t kLetters[3][8] = {
        {0x00, 0xC6, 0x6C, 0x38, 0x38, 0x6C, 0xC6, 0x00},  // X
        {0x00, 0xC6, 0x6C, 0x38, 0x18, 0x18, 0x18, 0x00},  // Y
        {0x00, 0xFE, 0x0C, 0x18, 0x30, 0x60, 0xFE, 0x00},  // Z
    };
    Canvas c(24, 8);
    for (int k = 0; k < 3; ++k)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (kLetters[k][y] & (0x80 >> x)) c.Set(8 * k + x, y, {1, 1, 1});
    return c;
}

}  // namespace assetgen
