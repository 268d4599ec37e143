#include "editors/transform_record.h"
#include "engine/pick_table.h"
#include "engine/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

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

TEST_F(TransformRecords, ResetGivesTheDefaultTransformation)
{
    gPickTransformCount = 4;
    gTransforms[3].variationOn[11] = 1;
    gTransforms[3].variationAmount[5] = 2.0f;
    ResetTransformation(kQuarterTurn, 3);
    const TransformRecord& t = gTransforms[3];
    for (int e = 0; e < 9; ++e) EXPECT_EQ(t.matrix[e], kIdentity[e]);  // not composed yet
    EXPECT_EQ(t.weight, 0.25f);
    EXPECT_EQ(t.variationCount, 1);
    EXPECT_EQ(t.variationOn[0], 1);
    EXPECT_EQ(t.variationAmount[0], 1.0f);
    EXPECT_EQ(t.variationOn[11], 0);
    EXPECT_EQ(t.variationAmount[5], 0.0f);
    EXPECT_EQ(t.glMatrix[0], 1.0f);
    EXPECT_EQ(t.glMatrix[12], 0.0f);
    EXPECT_EQ(t.glMatrix[15], 1.0f);

    ComposeTransformation(3);
    for (int e = 0; e < 9; ++e) EXPECT_EQ(t.matrix[e], 0.5f * kQuarterTurn[e]);  // C = 0.5 R
    EXPECT_EQ(gTransformWeights[3], 0.25f);
    EXPECT_EQ(gTransformCoefficients.tx[3], 0.0f);
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

TEST_F(TransformRecords, ResetRotationAndScale)
{
    ResetTransformation(kQuarterTurn, 0);
    ResetRotationAndScale(0);
    for (int e = 0; e < 9; ++e) {
        EXPECT_EQ(gTransforms[0].rotation[e], kIdentity[e]);
        EXPECT_EQ(gTransforms[0].scaleShear[e], 0.25f * kIdentity[e]);
    }
}

TEST_F(TransformRecords, PairsAfterInsertAndDelete)
{
    // Insert as the editor does it: appended and selected, only that entry clears.
    gTransformCount = 4;
    gForbiddenSuccessors[0][0] = 2;
    gForbiddenSuccessors[3][0] = 1;
    gForbiddenSuccessors[3][1] = 0;
    UpdateTransformationPairs(3, true, 3);
    EXPECT_EQ(gForbiddenSuccessors[0][0], 2);
    EXPECT_EQ(gForbiddenSuccessors[3][0], -1);
    EXPECT_EQ(gForbiddenSuccessors[3][1], -1);

    // Insert in the middle: entries shift up and higher indices renumber.
    gTransformCount = 4;  // after the insertion at 1
    gForbiddenSuccessors[0][0] = 2;
    gForbiddenSuccessors[0][1] = -1;
    gForbiddenSuccessors[1][0] = 0;
    gForbiddenSuccessors[2][0] = 1;
    gForbiddenSuccessors[2][1] = -1;
    UpdateTransformationPairs(1, true, 1);
    EXPECT_EQ(gForbiddenSuccessors[0][0], 3);  // 2 became 3
    EXPECT_EQ(gForbiddenSuccessors[1][0], -1);  // the new one
    EXPECT_EQ(gForbiddenSuccessors[2][0], 0);   // old entry 1
    EXPECT_EQ(gForbiddenSuccessors[3][0], 2);   // old entry 2 (1 became 2)

    // Inserting at 0 with a selection elsewhere reads no entry before 0.
    gTransformCount = 3;
    UpdateTransformationPairs(0, true, 1);

    // Delete in the middle: entries shift down and renumber.
    gTransformCount = 3;  // four before
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    gForbiddenSuccessors[0][0] = 3;
    gForbiddenSuccessors[2][0] = 0;
    gForbiddenSuccessors[3][0] = 1;
    UpdateTransformationPairs(0, false, 1);
    EXPECT_EQ(gForbiddenSuccessors[0][0], 2);
    EXPECT_EQ(gForbiddenSuccessors[1][0], 0);
    EXPECT_EQ(gForbiddenSuccessors[2][0], 0);  // 1 became 0

    // Delete of the last: entry n clears.
    gTransformCount = 2;
    gForbiddenSuccessors[2][0] = 1;
    UpdateTransformationPairs(0, false, 1);
    EXPECT_EQ(gForbiddenSuccessors[2][0], -1);

    // Counts outside the arrays change nothing.
    gTransformCount = 65;
    UpdateTransformationPairs(0, false, 64);
    gTransformCount = 300;
    UpdateTransformationPairs(3, true, 3);
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
