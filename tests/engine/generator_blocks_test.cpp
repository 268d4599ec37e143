#include "engine/generator_blocks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <vector>

#include "baseshapes/generator_table.h"
#include "engine/fractal_type_00.h"
#include "engine/generator_groups.h"
#include "engine/kernels_generator_chains.h"
#include "engine/random_helpers.h"
#include "support/slot_setup.h"

namespace {

const float kNaN = std::nanf("");

// Runs block `type` on (x, y, z) with parameters in an array of exactly its
// count (the sanitizer build catches reads beyond it).
std::vector<float> RunBlock(int type, float x, float y, float z, std::vector<float> q = {})
{
    q.resize(static_cast<size_t>(gGeneratorParameterCounts[type]));
    float work[6] = {x, y, z, kNaN, kNaN, kNaN};
    GetGeneratorFunction(static_cast<uint32_t>(type))(work, q.empty() ? nullptr : q.data());
    EXPECT_EQ(work[0], x);
    EXPECT_EQ(work[1], y);
    EXPECT_EQ(work[2], z);
    return {work[3], work[4], work[5]};
}

TEST(GeneratorBlocks, TableRowsCountsAndLookups)
{
    // The counts as the block catalogue lists them.
    const int32_t counts[kGeneratorBlockTypes] = {30, 3, 9, 3, 4, 4, 6, 1, 1, 1, 12, 1, 1, 2, 10, 1, 1, 0, 10,
                                                  0, 4, 2, 8, 30, 4, 16, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3, 3, 3,
                                                  3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 13, 0, 0, 0};
    GeneratorBlockFn table[kGeneratorBlockTypes];
    FillGeneratorFunctionTable(table);
    for (int k = 0; k < kGeneratorBlockTypes; ++k) {
        EXPECT_EQ(kGeneratorBlocks[k].type, k);
        EXPECT_EQ(gGeneratorParameterCounts[k], counts[k]) << k;
        EXPECT_EQ(table[k], GetGeneratorFunction(static_cast<uint32_t>(k))) << k;
    }
    EXPECT_EQ(std::set<GeneratorBlockFn>(table, table + kGeneratorBlockTypes).size(), 55u);
    EXPECT_EQ(gGeneratorBlockNames[kGeneratorBlockTypes], nullptr);
    EXPECT_STREQ(gGeneratorBlockNames[19], "XYZ->-Z-XY");
    for (uint32_t type : {55u, 200u, 0xffffffffu}) EXPECT_EQ(GetGeneratorFunction(type), table[0]) << type;
}

// Every block on seeded points and parameters: all three outputs written,
// finite, the same on a second run.
TEST(GeneratorBlocks, EveryBlockWritesAFiniteRepeatableOutput)
{
    RandomState rnd;
    SeedRandomState(rnd, 77u);
    for (int type = 0; type < kGeneratorBlockTypes; ++type) {
        for (int n = 0; n < 200; ++n) {
            std::vector<float> q(static_cast<size_t>(gGeneratorParameterCounts[type]));
            for (float& v : q) v = 3.0f * RandomUniform(rnd) - 1.5f;
            const float x = 4 * RandomUniform(rnd) - 2, y = 4 * RandomUniform(rnd) - 2, z = 4 * RandomUniform(rnd) - 2;
            const std::vector<float> out = RunBlock(type, x, y, z, q);
            for (float v : out)
                ASSERT_TRUE(std::isfinite(v)) << "block " << type << " at " << x << " " << y << " " << z;
            ASSERT_EQ(RunBlock(type, x, y, z, q), out) << type;
        }
    }
}

struct BlockCase {
    const char* name;
    int type;
    float x, y, z;
    std::vector<float> q;
    float ex, ey, ez;
};

TEST(GeneratorBlocks, WorkedPoints)
{
    const float pi = 3.14159265f;
    const BlockCase cases[] = {
        {"Sphere Inv. at its centre", 4, 1, 2, 3, {5, 1, 2, 3}, 1, 2, 3},
        {"Sphere Inv. on the sphere", 4, 3, 2, 3, {4, 1, 2, 3}, 3, 2, 3},
        {"Quaternion Root at the origin", 14, 0, 0, 0, {}, 0, 0, 0},
        {"Quaternion Root of 4i", 14, 0, 4, 0, {}, std::sqrt(2.0f), std::sqrt(2.0f), 0},
        {"(+) Hyper at the origin", 35, 0, 0, 0, {1, 1, 1}, 0, 0, 0},
        {"1D Pow at y = 0", 13, 1, 0, 2, {2, 0.5f}, 1, 0.5f, 2},
        {"1D Pow below 0", 13, 1, -4, 2, {0.5f, 0.25f}, 1, -1.75f, 2},
        {"Bezier height is z + q7", 51, 0.3f, 5, -2, {0, 1, 30, 1, 0, 0, 0, 0.25f, 0, 0, 0, 0, 0}, NAN, -1.75f, NAN},
        {"Bezier at its centre", 51, 1, 2, 3, {0, 0.5f, 0, 1, 0, 0, 1, 2, 3, 0, 0, 0, 0}, 1, 5, 3.5f},
        {"Complex Root of -4", 30, -4, 7, 0, {0, 0, 0}, 0, 7, 2},
        {"Complex Root turned 90 degrees", 30, 4, 7, 0, {0, 0, 90}, 0, 7, 2},
        {"Spiky Root of 256", 49, 16, 1, 0, {0, 0, 0}, 8, 1, 0},
        {"Cplx. Exp. of i pi", 17, 0, 1, pi, {}, -1, 1, 0},
        {"Cplx. Sine of pi / 2", 11, pi / 2, 1, 0, {}, 1, 1, 0},
        {"New Root ignores its parameters", 50, 0.5f, 0, 1, {9, 9, 9}, std::sin(1.0f), std::sin(0.5f), 1},
        {"XYZ->-Z-XY", 19, 1, 2, 3, {}, -1, -3, 2},
        {"Inv. Tree II", 53, -1, -1, 3, {}, 0.5f, -0.5f, 0.75f},
        {"Rotation by columns", 2, 1, 0, 0, {0, 1, 0, -1, 0, 0, 0, 0, 1}, 0, 1, 0},
        {"Q Mobius of unit a and d", 25, 0.3f, -0.7f, 1.1f, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 0.3f, 0.7f, -1.1f},
    };
    for (const BlockCase& c : cases) {
        const std::vector<float> out = RunBlock(c.type, c.x, c.y, c.z, c.q);
        const float expected[3] = {c.ex, c.ey, c.ez};
        for (int e = 0; e < 3; ++e) {
            if (std::isnan(expected[e])) continue;
            EXPECT_NEAR(out[e], expected[e], 1e-5f * (1 + std::fabs(expected[e]))) << c.name << ", output " << e;
        }
    }
}

class Groups : public ::testing::Test {
protected:
    void SetUp() override
    {
        test_support::ResetModel(4);
        ReplaceGeneratorGroups(NewGeneratorGroupArray(4), 4);
        static const bool built = (BuildBaseshapeGeneratorTables(), true);
        (void)built;
    }
    void TearDown() override { ReplaceGeneratorGroups(nullptr, 0); }
};

TEST_F(Groups, AllocationZeroFillsRefusesSixBlocksAndMendsUnknownTypes)
{
    ASSERT_TRUE(AllocateGeneratorGroup(1, 0.25f, 3, 23, 17, 200, 9, 9));
    const GeneratorGroup& g = gGeneratorGroups[1];
    EXPECT_EQ(g.blockCount, 3);
    const uint8_t types[3] = {23, 17, 0};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(g.blockTypes[k], types[k]);
        EXPECT_EQ(g.functions[k], GetGeneratorFunction(types[k]));
        for (int e = 0; e < gGeneratorParameterCounts[types[k]]; ++e) EXPECT_EQ(g.parameters[k][e], 0.0f);
    }
    const uint8_t six[6] = {1, 1, 1, 1, 1, 1};
    EXPECT_FALSE(BuildGeneratorGroup(gGeneratorGroups[1], 1.0f, 6, six));
    EXPECT_FALSE(BuildGeneratorGroup(gGeneratorGroups[1], 1.0f, -1, six));
    EXPECT_FALSE(AllocateGeneratorGroup(4, 1.0f, 1, 0));
    EXPECT_EQ(g.blockCount, 3);
}

TEST_F(Groups, ACopySharesNothingWithItsSource)
{
    ASSERT_TRUE(AllocateGeneratorGroup(0, 0.5f, 2, 3, 51));
    SetGeneratorValues3(0, 0, 1, 2, 3);
    GeneratorGroup copy{};
    CopyGeneratorGroup(copy, gGeneratorGroups[0]);
    CopyGeneratorGroup(copy, gGeneratorGroups[0]);  // the first copy's arrays are freed
    SetGeneratorValues3(0, 0, 7, 8, 9);
    EXPECT_EQ(copy.blockCount, 2);
    EXPECT_EQ(copy.weight, 0.5f);
    EXPECT_EQ(copy.blockTypes[1], 51);
    EXPECT_EQ(copy.parameters[0][2], 3.0f);
    ReleaseGeneratorGroup(copy);
    EXPECT_EQ(copy.parameters, nullptr);
}

TEST_F(Groups, ParameterHelpers)
{
    ASSERT_TRUE(AllocateGeneratorGroup(0, 1.0f, 4, 2, 13, 3, 0));
    float* const* p = gGeneratorGroups[0].parameters;
    // 120 degrees about y: the block (columns first) turns x into (-1/2, 0, -sqrt(3)/2).
    const float y[3] = {0, 3, 0}, zero[3] = {0, 0, 0};
    SetGeneratorRotation(0, 0, y, 120.0f);
    const std::vector<float> turned = RunBlock(2, 1, 0, 0, std::vector<float>(p[0], p[0] + 9));
    EXPECT_NEAR(turned[0], -0.5f, 1e-6f);
    EXPECT_NEAR(turned[2], -std::sqrt(3.0f) / 2, 1e-6f);
    SetGeneratorRotation(0, 0, zero, 90.0f);
    EXPECT_NEAR(p[0][0], 0.0f, 1e-6f);
    // A two-parameter block gets no third value; a three-parameter one gets 0.
    SetGeneratorValues3(0, 2, 5, 5, 5);
    SetGeneratorValues2(0, 1, 2, 3);
    SetGeneratorValues2(0, 2, 4, 6);
    EXPECT_EQ(p[1][1], 3.0f);
    EXPECT_EQ(p[2][2], 0.0f);
    SetGeneratorRotation(0, 1, y, 10.0f);  // too few parameters: refused
    SetGeneratorValues3(0, 5, 1, 1, 1);    // no such block
    EXPECT_EQ(p[1][0], 2.0f);
    const float t[3] = {1, 2, 3}, axis[3] = {0, 0, 1}, ones[3] = {1, 1, 1};
    SetGeneratorAffine(t, axis, ones, 0.0f, p[3]);
    const float expected[30] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 2, 3, 1, 0, 0, 0, 1,
                                0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(std::vector<float>(p[3], p[3] + 30), std::vector<float>(expected, expected + 30));
}

TEST(RandomWarpBlockType, GivesExactlyTheWarps)
{
    SeedRandomState(gGlobalRandomB, 99u);
    std::set<int> seen;
    for (int n = 0; n < 2000; ++n) seen.insert(RandomWarpBlockType());
    std::set<int> warps;
    for (int k = 31; k <= 48; ++k) warps.insert(k);
    warps.insert(50);
    EXPECT_EQ(seen, warps);
}

class Type48 : public Groups {
protected:
    static void SetSlotPoint(uint8_t slot, float x, float y, float z)
    {
        gSlotPoint.x[slot] = x, gSlotPoint.y[slot] = y, gSlotPoint.z[slot] = z;
    }
};

TEST_F(Type48, AChainOfOneAffineBlockPerTransformationIsTheAffineGame)
{
    for (int t = 0; t < 4; ++t) {
        ASSERT_TRUE(AllocateGeneratorGroup(t, 0.25f, 1, 0));
        const TransformCoefficients& c = gTransformCoefficients;
        const float q[12] = {c.m00[t], c.m01[t], c.m02[t], c.m10[t], c.m11[t], c.m12[t],
                             c.m20[t], c.m21[t], c.m22[t], c.tx[t],  c.ty[t],  c.tz[t]};
        std::memcpy(gGeneratorGroups[t].parameters[0], q, sizeof q);
    }
    for (int useBaseshapes : {0, 1}) {
        test_support::ResetSlots();
        gUseBaseshapes = static_cast<uint8_t>(useBaseshapes);
        gBaseshapes[0].pointsPerRun = 7;
        RunFractalType00(3);
        const std::vector<float> affine(gPointX + 3000, gPointX + 4000);
        test_support::ResetSlots();
        RunFractalType48(3);
        EXPECT_EQ(std::vector<float>(gPointX + 3000, gPointX + 4000), affine) << useBaseshapes;
    }
    gUseBaseshapes = 0;
}

// Run-away and NaN saved points restart at (0.162, 0.21, 0.141); empty
// groups store zeros before any block ran and keep the orbit; with no array
// or too few groups the current point is stored.
TEST_F(Type48, RestartsEmptyGroupsAndMissingGroups)
{
    for (float bad : {200.0f, std::nanf(""), 0.5f}) {
        SetSlotPoint(2, bad, 0.0f, 0.0f);
        RunFractalType48(2);
        const bool restart = bad != 0.5f;
        EXPECT_TRUE(gPointX[2000] == 0 && gPointY[2000] == 0 && gPointZ[2000] == 0) << bad;
        EXPECT_EQ(gSlotPoint.x[2], restart ? 0.162f : 0.5f) << bad;
        EXPECT_EQ(gSlotPoint.z[2], restart ? 0.141f : 0.0f) << bad;
    }
    for (int groups : {0, 2}) {
        ReplaceGeneratorGroups(NewGeneratorGroupArray(groups), groups);
        for (int t = 0; t < groups; ++t) ASSERT_TRUE(AllocateGeneratorGroup(t, 0.5f, 1, 7));  // reflection
        RunFractalType48(2);
        int kept = 0;
        for (int j = 2000; j < 3000; ++j) {
            ASSERT_EQ(std::fabs(gPointX[j]), 0.5f) << j;
            kept += gPointX[j] == gPointX[j == 2000 ? 2999 : j - 1] ? 1 : 0;
        }
        EXPECT_TRUE(groups == 0 ? kept == 1000 : kept > 300) << groups;
    }
}

}  // namespace
