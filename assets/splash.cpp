// The 512 x 512 splash and about picture.
//
// Made here by a small two-dimensional chaos game of our own. Once the render
// engine can render offline, MakeSplashPicture is the one place to switch to a
// picture rendered by the program's own fractal code.
#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "assets/glyph_raster.h"
#include "assets/pictures.h"

namespace assetgen {

namespace {

constexpr int kSize = 512;

struct SpiralMap {
    std::complex<float> a, b;  // z -> a z + b
    float weight;
    Rgb colour;
};

// A double spiral: two contracting turns and two small offsets.
const SpiralMap kMaps[4] = {
    {std::polar(0.88f, 0.32f), {0.0f, 0.0f}, 0.44f, {1.0f, 0.35f, 0.08f}},
    {std::polar(0.88f, 0.32f) * -1.0f, {0.0f, 0.0f}, 0.44f, {0.9f, 0.12f, 0.05f}},
    {std::polar(0.28f, -0.6f), {1.0f, 0.0f}, 0.06f, {1.0f, 0.85f, 0.5f}},
    {std::polar(0.28f, -0.6f), {-1.0f, 0.0f}, 0.06f, {1.0f, 0.85f, 0.5f}},
};

Canvas RenderSplashFractal()
{
    std::vector<float> density(kSize * kSize, 0.0f);
    std::vector<Rgb> colour(kSize * kSize, Rgb{0, 0, 0});
    std::complex<float> z{0.1f, 0.1f};
    Rgb tint{1, 0.5f, 0.1f};
    uint32_t s = 2026;
    for (int i = 0; i < 6000000; ++i) {
        s = s * 1664525u + 1013904223u;
        float u = (s >> 8) * (1.0f / 16777216.0f);
        int k = 0;
        while (k < 3 && u >= kMaps[k].weight) u -= kMaps[k++].weight;
        z = kMaps[k].a * z + kMaps[k].b;
        tint = Mix(tint, kMaps[k].colour, 0.5f);
        if (i < 30) continue;
        const int x = static_cast<int>(kSize * 0.5f + z.real() * 150.0f);
        const int y = static_cast<int>(kSize * 0.46f + z.imag() * 150.0f);
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) continue;
        const int p = y * kSize + x;
        density[p] += 1.0f;
        colour[p] = Mix(colour[p], tint, 1.0f / density[p]);
    }
    float peak = 1.0f;
    for (float d : density) peak = std::max(peak, d);
    Canvas c(kSize, kSize);
    for (int p = 0; p < kSize * kSize; ++p) {
        const float v = std::log1p(density[p]) / std::log1p(peak);
        const float g = std::pow(v, 0.6f);
        c.Set(p % kSize, p / kSize, Scale(colour[p], g * 1.3f));
    }
    return c;
}

}  // namespace

Canvas MakeSplashPicture()
{
    Canvas c = RenderSplashFractal();
    GlyphFace face(DejaVuPath("DejaVuSans-Bold.ttf"), DejaVuPath("DejaVuSansMono.ttf"));
    face.SetPixelSize(40);
    // A soft dark band keeps the title readable over the spiral.
    for (int y = 420; y < 490; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float t = 1.0f - std::fabs(y - 455.0f) / 35.0f;
            c.Blend(x, y, {0, 0, 0}, 0.7f * t);
        }
    face.DrawCentred(c, "TALVORAN VANE", kSize * 0.5f + 2, 472, {0.5f, 0.05f, 0.0f});
    face.DrawCentred(c, "TALVORAN VANE", kSize * 0.5f, 470, {0.95f, 0.92f, 0.88f});
    return c;
}

}  // namespace assetgen
