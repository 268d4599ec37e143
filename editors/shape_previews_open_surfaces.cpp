// Wireframes of the open surfaces: the pseudosphere, Enneper's and Dini's
// surfaces, the catenoid, the loxodromes and the hyperbolic spirals.
//
// Sections: [classical surfaces] [loxodromes] [hyperbolic spirals]
#include <cmath>

#include "editors/shape_preview_grid.h"

using namespace shape_preview;

namespace {

constexpr ShapePrimitive kStrip = ShapePrimitive::kLineStrip;
constexpr ShapePrimitive kLoop = ShapePrimitive::kLineLoop;

// Where a denominator passes through zero the surface runs off to infinity;
// the samplers hold those points at a finite distance, and so do we.
inline double AwayFromZero(double d)
{
    constexpr double kSmallest = 1e-6;
    if (d >= 0.0) return d < kSmallest ? kSmallest : d;
    return d > -kSmallest ? -kSmallest : d;
}

// The four strands of a loxodrome band a quarter turn apart; k runs along
// the strand (t from -pi P1 to pi P1), e across the band (0 or 1).
template <class At>
void LoxodromeQuarters(ShapeSink& sink, float turns, At&& at)
{
    constexpr float kOffsets[4] = {1.5707964f, -1.5707964f, kPi, 0.0f};
    for (const float offset : kOffsets) {
        BothWays(sink, kStrip, 2, 51, kStrip, [&](int e, int k) {
            const float t = (static_cast<float>(k) / 25.0f - 1.0f) * kPi * turns;
            return at(t, static_cast<float>(e), offset);
        });
    }
}

// The loxodrome family of kinds 11 and 56: u runs along the spiral, v
// across; n turns per unit of u, h stretches y.
V3 LoxodromeVertex(float u, float v, float n, float h, float s)
{
    const float r = 1.0f / (std::cosh(u) * std::cosh(v) + 1.0f);
    return {std::cos(n * u) * std::sinh(v) * r * s, std::sinh(u) * std::cosh(v) * r * h * s,
            std::sin(n * u) * std::sinh(v) * r * s};
}

// 2 pi (k/50)^3: the spiral's parameter crowds toward its start.
inline float CubedSpiral(int k)
{
    const float c = static_cast<float>(k);
    return 5.0265484e-05f * c * c * c;
}

}  // namespace

// [classical surfaces] -----------------------------------------------------

// The tractrix angle stays inside (0, pi), as in the sampler: at the ends
// tan(g/2) has no logarithm.
void XShapes::DrawShape04(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BothWays(sink, kStrip, 21, 21, kStrip, [&](int i, int k) {
        const float f = static_cast<float>(i) * kPi / 10.0f;
        float g = (static_cast<float>(k) / 10.0f - 1.0f) * point.p[0] + kPi / 2.0f;
        g = std::fmin(std::fmax(g, 0.001f), kPi - 0.001f);
        return V3{std::cos(f) * std::sin(g) * s, (std::cos(g) + std::log(std::tan(0.5f * g))) * s,
                  std::sin(f) * std::sin(g) * s};
    });
}

// P0 = 3 is the classical surface; at P0 = 0 the sampler drops the cubic
// terms and turns the cross terms, and so does the preview instead of
// dividing by zero.
void XShapes::DrawShape10(ShapeSink& sink, const BaseshapePoint& point)
{
    const float k = 0.5f * point.size;
    const float width = point.p[0];
    const float inverse = width != 0.0f ? std::fmin(std::fmax(1.0f / width, -1e30f), 1e30f) : 0.0f;
    BothWays(sink, kStrip, 21, 21, kStrip, [&](int i, int j) {
        const float u = static_cast<float>(i) * 0.2f - 2.0f;
        const float v = static_cast<float>(j) * 0.2f - 2.0f;
        if (width == 0.0f) return V3{k * (u - u * v * v), k * (v - u * u * v), k * (u * u - v * v)};
        return V3{k * (u - u * u * u * inverse + u * v * v), k * (v - v * v * v * inverse + v * u * u),
                  k * (u * u - v * v)};
    });
}

void XShapes::DrawShape23(ShapeSink& sink, const BaseshapePoint& point)
{
    const float k = 0.5f * point.size;
    BothWays(sink, kStrip, 33, 11, kStrip, [&](int j, int i) {
        const float u = static_cast<float>(j);
        const float v = 0.25f * static_cast<float>(i) + 0.1f;
        const double dv = v;
        const double height = std::cos(dv) + std::log(std::tan(dv / 16.0)) + 0.1 * j + 1.0;
        return V3{std::cos(u) * std::sin(v) * k, static_cast<float>(height * k), std::sin(u) * std::sin(v) * k};
    });
}

void XShapes::DrawShape27(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    auto at = [&](int i, int k) {
        const float h = static_cast<float>(i) * kPi / 10.0f - kPi;
        const float a = static_cast<float>(k) * kPi / 10.0f - kPi;
        return V3{std::cos(a) * std::cosh(h / 2.0f) * s / 2.0f, h * s / 4.0f, std::sin(a) * std::cosh(h / 2.0f) * s / 2.0f};
    };
    BothWays(sink, kLoop, 21, 20, kStrip, at);
}

// [loxodromes] -------------------------------------------------------------

void XShapes::DrawShape11(ShapeSink& sink, const BaseshapePoint& point)
{
    BothWays(sink, kStrip, 11, 101, kStrip, [&](int j, int k) {
        return LoxodromeVertex(CubedSpiral(k - 50), static_cast<float>(j - 5) * kTwoPi / 5.0f, 5.0f, 1.0f, point.size);
    });
}

// Bands P2 wide in longitude on the sphere.
void XShapes::DrawShape12(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    LoxodromeQuarters(sink, p[1], [&](float t, float e, float offset) {
        const float lon = t + e * p[2] + offset;
        const float lat = std::atan(p[0] * t);
        return V3{std::cos(lon) * std::cos(lat) * s, -std::sin(lat) * s, std::sin(lon) * std::cos(lat) * s};
    });
}

// Bands reaching inward from the sphere by the fraction P2 of the radius.
void XShapes::DrawShape31(ShapeSink& sink, const BaseshapePoint& point)
{
    const float* p = point.p;
    LoxodromeQuarters(sink, p[1], [&](float t, float e, float offset) {
        const float theta = t + offset;
        const float lat = std::atan(t * p[0]);
        const float r = point.size * (1.0f - e * p[2]);
        return V3{std::cos(theta) * std::cos(lat) * r, -std::sin(lat) * r, std::sin(theta) * std::cos(lat) * r};
    });
}

// Bands P2 wide on the hyperboloid x^2 + z^2 - y^2 = size^2.
void XShapes::DrawShape32(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    LoxodromeQuarters(sink, p[1], [&](float t, float e, float offset) {
        const float theta = t + e * p[2] + offset;
        const float lambda = std::atan(t * p[0]);
        const float c = std::cosh(lambda) * s;
        return V3{std::cos(theta) * c, -std::sinh(lambda) * s, std::sin(theta) * c};
    });
}

// Twisted by P0, stretched along y by P1 + 1; v runs over the sampler's
// range, -2 pi to 2 pi.
void XShapes::DrawShape56(ShapeSink& sink, const BaseshapePoint& point)
{
    BothWays(sink, kStrip, 11, 51, kStrip, [&](int j, int k) {
        return LoxodromeVertex(CubedSpiral(k), static_cast<float>(j - 5) * kTwoPi / 5.0f, point.p[0],
                               point.p[1] + 1.0f, point.size);
    });
}

// [hyperbolic spirals] -----------------------------------------------------

// Ten layers of the bipolar spiral, each drawn as three dashes per row:
// evaluated divided through by cosh, as the sampler does, so a steep P3
// gives the foci instead of inf / inf.
void XShapes::DrawShape64(ShapeSink& sink, const BaseshapePoint& point)
{
    const double s = point.size;
    const float* p = point.p;
    for (int i = 0; i <= 40; ++i) {
        const float w = static_cast<float>(i) * kPi / 40.0f - kPi / 2.0f;
        const double g = static_cast<double>(p[3]) * w;
        const double ch = std::cosh(g), th = std::tanh(g);
        sink.Begin(ShapePrimitive::kLines);
        for (int j = 1; j <= 10; ++j) {
            const float q = static_cast<float>(j) / 10.0f;
            for (int k = 0; k <= 10; k += 2) {
                const float t = static_cast<float>(k) / 10.0f;
                const float e = (1.0f - std::cos(kPi * t)) / 2.0f;
                const double beta = ((1.0f - e) * p[1] + e * p[0]) * q * p[3] * w;
                const double den = AwayFromZero(1.0 + std::cos(beta) / ch);
                sink.Vertex(static_cast<float>(th / den * 0.5 * s),
                            (2.0f * t - 1.0f) * p[2] * point.size * (1.0f - q),
                            static_cast<float>(std::sin(beta) / ch / den * 0.5 * s));
            }
        }
        sink.End();
    }
}

// Divided through by cosh v so a wide P2 cannot overflow; with P0 at or
// below -1 the denominator crosses zero and is held away from it.
void XShapes::DrawShape83(ShapeSink& sink, const BaseshapePoint& point)
{
    const double s = point.size;
    const float* p = point.p;
    Run(sink, kStrip, 11, 101, [&](int j, int k) {
        const double v = static_cast<double>(static_cast<float>(j - 5) * (kPi / 5.0f)) * p[2];
        const float u = static_cast<float>(k - 50) * kPi / 25.0f;
        const double r = s / AwayFromZero(std::cosh(u) + p[0] / std::cosh(v));
        const double spread = std::tanh(v) * r;
        return V3{static_cast<float>(std::cos(u * p[1]) * spread), static_cast<float>(std::sinh(1.1 * u) * r),
                  static_cast<float>(std::sin(u * p[1]) * spread)};
    });
}
