#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/random.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

class PickTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedRandomState(gGlobalRandomA, 2024);
        for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
        for (float& w : gTransformWeights) w = 0.0f;
    }

    static void ExpectAllEntriesBelow(int n)
    {
        for (int e = 0; e < 256; ++e) {
            ASSERT_LT(gTransformPickTable[e], n);
            for (int t = 0; t < n; ++t) ASSERT_LT(gTransformTransitions[t][e], static_cast<uint32_t>(n));
        }
    }
};

// The walk runs down from the highest transformation: with two halves, a
// draw below 0.5 picks 1. One transformation still takes its 256 draws, so
// the stream after the build does not depend on the count.
TEST_F(PickTable, HalvesPickOneBelowTheHalfAndEveryBuildDraws256Words)
{
    gPickTransformCount = 2;
    gTransformWeights[0] = gTransformWeights[1] = 0.5f;
    RandomState replay = gGlobalRandomA;
    gForbiddenSuccessors[0][0] = 1;  // ignored with fewer than 3 transformations
    BuildTransformPickTable();
    int ones = 0;
    for (int e = 0; e < 256; ++e) {
        EXPECT_EQ(gTransformPickTable[e], RandomUniform(replay) < 0.5f ? 1 : 0) << e;
        EXPECT_EQ(gTransformTransitions[0][e], gTransformPickTable[e]);
        ones += gTransformPickTable[e];
    }
    EXPECT_GT(ones, 90);
    EXPECT_LT(ones, 166);

    gPickTransformCount = 1;
    gTransformWeights[0] = 1.0f;
    BuildTransformPickTable();
    for (int e = 0; e < 256; ++e) RandomStep(replay);
    ExpectAllEntriesBelow(1);
    EXPECT_EQ(0, std::memcmp(&replay, &gGlobalRandomA, sizeof replay));
}

TEST_F(PickTable, WeightsAboveOneLeaveNothingForTransformationZero)
{
    gPickTransformCount = 3;
    gTransformWeights[0] = 5.0f;
    gTransformWeights[1] = 0.6f;
    gTransformWeights[2] = 0.6f;
    BuildTransformPickTable();
    for (int e = 0; e < 256; ++e) EXPECT_NE(gTransformPickTable[e], 0);
}

TEST_F(PickTable, ForbiddenSuccessorsNeverFollow)
{
    gPickTransformCount = 4;
    for (int t = 0; t < 4; ++t) gTransformWeights[t] = 0.25f;
    gForbiddenSuccessors[0][0] = 0;  // forbids itself
    gForbiddenSuccessors[0][1] = 2;
    gForbiddenSuccessors[1][1] = 4;  // at the count: never matches
    gForbiddenSuccessors[2][0] = 3;
    gForbiddenSuccessors[2][1] = 1000;
    BuildTransformPickTable();
    for (int e = 0; e < 256; ++e) {
        EXPECT_NE(gTransformTransitions[0][e], 0u);
        EXPECT_NE(gTransformTransitions[0][e], 2u);
        EXPECT_EQ(gTransformTransitions[1][e], gTransformPickTable[e]);
        EXPECT_NE(gTransformTransitions[2][e], 3u);
        EXPECT_EQ(gTransformTransitions[3][e], gTransformPickTable[e]);
    }
    ExpectAllEntriesBelow(4);
}

// A generator that was never seeded gives 0 for ever: the redraws of a
// forbidden 0 still end.
TEST_F(PickTable, AnUnseededGeneratorStillEndsTheRedraws)
{
    std::memset(&gGlobalRandomA, 0, sizeof gGlobalRandomA);
    gPickTransformCount = 3;
    for (int t = 0; t < 3; ++t) gTransformWeights[t] = 1.0f / 3.0f;
    gForbiddenSuccessors[1][0] = 0;
    gForbiddenSuccessors[1][1] = 1;
    BuildTransformPickTable();
    for (int e = 0; e < 256; ++e) EXPECT_EQ(gTransformTransitions[1][e], 2u);
}

TEST_F(PickTable, DegenerateWeightsAndCountsStayInRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float sets[][3] = {{0, 0, 0}, {nan, nan, nan}, {0.2f, inf, 0.1f}, {0.2f, 0.3f, -inf}, {-1, -1, -1}};
    for (const auto& w : sets) {
        gPickTransformCount = 3;
        std::memcpy(gTransformWeights, w, sizeof w);
        BuildTransformPickTable();
        ExpectAllEntriesBelow(3);
    }
    gTransformWeights[0] = gTransformWeights[1] = gTransformWeights[2] = 0.0f;
    BuildTransformPickTable();
    for (int e = 0; e < 256; ++e) EXPECT_EQ(gTransformPickTable[e], 0);  // zero sum: all to 0

    gPickTransformCount = 0;
    BuildTransformPickTable();
    EXPECT_EQ(gPickTransformCount, 1);
    gPickTransformCount = -5;
    ExpandTransformTransitions();
    EXPECT_EQ(gPickTransformCount, 1);
    gPickTransformCount = 300;
    for (int t = 0; t < kMaxTransforms; ++t) gTransformWeights[t] = 1.0f / kMaxTransforms;
    BuildTransformPickTable();
    EXPECT_EQ(gPickTransformCount, kMaxTransforms);
    ExpectAllEntriesBelow(kMaxTransforms);

    // The interface fills entry e with e mod 3 before any weights exist; a
    // smaller count folds it.
    for (int e = 0; e < 256; ++e) gTransformPickTable[e] = static_cast<uint8_t>(e % 3);
    gPickTransformCount = 2;
    ExpandTransformTransitions();
    for (int t = 0; t < 2; ++t)
        for (int e = 0; e < 256; ++e) EXPECT_LT(gTransformTransitions[t][e], 2u);
}

}  // namespace
