// The polygon family, polyhedra, rounded solids and classic surfaces.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/samplers_breather_enneper.h"
#include "baseshapes/sampler_contract.h"
#include "baseshapes/samplers_polygons.h"
#include "baseshapes/samplers_icosahedron_diamond_box.h"
#include "baseshapes/samplers_rounded_solids.h"
#include "baseshapes/support/sampler_fixture.h"
#include "baseshapes/support/sampler_images.h"

namespace {

constexpr float kSize = 1.5f;

std::vector<BaseshapePoint> Draw(BaseshapeSampler sampler, std::vector<float> params, int count = 5000)
{
    ResetTestSlot(kTestSlot, 17);
    std::vector<BaseshapePoint> out;
    for (int i = 0; i < count; ++i) {
        BaseshapePoint p = MakeTestPoint(kSize, 0.0f);
        for (size_t k = 0; k < params.size(); ++k) p.p[k] = params[k];
        sampler(&p, kTestSlot);
        out.push_back(p);
    }
    return out;
}

TEST(PolygonRadius, RunsFromTheSideMiddleToTheCorner)
{
    const float pi = 3.1415927f;
    const struct {
        int sides;
        float angle, expected;
    } cases[] = {
        {3, 0.0f, 1.0f},          {3, pi / 3, 0.5f},     {4, pi / 4, 0.70710677f}, {4, 2 * pi, 1.0f},
        {6, -pi / 6, 0.8660254f}, {3, -pi / 3, 0.5f},    {5, -4.0f * pi, 1.0f},    {3, NAN, 1.0f},
        {3, INFINITY, 1.0f},      {1 << 20, 0.3f, 1.0f},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(PolygonRadius(c.sides, c.angle), c.expected, 2e-5f) << c.sides << " sides at " << c.angle;
    }
}

// Parameter values the shapes treat alike: side counts below the minimum,
// profile numbers outside 1..5, a star step of 1 or less.
TEST(PolygonFamily, ParametersBelowTheirMinimumGiveTheMinimumShape)
{
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        int index;
        float value, same;
    } cases[] = {
        {"crown sides", SampleBaseshapeCrown, 0, 1.0f, 3.0f},
        {"crown fn 7 is sin", SampleBaseshapeCrown, 3, 7.0f, 0.0f},
        {"lotus sides", SampleBaseshapeLotusFilled, 0, -2.0f, 3.9f},
        {"lotus fn", SampleBaseshapeLotus, 3, 7.0f, -1.0f},
        {"polygon sides", SampleBaseshapePolygon, 2, 2.5f, 3.0f},
        {"blade sides", SampleBaseshapeBlade, 7, 1.0f, 3.0f},
        {"pyramid sides", SampleBaseshapeTwistedPyramid, 2, -4.0f, 3.0f},
        {"ring sides", SampleBaseshapePolRingFilled, 3, 2.0f, 3.0f},
        {"star points", SampleBaseshapeStar, 1, 4.0f, 5.0f},
        {"star step", SampleBaseshapeStarFilled, 2, 0.5f, 1.0f},
    };
    for (const auto& c : cases) {
        std::vector<float> params = {0.4f, 2.0f, 0.7f, 2.0f, 0.3f, 0.5f, 0.6f, 4.0f};
        params[c.index] = c.value;
        const std::vector<BaseshapePoint> a = Draw(c.sampler, params, 300);
        params[c.index] = c.same;
        const std::vector<BaseshapePoint> b = Draw(c.sampler, params, 300);
        for (size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(a[i].x, b[i].x) << c.name;
            ASSERT_EQ(a[i].y, b[i].y) << c.name;
            ASSERT_EQ(a[i].z, b[i].z) << c.name;
        }
    }
}

// The caps hand v = 0 (bottom) and v = 1 (top) to the colour tail: with a
// texture one column wide and two rows high, cap points take the bottom or
// top row's colour; the twisted pyramid's base takes v = 0.
TEST(ShapesB, CapsHandTheirEdgeRowToTheTexture)
{
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        std::vector<float> params;
        float bottom, top;  // y of the caps over the size
    } cases[] = {
        {"cone", SampleBaseshapeCone, {0.7f, 0.3f, 0.6f}, -0.7f, 0.7f},
        {"cone filled", SampleBaseshapeConeFilled, {0.7f, 0.3f, 0.6f}, -0.7f, 0.7f},
        {"rounded trapezoid", SampleBaseshapeRoundedTrapezoid, {0.5f, 0.4f, 0.8f}, -0.5f, 0.5f},
        {"gear III", SampleBaseshapeGearIII, {0.6f, 0.5f, 0.9f, 6.0f, 0.2f}, -0.6f, 0.6f},
        {"twisted pyramid", SampleBaseshapeTwistedPyramid, {1.0f, 0.8f, 4.0f, 0.6f}, -0.6f, 99.0f},
    };
    TestImages images(0);
    images.SetTexture(1, 2);
    for (const auto& c : cases) {
        ResetTestSlot(kTestSlot, 5);
        gSlotColorMode[kTestSlot] = c.sampler == SampleBaseshapeCone ? 2 : 1;  // v = 1 reaches the last row in both
        int caps[2] = {0, 0};
        for (int i = 0; i < 4000; ++i) {
            BaseshapePoint p = MakeTestPoint(kSize, 0.0f);
            for (size_t k = 0; k < c.params.size(); ++k) p.p[k] = c.params[k];
            c.sampler(&p, kTestSlot);
            const int cap = p.y == c.bottom * kSize ? 0 : p.y == c.top * kSize ? 1 : -1;
            if (cap < 0) continue;
            ++caps[cap];
            ASSERT_EQ(p.red, images.Texel(0, cap)[0]) << c.name << " cap " << cap;
        }
        EXPECT_GT(caps[0], 200) << c.name;
    }
}

// Worked values: the sine column's taper of 2 at u2 = 0, and a face draw
// that rounds to 6 on the polygonal ring counting as face 5.
TEST(ShapesB, WorkedDraws)
{
    ResetTestSlot(kTestSlot, 1);
    gBaseshapeRandom[kTestSlot].State() = StateYielding(WordFor(0.125), 0);
    BaseshapePoint col = MakeTestPoint(kSize, 0.5f);  // sin(-pi / 2) = -1
    col.p[1] = 0.3f, col.p[2] = 1.0f, col.p[3] = 1.0f;
    SampleBaseshapeSineCol(&col, kTestSlot);
    EXPECT_NEAR(std::hypot(col.x, col.z), 2 * 0.3f * kSize, 1e-5f);
    EXPECT_FLOAT_EQ(col.y, -kSize);

    // Its third word is 4294967170, a uniform of 1.0: face 5, the inner
    // wall at radius (1 - p2) S with the height a2 p0.
    gBaseshapeRandom[kTestSlot].State() = RandomState{{0, 0, 0, 0}, 556819795u};
    RandomState copy = gBaseshapeRandom[kTestSlot].State();
    RandomStep(copy);
    const float u2 = RandomUniform(copy);
    ASSERT_GE(RandomStep(copy), 4294967168u);
    BaseshapePoint ring = MakeTestPoint(kSize, 0.3f);
    ring.p[1] = 0.2f, ring.p[2] = 0.1f, ring.p[3] = 4.0f;
    SampleBaseshapePolRing(&ring, kTestSlot);
    EXPECT_FLOAT_EQ(ring.y, kSize * (2 * u2 - 1) * 0.3f);
    const float r = std::hypot(ring.x, ring.z);
    EXPECT_LE(r, 0.9f * kSize * (1 + 1e-5f));
    EXPECT_GE(r, 0.9f * kSize * 0.70710677f * (1 - 1e-5f));
}

// The singular parameters of the formulas: each still gives a shape of
// finite points, not the origin that ends a failed formula.
TEST(ShapesB, SingularParametersGiveFinitePoints)
{
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        std::vector<float> params;
    } cases[] = {
        {"breather b = 0", SampleBaseshapeBreatherSurface, {0.0f, 0.0f, 3.0f, 3.0f}},
        {"breather b = 1", SampleBaseshapeBreatherSurfaceFilled, {10.0f, 0.0f, 3.0f, 3.0f}},
        {"enneper n = 0", SampleBaseshapeEnnepersSurfaceII, {0.0f, 1.0f}},
        {"enneper n = 1/2", SampleBaseshapeEnnepersSurfaceII, {0.5f, 1.0f}},
        {"enneper III n = 0", SampleBaseshapeEnneperIII, {0.0f, 1.0f, 0.2f}},
        {"enneper III n = 1/2", SampleBaseshapeEnneperIII, {0.5f, 1.0f, -0.5f}},
        {"dini v below 0", SampleBaseshapeDiniFlower, {1.0f, -1.0f, 0.2f}},
        {"dini tan below 0", SampleBaseshapeDiniFlower, {1.0f, 20.0f, 0.2f}},
        {"ring negative angles", SampleBaseshapePolRing, {0.2f, 0.3f, 5.0f, 3.0f}},
        {"harmonic box negative powers", SampleBaseshapeSphericalHBox, {1, -3, 1, -2, 1, -5, 1, -1, 0.2f}},
    };
    for (const auto& c : cases) {
        int shaped = 0;
        for (const BaseshapePoint& p : Draw(c.sampler, c.params, 2000)) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << c.name;
            shaped += p.x != 0 || p.y != 0 || p.z != 0;
        }
        EXPECT_GT(shaped, 1990) << c.name;
    }
}

}  // namespace
