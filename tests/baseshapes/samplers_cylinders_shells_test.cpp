#include "baseshapes/samplers_cylinders_shells.h"

#include "baseshapes/samplers_shape_checks.h"

namespace {

constexpr double kHalfPi = 1.5707963267948966;

double SphereError(PointRef o, double radius) { return std::fabs(Length(o) - radius); }

TEST(CylinderShellSamplers, PointsLieOnTheirShapes)
{
    const std::array<float, 11> holes = {1, 1, 1, 1, 1, 1, 1, 1};
    // A pattern that is never a number rejects every draw.
    const float nan = std::nanf("");
    const std::array<float, 11> noHoleFree = {nan, nan, nan, nan, nan, nan, nan, nan};
    const ShapeCase cases[] = {
        {"cylinder",
         SampleBaseshapeCylinder,
         1.2f,
         {0.6f},
         [](PointRef o, PointRef in) -> double {
             const double s = in.size, side = std::fabs(RadiusXZ(o) - s), cap = std::fabs(std::fabs(o.y) - 0.6 * s);
             return std::fmax(std::fmin(side, cap), std::fmax(RadiusXZ(o) - s, std::fabs(o.y) - 0.6 * s));
         },
         2e-6,
         -1},
        {"cylinder filled",
         SampleBaseshapeCylinderFilled,
         1.2f,
         {0.6f},
         [](PointRef o, PointRef in) -> double {
             return std::fmax(RadiusXZ(o) - in.size, std::fabs(o.y) - 0.6 * in.size);
         },
         2e-6,
         -1},
        // Twelve boxes of half-widths 0.1 s (radial and high) and 0.1 rad.
        {"ring I, equal widths: closed boxes",
         SampleBaseshapeRingI,
         1.3f,
         {0.1f, 0.1f, 0.1f},
         [](PointRef o, PointRef in) -> double {
             const double turn = std::atan2(o.x, o.z) / (M_PI / 6);
             const double angle = std::fabs(turn - std::round(turn)) * (M_PI / 6);
             const double radial = std::fabs(RadiusXZ(o) / in.size - 1), high = std::fabs(o.y / in.size);
             return std::fabs(std::fmax(std::fmax(angle, radial), high) - 0.1);
         },
         1e-5,
         4},
        {"future sphere I, no pattern: whole sphere",
         SampleBaseshapeFutureSphereI,
         1.3f,
         {},
         [](PointRef o, PointRef in) -> double { return SphereError(o, in.size); },
         2e-6,
         2},
        {"future sphere I filled: a quarter deep",
         SampleBaseshapeFutureSphereIFilled,
         1.3f,
         {},
         [](PointRef o, PointRef in) -> double { return std::fabs(Length(o) / in.size - 0.875) - 0.125; },
         2e-6,
         3},
        {"future sphere I, no hole-free spot: bounded", SampleBaseshapeFutureSphereI, 1.3f, noHoleFree,
         [](PointRef o, PointRef in) -> double { return SphereError(o, in.size); }, 2e-6, 2 * kFutureSphereTries},
        {"future sphere II, no pattern: radius s pi/2",
         SampleBaseshapeFutureSphereII,
         1.3f,
         {},
         [](PointRef o, PointRef in) -> double { return SphereError(o, in.size * kHalfPi); },
         4e-6,
         2},
        {"future sphere II, radius clamped", SampleBaseshapeFutureSphereIIFilled, 1.3f, holes,
         [](PointRef o, PointRef in) -> double { return Length(o) - in.size * kHalfPi; }, 4e-6, 3},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

TEST(CylinderShellSamplers, WallAndCapsTakeHalfEach)
{
    const BaseshapePoint cylinder = CaseTemplate(1.0f, {0.6f});
    EXPECT_NEAR(Share(SampleBaseshapeCylinder, cylinder, [](PointRef o) { return std::fabs(o.y) < 0.5999; }), 0.5,
                0.012);
}

TEST(CylinderShellSamplers, HeartAtItsSingularAngles)
{
    const BaseshapePoint in = MakeTestPoint(2.0f, 0.0f);
    // a = 0: 0^0 = 1, the point below the centre.
    const BaseshapePoint middle = PointFromWords(SampleBaseshapeHeart, in, 0x80000000u, 0x40000000u);
    EXPECT_NEAR(middle.x, 0.0, 1e-6);
    EXPECT_NEAR(middle.y, -2.0 * std::sqrt(0.75), 1e-5);
    // a = -pi and pi: the float sine of pi is slightly negative.
    for (uint32_t word : {0u, 0xffffffffu}) {
        const BaseshapePoint tip = PointFromWords(SampleBaseshapeHeart, in, word, 0x40000000u);
        EXPECT_NEAR(RadiusXY(tip), 0.0, 1e-6) << word;
    }
}

}  // namespace
