#include "baseshapes/samplers_cylinders_shells.h"

#include "baseshapes/support/sampler_checks.h"

namespace {

constexpr double kHalfPi = 1.5707963267948966;

// Radius s, caps at +-p1 s: on the wall or a cap and never outside.
double OnCylinder(PointRef o, PointRef in)
{
    const double s = in.size, side = RadiusXZ(o) - s, cap = std::fabs(o.y) - in.p[0] * s;
    return std::fmax(std::fmin(std::fabs(side), std::fabs(cap)), std::fmax(side, cap));
}

double InCylinder(PointRef o, PointRef in)
{
    return std::fmax(RadiusXZ(o) - in.size, std::fabs(o.y) - in.p[0] * in.size);
}

// Twelve boxes 30 degrees apart at radius s: half-widths p1 s (radial and
// high) and p1 radians, all three equal.
double OnBoxes(PointRef o, PointRef in)
{
    const double turn = std::atan2(o.x, o.z) / (M_PI / 6), angle = std::fabs(turn - std::round(turn)) * (M_PI / 6);
    const double radial = std::fabs(RadiusXZ(o) / in.size - 1), high = std::fabs(o.y / in.size);
    return std::fabs(std::fmax(std::fmax(angle, radial), high) - in.p[0]);
}

double OnSphere(PointRef o, PointRef in) { return std::fabs(Length(o) - in.size); }
double QuarterDeep(PointRef o, PointRef in) { return std::fabs(Length(o) / in.size - 0.875) - 0.125; }
double OnWideSphere(PointRef o, PointRef in) { return std::fabs(Length(o) - in.size * kHalfPi); }
double InWideSphere(PointRef o, PointRef in) { return Length(o) - in.size * kHalfPi; }

TEST(CylinderShellSamplers, PointsLieOnTheirShapes)
{
    const std::array<float, 11> holes = {1, 1, 1, 1, 1, 1, 1, 1};
    // A pattern that is never a number rejects every draw.
    const float nan = std::nanf("");
    const std::array<float, 11> noHoleFree = {nan, nan, nan, nan, nan, nan, nan, nan};
    const ShapeCase cases[] = {
        {"cylinder", SampleBaseshapeCylinder, 1.2f, {0.6f}, OnCylinder, 2e-6, -1},
        {"cylinder filled", SampleBaseshapeCylinderFilled, 1.2f, {0.6f}, InCylinder, 2e-6, -1},
        {"ring I, equal widths", SampleBaseshapeRingI, 1.3f, {0.1f, 0.1f, 0.1f}, OnBoxes, 1e-5, 4},
        {"future sphere I, no pattern", SampleBaseshapeFutureSphereI, 1.3f, {}, OnSphere, 2e-6, 2},
        {"future sphere I filled", SampleBaseshapeFutureSphereIFilled, 1.3f, {}, QuarterDeep, 2e-6, 3},
        {"future sphere I, no hole-free spot", SampleBaseshapeFutureSphereI, 1.3f, noHoleFree, OnSphere, 2e-6,
         2 * kFutureSphereTries},
        {"future sphere II, no pattern", SampleBaseshapeFutureSphereII, 1.3f, {}, OnWideSphere, 4e-6, 2},
        {"future sphere II, radius clamped", SampleBaseshapeFutureSphereIIFilled, 1.3f, holes, InWideSphere, 4e-6, 3},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
    const auto onWall = [](PointRef o) { return std::fabs(o.y) < 0.5999; };
    EXPECT_NEAR(Share(SampleBaseshapeCylinder, Shape(1.0f, {0.6f}), onWall), 0.5, 0.012);
}

TEST(CylinderShellSamplers, HeartAtItsSingularAngles)
{
    const BaseshapePoint in = MakeTestPoint(2.0f, 0.0f);
    // a = 0: 0^0 = 1, the point below the centre.
    const BaseshapePoint middle = SampleWithWords(SampleBaseshapeHeart, in, 0x80000000u, 0x40000000u);
    EXPECT_NEAR(middle.x, 0.0, 1e-6);
    EXPECT_NEAR(middle.y, -2.0 * std::sqrt(0.75), 1e-5);
    // a = -pi and pi: the float sine of pi is slightly negative.
    for (uint32_t word : {0u, 0xffffffffu}) {
        EXPECT_NEAR(RadiusXY(SampleWithWords(SampleBaseshapeHeart, in, word, 0x40000000u)), 0.0, 1e-6) << word;
    }
}

}  // namespace
