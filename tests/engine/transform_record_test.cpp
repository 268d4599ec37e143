#include "engine/transform_record.h"
#include "engine/pick_table.h"
#include "engine/random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
// A quarter turn about z, as a base rotation other than the identity.
constexpr float kQuarterTurn[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};

class TransformRecords : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedRandomState(gGlobalRandomA, 7);
        gFractalType = 0;
        for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    }

    static void MakeSet(int n)
    {
        gTransformCount = gPickTransformCount = n;
        for (int t = 0; t < n; ++t) {
            ResetTransformation(kIdentity, t);
            ComposeTransformation(t);
        }
    }
};

// A reset clears the variations the record had and composes C = 0.5 R
// with the base rotation; the weight is an equal share of the pick count.
TEST_F(TransformRecords, ResetGivesTheDefaultTransformation)
{
    gPickTransformCount = 4;
    gTransforms[3].variationOn[11] = 1;
    gTransforms[3].variationAmount[5] = 2.0f;
    ResetTransformation(kQuarterTurn, 3);
    const TransformRecord& t = gTransforms[3];
    EXPECT_EQ(t.weight, 0.25f);
    EXPECT_EQ(t.variationCount, 1);
    EXPECT_EQ(t.variationOn[0], 1);
    EXPECT_EQ(t.variationOn[11], 0);
    EXPECT_EQ(t.variationAmount[5], 0.0f);
    ComposeTransformation(3);
    for (int e = 0; e < 9; ++e) EXPECT_EQ(t.matrix[e], 0.5f * kQuarterTurn[e]) << e;
    EXPECT_EQ(gTransformWeights[3], 0.25f);

    // Reset rotation and scale go back to the identity at a quarter.
    ResetRotationAndScale(3);
    for (int e = 0; e < 9; ++e) {
        EXPECT_EQ(t.rotation[e], kIdentity[e]);
        EXPECT_EQ(t.scaleShear[e], 0.25f * kIdentity[e]);
    }
}

TEST_F(TransformRecords, FractalType37StretchesXAndPublishesAtOnce)
{
    gFractalType = 37;
    gTransformCoefficients.m00[2] = 0.0f;
    ResetTransformation(kIdentity, 2);
    EXPECT_EQ(gTransforms[2].scaleShear[0], 2.0f);
    EXPECT_EQ(gTransforms[2].scaleShear[4], 0.5f);
    EXPECT_EQ(gTransforms[2].scaleShear[8], 0.5f);
    EXPECT_EQ(gTransformCoefficients.m00[2], 2.0f);
}

TEST_F(TransformRecords, CopyKeepsTheTargetsOwnBookkeeping)
{
    MakeSet(2);
    gTransforms[0].position[1] = 3.0f;
    gTransforms[0].variationOn[4] = 1;
    gTransforms[0].variationOn[12] = 1;
    gTransforms[0].variationCount = 2;
    gTransforms[1].variationAmount[10] = 9.0f;
    gTransforms[1].variationCount = 5;
    ComposeTransformation(0);
    gTransformColors.r[0] = 10;
    gTransformColors.g[0] = 20;
    gTransformColors.b[0] = 30;
    CopyTransformation(0, 1);
    EXPECT_EQ(gTransforms[1].position[1], 3.0f);
    EXPECT_EQ(gTransforms[1].variationOn[4], 1);
    EXPECT_EQ(gTransforms[1].variationOn[12], 0);
    EXPECT_EQ(gTransforms[1].variationAmount[10], 9.0f);
    EXPECT_EQ(gTransforms[1].variationCount, 5);
    EXPECT_EQ(gTransformCoefficients.ty[1], 3.0f);
    EXPECT_EQ(gTransformColors.b[1], 30);
    CopyTransformation(0, 65);  // ignored
    CopyTransformation(-1, 0);
}

// Entries {transformation, slot, forbidden successor}; the count is the one
// after the change. Counts outside the arrays change nothing.
TEST_F(TransformRecords, PairsAfterInsertAndDelete)
{
    using Entry = std::array<int, 3>;
    struct Case {
        const char* name;
        int count, index;
        bool insert;
        int selected;
        std::vector<Entry> before, after;
    };
    const Case cases[] = {
        {"append clears only the new entry", 4, 3, true, 3, {{0, 0, 2}, {3, 0, 1}, {3, 1, 0}},
         {{0, 0, 2}, {3, 0, -1}, {3, 1, -1}}},
        {"insert in the middle shifts and renumbers", 4, 1, true, 1, {{0, 0, 2}, {1, 0, 0}, {2, 0, 1}},
         {{0, 0, 3}, {1, 0, -1}, {2, 0, 0}, {3, 0, 2}}},
        {"insert at 0 with another selection", 3, 0, true, 1, {}, {}},
        {"delete in the middle shifts, renumbers and forgets the deleted", 3, 1, false, 1,
         {{0, 0, 3}, {1, 0, 2}, {2, 0, 0}, {3, 0, 1}}, {{0, 0, 2}, {1, 0, 0}, {2, 0, -1}, {3, 0, -1}}},
        {"delete of the second-to-last moves the last down", 2, 1, false, 1, {{1, 0, 0}, {2, 0, 1}},
         {{1, 0, -1}, {2, 0, -1}}},
        {"delete of the last clears entry n", 2, 2, false, 1, {{2, 0, 1}, {0, 0, 2}}, {{2, 0, -1}, {0, 0, -1}}},
        {"count beyond the arrays", 65, 0, false, 64, {}, {}},
        {"hostile count", 300, 3, true, 3, {}, {}},
    };
    for (const Case& c : cases) {
        for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
        for (const Entry& e : c.before) gForbiddenSuccessors[e[0]][e[1]] = e[2];
        gTransformCount = c.count;
        UpdateTransformationPairs(c.index, c.insert, c.selected);
        for (const Entry& e : c.after)
            EXPECT_EQ(gForbiddenSuccessors[e[0]][e[1]], e[2]) << c.name << ", entry " << e[0] << "." << e[1];
    }
}

TEST_F(TransformRecords, UndoBringsBackRecordsCountAndSelection)
{
    MakeSet(3);
    TransformUndo undo;
    SnapshotTransformations(undo, 2);
    gTransforms[1].position[0] = 5.0f;
    gTransformCount = gPickTransformCount = 2;
    ComposeTransformation(1);
    EXPECT_EQ(RestoreTransformations(undo), 2);
    EXPECT_EQ(gTransformCount, 3);
    EXPECT_EQ(gPickTransformCount, 3);
    EXPECT_EQ(gTransforms[1].position[0], 0.0f);
    EXPECT_EQ(gTransformCoefficients.tx[1], 0.0f);  // composed again
    for (int e = 0; e < 256; ++e) EXPECT_LT(gTransformPickTable[e], 3);

    undo.transformCount = 500;  // a hostile copy stays inside the arrays
    undo.selected = 99;
    EXPECT_EQ(RestoreTransformations(undo), kMaxTransforms - 1);
    EXPECT_EQ(gTransformCount, kMaxTransforms);
}

TEST_F(TransformRecords, NewThenNormalizeGivesFourFifteenths)
{
    MakeSet(3);
    gTransformCount = gPickTransformCount = 4;
    ResetTransformation(kIdentity, 3);
    EXPECT_EQ(gTransforms[3].weight, 0.25f);
    NormalizeTransformWeights();
    EXPECT_FLOAT_EQ(gTransforms[0].weight, 4.0f / 15.0f);
    EXPECT_FLOAT_EQ(gTransformWeights[2], 4.0f / 15.0f);
    EXPECT_FLOAT_EQ(gTransforms[3].weight, 0.2f);
    EXPECT_FLOAT_EQ(gTransformWeights[3], 0.2f);
}

TEST_F(TransformRecords, EqualAndReleaseAfterWeightDrag)
{
    MakeSet(5);
    gTransforms[0].weight = 3.0f;
    EqualizeTransformWeights();
    for (int t = 0; t < 5; ++t) EXPECT_FLOAT_EQ(gTransformWeights[t], 0.2f);

    MakeSet(2);
    gTransforms[0].weight = 1.5f;
    gTransforms[1].weight = 0.5f;
    PublishNormalizedWeights();
    EXPECT_FLOAT_EQ(gTransformWeights[0], 0.75f);
    EXPECT_FLOAT_EQ(gTransformWeights[1], 0.25f);
    EXPECT_EQ(gTransforms[0].weight, 1.5f);

    MakeSet(1);
    gTransforms[0].weight = 0.3f;
    NormalizeTransformWeights();
    EXPECT_FLOAT_EQ(gTransforms[0].weight, 1.0f);
}

TEST_F(TransformRecords, ZeroOrNonFiniteWeightSumsFallBackToEqualWeights)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float sets[][3] = {{0, 0, 0}, {1, -1, 0}, {nan, 1, 1}, {inf, 1, 1}};
    for (const auto& w : sets) {
        MakeSet(3);
        for (int t = 0; t < 3; ++t) gTransforms[t].weight = w[t];
        PublishNormalizedWeights();
        for (int t = 0; t < 3; ++t) EXPECT_FLOAT_EQ(gTransformWeights[t], 1.0f / 3.0f);
        NormalizeTransformWeights();
        for (int t = 0; t < 3; ++t) EXPECT_FLOAT_EQ(gTransforms[t].weight, 1.0f / 3.0f);
        for (int e = 0; e < 256; ++e) ASSERT_LT(gTransformPickTable[e], 3);
    }
}

}  // namespace
