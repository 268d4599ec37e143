// The wizard hat, the rounded-box shapes and structures, the tri circle and
// the fractal solids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "baseshapes/samplers_fractal_solids.h"
#include "baseshapes/samplers_round_boxes.h"
#include "baseshapes/support/sampler_checks.h"
#include "baseshapes/support/sampler_images.h"

namespace {

float Length(float x, float y, float z) { return std::sqrt(x * x + y * y + z * z); }

// Signed distance to the cube [-1, 1]^3 rounded by 0.15.
float RoundedBoxDistance(float x, float y, float z)
{
    const float dx = std::max(std::fabs(x) - 0.85f, 0.0f);
    const float dy = std::max(std::fabs(y) - 0.85f, 0.0f);
    const float dz = std::max(std::fabs(z) - 0.85f, 0.0f);
    return Length(dx, dy, dz) - 0.15f;
}

// The sponge's removed crosses: at each of four levels at most one
// coordinate lies inside the middle third of its cell.
void ExpectInSponge(float x, float y, float z)
{
    float c[3] = {x, y, z};
    for (int level = 0; level < 4; ++level) {
        int inside = 0;
        for (float& v : c) {
            ASSERT_LE(std::fabs(v), 0.75f + 1e-5f);
            inside += std::fabs(v) < 0.25f - 1e-4f ? 1 : 0;
            v = (v - 0.5f * std::round(2.0f * v)) * 3.0f;
        }
        ASSERT_LE(inside, 1) << "level " << level;
    }
}

PointCheck WithinCube(float half)
{
    return [=](const BaseshapePoint& p) {
        ASSERT_LE(std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}), half);
    };
}

TEST(BoxesAndFractals, ShapesKeepTheirBounds)
{
    const PointCheck sponge = [](const BaseshapePoint& p) { ExpectInSponge(p.x / 2.0f, p.y / 2.0f, p.z / 2.0f); };
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        PointCheck check;
    } rows[] = {
        {"distorted round box filled", SampleBaseshapeDistortedRoundBoxFilled, WithinCube(1.75f * 2.0f)},
        {"gazebo", SampleBaseshapeGazebo, WithinCube(2.25f)},
        {"octahedral fractal filled", SampleBaseshapeOctahedralFractalFilled, WithinCube(2.0f)},
        {"menger sponge", SampleBaseshapeMengerSponge, sponge},
        {"menger sponge filled", SampleBaseshapeMengerSpongeFilled, sponge},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ForPoints(row.sampler, Shape(2.0f, {}), 20000, row.check);
    }
}

// Pieces are picked by fixed shares whatever their areas.
TEST(BoxesAndFractals, PiecesTakeTheirShares)
{
    int faces = 0, corners = 0, cornerBlocks = 0, posts = 0;
    float lowest = 0.0f, highest = 0.0f;
    constexpr int kPoints = 40000;
    // Undistorted, a point lies on the rounded box at distance L from the
    // centre; it ends at L^4 * s / 4 along the same direction.
    ForPoints(SampleBaseshapeDistortedRoundBox, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        const float d = Length(p.x, p.y, p.z);
        const float k = std::pow(4.0f * d, 0.25f) / d;
        ASSERT_NEAR(RoundedBoxDistance(p.x * k, p.y * k, p.z * k), 0.0f, 2e-5f);
        const int out = (std::fabs(p.x * k) > 0.8501f) + (std::fabs(p.y * k) > 0.8501f) +
                        (std::fabs(p.z * k) > 0.8501f);
        faces += out == 1;
        corners += out == 3;
    });
    // The filled twins keep their points off the block boundaries.
    ForPoints(SampleBaseshapeBlocksFilled, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        cornerBlocks += std::min({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}) > 0.75f;
    });
    ForPoints(SampleBaseshapeGazeboFilled, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        posts += std::fabs(p.y) < 0.75f;
    });
    ForPoints(SampleBaseshapeCircularStairs, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        const float r = std::hypot(p.x, p.z);
        ASSERT_TRUE(r >= 0.6f - 1e-5f && r <= 1.4f + 1e-5f) << r;
        lowest = std::min(lowest, p.y);
        highest = std::max(highest, p.y);
    });
    EXPECT_NEAR(faces / double(kPoints), 0.75, 0.01);
    EXPECT_NEAR(corners / double(kPoints), 0.0125, 0.003);
    EXPECT_NEAR(cornerBlocks / double(kPoints), 0.1, 0.006);
    EXPECT_NEAR(posts / double(kPoints), 0.5, 0.01);
    // Step centres from -1.75 to 1.75, each box 0.1 high.
    EXPECT_NEAR(lowest, -1.85f, 0.01f);
    EXPECT_NEAR(highest, 1.85f, 0.01f);
}

TEST(BoxesAndFractals, WizardHatTipIsOpenByAHair)
{
    const BaseshapePoint tip = SampleWithWords(SampleBaseshapeWizardHat, Shape(2.0f, {}), 0x12345678u, 0);
    EXPECT_NEAR(std::hypot(tip.x, tip.z), 2.0f / 512, 1e-6f);
    EXPECT_FLOAT_EQ(tip.y, 2.0f);
}

// A texture one column wide and nine rows high: the bilinear lookup at
// v = n / 8 reads row n exactly, so the colour tells the level count n.
TEST(BoxesAndFractals, FractalLevelsAndTheirSeeds)
{
    TestImages images(4);
    images.SetTexture(1, 9);
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        int fewest;
        float seedRadius;  // at level 0, around the seed centre
        float centre[3];
    } rows[] = {
        {"octahedral", SampleBaseshapeOctahedralFractal, 1, 0.0f, {}},
        {"tetrahedral", SampleBaseshapeTetrahedralFractal, 0,
         0.66666f * 0.6666f, {-0.4f * 0.6666f, -0.75f * 0.6666f, 0}},
        {"icosahedral", SampleBaseshapeIcosahedralFractal, 0, 1.3f * 0.66f,
         {}},
    };
    constexpr int kPoints = 9000;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        int levels[9] = {};
        ResetTestSlot(kTestSlot, 404);
        gSlotBaseshape[kTestSlot] = 4;
        gSlotColorMode[kTestSlot] = 2;
        for (int i = 0; i < kPoints; ++i) {
            BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
            row.sampler(&p, kTestSlot);
            ASSERT_EQ((p.red - 1) % 21, 0);
            const int n = (p.red - 1) / 21;
            ASSERT_TRUE(n >= row.fewest && n <= 8) << n;
            ++levels[n];
            const float seed = Length(p.x - row.centre[0], p.y - row.centre[1], p.z - row.centre[2]);
            if (n == 0) {
                ASSERT_NEAR(seed, row.seedRadius, 1e-5f);
            }
        }
        if (row.fewest == 0) {
            EXPECT_NEAR(levels[0], kPoints / 9, 120);
        }
    }
}

// The rounded-box structures never colour the point, though the kind may be
// textured.
TEST(BoxesAndFractals, StructuresKeepTheirColour)
{
    TestImages images(4);
    images.SetTexture(2, 2);
    ResetTestSlot(kTestSlot, 3);
    gSlotBaseshape[kTestSlot] = 4;
    gSlotColorMode[kTestSlot] = 1;
    for (BaseshapeSampler untextured : {SampleBaseshapeCircularStairs, SampleBaseshapeBlocksFilled,
                                        SampleBaseshapeGazebo, SampleBaseshapeMengerSponge}) {
        BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
        untextured(&p, kTestSlot);
        EXPECT_EQ(p.red, 10);
        EXPECT_EQ(p.green, 20);
    }
}

}  // namespace
