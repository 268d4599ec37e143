#include "baseshapes/samplers_knots.h"

#include <vector>

#include "baseshapes/samplers_loxodromes.h"
#include "baseshapes/samplers_shape_checks.h"

namespace {

// The Fourier trefoil from its whole-number weights over 113, densely
// sampled.
const std::vector<std::array<double, 3>>& TrefoilSamples()
{
    static const std::vector<std::array<double, 3>> samples = [] {
        constexpr int kWeights[3][6] = {
            {41, -18, -83, -83, -11, 27}, {36, 27, -113, 30, 11, -27}, {0, 45, -30, 113, -11, 27}};
        std::vector<std::array<double, 3>> v(20000);
        for (size_t i = 0; i < v.size(); ++i) {
            const double t = 2 * M_PI * i / v.size();
            const double h[6] = {cos(t), sin(t), cos(2 * t), sin(2 * t), cos(3 * t), sin(3 * t)};
            for (int c = 0; c < 3; ++c) {
                v[i][c] = 0;
                for (int k = 0; k < 6; ++k) v[i][c] += kWeights[c][k] * h[k] / 113.0;
            }
        }
        return v;
    }();
    return samples;
}

// Distance from the trefoil scaled by s, less the tube radius p1 * s.
double TrefoilTubeError(PointRef o, PointRef in)
{
    double best = 1e30;
    for (const auto& k : TrefoilSamples()) {
        const double dx = o.x / in.size - k[0], dy = o.y / in.size - k[1], dz = o.z / in.size - k[2];
        best = std::fmin(best, dx * dx + dy * dy + dz * dz);
    }
    return (std::sqrt(best) - std::fabs(in.p[0])) * in.size;
}

TEST(KnotSamplers, PointsLieOnTheirCurvesAndSurfaces)
{
    constexpr float kPi = 3.1415927f;
    const ShapeCase cases[] = {
        {"trefoil I, no tube", SampleBaseshapeTrefoilKnotI, 1.5f, {0.0f}, TrefoilTubeError, 1e-3, 3},
        {"trefoil I filled, tube 0.2", SampleBaseshapeTrefoilKnotIFilled, 1.5f, {0.2f}, TrefoilTubeError, 1e-3, 4},
        {"trefoil III, no ring", SampleBaseshapeTrefoilKnotIII, 1.5f, {0.0f, 2.0f}, TrefoilTubeError, 1e-3, 2},
        {"trefoil III filled", SampleBaseshapeTrefoilKnotIIIFilled, 1.5f, {0.3f, 2.0f}, TrefoilTubeError, 1e-3, 3},
        {"trefoil II, no tube: circle p1 s", SampleBaseshapeTrefoilKnotII, 1.5f, {0.7f, 0.0f},
         [](PointRef o, PointRef in) -> double { return std::fabs(RadiusXY(o) - 0.7 * in.size) + std::fabs(o.z); },
         1e-5, 2},
        {"trefoil II filled", SampleBaseshapeTrefoilKnotIIFilled, 1.0f, {1.0f, 0.7f},
         [](PointRef o, PointRef) -> double { return std::fabs(o.z) - 0.4; }, 1e-5, 3},
        {"mobius, width 0: unit circle", SampleBaseshapeMobiusStrip, 1.2f, {0.0f},
         [](PointRef o, PointRef in) -> double { return std::fabs(RadiusXY(o) - in.size) + std::fabs(o.z); }, 1e-5,
         4},
        {"mobius filled, within the width", SampleBaseshapeMobiusStripFilled, 1.2f, {0.3f},
         [](PointRef o, PointRef in) -> double { return std::fabs(o.z) - 0.3 * in.size; }, 1e-5, 5},
        {"klein filled, inside the surface's box", SampleBaseshapeKleinFilled, 1.0f, {2.0f},
         [](PointRef o, PointRef) -> double { return std::fmax(RadiusXY(o) - 3.5, std::fabs(o.z) - 1.5); }, 0.0, 3},
        {"torus knot II, Q = 0: a ring", SampleBaseshapeTorusKnotII, 1.2f, {0.25f, 2.0f, 0.0f, 0.5f, 9.0f},
         [](PointRef o, PointRef in) -> double {
             const double s = in.size, radial = RadiusXZ(o) - 1.5 * s;
             return std::fabs(std::hypot(radial, double(o.y)) - 0.25 * s);
         },
         1e-5, 2},
        {"torus knot II filled, inside the knot's torus", SampleBaseshapeTorusKnotIIFilled, 1.0f,
         {0.25f, 2.0f, 3.0f, 2.0f, 3 * kPi},
         [](PointRef o, PointRef) -> double { return std::hypot(RadiusXZ(o) - 2.0, double(o.y)) - 1.25; }, 1e-5, 3},
        {"loxodrome I, within s", SampleBaseshapeLoxodromeI, 1.4f, {},
         [](PointRef o, PointRef in) -> double {
             return std::fmax(std::fmax(std::fabs(o.x), std::fabs(o.y)), std::fabs(o.z)) - in.size;
         },
         1e-6, 2},
        {"loxodrome II, no turns: the equator", SampleBaseshapeLoxodromeII, 1.4f, {0.0f, 3.0f, 0.5f},
         [](PointRef o, PointRef in) -> double { return std::fabs(RadiusXZ(o) - in.size) + std::fabs(o.y); }, 1e-5,
         3},
        {"loxodrome II, on the sphere", SampleBaseshapeLoxodromeII, 1.4f, {2.0f, 3.0f, 0.5f},
         [](PointRef o, PointRef in) -> double { return std::fabs(Length(o) - in.size); }, 1e-5, 3},
        {"loxodrome III, width 0: on the sphere", SampleBaseshapeLoxodromeIII, 1.4f, {1.0f, 2.0f, 0.0f},
         [](PointRef o, PointRef in) -> double { return std::fabs(Length(o) - in.size); }, 1e-5, 3},
        {"loxodrome III, width 1: inside", SampleBaseshapeLoxodromeIII, 1.4f, {1.0f, 2.0f, 1.0f},
         [](PointRef o, PointRef in) -> double { return Length(o) - in.size; }, 1e-5, 3},
        {"hyper loxodrome on the hyperboloid", SampleBaseshapeHyperLoxodromeI, 1.4f, {0.3f, 2.0f, 0.5f},
         [](PointRef o, PointRef in) -> double {
             const double s = in.size;
             return std::fabs((double(o.x) * o.x + double(o.z) * o.z - double(o.y) * o.y) / (s * s) - 1.0);
         },
         1e-4, 3},
    };
    CheckShapeCases(std::begin(cases), std::end(cases), 2000);
}

TEST(KnotSamplers, SingularDraws)
{
    const BaseshapePoint flat = MakeTestPoint(1.3f, 0.0f);
    // Klein with p1 = 0 at v = 0 is the origin for every u.
    for (uint32_t a : {0u, 0x40000000u, 0xffffffffu}) {
        const BaseshapePoint k = PointFromWords(SampleBaseshapeKlein, flat, a, 0);
        EXPECT_NEAR(Length(k), 0.0, 1e-6) << a;
    }
    // Loxodrome I at t = q = 0.
    const BaseshapePoint lox = PointFromWords(SampleBaseshapeLoxodromeI, flat, 0x80000000u, 0x80000000u);
    EXPECT_NEAR(Length(lox), 0.0, 1e-6);
}

}  // namespace
