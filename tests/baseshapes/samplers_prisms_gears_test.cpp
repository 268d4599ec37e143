#include "baseshapes/samplers_prisms_gears.h"

#include "baseshapes/support/sampler_checks.h"

namespace {

// No sides: the side wall is the line x = 0, z = s, the caps reach the axis.
double SideLine(PointRef o, PointRef in) { return std::fabs(o.x) + std::fmax(-o.z, o.z - in.size); }

// A hexagonal prism of circumradius s with flat caps at +-p2 s: on a side
// (at the inradius) or on a cap, and never outside.
double HexagonalPrism(PointRef o, PointRef in)
{
    double support = -1e30;
    for (int k = 0; k < 6; ++k) {
        const double b = (k + 0.5) * M_PI / 3;
        support = std::fmax(support, o.x * std::sin(b) + o.z * std::cos(b));
    }
    const double side = support - in.size * std::cos(M_PI / 6), cap = std::fabs(o.y) - in.p[1] * in.size;
    return std::fmax(std::fmax(side, cap), std::fmin(std::fabs(side), std::fabs(cap)));
}

// Flat teeth: a ring from (1 - p3) s to s, p2 s high, on its boundary.
double PlainRing(PointRef o, PointRef in)
{
    const double s = in.size, r = RadiusXZ(o), y = std::fabs(o.y), h = in.p[1] * s, inner = (1 - in.p[2]) * s;
    const double outside = std::fmax(std::fmax(r - s, inner - r), y - h);
    return std::fmax(outside, std::fmin(std::fmin(std::fabs(r - s), std::fabs(r - inner)), std::fabs(y - h)));
}

double RippledDisc(PointRef o, PointRef in)
{
    return std::fmax(RadiusXZ(o) - in.size, std::fabs(o.y) - 0.25 * in.p[1] * in.size);
}

TEST(PrismGearSamplers, PointsLieOnTheirShapes)
{
    const ShapeCase cases[] = {
        {"prisms, no sides", SampleBaseshapePrisms, 1.5f, {0.5f, 0.8f, 0.4f}, SideLine, 1e-6, -1},
        {"hexagonal prism, flat caps", SampleBaseshapePrisms, 1.5f, {6.0f, 0.8f, 1.0f}, HexagonalPrism, 1e-5, -1},
        {"gear I, flat teeth", SampleBaseshapeGearI, 1.2f, {12.0f, 0.3f, 0.25f, 0.0f}, PlainRing, 1e-5, -1},
        {"disc", SampleBaseshapeDisc, 1.1f, {0.3f, 0.8f}, RippledDisc, 1e-6, 2},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

TEST(PrismGearSamplers, SplineEndsAndDiscRim)
{
    const BaseshapePoint spline = Shape(2.0f, {0.5f, -1, 0, 0, 0, 0, 0.25f, 1.5f});
    const BaseshapePoint start = SampleWithWords(SampleBaseshapeSplineR, spline, 0x40000000u, 0);
    EXPECT_NEAR(RadiusXZ(start), 1.0, 1e-6);
    EXPECT_NEAR(start.y, -2.0, 1e-6);
    const BaseshapePoint end = SampleWithWords(SampleBaseshapeSplineR, spline, 0x40000000u, 0xffffffffu);
    EXPECT_NEAR(RadiusXZ(end), 0.5, 1e-6);
    EXPECT_NEAR(end.y, 3.0, 1e-6);
    EXPECT_NEAR(SampleWithWords(SampleBaseshapeDisc, Shape(1.0f, {0.37f, 1.0f}), 0x12345678u, 0).y, 0.0, 1e-6);
}

// A quarter of the points on the central ring, whose section is an ellipse
// of half-axes 0.3 s (across) and 0.1 s (high) about radius 0.7 s, 0.8 s
// below the centre.
TEST(PrismGearSamplers, FuturisticSendsAQuarterToTheCentralRing)
{
    const auto onRing = [](PointRef o) {
        const double a = (RadiusXZ(o) / 3.0 - 0.35) / 0.15, b = (o.y / 1.5 + 0.8) / 0.1;
        return std::fabs(a * a + b * b - 1.0) < 1e-3;
    };
    EXPECT_NEAR(Share(SampleBaseshapeFuturistic, MakeTestPoint(1.5f, 0.0f), onRing), 0.25, 0.012);
}

}  // namespace
