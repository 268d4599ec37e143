// Wireframes of the closed surfaces: spheres and their patterned kin, the
// tori, the Klein bottle, the heart and the dome.
//
// Sections: [spheres] [tori] [other closed surfaces]
#include <cmath>

#include "baseshapes/samplers_classic_surfaces.h"
#include "editors/shape_preview_grid.h"

using namespace shape_preview;

namespace {

constexpr ShapePrimitive kStrip = ShapePrimitive::kLineStrip;
constexpr ShapePrimitive kLoop = ShapePrimitive::kLineLoop;

// Angle i of a full turn in steps of pi/5, from -2 pi.
inline float FifthStep(int i) { return static_cast<float>(i) * kPi / 5.0f - kTwoPi; }

// Size enters the ring of these tori twice, as in their samplers: the ring
// radius is size times size and the tube radius tube times size.
inline V3 TorusVertex(float s, float ringAngle, float tube, float tubeAngle, float height = 1.0f)
{
    const float rho = (tube * std::cos(tubeAngle) + s) * s;
    return {std::cos(ringAngle) * rho, height * tube * std::sin(tubeAngle) * s, std::sin(ringAngle) * rho};
}

// 1 / (T(cos(m x/4))^e1 + T(sin(m x/4))^e2)^e3 with T = |0.9 asin|, as the
// star sampler takes it; 0 where the bracket is 0, capped where it is tiny.
double StarRadius(float x, float m, float e1, float e2, float e3)
{
    const double c = std::fabs(0.9 * std::asin(std::cos(static_cast<double>(0.25f * m * x))));
    const double sn = std::fabs(0.9 * std::asin(std::sin(static_cast<double>(0.25f * m * x))));
    const double g = std::pow(std::pow(c, e1) + std::pow(sn, e2), e3);
    if (g == 0.0) return 0.0;
    return std::isfinite(g) ? std::fmin(1.0 / g, 1e15) : 0.0;
}

// sqrt 2 + tube cos(angle), kept at least 0.01 from zero as in the sampler.
inline float HexatorusDivisor(float tube, float angle)
{
    const float d = 1.4142135f + tube * std::cos(angle);
    return std::fabs(d) < 0.01f ? (std::signbit(d) ? -0.01f : 0.01f) : d;
}

}  // namespace

// [spheres] ----------------------------------------------------------------

void XShapes::DrawShape01(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    Run(sink, kStrip, 21, 21, [&](int i, int k) {
        const float f = static_cast<float>(i) * kPi / 10.0f;
        const float y = static_cast<float>(k) / 10.0f - 1.0f;
        const float c = std::sqrt(std::fmax(0.0f, 1.0f - y * y));
        return V3{std::sin(f) * c * s, y * s, std::cos(f) * c * s};
    });
    Run(sink, kLoop, 11, 40, [&](int i, int k) {
        const float b = static_cast<float>(i - 5) * kPi / 10.0f;
        const float g = static_cast<float>(k - 20) * kPi / 20.0f;
        return V3{std::cos(g) * std::cos(b) * s, std::sin(b) * s, std::sin(g) * std::cos(b) * s};
    });
}

void XShapes::DrawShape17(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    auto at = [&](float g, float f) {
        const double r1 = StarRadius(g, p[0], p[1], p[2], p[3]);
        const double r2 = StarRadius(f, p[4], p[5], p[6], p[7]);
        const double ring = std::cos(f) * r1 * r2 * s;
        return V3{static_cast<float>(std::cos(g) * ring), static_cast<float>(std::sin(f) * r2 * s),
                  static_cast<float>(std::sin(g) * ring)};
    };
    Run(sink, kStrip, 21, 21, [&](int i, int k) {
        return at(static_cast<float>(i) * kPi / 20.0f, static_cast<float>(k) * kPi / 10.0f);
    });
    Run(sink, kLoop, 11, 40, [&](int i, int k) {
        return at(static_cast<float>(k - 20) * kPi / 20.0f, static_cast<float>(i - 5) * kPi / 10.0f);
    });
}

// Radius size + the four pattern terms, in one direction only.
void XShapes::DrawShape24(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    Run(sink, kStrip, 21, 21, [&](int i, int k) {
        const float g = static_cast<float>(i) * kPi / 20.0f;
        const float f = static_cast<float>(k) * kPi / 10.0f;
        float h = FinitePower(std::sin(p[4] * g), p[5]) + FinitePower(std::cos(p[6] * g), p[7]) +
                  FinitePower(std::cos(p[2] * f), p[3]) + FinitePower(std::sin(p[0] * f), p[1]);
        h = std::fmin(std::fmax(h, -1e30f), 1e30f);
        const double r = (static_cast<double>(h) + s) * s;
        return V3{static_cast<float>(std::cos(g) * std::cos(f) * r), static_cast<float>(std::sin(g) * std::cos(f) * r),
                  static_cast<float>(std::sin(f) * r)};
    });
}

// A cap from the pole down by P0 quarter turns, around by P1 turns.
void XShapes::DrawShape62(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BothWays(sink, kStrip, 21, 21, kStrip, [&](int i, int k) {
        const float e = kPi / 2.0f - static_cast<float>(k) * (kPi / 40.0f) * point.p[0];
        const float b = static_cast<float>(i) * (kPi / 10.0f) * point.p[1];
        return V3{std::cos(b) * std::cos(e) * s, std::sin(e) * s, std::sin(b) * std::cos(e) * s};
    });
}

// [tori] -------------------------------------------------------------------

void XShapes::DrawShape02(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BothWays(sink, kLoop, 20, 20, kLoop, [&](int i, int j) {
        const V3 v = TorusVertex(s, FifthStep(i), point.p[0], FifthStep(j));
        return V3{v.x, v.z, v.y};  // the ring lies in the xy plane, as sampled
    });
}

// Octagonal tube, half as high as wide, drawn through its eight corners.
void XShapes::DrawShape18(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BothWays(sink, kLoop, 20, 8, kLoop, [&](int i, int k) {
        const V3 v = TorusVertex(s, FifthStep(i), point.p[0], static_cast<float>(2 * k + 3) * kPi / 8.0f, 0.5f);
        return V3{v.x, v.z, v.y};
    });
}

void XShapes::DrawShape20(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float tube = point.p[0];
    constexpr float kThird = 2.0943952f;
    BothWays(sink, kLoop, 20, 20, kLoop, [&](int i, int j) {
        const float u = FifthStep(i), v = FifthStep(j);
        return V3{std::sin(u) / HexatorusDivisor(tube, v) * s,
                  std::sin(u + kThird) / HexatorusDivisor(tube, v + kThird) * s,
                  std::cos(u - kThird) / HexatorusDivisor(tube, v - kThird) * s};
    });
}

// The tube swells and narrows by P1 at P2 joints round the ring.
void XShapes::DrawShape71(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    BothWays(sink, kLoop, 80, 20, kLoop, [&](int i, int k) {
        const float u = static_cast<float>(i) * kPi / 20.0f - kTwoPi;
        const float g = 1.0f + p[1] * std::tanh(10.0f * std::sin(p[2] * u));
        return TorusVertex(s, u, p[0] * g, FifthStep(k));
    });
}

// A tube of radius P0 wound 2 P2 times round a helix of radius P1 rising
// from -P3 to P3.
void XShapes::DrawShape72(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    auto at = [&](int i, int k) {
        const float t = static_cast<float>(i) / 80.0f;
        const float v = static_cast<float>(k) * kPi / 5.0f - kPi;
        const float h = 4.0f * kPi * p[2] * t;
        const float r = (p[0] * std::cos(v) + p[1]) * s;
        return V3{std::cos(h) * r, (p[0] * std::sin(v) + (2.0f * t - 1.0f) * p[3]) * s, std::sin(h) * r};
    };
    Run(sink, kLoop, 81, 20, at);
    Run(sink, kStrip, 21, 81, [&](int k, int i) { return at(i, k); });
}

// The tube at its widest, P0 (1 + P1).
void XShapes::DrawShape77(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float tube = point.p[0] * (1.0f + point.p[1]);
    BothWays(sink, kLoop, 20, 20, kLoop,
             [&](int i, int j) { return TorusVertex(s, FifthStep(i), tube, FifthStep(j)); });
}

// Ring of max(P1, 3) sides, tube of max(P2, 3) sides turned by P3 (at least
// 0): the loops run through the corners of both polygons.
void XShapes::DrawShape82(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    const int ringSides = PreviewCount(p[1], 3);
    const int tubeSides = PreviewCount(p[2], 3);
    const int truePolygon = ParameterToInt(p[2], 3, kMaxPolygonSides);
    const float turn = p[3] > 0.0f ? p[3] : 0.0f;
    BothWays(sink, kLoop, ringSides, tubeSides, kLoop, [&](int i, int k) {
        const float t = kTwoPi * static_cast<float>(i) / static_cast<float>(ringSides);
        const float q = kTwoPi * static_cast<float>(k) / static_cast<float>(tubeSides) - turn;
        const float tube = p[0] * PolygonRadius(truePolygon, q + turn);
        const float ring = PolygonRadius(ParameterToInt(p[1], 3, kMaxPolygonSides), t);
        const float m = (s + tube * std::cos(q)) * s;
        return V3{std::cos(t) * ring * m, std::sin(q) * tube * s, std::sin(t) * ring * m};
    });
}

// [other closed surfaces] --------------------------------------------------

// The figure-eight immersion.
void XShapes::DrawShape09(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BothWays(sink, kStrip, 21, 21, kStrip, [&](int i, int k) {
        const float u = static_cast<float>(i) * kPi / 10.0f;
        const float v = static_cast<float>(k) * kPi / 10.0f;
        const float r = std::sin(v) * std::cos(u / 2.0f) + point.p[0] - std::sin(2.0f * v) * std::sin(u / 2.0f) / 2.0f;
        return V3{std::cos(u) * r * s, std::sin(u) * r * s,
                  (std::sin(2.0f * v) * std::cos(u / 2.0f) / 2.0f + std::sin(v) * std::sin(u / 2.0f)) * s};
    });
}

void XShapes::DrawShape40(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    auto at = [&](int i, int k) {
        const float a = static_cast<float>(i) * kPi / 10.0f - kPi;
        // The float sine of pi is a little negative; its non-whole power NaN.
        const float f = std::pow(std::fmax(std::sin(std::fabs(a)), 0.0f), std::fabs(a));
        const float t = static_cast<float>(k) / 10.0f - 1.0f;
        const float q = std::sqrt(std::fmax(0.0f, 1.0f - t * t)) * f;
        return V3{std::sin(a) * q * s, -std::cos(a) * q * s, t * s / 4.0f};
    };
    Run(sink, kLoop, 20, 19, [&](int i, int k) { return at(i + 1, k + 1); });
    Run(sink, kLoop, 19, 19, [&](int k, int i) { return at(i + 1, k + 1); });
}
