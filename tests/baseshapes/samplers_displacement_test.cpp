#include "baseshapes/samplers_displacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"
#include "baseshapes/support/sampler_images.h"

namespace {

constexpr int kBaseshape = 6;
constexpr float kSize = 2.0f, kP0 = 0.2f, kP1 = 0.6f, kP2 = 0.5f;

BaseshapePoint Shape()
{
    BaseshapePoint p = MakeTestPoint(kSize, kP0);
    p.p[1] = kP1;
    p.p[2] = kP2;
    return p;
}

float Radial(const BaseshapePoint& p) { return std::hypot(p.x, p.z); }

class DisplacementSamplers : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildBaseshapeGeneratorTables();
        ResetTestSlot(kTestSlot, 41);
        gSlotBaseshape[kTestSlot] = kBaseshape;
    }
    TestImages images_{kBaseshape};
};

// On a map of all 255 each kind's relief is fixed: a measure of the point
// (a distance from its base surface) takes the surface values base + d,
// also base (lift) or base - d (sign coin); the filled twin stays between.
TEST_F(DisplacementSamplers, ReliefOfAFullMap)
{
    enum Mode { kOut, kLift, kBoth };
    const float s = kSize, d = kP0 * kSize;
    const struct {
        const char* name;
        BaseshapeSampler surface, filled;
        float (*measure)(const BaseshapePoint&);
        float base, relief;
        Mode mode;
    } rows[] = {
        {"D Plane", SampleBaseshapeDPlane, SampleBaseshapeDPlaneFilled, [](const BaseshapePoint& p) { return p.z; }, 0, d, kLift},
        {"D D. Plane", SampleBaseshapeDDPlane, SampleBaseshapeDDPlaneFilled, [](const BaseshapePoint& p) { return p.z; }, 0, d, kBoth},
        {"D Column", SampleBaseshapeDColumn, SampleBaseshapeDColumnFilled, Radial, kP2 * s, d, kOut},
        {"D Cylinder", SampleBaseshapeDCylinder, SampleBaseshapeDCylinderFilled, Radial, kP1 * s, d, kBoth},
        {"D Disc", SampleBaseshapeDDisc, SampleBaseshapeDDiscFilled, [](const BaseshapePoint& p) { return p.y; }, 0, d, kBoth},
        {"D Sphere", SampleBaseshapeDSphere, SampleBaseshapeDSphereFilled,
         [](const BaseshapePoint& p) { return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z); }, s, d, kOut},
        {"D CylinderSQ", SampleBaseshapeDCylinderSQ, SampleBaseshapeDCylinderSQFilled,
         [](const BaseshapePoint& p) { return (std::fabs(p.x) + std::fabs(p.z)) / (0.9f * 1.5707964f); }, kP1 * s, d, kBoth},
        {"D Column SQ", SampleBaseshapeDColumnSQ, SampleBaseshapeDColumnSQFilled,
         [](const BaseshapePoint& p) { return std::max(std::fabs(p.x), std::fabs(p.z)) * std::sqrt(2.0f); }, kP2 * s, d, kOut},
        {"Bump Torus", SampleBaseshapeBumpTorus, SampleBaseshapeBumpTorusFilled,
         [](const BaseshapePoint& p) { return std::hypot(Radial(p) - kSize * kSize, p.y); }, kP0 * s, kP0 * kP1 * s, kOut},
    };
    images_.SetDMap(4, 4, std::vector<uint8_t>(16, 255));
    for (const auto& row : rows) {
        for (int filled = 0; filled < 2; ++filled) {
            ResetTestSlot(kTestSlot, 41);
            gSlotBaseshape[kTestSlot] = kBaseshape;
            const float low = row.base - (row.mode == kBoth ? row.relief : 0), high = row.base + row.relief;
            float lowest = high;
            int lifted = 0;
            for (int i = 0; i < 3000; ++i) {
                BaseshapePoint p = Shape();
                (filled ? row.filled : row.surface)(&p, kTestSlot);
                const float m = row.measure(p);
                lowest = std::min(lowest, m);
                if (filled) {
                    ASSERT_TRUE(m >= low - 1e-4f && m <= high + 1e-4f) << row.name << " filled " << m;
                } else {
                    const bool onRelief = std::fabs(m - high) < 1e-4f;
                    const bool onOther = row.mode != kOut && std::fabs(m - (row.mode == kLift ? row.base : low)) < 1e-4f;
                    ASSERT_TRUE(onRelief || onOther) << row.name << " " << m;
                    lifted += onRelief ? 1 : 0;
                }
            }
            // D Plane lifts three points in four.
            if (row.mode == kLift && !filled) {
                EXPECT_NEAR(lifted / 3000.0, 0.75, 0.03);
            }
            // The sign coin and the filled factor reach the low end.
            EXPECT_LT(lowest, (row.mode == kOut && !filled ? high : low) + 0.05f * row.relief) << row.name;
        }
    }
}

// Columns run along x, rows along y; the colour comes from the same cell.
TEST_F(DisplacementSamplers, PlaneFollowsTheOnePixelOfItsMapAndItsTexture)
{
    const TestMap map = DegenerateTestMaps()[2];  // one pixel, column 3 and row 2 of 5 by 5
    images_.SetDMap(map);
    images_.SetTexture(5, 5);
    gSlotColorMode[kTestSlot] = 1;
    for (int i = 0; i < 2000; ++i) {
        BaseshapePoint p = Shape();
        SampleBaseshapeDPlaneFilled(&p, kTestSlot);
        const float u = p.x / kSize + 0.4f, v = p.y / kSize + 0.4f;
        ASSERT_TRUE(u > 0.4f - 1e-5f && u < 0.8f + 1e-5f && v > 0.2f - 1e-5f && v < 0.6f + 1e-5f) << u << " " << v;
        if (std::fabs(5 * u - std::round(5 * u)) < 1e-3f || std::fabs(5 * v - std::round(5 * v)) < 1e-3f) continue;
        const uint8_t* texel = images_.Texel(static_cast<uint32_t>(5 * u), static_cast<uint32_t>(5 * v));
        ASSERT_EQ(p.red, texel[0]);
        ASSERT_EQ(p.blue, texel[2]);
    }
}

// A map of holes: the square column keeps its cells (bare column of corner
// radius p2 * size, from y = 0 up). Without a map (or mesh, for the two
// mesh kinds) every kind gives the origin and leaves the colour alone.
TEST_F(DisplacementSamplers, HolesAndMissingMapsOrMeshes)
{
    images_.SetDMap(DegenerateTestMaps()[1]);
    for (int i = 0; i < 500; ++i) {
        BaseshapePoint p = Shape();
        SampleBaseshapeDColumnSQ(&p, kTestSlot);
        ASSERT_NEAR(std::max(std::fabs(p.x), std::fabs(p.z)) * std::sqrt(2.0f), kP2 * kSize, 1e-5f);
        ASSERT_TRUE(p.y >= 0 && p.y <= kP1 * kSize);
    }
    images_.Clear();
    images_.SetTexture(2, 2);
    gSlotColorMode[kTestSlot] = 1;
    for (int t = 0; t < 2; ++t) {
        for (int k : {49, 50, 51, 52, 53, 54, 55, 58, 60, 73, 77}) {
            BaseshapePoint p = Shape();
            gBaseshapeGenerators[t][k](&p, kTestSlot);
            EXPECT_EQ(p.x == 0 && p.y == 0 && p.z == 0 && p.red == 10, true) << k;
        }
    }
}

}  // namespace
