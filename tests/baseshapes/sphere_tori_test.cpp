#include "baseshapes/samplers_sphere_tori.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "baseshapes/generator_table.h"
#include "baseshapes/sampler_affine.h"
#include "baseshapes/support/sampler_checks.h"

namespace {

constexpr float kSize = 1.3f;
constexpr float kTube = 0.35f;
constexpr int kPoints = 20000;


// The tube cross-section of a ring about z with centre-line radius s*s:
// radial and vertical offsets from the centre line.
void TubeOffset(const BaseshapePoint& p, float s, float& dr, float& dz)
{
    dr = std::sqrt(p.x * p.x + p.y * p.y) - s * s;
    dz = p.z;
}

// Largest projection of (dr, 2 dz) on the eight edge normals of the octagon:
// its inradius on the surface, less inside.
float OctagonSupport(float dr, float dz)
{
    float best = -1e30f;
    for (int j = 0; j < 8; ++j) {
        const float a = static_cast<float>(j) * 0.7853982f;
        best = std::max(best, dr * std::cos(a) + 2.0f * dz * std::sin(a));
    }
    return best;
}

// Many seeded points of the sampler on a template of the given size and P1.
template <typename Check>
void ForShapePoints(BaseshapeSampler sampler, float size, float p1, Check check)
{
    ForPoints(sampler, Shape(size, {p1}), kPoints, check);
}

TEST(SphereAndTori, SphereLiesOnItsRadiusOrInside)
{
    ForShapePoints(SampleBaseshapeSphere, kSize, 0, [](const BaseshapePoint& p) {
        ASSERT_NEAR(Length(p), kSize, 2e-6f * kSize);
    });
    float deepest = kSize;
    ForShapePoints(SampleBaseshapeSphereFilled, kSize, 0, [&](const BaseshapePoint& p) {
        ASSERT_LE(Length(p), kSize * (1 + 2e-6f));
        deepest = std::min(deepest, static_cast<float>(Length(p)));
    });
    EXPECT_LT(deepest, 0.2f * kSize);
}

TEST(SphereAndTori, TorusITubeHasRadiusP1TimesSize)
{
    const float tube = kTube * kSize;
    ForShapePoints(SampleBaseshapeTorusI, kSize, kTube, [&](const BaseshapePoint& p) {
        float dr, dz;
        TubeOffset(p, kSize, dr, dz);
        ASSERT_NEAR(std::sqrt(dr * dr + dz * dz), tube, 1e-5f);
    });
    ForShapePoints(SampleBaseshapeTorusIFilled, kSize, kTube, [&](const BaseshapePoint& p) {
        float dr, dz;
        TubeOffset(p, kSize, dr, dz);
        ASSERT_LE(std::sqrt(dr * dr + dz * dz), tube + 1e-5f);
    });
}

TEST(SphereAndTori, TorusIITubeIsAHalfHeightOctagon)
{
    const float inradius = 0.9238795f * kTube * kSize;
    ForShapePoints(SampleBaseshapeTorusII, kSize, kTube, [&](const BaseshapePoint& p) {
        float dr, dz;
        TubeOffset(p, kSize, dr, dz);
        ASSERT_NEAR(OctagonSupport(dr, dz), inradius, 2e-5f);
        ASSERT_LE(std::fabs(dz), 0.5f * kTube * kSize + 1e-5f);
    });
    ForShapePoints(SampleBaseshapeTorusIIFilled, kSize, kTube, [&](const BaseshapePoint& p) {
        float dr, dz;
        TubeOffset(p, kSize, dr, dz);
        ASSERT_LE(OctagonSupport(dr, dz), inradius + 2e-5f);
    });
}

// u2 = 0: the south pole, the inner equator of torus I, the middle of torus
// II's inner flat side; then a corner of torus II at pi + pi/8.
TEST(SphereAndTori, FirstDrawsAtZero)
{
    const float a = 3.1415927f + 0.3926991f;
    const WordsCase cases[] = {
        {"sphere", SampleBaseshapeSphere, {kSize, {kTube}}, 0, 0, 0, -kSize, 0},
        {"torus I", SampleBaseshapeTorusI, {kSize, {kTube}}, 0, 0, (kSize - kTube) * kSize, NAN, 0},
        {"torus II", SampleBaseshapeTorusII, {kSize, {kTube}}, 0, 0, (kSize - 0.9238795f * kTube) * kSize, NAN, 0},
        {"torus II corner", SampleBaseshapeTorusII, {kSize, {kTube}}, 0, WordFor(1.0 / 16),
         (kSize + kTube * std::cos(a)) * kSize, NAN, 0.5f * kSize * kTube * std::sin(a)},
    };
    CheckOnWords(cases);
}

// The top words give uniforms of exactly 1.0: still points of the shape, and
// the nearest texel stays in the last column and row.
TEST(SphereAndTori, DrawsOfExactlyOne)
{
    uint8_t texels[2 * 2 * 3] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 5, 6};
    gBaseshapeTextures[0] = BaseshapeImage{{}, 2, 2, texels};
    const BaseshapePoint s =
        SampleWithWords(SampleBaseshapeSphere, MakeTestPoint(kSize, kTube), 0xffffffffu, 0xffffffffu);
    EXPECT_NEAR(Length(s), kSize, 1e-6f);
    EXPECT_FLOAT_EQ(s.y, kSize);
    gSlotColorMode[kTestSlot] = 1;
    gSlotBaseshape[kTestSlot] = 0;
    gBaseshapeRandom[kTestSlot].State() = StateYielding(0xffffffffu, 0xffffffffu);
    BaseshapePoint t = MakeTestPoint(kSize, kTube);
    SampleBaseshapeTorusII(&t, kTestSlot);
    EXPECT_TRUE(std::isfinite(t.x) && std::isfinite(t.z));
    EXPECT_EQ(t.red, 4);
    EXPECT_EQ(t.blue, 6);
    gBaseshapeTextures[0] = BaseshapeImage{};
}

// The filled sphere moves the surface point only inwards along the same
// direction.
TEST(SphereAndTori, FilledSphereShrinksTheSurfacePoint)
{
    ResetTestSlot(kTestSlot, 555);
    BaseshapePoint surface = MakeTestPoint(kSize, 0);
    SampleBaseshapeSphere(&surface, kTestSlot);
    ResetTestSlot(kTestSlot, 555);
    BaseshapePoint filled = MakeTestPoint(kSize, 0);
    SampleBaseshapeSphereFilled(&filled, kTestSlot);
    const double f = Length(filled) / Length(surface);
    EXPECT_LE(f, 1.0 + 1e-6);
    EXPECT_NEAR(filled.x, surface.x * f, 1e-5);
    EXPECT_NEAR(filled.y, surface.y * f, 1e-5);
}

TEST(AffineTransformation, WarpsTheIncomingPointByASineAndDrawsNothing)
{
    ResetTestSlot(kTestSlot, 8);
    const RandomState before = gBaseshapeRandom[kTestSlot].State();
    uint8_t texel[3] = {200, 100, 50};
    gBaseshapeTextures[0].width = gBaseshapeTextures[0].height = 1;
    gBaseshapeTextures[0].pixels = texel;
    for (uint8_t mode = 0; mode < 3; ++mode) {
        gSlotColorMode[kTestSlot] = mode;
        BaseshapePoint p = MakeTestPoint(2.0f, 0.0f);
        p.x = 0.5f, p.y = -1.25f, p.z = 3.0f;
        SampleBaseshapeAffineTransformation(&p, kTestSlot);
        EXPECT_EQ(p.x, 0.5f);
        EXPECT_EQ(p.y, -1.25f);
        EXPECT_EQ(p.z, 3.0f);

        p.p[0] = 0.5f;
        SampleBaseshapeAffineTransformation(&p, kTestSlot);
        EXPECT_FLOAT_EQ(p.x, 0.5f + std::sin(0.5f) * 0.5f);
        EXPECT_FLOAT_EQ(p.y, -1.25f + std::sin(-1.25f) * 0.5f);
        EXPECT_EQ(p.red, 10);
        p.x = 0.0f;
        SampleBaseshapeAffineTransformation(&p, kTestSlot);
        EXPECT_EQ(p.x, 0.0f);
    }
    gBaseshapeTextures[0] = BaseshapeImage{};
    EXPECT_EQ(0, std::memcmp(&before, &gBaseshapeRandom[kTestSlot].State(), sizeof before));
}

}  // namespace
