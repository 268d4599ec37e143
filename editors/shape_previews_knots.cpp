// Wireframes of the shapes that follow a curve: the torus and trefoil
// knots, the Mobius strip, the twisted column and the spiral shells.
//
// Sections: [knots] [strips and helices] [shells]
#include <cmath>

#include "baseshapes/sampler_curves.h"
#include "baseshapes/samplers_knots_mobius_klein.h"
#include "editors/shape_preview_grid.h"

using namespace shape_preview;

namespace {

constexpr ShapePrimitive kStrip = ShapePrimitive::kLineStrip;
constexpr ShapePrimitive kLoop = ShapePrimitive::kLineLoop;

inline float FifthStep(int i) { return static_cast<float>(i) * kPi / 5.0f - kTwoPi; }
// Step i of 2 pi / 25 from -2 pi: four steps of the knots' curves a turn.
inline float KnotStep(int i) { return static_cast<float>(i) * kTwoPi / 25.0f - kTwoPi; }

// t P1 / P2, 0 when P2 is 0 or the quotient overflows (then the knot is a
// plain ring), as the samplers take the winding.
inline float Winding(float t, const float* p)
{
    if (p[2] == 0.0f) return 0.0f;
    const float a = t * p[1] / p[2];
    return std::isfinite(a) ? a : 0.0f;
}

inline V3 Trefoil(float t)
{
    float k[3];
    TrefoilCurve(t, 2.0f * t, 3.0f * t, k);
    return {k[0], k[1], k[2]};
}

// A shell section (kinds 74 and 78): spiral position `along` from 0 (tip)
// to 1 (mouth), section angle t. Squared sections take tanh(2.5 cos t) and
// tanh(2.5 sin t). A ribbing term that overflows leaves the section plain.
template <bool Squared>
V3 ShellVertex(const BaseshapePoint& point, float along, float t)
{
    const float* q = point.p;
    const float spiral = -kTwoPi * q[0] * (1.0f - along * along);
    const float growth = 0.02f * std::pow(0.9557f, -164.0f * along);
    const double ribs = ParameterPower(std::cos(q[6] * spiral + growth), q[7]) +
                        ParameterPower(std::sin(q[4] * spiral + growth), q[5]) +
                        ParameterPower(std::cos(q[10] * t), q[11]) + ParameterPower(std::sin(q[8] * t), q[9]);
    const double c = Squared ? std::tanh(2.5 * std::cos(t)) : std::cos(t);
    const double sn = Squared ? std::tanh(2.5 * std::sin(t)) : std::sin(t);
    const double s = point.size;
    auto place = [&](double ribbing) {
        const double radius = (c * q[1] * ribbing * growth + growth) * 0.02 * s;
        return V3{static_cast<float>(std::cos(spiral) * radius * ribbing),
                  static_cast<float>(((sn * q[1] * ribbing - q[2]) * 0.02 * growth + 0.25 * q[2]) * s),
                  static_cast<float>(std::sin(spiral) * radius * ribbing)};
    };
    const V3 v = place(static_cast<float>(1.0 - ribs * q[3]));
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) ? v : place(1.0);
}

template <bool Squared>
void DrawShell(ShapeSink& sink, const BaseshapePoint& point)
{
    BothWays(sink, kLoop, 40, 20, kStrip, [&](int i, int k) {
        return ShellVertex<Squared>(point, static_cast<float>(i) / 39.0f, static_cast<float>(k) * kTwoPi / 20.0f);
    });
}

}  // namespace

// [knots] ------------------------------------------------------------------

// The (P1, P2) torus knot with a tube of radius P0.
void XShapes::DrawShape03(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    auto at = [&](float t, float w) {
        const float u = Winding(t, p);
        const float r = std::cos(u) + 2.0f;
        return V3{(r * std::cos(t) + p[0] * std::cos(w) * std::cos(t + w / 2.0f)) * s,
                  (r * std::sin(t) + p[0] * std::cos(w) * std::sin(t + w / 2.0f)) * s,
                  (std::sin(u) + p[0] * std::sin(w)) * s};
    };
    Run(sink, kLoop, 20, 100, [&](int i, int k) { return at(KnotStep(k), FifthStep(i)); });
    Run(sink, kLoop, 20, 20, [&](int i, int k) { return at(FifthStep(i), FifthStep(k)); });
}

void XShapes::DrawShape05(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float r = point.p[0];
    BothWays(sink, kStrip, 51, 21, kStrip, [&](int i, int k) {
        const float t = KnotStep(i);
        const float w = static_cast<float>(k) * kPi / 5.0f - kTwoPi;
        const V3 c = Trefoil(t);
        return V3{(c.x + r * std::cos(w) * std::cos(t + w / 2.0f)) * s,
                  (c.y + r * std::cos(w) * std::sin(t + w / 2.0f)) * s, (c.z + r * std::sin(w)) * s};
    });
}

// A (2, 3) torus knot of core radius P0 with a tube in the meridian plane.
void XShapes::DrawShape06(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float m = 2.0f / 7.0f * point.p[1];
    Run(sink, kStrip, 51, 101, [&](int j, int k) {
        const float w = static_cast<float>(j) * kPi / 5.0f - 3.0f * kPi;
        const float b = static_cast<float>(k) * kPi / 10.0f - kPi;
        const float a = static_cast<float>(k) * kPi / 15.0f - 2.0f * kPi / 3.0f;
        const float r = point.p[0] + m * std::cos(b) + m * std::cos(w);
        return V3{std::cos(a) * r * s, std::sin(a) * r * s, (std::sin(b) + std::sin(w)) * m * s};
    });
}

// The trefoil with a ring that turns pi P1 per radian.
void XShapes::DrawShape07(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float r = point.p[0];
    Run(sink, kLoop, 21, 101, [&](int i, int k) {
        const float w = static_cast<float>(i) * kPi / 5.0f - kTwoPi;
        const float t = KnotStep(k);
        const float turn = kPi * point.p[1] * t;
        const V3 c = Trefoil(t);
        return V3{(c.x + r * std::cos(w) * std::cos(turn)) * s, (c.y + r * std::cos(w) * std::sin(turn)) * s,
                  (c.z + r * std::sin(w)) * s};
    });
}

// The core circle winds round y with t and about the torus core of radius
// P3 with the winding; the tube of radius P0 lies in the plane of y.
void XShapes::DrawShape38(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    Run(sink, kStrip, 10, 101, [&](int j, int k) {
        const float w = static_cast<float>(j) * 3.0f * kPi / 5.0f - 3.0f * kPi;
        const float t = (static_cast<float>(k) / 50.0f - 1.0f) * p[4];
        const float u = Winding(t, p);
        const float r = p[0] * std::cos(w) + std::cos(u) + p[3];
        return V3{std::cos(t) * r * s, (std::sin(u) + p[0] * std::sin(w)) * s, std::sin(t) * r * s};
    });
}

// [strips and helices] -----------------------------------------------------

// The width is folded into the strip once; the second set takes the centre
// circle one radian on, the sheared second strip the sampler draws too.
void XShapes::DrawShape08(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float half = point.p[0];
    for (const float shift : {0.0f, 1.0f}) {
        Run(sink, kLoop, 20, 50, [&](int i, int k) {
            float w = 2.0f * (static_cast<float>(i) / 10.0f - 1.0f) * half;
            if (w > half) w -= half;
            if (w < -half) w += half;
            const float f = KnotStep(k);
            const float cross = std::cos(f / 2.0f) * w;
            return V3{(std::cos(f) * cross + std::cos(f + shift)) * s, (std::sin(f) * cross + std::sin(f + shift)) * s,
                      std::sin(f / 2.0f) * w * s};
        });
    }
}

// Four helices on the twisted square shaft.
void XShapes::DrawShape26(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    Run(sink, kStrip, 4, 51, [&](int j, int k) {
        const float h = static_cast<float>(k) / 25.0f - 1.0f;
        const float g = (static_cast<float>(j + 1) * kPi / 2.0f - kTwoPi) - (10.0f * h + 20.0f * kPi);
        return V3{std::sin(g) * 0.15625f * s, h * s, std::cos(g) * 0.15625f * s};
    });
}

// [shells] -----------------------------------------------------------------

// A tube growing along a spiral of P2 radians.
void XShapes::DrawShape39(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    auto at = [&](int i, int k) {
        const float q = static_cast<float>(k) * 0.02f * p[2];
        const float a = static_cast<float>(i) * kPi / 5.0f + q;
        const float r = (p[1] * std::cos(a) + p[0]) * s * q * 0.15f;
        return V3{std::cos(q) * r, std::sin(q) * r, (p[1] * q * 0.15f * std::sin(a) + p[3] * q) * s};
    };
    BothWays(sink, kStrip, 10, 51, kLoop, at);
}

void XShapes::DrawShape74(ShapeSink& sink, const BaseshapePoint& point) { DrawShell<false>(sink, point); }
void XShapes::DrawShape78(ShapeSink& sink, const BaseshapePoint& point) { DrawShell<true>(sink, point); }
