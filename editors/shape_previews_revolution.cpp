// Wireframes of the bodies of revolution: the columns, the Bezier profiles
// (plain, petalled, mirrored, polygonal), the spindles, the disc, and the
// teapot's patches.
//
// Sections: [columns and disc] [profiles] [spindles] [teapot]
#include <cmath>

#include "baseshapes/sampler_curves.h"
#include "baseshapes/samplers_teapot.h"
#include "editors/shape_preview_grid.h"

using namespace shape_preview;

namespace {

constexpr ShapePrimitive kStrip = ShapePrimitive::kLineStrip;
constexpr ShapePrimitive kLoop = ShapePrimitive::kLineLoop;

// A point of a profile turned about y: radius and height already scaled.
inline V3 Turned(float angle, double radius, double height)
{
    return {static_cast<float>(std::sin(angle) * radius), static_cast<float>(height),
            static_cast<float>(std::cos(angle) * radius)};
}

// Radius Bezier (r0, r1, r2, 0) and height (0, h1, h2, 1) at t, both times
// size: the profile of the mirrored and polygonal splines.
inline void OpenProfile(const float* r, const float* h, float t, float s, double& radius, double& height)
{
    const CubicWeights b = CubicBernstein(t);
    radius = (r[0] * b.b0 + r[1] * b.b1 + r[2] * b.b2) * s;
    height = (h[0] * b.b1 + h[1] * b.b2 + b.b3) * s;
}

// Kinds 69 and 81: 21 loops of `sides` (0: 20 round ones) along the
// profile, then 20 strips of 21, drawn again with the height negated.
void DrawMirroredProfile(ShapeSink& sink, const BaseshapePoint& point, int sides)
{
    const float* p = point.p;
    const int polygon = ParameterToInt(p[5], 3, kMaxPolygonSides);
    const int around = sides > 0 ? sides : 20;
    for (const double mirror : {1.0, -1.0}) {
        auto at = [&](int i, float a) {
            double radius, height;
            OpenProfile(p, p + 3, static_cast<float>(i) / 20.0f, point.size, radius, height);
            if (sides > 0) radius *= PolygonRadius(polygon, a);
            return Turned(a, radius, mirror * height);
        };
        Run(sink, kLoop, 21, around, [&](int i, int k) {
            return at(i, kTwoPi * static_cast<float>(k) / static_cast<float>(around));
        });
        Run(sink, kStrip, 20, 21, [&](int k, int i) { return at(i, static_cast<float>(k) * kPi / 10.0f); });
    }
}

// The spindle radius of kinds 61 and 66: the sum of two cubic Bezier
// radii (0, P0, P1, P2) and (0, P3, P4, P5); their mean is the slice's
// distance from the axis.
inline float SpindleSum(const float* p, float t)
{
    const float w = 1.0f - t;
    return 3.0f * t * w * w * (p[0] + p[3]) + 3.0f * t * t * w * (p[1] + p[4]) + t * t * t * (p[2] + p[5]);
}

}  // namespace

// [columns and disc] -------------------------------------------------------

// A circle of radius size / 4 pi whose centre winds ten times round the
// axis over the height.
void XShapes::DrawShape22(ShapeSink& sink, const BaseshapePoint& point)
{
    const double c = point.size / (2.0 * 3.14159265358979);
    auto at = [&](int i, int k) {
        const double h = i * 3.14159265358979 / 5.0 - 2.0 * 3.14159265358979;
        const double a = k * 3.14159265358979 / 5.0 - 2.0 * 3.14159265358979;
        return V3{static_cast<float>((0.5 * std::sin(a) + 0.05 * std::sin(10.0 * h)) * c), static_cast<float>(h * c),
                  static_cast<float>((0.5 * std::cos(a) + 0.05 * std::cos(10.0 * h)) * c)};
    };
    Run(sink, kLoop, 11, 20, [&](int i, int k) { return at(i + 5, k); });
    Run(sink, kLoop, 11, 11, [&](int k, int i) { return at(i + 5, k + 5); });
}

// Ripples that vanish at the centre and on the rim: spokes out to 0.98 and
// back, then circles.
void XShapes::DrawShape44(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    auto at = [&](float a, float r) {
        const float height = std::sin(160.0f * r * point.p[0]) * point.p[1] * (1.0f - r) * s / 4.0f;
        return V3{std::sin(a) * r * s, height, std::cos(a) * r * s};
    };
    Run(sink, kLoop, 21, 50, [&](int i, int k) {
        return at(static_cast<float>(i) * kPi / 10.0f, static_cast<float>(k) / 50.0f);
    });
    Run(sink, kStrip, 51, 21, [&](int i, int k) {
        return at(static_cast<float>(k) * kPi / 10.0f, static_cast<float>(i) / 50.0f);
    });
}

// [profiles] ---------------------------------------------------------------

// Control points (P0, P1) .. (P6, P7) as (radius, height).
void XShapes::DrawShape43(ShapeSink& sink, const BaseshapePoint& point)
{
    const float* p = point.p;
    BothWays(sink, kLoop, 21, 20, kStrip, [&](int i, int k) {
        const CubicWeights b = CubicBernstein(static_cast<float>(i) / 20.0f);
        const double radius = p[0] * b.b0 + p[2] * b.b1 + p[4] * b.b2 + p[6] * b.b3;
        const double height = p[1] * b.b0 + p[3] * b.b1 + p[5] * b.b2 + p[7] * b.b3;
        return Turned(static_cast<float>(k) * kPi / 10.0f, radius * point.size, height * point.size);
    });
}

// The profile of kind 43 with P8 petals of depth P10 round P9.
void XShapes::DrawShape45(ShapeSink& sink, const BaseshapePoint& point)
{
    const float* p = point.p;
    BothWays(sink, kLoop, 21, 50, kStrip, [&](int i, int k) {
        const float a = static_cast<float>(k) * kTwoPi / 50.0f;
        const CubicWeights b = CubicBernstein(static_cast<float>(i) / 20.0f);
        const double radius = p[0] * b.b0 + p[2] * b.b1 + p[4] * b.b2 + p[6] * b.b3;
        const double height = p[1] * b.b0 + p[3] * b.b1 + p[5] * b.b2 + p[7] * b.b3;
        const double petal = p[10] * std::sin(p[8] * a) + p[9];
        return Turned(a, radius * petal * point.size, height * point.size);
    });
}

void XShapes::DrawShape69(ShapeSink& sink, const BaseshapePoint& point) { DrawMirroredProfile(sink, point, 0); }

// A dome over a regular polygon of P0 sides (none below 1): the loops run
// through its corners.
void XShapes::DrawShape70(ShapeSink& sink, const BaseshapePoint& point)
{
    const int n = PreviewCount(point.p[0], 0);
    if (n <= 0) return;
    const float* p = point.p;
    BothWays(sink, kLoop, 21, n, kStrip, [&](int i, int k) {
        double radius, height;
        OpenProfile(p + 1, p + 4, static_cast<float>(i) / 20.0f, point.size, radius, height);
        return Turned(kTwoPi * static_cast<float>(k) / static_cast<float>(n), radius, height);
    });
}

void XShapes::DrawShape81(ShapeSink& sink, const BaseshapePoint& point)
{
    DrawMirroredProfile(sink, point, PreviewCount(point.p[5], 3));
}

// [spindles] ---------------------------------------------------------------

// Each slice a circle of half the spindle radius, displaced by the radius.
void XShapes::DrawShape61(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BothWays(sink, kLoop, 21, 50, kStrip, [&](int i, int k) {
        const float t = static_cast<float>(i) / 20.0f;
        const float q = SpindleSum(point.p, t) / 2.0f;
        const float a = static_cast<float>(k) * kTwoPi / 50.0f;
        return V3{(q / 2.0f * std::sin(a) + q) * s, (2.0f * t - 1.0f) * s, (q / 2.0f * std::cos(a) + q) * s};
    });
}

// The spindle upside down, each slice a diamond: the sampler puts the
// profile's start at the top.
void XShapes::DrawShape66(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BothWays(sink, kLoop, 21, 50, kStrip, [&](int i, int k) {
        const float t = static_cast<float>(i) / 20.0f;
        const float r = SpindleSum(point.p, t);
        const float a = static_cast<float>(k) * kTwoPi / 50.0f;
        return V3{(std::asin(std::sin(a)) * r / kPi + r) * s / 2.0f, (1.0f - 2.0f * t) * s,
                  (std::asin(std::cos(a)) * r / kPi + r) * s / 2.0f};
    });
}

// [teapot] -----------------------------------------------------------------

// Each patch as strips in one direction; the rim, body, lid and bottom
// cover a quarter of the pot and the handle and spout a half, so their
// mirror images complete it. The tables' up axis becomes y.
void XShapes::DrawShape37(ShapeSink& sink, const BaseshapePoint& point)
{
    const double s = point.size;
    for (int patch = 0; patch < kTeapotPatchCount; ++patch) {
        const uint32_t* indices = gTeapotPatches[patch];
        const bool half = patch >= 5 && patch <= 8;
        for (int i = 0; i <= 5; ++i) {
            V3 strip[6];
            const CubicWeights down = CubicBernstein(i / 5.0);
            for (int j = 0; j <= 5; ++j) {
                const CubicWeights across = CubicBernstein(j / 5.0);
                const double wr[4] = {down.b0, down.b1, down.b2, down.b3};
                const double wc[4] = {across.b0, across.b1, across.b2, across.b3};
                double q[3] = {0.0, 0.0, 0.0};
                for (int r = 0; r < 4; ++r)
                    for (int c = 0; c < 4; ++c)
                        for (int a = 0; a < 3; ++a) q[a] += wr[r] * wc[c] * gTeapotControlPoints[indices[r * 4 + c]][a];
                strip[j] = {static_cast<float>(q[0] * s), static_cast<float>(q[2] * s), static_cast<float>(q[1] * s)};
            }
            constexpr float kMirrors[4][2] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
            for (int m = 0; m < 4; ++m) {
                if (half && m != 0 && m != 2) continue;
                sink.Begin(kStrip);
                for (const V3& v : strip) sink.Vertex(v.x * kMirrors[m][0], v.y, v.z * kMirrors[m][1]);
                sink.End();
            }
        }
    }
}
