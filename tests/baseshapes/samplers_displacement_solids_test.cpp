#include "baseshapes/samplers_displacement_solids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"
#include "baseshapes/support/sampler_images.h"

namespace {

constexpr int kBaseshape = 4;
constexpr int kPoints = 20000;

struct Sampled {
    BaseshapePoint p;
    uint32_t col, row;  // the nearest texel of a texture as large as the map
};

// Draws points with the map installed and a texture of the map's size in
// nearest mode, so each point's colour tells the cell it came from.
std::vector<Sampled> Draw(BaseshapeSampler sampler, const TestMap& map, std::vector<float> params, int count = kPoints)
{
    TestImages images(kBaseshape);
    images.SetDMap(map);
    images.SetTexture(map.width, map.height);
    ResetTestSlot(kTestSlot, 31);
    gSlotBaseshape[kTestSlot] = kBaseshape;
    gSlotColorMode[kTestSlot] = 1;
    std::vector<Sampled> out;
    for (int i = 0; i < count; ++i) {
        BaseshapePoint p = MakeTestPoint(1.5f, 0.0f);
        for (size_t k = 0; k < params.size(); ++k) p.p[k] = params[k];
        sampler(&p, kTestSlot);
        Sampled s{p, 0, 0};
        for (uint32_t t = 0; t < map.width * map.height; ++t) {
            if (images.Texel(t % map.width, t / map.width)[0] == p.red) s.col = t % map.width, s.row = t / map.width;
        }
        out.push_back(s);
    }
    return out;
}

TestMap OnePixel() { return DegenerateTestMaps()[2]; }  // 5 by 5, pixel at column 3, row 2

// Only the four cells around the one non-zero pixel are drawn; the octahedron
// keeps |x| + |y| + |z| between S and (1 + p0) S.
TEST(DisplacementSolids, OnePixelMapYieldsOnlyTheCellsAroundIt)
{
    const BaseshapeSampler samplers[] = {SampleBaseshapeDOctahedron, SampleBaseshapeDOctahedronFilled,
                                         SampleBaseshapeDCube,       SampleBaseshapeDCubeFilled,
                                         SampleBaseshapeDDome,       SampleBaseshapeDCylinderPol};
    for (int k = 0; k < 6; ++k) {
        for (const Sampled& s : Draw(samplers[k], OnePixel(), {0.4f, 1.0f, 0.4f, 1.0f}, 3000)) {
            ASSERT_TRUE((s.col == 2 || s.col == 3) && (s.row == 1 || s.row == 2))
                << k << ": " << s.col << ", " << s.row;
            if (k >= 2) continue;
            const float l1 = std::fabs(s.p.x) + std::fabs(s.p.y) + std::fabs(s.p.z);
            ASSERT_TRUE(l1 >= 1.5f * (1 - 1e-5f) && l1 <= 1.5f * 1.4f) << k << ": " << l1;
        }
    }
}

// The arc and wall put 5% of their draws on the first or last row pair,
// half each, beside the ordinary share; a map two rows high gives row 0.
TEST(DisplacementSolids, EdgeRowsTakeTheirExtraShare)
{
    const TestMap tall{"tall", 3, 12, std::vector<uint8_t>(36, 255)};
    const TestMap flat{"two rows", 3, 2, std::vector<uint8_t>(6, 255)};
    const BaseshapeSampler samplers[] = {SampleBaseshapeDArc, SampleBaseshapeDWallFilled, SampleBaseshapeDCylinderPol};
    for (BaseshapeSampler sampler : samplers) {
        int first = 0, last = 0;
        for (const Sampled& s : Draw(sampler, tall, {0.2f, 1.0f, 3.0f, 1.0f, 1.0f})) {
            ASSERT_LE(s.row, 10u);
            first += s.row == 0;
            last += s.row == 10;
        }
        const double expected = (0.95 / 11 + 0.025) * kPoints;  // 0.111 against 0.091 without the edge share
        EXPECT_NEAR(first, expected, 0.12 * expected);
        EXPECT_NEAR(last, expected, 0.12 * expected);
        for (const Sampled& s : Draw(sampler, flat, {0.2f, 1.0f, 3.0f, 1.0f, 1.0f}, 500)) ASSERT_EQ(s.row, 0u);
    }
}

// Spans the parameters promise, in units of S: x across +-x, y at least
// yMin, the radius within [rMin, rMax].
TEST(DisplacementSolids, ShapesSpanTheirParameters)
{
    const float s = 1.5f;
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        std::vector<float> params;
        float x, yMin, rMin, rMax;
    } spans[] = {
        // One copy (N = 1 for any p2 below 1): x across +-pi/2 p1 S.
        {"wall N = 1", SampleBaseshapeDWall, {0.1f, 0.8f, 0.3f, 1.0f}, 1.5707964f * 0.8f, -2, 0, 1e9f},
        // Lat. 1, Long. 1 and no relief: the upper hemisphere; Lat. 2 the sphere.
        {"dome hemisphere", SampleBaseshapeDDome, {1.0f, 1.0f, 0.0f, 1.0f}, 1, 0, 1, 1},
        {"dome sphere", SampleBaseshapeDDome, {2.0f, 1.0f, 0.0f, 3.0f}, 1, -1, 1, 1},
        // Relief of 0.5 on a map all 255: the radius runs from S to 1.5 S.
        {"dome relief", SampleBaseshapeDDomeFilled, {2.0f, 1.0f, 0.5f, 1.0f}, 1.5f, -1.5f, 1, 1.5f},
    };
    for (const auto& span : spans) {
        float lo[2] = {1e9f, 1e9f}, hi = -1e9f;
        for (const Sampled& d : Draw(span.sampler, DegenerateTestMaps()[0], span.params)) {
            const float r = std::sqrt(d.p.x * d.p.x + d.p.y * d.p.y + d.p.z * d.p.z);
            ASSERT_TRUE(r >= span.rMin * s * (1 - 1e-5f) && r <= span.rMax * s * (1 + 1e-5f)) << span.name << r;
            lo[0] = std::fmin(lo[0], d.p.x), hi = std::fmax(hi, d.p.x), lo[1] = std::fmin(lo[1], d.p.y);
        }
        EXPECT_NEAR(lo[0], -span.x * s, 0.03f) << span.name;
        EXPECT_NEAR(hi, span.x * s, 0.03f) << span.name;
        EXPECT_GE(lo[1], span.yMin * s - 0.03f) << span.name;
    }
}

// The filled twins draw u0 before the cell: with u0 = 0 (no depth taken off
// the relief) they give their surface twin's point from the following draws.
TEST(DisplacementSolids, FilledTwinsDrawTheirFactorFirst)
{
    const BaseshapeSampler twins[][2] = {
        {SampleBaseshapeDCylinderPol, SampleBaseshapeDCylinderPolFilled},
        {SampleBaseshapeDDome, SampleBaseshapeDDomeFilled},
        {SampleBaseshapeDArc, SampleBaseshapeDArcFilled},
        {SampleBaseshapeDWall, SampleBaseshapeDWallFilled},
        {SampleBaseshapeDOctahedron, SampleBaseshapeDOctahedronFilled},
        {SampleBaseshapeDCube, SampleBaseshapeDCubeFilled},
    };
    TestImages images(kBaseshape);
    images.SetDMap(DegenerateTestMaps()[4]);
    for (const auto& twin : twins) {
        ResetTestSlot(kTestSlot, 1);
        gSlotBaseshape[kTestSlot] = kBaseshape;
        const RandomState start = StateYielding(0, 12345);
        BaseshapePoint filled = MakeTestPoint(1.5f, 0.6f);
        BaseshapePoint surface = filled;
        gBaseshapeRandom[kTestSlot].State() = start;
        twin[1](&filled, kTestSlot);
        gBaseshapeRandom[kTestSlot].State() = start;
        RandomStep(gBaseshapeRandom[kTestSlot].State());
        twin[0](&surface, kTestSlot);
        EXPECT_EQ(filled.x, surface.x);
        EXPECT_EQ(filled.y, surface.y);
        EXPECT_EQ(filled.z, surface.z);
    }
}

// Maps that cannot give a cell (no width, no height, holes only): a bounded
// number of tries, then a finite point. Without a map the bare cube is drawn,
// up to its full height S tanh 3.
TEST(DisplacementSolids, MapsWithoutCellsEndInFinitePoints)
{
    uint8_t zero[4] = {0, 0, 0, 0};
    const BaseshapeImage maps[] = {{{}, 0, 2, zero}, {{}, 2, 0, zero}, {{}, 2, 2, zero}, {{}, 0, 0, nullptr}};
    float top = 0;
    for (const BaseshapeImage& map : maps) {
        gBaseshapeDMaps[kBaseshape] = map;
        ResetTestSlot(kTestSlot, 8);
        gSlotBaseshape[kTestSlot] = kBaseshape;
        for (int i = 0; i < 2000; ++i) {
            BaseshapePoint p = MakeTestPoint(2.0f, 0.5f);
            (i % 2 ? SampleBaseshapeDCube : SampleBaseshapeDCubeFilled)(&p, kTestSlot);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
                << map.width << " by " << map.height;
            if (!map.pixels) top = std::fmax(top, p.y);
        }
    }
    EXPECT_NEAR(top, 2.0f * std::tanh(3.0f), 0.01f);
}

}  // namespace
