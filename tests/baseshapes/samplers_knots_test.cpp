#include "baseshapes/samplers_knots.h"

#include <vector>

#include "baseshapes/samplers_loxodromes.h"
#include "baseshapes/support/sampler_checks.h"

namespace {

// Distance from the Fourier trefoil (whole-number weights over 113, densely
// sampled) scaled by s, less the tube radius p1 * s.
double TrefoilTube(PointRef o, PointRef in)
{
    static const std::vector<std::array<double, 3>> curve = [] {
        constexpr int kWeights[3][6] = {
            {41, -18, -83, -83, -11, 27}, {36, 27, -113, 30, 11, -27}, {0, 45, -30, 113, -11, 27}};
        std::vector<std::array<double, 3>> v(20000);
        for (size_t i = 0; i < v.size(); ++i) {
            const double t = 2 * M_PI * i / v.size();
            const double h[6] = {cos(t), sin(t), cos(2 * t), sin(2 * t), cos(3 * t), sin(3 * t)};
            for (int c = 0; c < 3; ++c) {
                for (int k = 0; k < 6; ++k) v[i][c] += kWeights[c][k] * h[k] / 113.0;
            }
        }
        return v;
    }();
    double best = 1e30;
    for (const auto& k : curve) {
        const double dx = o.x / in.size - k[0], dy = o.y / in.size - k[1], dz = o.z / in.size - k[2];
        best = std::fmin(best, dx * dx + dy * dy + dz * dz);
    }
    return (std::sqrt(best) - std::fabs(in.p[0])) * in.size;
}

double OnSphere(PointRef o, PointRef in) { return std::fabs(Length(o) - in.size); }
double UnitCircleXY(PointRef o, PointRef in) { return std::fabs(RadiusXY(o) - in.size) + std::fabs(o.z); }
double CircleP1XY(PointRef o, PointRef in) { return std::fabs(RadiusXY(o) - in.p[0] * in.size) + std::fabs(o.z); }
double Equator(PointRef o, PointRef in) { return std::fabs(RadiusXZ(o) - in.size) + std::fabs(o.y); }
double WithinS(PointRef o, PointRef in)
{
    return std::fmax(std::fmax(std::fabs(o.x), std::fabs(o.y)), std::fabs(o.z)) - in.size;
}

// Q = 0: the centre line is the circle of radius (1 + p4) s in x-z; the
// tube of radius p1 s lies in the plane of y and the radius.
double RingTube(PointRef o, PointRef in)
{
    const double s = in.size;
    return std::fabs(std::hypot(RadiusXZ(o) - (1 + in.p[3]) * s, double(o.y)) - in.p[0] * s);
}

double Hyperboloid(PointRef o, PointRef in)
{
    return std::fabs((double(o.x) * o.x + double(o.z) * o.z - double(o.y) * o.y) / (in.size * in.size) - 1);
}

TEST(KnotSamplers, PointsLieOnTheirCurvesAndSurfaces)
{
    const ShapeCase cases[] = {
        {"trefoil I, no tube", SampleBaseshapeTrefoilKnotI, 1.5f, {0.0f}, TrefoilTube, 1e-3, 3},
        {"trefoil I filled, tube 0.2", SampleBaseshapeTrefoilKnotIFilled, 1.5f, {0.2f}, TrefoilTube, 1e-3, 4},
        {"trefoil III, no ring", SampleBaseshapeTrefoilKnotIII, 1.5f, {0.0f, 2.0f}, TrefoilTube, 1e-3, 2},
        {"trefoil III filled", SampleBaseshapeTrefoilKnotIIIFilled, 1.5f, {0.3f, 2.0f}, TrefoilTube, 1e-3, 3},
        {"trefoil II, no tube", SampleBaseshapeTrefoilKnotII, 1.5f, {0.7f, 0.0f}, CircleP1XY, 1e-5, 2},
        {"mobius, width 0", SampleBaseshapeMobiusStrip, 1.2f, {0.0f}, UnitCircleXY, 1e-5, 4},
        {"mobius filled, width 0", SampleBaseshapeMobiusStripFilled, 1.2f, {0.0f}, UnitCircleXY, 1e-5, 5},
        {"torus knot II, Q = 0", SampleBaseshapeTorusKnotII, 1.2f, {0.25f, 2, 0, 0.5f, 9}, RingTube, 1e-5, 2},
        {"loxodrome I", SampleBaseshapeLoxodromeI, 1.4f, {}, WithinS, 1e-6, 2},
        {"loxodrome II, no turns", SampleBaseshapeLoxodromeII, 1.4f, {0.0f, 3.0f, 0.5f}, Equator, 1e-5, 3},
        {"loxodrome III, width 0", SampleBaseshapeLoxodromeIII, 1.4f, {1, 2, 0}, OnSphere, 1e-5, 3},
        {"hyper loxodrome", SampleBaseshapeHyperLoxodromeI, 1.4f, {0.3f, 2.0f, 0.5f}, Hyperboloid, 1e-4, 3},
    };
    CheckShapeCases(std::begin(cases), std::end(cases), 2000);
}

TEST(KnotSamplers, SingularDraws)
{
    const BaseshapePoint flat = MakeTestPoint(1.3f, 0.0f);
    // Klein with p1 = 0 at v = 0 is the origin for every u.
    for (uint32_t a : {0u, 0x40000000u, 0xffffffffu}) {
        EXPECT_NEAR(Length(SampleWithWords(SampleBaseshapeKlein, flat, a, 0)), 0.0, 1e-6) << a;
    }
    // Loxodrome I at t = q = 0.
    EXPECT_NEAR(Length(SampleWithWords(SampleBaseshapeLoxodromeI, flat, 0x80000000u, 0x80000000u)), 0.0, 1e-6);
}

}  // namespace
