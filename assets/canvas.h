// A small RGB canvas for drawing our interface pictures: rows top first, as
// PNG stores them. Shapes are anti-aliased by supersampling an inside test.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Rgb {
    float r, g, b;  // 0..1
};

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 3, row 0 at the top

    Canvas() = default;
    Canvas(int w, int h, Rgb fill = {0, 0, 0});

    uint8_t* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
    const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb c);
    // Mixes c into the pixel by coverage a (0..1).
    void Blend(int x, int y, Rgb c, float a);
    // Adds c scaled by a, saturating: used for glows on black.
    void Add(int x, int y, Rgb c, float a);

    void Fill(Rgb c);
    // Copies src with its top-left corner at (x, y), clipped.
    void Paste(const Canvas& src, int x, int y);
};

// Inside test in pixel coordinates (pixel centres at +0.5), x right, y down.
using InsideFn = std::function<bool(float x, float y)>;

// Blends colour c over the box [x0, x1) x [y0, y1) wherever inside() holds,
// with 4 x 4 samples a pixel for smooth edges.
void FillShape(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour, const InsideFn& inside);

// Colour per pixel from a function of the pixel centre; coverage 1.
using ShadeFn = std::function<Rgb(float x, float y)>;
void ShadeBox(Canvas& c, int x0, int y0, int x1, int y1, const ShadeFn& shade);

// A line of the given width from (ax, ay) to (bx, by), anti-aliased.
void DrawLine(Canvas& c, float ax, float ay, float bx, float by, float width, Rgb colour);

// Inside test of the convex or concave polygon (even-odd rule).
bool InsidePolygon(const float* xy, int count, float x, float y);

Rgb Mix(Rgb a, Rgb b, float t);
Rgb Scale(Rgb a, float s);

}  // namespace assetgen
