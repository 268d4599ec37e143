#include "baseshapes/samplers_prisms_gears.h"

#include "baseshapes/samplers_shape_checks.h"

namespace {

// Largest projection on the edge normals of the hexagon with corners at
// angles k pi/3 measured from z toward x: its inradius on the sides.
double HexagonSupport(PointRef o)
{
    double best = -1e30;
    for (int k = 0; k < 6; ++k) {
        const double b = (k + 0.5) * M_PI / 3;
        best = std::fmax(best, o.x * std::sin(b) + o.z * std::cos(b));
    }
    return best;
}

// Zero on the boundary of the ring between radii `inner` and `outer` and
// heights +-h, positive outside it.
double RingBoundaryError(PointRef o, double inner, double outer, double h)
{
    const double r = RadiusXZ(o), y = std::fabs(o.y);
    const double outside = std::fmax(std::fmax(r - outer, inner - r), y - h);
    return std::fmax(outside, std::fmin(std::fmin(std::fabs(r - outer), std::fabs(r - inner)), std::fabs(y - h)));
}

TEST(PrismGearSamplers, PointsLieOnTheirShapes)
{
    const ShapeCase cases[] = {
        {"prisms, no sides: a line and its caps",
         SampleBaseshapePrisms,
         1.5f,
         {0.5f, 0.8f, 0.4f},
         [](PointRef o, PointRef in) -> double {
             return std::fabs(o.x) + std::fmax(0.0, -o.z) + std::fmax(0.0, o.z - in.size);
         },
         1e-6,
         -1},
        {"hexagonal prism, flat caps",
         SampleBaseshapePrisms,
         1.5f,
         {6.0f, 0.8f, 1.0f},
         [](PointRef o, PointRef in) -> double {
             const double side = HexagonSupport(o) - in.size * std::cos(M_PI / 6);
             const double cap = std::fabs(o.y) - 0.8 * in.size;
             return std::fmax(std::fmax(side, cap), std::fmin(std::fabs(side), std::fabs(cap)));
         },
         1e-5,
         -1},
        {"gear I, flat teeth: a plain ring",
         SampleBaseshapeGearI,
         1.2f,
         {12.0f, 0.3f, 0.25f, 0.0f},
         [](PointRef o, PointRef in) -> double { return RingBoundaryError(o, 0.75 * in.size, in.size, 0.3 * in.size); },
         1e-5,
         -1},
        {"disc",
         SampleBaseshapeDisc,
         1.1f,
         {0.3f, 0.8f},
         [](PointRef o, PointRef in) -> double { return std::fmax(RadiusXZ(o) - 1.1, std::fabs(o.y) - 0.22); },
         1e-6,
         2},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

TEST(PrismGearSamplers, SplineEndsAndDiscRim)
{
    const BaseshapePoint spline = CaseTemplate(2.0f, {0.5f, -1, 0, 0, 0, 0, 0.25f, 1.5f});
    const BaseshapePoint start = PointFromWords(SampleBaseshapeSplineR, spline, 0x40000000u, 0);
    EXPECT_NEAR(RadiusXZ(start), 1.0, 1e-6);
    EXPECT_NEAR(start.y, -2.0, 1e-6);
    const BaseshapePoint end = PointFromWords(SampleBaseshapeSplineR, spline, 0x40000000u, 0xffffffffu);
    EXPECT_NEAR(RadiusXZ(end), 0.5, 1e-6);
    EXPECT_NEAR(end.y, 3.0, 1e-6);
    EXPECT_NEAR(PointFromWords(SampleBaseshapeDisc, CaseTemplate(1.0f, {0.37f, 1.0f}), 0x12345678u, 0).y, 0.0, 1e-6);
}

// A quarter of the points on the central ring, whose section is an
// ellipse of half-axes 0.3 s (across) and 0.1 s (high) about radius 0.7 s,
// 0.8 s below the centre.
TEST(PrismGearSamplers, FuturisticSendsAQuarterToTheCentralRing)
{
    const BaseshapePoint in = MakeTestPoint(1.5f, 0.0f);
    const double share = Share(SampleBaseshapeFuturistic, in, [](PointRef o) {
        const double a = (RadiusXZ(o) / 3.0 - 0.35) / 0.15, b = (o.y / 1.5 + 0.8) / 0.1;
        return std::fabs(a * a + b * b - 1.0) < 1e-3;
    });
    EXPECT_NEAR(share, 0.25, 0.012);
}

}  // namespace
