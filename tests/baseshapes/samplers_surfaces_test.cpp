#include "baseshapes/samplers_surfaces.h"

#include "baseshapes/support/sampler_checks.h"

namespace {

// The tractrix profile: radius s sin V at height s (cos V + ln tan V/2),
// V below pi/2 where the height is negative.
double Tractrix(PointRef o, PointRef in)
{
    const double s = in.size, a = std::asin(std::fmin(1.0, RadiusXZ(o) / s));
    const double v = o.y < 0 ? a : M_PI - a;
    return std::fabs(o.y - s * (std::cos(v) + std::log(std::tan(v / 2))));
}

// Waist radius s/2, height within pi/4 s.
double Catenary(PointRef o, PointRef in)
{
    const double s = in.size, off = std::fabs(RadiusXZ(o) - 0.5 * s * std::cosh(2 * o.y / s));
    return off + std::fmax(0.0, std::fabs(o.y) - M_PI / 4 * s);
}

double Equator(PointRef o, PointRef in) { return std::fabs(RadiusXZ(o) - in.size) + std::fabs(o.y); }
double FiniteEnds(PointRef o, PointRef in) { return std::fmax(std::fabs(o.y) - 8 * in.size, RadiusXZ(o) - in.size); }
double HarmonicSphere(PointRef o, PointRef in) { return std::fabs(Length(o) - (in.size + 4) * in.size); }
double InsideHarmonicSphere(PointRef o, PointRef in) { return Length(o) - (in.size + 4) * in.size; }

TEST(SurfaceSamplers, PointsLieOnTheirSurfaces)
{
    constexpr float kHalfPi = 1.5707964f;
    const std::array<float, 11> roots = {1, 0.5f, 1, 0.5f, 1, 0.5f, 1, 0.5f};
    const ShapeCase cases[] = {
        {"catenoid", SampleBaseshapeCatenoid, 1.5f, {}, Catenary, 1e-5, 2},
        {"pseudosphere on its tractrix", SampleBaseshapePseudosphere, 1.5f, {1.2f}, Tractrix, 1e-4, 2},
        {"pseudosphere, height 0: the equator", SampleBaseshapePseudosphere, 1.5f, {0.0f}, Equator, 1e-6, 2},
        // From pi/2 on, the angle would leave (0, pi); the ends stay finite.
        {"pseudosphere, height pi/2", SampleBaseshapePseudosphere, 1.5f, {kHalfPi}, FiniteEnds, 1e-6, 2},
        {"pseudosphere filled, height 1e6", SampleBaseshapePseudosphereFilled, 1.5f, {1e6f}, FiniteEnds, 1e-6, 3},
        {"spherical harmonics, exponents 0", SampleBaseshapeSphericalHarmonics, 1.5f, {}, HarmonicSphere, 1e-5, 2},
        // Negative bases to the power 0.5 drop out.
        {"spherical harmonics, square roots", SampleBaseshapeSphericalHarmonics, 1.5f, roots, InsideHarmonicSphere,
         1e-5, 2},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

TEST(SurfaceSamplers, WorkedPoints)
{
    const uint32_t half = 0x80000000u, threeQuarters = 0xc0000000u;
    const BaseshapePoint classical = Shape(2.0f, {3.0f}), noCubic = Shape(2.0f, {0.0f});
    EXPECT_NEAR(Length(SampleWithWords(SampleBaseshapeEnnepersSurface, classical, half, half)), 0.0, 1e-6);
    EXPECT_NEAR(Length(SampleWithWords(SampleBaseshapeEnnepersSurface, noCubic, half, half)), 0.0, 1e-6);
    // a = b = 1: x = 0.5 s (1 - 1/p1 + 1), and 0 without the cubic terms.
    EXPECT_NEAR(SampleWithWords(SampleBaseshapeEnnepersSurface, classical, threeQuarters, threeQuarters).x,
                2.0 - 1.0 / 3.0, 1e-6);
    EXPECT_NEAR(SampleWithWords(SampleBaseshapeEnnepersSurface, noCubic, threeQuarters, threeQuarters).x, 0.0, 1e-6);
    // The rose's centre.
    EXPECT_NEAR(Length(SampleWithWords(SampleBaseshapeNylandersRose, classical, 0x12345678u, 0)), 0.0, 1e-6);
    // A negative base to a non-whole power is no number; it drops out.
    EXPECT_EQ(FinitePower(-0.5f, 0.5f), 0.0f);
    EXPECT_EQ(FinitePower(0.0f, -1.0f), 0.0f);
    EXPECT_EQ(FinitePower(-2.0f, 3.0f), -8.0f);
}

}  // namespace
