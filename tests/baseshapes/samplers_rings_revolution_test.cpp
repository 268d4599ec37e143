// Profile rings, the chain link and the horned crown, the solids of
// revolution and the spiral shells.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "baseshapes/samplers_profile_rings.h"
#include "baseshapes/samplers_revolution.h"
#include "baseshapes/samplers_shells.h"
#include "baseshapes/support/sampler_checks.h"
#include "baseshapes/support/sampler_images.h"

namespace {

// Largest projection of (x, z) on the outward normals at a0 + j * step.
float Support(const BaseshapePoint& p, float a0, float step, int count)
{
    float best = -1e30f;
    for (int j = 0; j < count; ++j) {
        const float a = a0 + static_cast<float>(j) * step;
        best = std::max(best, p.x * std::cos(a) + p.z * std::sin(a));
    }
    return best;
}

TEST(RingsAndRevolution, ShapesKeepTheirIdentitiesAndBounds)
{
    const float kRoot2 = 1.4142135f;
    const float kTanh2 = std::tanh(2.0f);
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        BaseshapePoint shape;
        PointCheck check;
    } rows[] = {
        {"bicorn H=0: triangle outline", SampleBaseshapeTriangularBicorn, Shape(1.5f, {1.0f, 0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_EQ(p.y, 0.0f);
             ASSERT_NEAR(Support(p, 1.0471976f, 2.0943952f, 3), 0.75f, 1e-5f);
         }},
        {"hexagons T=0: centre lines", SampleBaseshapeHexagons193, Shape(1.5f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_EQ(p.y, 0.0f);
             ExpectOnLadder(Support(p, 0.5235988f, 1.0471976f, 6) / (0.8660254f * 1.5f), 0.15f, 0.5f, 6);
         }},
        {"rings T=0: eleven circles", SampleBaseshapeRings, Shape(1.5f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_EQ(p.y, 0.0f);
             ExpectOnLadder(std::hypot(p.x, p.z) / 1.5f, 0.25f, 0.25f, 11);
         }},
        {"spring N=0: one squared section", SampleBaseshapeSquaredSpring, Shape(1.0f, {0.2f, 1.0f, 0.0f, 0.5f}),
         [=](const BaseshapePoint& p) {
             ASSERT_EQ(p.z, 0.0f);
             ASSERT_GE(p.x / kTanh2, 1.0f - 0.2f * kTanh2 - 1e-5f);
             ASSERT_LE(p.x / kTanh2, 1.0f + 0.2f * kTanh2 + 1e-5f);
         }},
        {"trapezoid top radius 0: caps all at the bottom", SampleBaseshapeScaledTrapezoid,
         Shape(1.0f, {1.0f, 0.0f, 1.0f}),
         [](const BaseshapePoint& p) { ASSERT_FALSE(p.x == 0 && p.z == 0 && p.y > 0); }},
        {"pseudosphere P1=pi/2", SampleBaseshapeScaledPseudosphere, Shape(1.0f, {1.5707964f}), Bounded(1.25f, 15.0f)},
        {"pseudosphere P1=2.5", SampleBaseshapeScaledPseudosphere, Shape(1.0f, {2.5f}), Bounded(1.25f, 15.0f)},
        {"sinusoidal II T=0: closed curve", SampleBaseshapeSinusoidalII, Shape(2.0f, {0.0f}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(p.x * p.x + p.z * p.z, 2.0f, 1e-5f); }},
        {"sinusoidal I T=0: closed curve", SampleBaseshapeSinusoidalI, Shape(2.0f, {0.0f}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(p.y * p.y + p.z * p.z, 2.0f, 1e-5f); }},
        {"sinusoidal II T=sqrt2", SampleBaseshapeSinusoidalII, Shape(1.0f, {kRoot2}), Bounded(142.0f, 100.0f)},
        {"sinusoidal I T=-sqrt2", SampleBaseshapeSinusoidalI, Shape(1.0f, {-kRoot2}), Bounded(142.0f, 100.0f)},
        {"scaled torus size 2: centre line 4", SampleBaseshapeScaledTorus, Shape(2.0f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_NEAR(std::hypot(p.x, p.z), 4.0f, 1e-5f);
             ASSERT_EQ(p.y, 0.0f);
         }},
        {"ammonites N=0: one section", SampleBaseshapeAmmonites, Shape(1.0f, {0.0f, 0.5f, 0.3f, 0.0f}),
         [](const BaseshapePoint& p) { ASSERT_EQ(p.z, 0.0f); }},
        {"venus N=0: one section", SampleBaseshapeVenus, Shape(1.0f, {0.0f, 0.5f, 0.3f, 0.0f}),
         [](const BaseshapePoint& p) { ASSERT_EQ(p.z, 0.0f); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ForPoints(row.sampler, row.shape, 4000, row.check);
    }
}

TEST(RingsAndRevolution, PointsAtChosenDraws)
{
    const uint32_t kOne = 0xffffffffu;  // a uniform of exactly 1.0
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        BaseshapePoint shape;
        uint32_t a, b;
        float x, y, z;
    } rows[] = {
        {"bicorn theta=0: a vertex", SampleBaseshapeTriangularBicorn, Shape(1.5f, {1.0f, 0.0f}), 0, 1u << 31, 1.5f,
         0.0f, 0.0f},
        {"bicorn theta=pi/3: half radius", SampleBaseshapeTriangularBicorn, Shape(1.5f, {1.0f, 0.0f}),
         WordFor(1.0 / 6), 1u << 31, 0.375f, 0.0f, 0.6495191f},
        {"morning star u2=0", SampleBaseshapeMorningStar, Shape(2.0f, {}), 0, 0, 0.0f, -2.5f, 0.0f},
        {"morning star u2=1", SampleBaseshapeMorningStar, Shape(2.0f, {}), 0, kOne, 0.0f, 2.5f, 0.0f},
    };
    for (const auto& row : rows) {
        const BaseshapePoint p = SampleWithWords(row.sampler, row.shape, row.a, row.b);
        EXPECT_NEAR(p.x, row.x, 1e-5f) << row.name;
        EXPECT_NEAR(p.y, row.y, 1e-5f) << row.name;
        EXPECT_NEAR(p.z, row.z, 1e-5f) << row.name;
    }
}

// The crown's pieces never colour the point, although the kind may be
// textured.
TEST(RingsAndRevolution, HornedCrownKeepsItsColour)
{
    TestImages images(2);
    images.SetTexture(4, 4);
    for (uint8_t mode = 0; mode < 3; ++mode) {
        ResetTestSlot(kTestSlot, 31 + mode);
        gSlotBaseshape[kTestSlot] = 2;
        gSlotColorMode[kTestSlot] = mode;
        for (int i = 0; i < 50; ++i) {
            BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
            SampleBaseshapeHornedCrown(&p, kTestSlot);
            ASSERT_EQ(p.red, 10);
            ASSERT_EQ(p.blue, 30);
        }
    }
}

}  // namespace
