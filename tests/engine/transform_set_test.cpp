#include "engine/transform_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "engine/transform_record.h"
#include "engine/vector_math.h"

namespace {

class TransformSets : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedRandomState(gGlobalRandomB, 2024);
        gFractalType = 0;
        gFractalGeneratorRow = 0;
        gTransformEdit = TransformEditState{};
        gTransformCount = gPickTransformCount = 3;
        for (int t = 0; t < 3; ++t) {
            ResetTransformation(gTransformEdit.baseRotation, t);
            gTransforms[t].position[0] = 0.5f * static_cast<float>(t);
            gTransforms[t].weight = 1.0f / 3.0f;
            ComposeTransformation(t);
        }
    }
    void TearDown() override { ReplaceGeneratorGroups(nullptr, 0); }

    // One group of the given blocks for transformation t, live.
    static void Chains(int groups, std::initializer_list<uint8_t> types)
    {
        ReplaceGeneratorGroups(NewGeneratorGroupArray(groups), groups);
        std::vector<uint8_t> t(types);
        for (int g = 0; g < groups; ++g)
            BuildGeneratorGroup(gGeneratorGroups[g], 1.0f + static_cast<float>(g), static_cast<int>(t.size()), t.data());
    }
    static void Request(int code, int argument = 0)
    {
        gTransformEdit.pending = 1;
        gTransformEdit.code = code;
        gTransformEdit.argument = argument;
        EditTransformSet(1);
    }
};

TEST_F(TransformSets, ReadoutOffsetsAndRecordFieldOrder)
{
    const int cases[][2] = {{0, 0}, {1, 12}, {2, 15}, {51, 160}, {54, 169}};
    for (const auto& c : cases) EXPECT_EQ(BlockParamOffset(c[0]), c[1]) << c[0];
    for (int type = 0; type < kGeneratorBlockTypes; ++type) {
        EXPECT_LE(gGeneratorShownParamCounts[type], gGeneratorParameterCounts[type]) << type;
        for (int i = 0; i < gGeneratorShownParamCounts[type]; ++i) EXPECT_STRNE(GeneratorParamCaption(type, i), "");
    }
    EXPECT_STREQ(GeneratorParamCaption(51, 8), "Pos. Z");
    TransformRecord r{};
    for (int k = 0; k < 13; ++k) r.variationAmount[k] = static_cast<float>(k);
    r.position[0] = 13.0f, r.position[2] = 15.0f, r.rotation[1] = 17.0f;
    // Block 3 of a chain reads the position, block 4 the rotation.
    EXPECT_EQ(RecordFloatInFieldOrder(r, 4 * 3 + 1), 13.0f);
    EXPECT_EQ(RecordFloatInFieldOrder(r, 4 * 3 + 3), 15.0f);
    EXPECT_EQ(RecordFloatInFieldOrder(r, 4 * 4 + 1), 17.0f);
    EXPECT_EQ(RecordFloatInFieldOrder(r, 40), 0.0f);
}

// The selected transformation mirrors its block, and the block takes the
// record back unchanged.
TEST_F(TransformSets, ControlsEditTheSelectedBlock)
{
    Chains(3, {0, 4, 6});
    const float axis[3] = {1, 2, 3}, scale[3] = {0.5f, 0.7f, 0.9f}, move[3] = {0.1f, -0.2f, 0.3f};
    SetGeneratorAffine(move, axis, scale, 0.6f, gGeneratorGroups[1].parameters[0]);
    float before[30];
    std::memcpy(before, gGeneratorGroups[1].parameters[0], sizeof before);
    gTransformEdit.selected = 1;
    SelectGeneratorBlock();
    EXPECT_EQ(std::memcmp(gTransforms[1].scaleShear, before + 21, 9 * sizeof(float)), 0);
    EXPECT_EQ(gTransforms[1].position[1], -0.2f);
    ApplyBlockWidgets();
    for (int i = 0; i < 30; ++i) EXPECT_NEAR(gGeneratorGroups[1].parameters[0][i], before[i], 1e-6f) << i;

    // "Sphere Inv.": scale row 0 is the radius, and the window turns uniform.
    gTransformEdit.selectedBlock = 1;
    SelectGeneratorBlock();
    gTransforms[1].scaleShear[0] = 1.75f;
    ApplyBlockWidgets();
    EXPECT_EQ(gGeneratorGroups[1].parameters[1][0], 1.75f);
    EXPECT_EQ(gTransforms[1].scaleShear[8], 1.75f);

    // "Hyp. Tess. II" keeps p4 and p5 from its centre on every path.
    gTransformEdit.selectedBlock = 2;
    const auto derived = [] {
        const float* p = gGeneratorGroups[1].parameters[2];
        const float r = std::sqrt(p[1] * p[1] + p[2] * p[2] + p[3] * p[3] + 1e-8f);
        return std::fabs(p[4] - r) < 1e-6f && std::fabs(p[5] * r - 1.0f) < 1e-6f;
    };
    gTransforms[1].position[0] = 0.6f;
    ApplyBlockWidgets();
    EXPECT_TRUE(derived());
    SetGeneratorBlockType(6, 1, 2);
    EXPECT_TRUE(derived());
    SelectGeneratorBlock();
    EXPECT_TRUE(derived());
}

TEST_F(TransformSets, BlockDefaultsAndStarts)
{
    Chains(2, {10, 7, 31});
    gTransformEdit.selected = 0;
    gTransforms[0].position[0] = 5.0f;
    EditGeneratorParameters(10, 0, 0);  // "Rotation XYZ": no angles, the identity
    const float identity[12] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(gGeneratorGroups[0].parameters[0], identity, sizeof identity), 0);
    EXPECT_EQ(gTransforms[0].position[0], 0.0f);  // the transformation returns to its default
    EditGeneratorParameters(7, 0, 1);
    EXPECT_EQ(gGeneratorGroups[0].parameters[1][0], 0.0f);
    EXPECT_EQ(gGeneratorGroups[0].functions[1], GetGeneratorFunction(7));

    for (int round = 0; round < 20; ++round) {
        gTransformEdit.selectedBlock = 2;
        InitGeneratorBlock(31, 1, 2);
        const float* p = gGeneratorGroups[1].parameters[2];
        EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]);
        EXPECT_GE(std::fabs(p[0]), 0.1f);
        EXPECT_LT(std::fabs(p[0]), 1.0f + 1e-6f);
        EXPECT_EQ(gTransformEdit.selectedBlock, 0);
        InitGeneratorBlock(10, 1, 0);
        const float* a = gGeneratorGroups[1].parameters[0];
        float m[9];
        RotationMatrixFromEuler(a[0], a[1], a[2], m);
        for (int k = 0; k < 3; ++k) {
            const float steps = 360.0f / a[k];
            EXPECT_NEAR(steps, std::round(steps), 1e-4f) << a[k];
        }
        EXPECT_EQ(std::memcmp(a + 3, m, sizeof m), 0);
    }
}

TEST_F(TransformSets, ChainsFromTheFractalType)
{
    EditTransformSet(3);
    ASSERT_EQ(gGeneratorGroupCount, 3);
    for (int g = 0; g < 3; ++g) {
        EXPECT_EQ(gGeneratorGroups[g].blockCount, 1);
        EXPECT_EQ(gGeneratorGroups[g].blockTypes[0], 0);
        EXPECT_FLOAT_EQ(gGeneratorGroups[g].weight, 1.0f / 3.0f);
        EXPECT_EQ(gGeneratorGroups[g].parameters[0][9], gTransformCoefficients.tx[g]);
    }
    gFractalType = 45;
    for (int k = 0; k < 3; ++k) gTransformQuaternionC[k][2] = 0.25f * static_cast<float>(k + 1);
    EditTransformSet(3);
    EXPECT_EQ(gGeneratorGroups[2].blockTypes[0], 25);
    EXPECT_EQ(gGeneratorGroups[2].parameters[0][10], 0.75f);
    EXPECT_EQ(gTransformEdit.selectedBlock, 0);
}

// The editor's requests keep the chains in step with the transformations.
TEST_F(TransformSets, RequestsAppendDeleteRemoveRetypeInsert)
{
    gFractalType = 48;
    Chains(3, {0, 1});
    Request(6);  // nothing asked of the chains
    ASSERT_EQ(gGeneratorGroupCount, 3);

    gTransformCount = gPickTransformCount = 4;
    gTransformEdit.selected = 3;
    Request(0);
    ASSERT_EQ(gGeneratorGroupCount, 4);
    EXPECT_EQ(gGeneratorGroups[3].blockCount, 1);
    EXPECT_FLOAT_EQ(gGeneratorGroups[3].weight, 0.1f);
    EXPECT_EQ(gGeneratorGroups[3].parameters[0][0], gTransformCoefficients.m00[3]);

    gTransformCount = gPickTransformCount = 3;
    gTransformEdit.selected = 1;
    Request(1, 1);
    ASSERT_EQ(gGeneratorGroupCount, 3);
    EXPECT_FLOAT_EQ(gGeneratorGroups[1].weight, 3.0f);  // group 2 moved down

    gTransformEdit.selectedBlock = 1;
    Request(2, 1);
    EXPECT_EQ(gGeneratorGroups[1].blockCount, 1);
    EXPECT_EQ(gTransformEdit.selectedBlock, 0);
    Request(2, 1);  // the last block stays
    EXPECT_EQ(gGeneratorGroups[1].blockCount, 1);

    gTransformEdit.blockType = 6;
    Request(3, 1);
    EXPECT_EQ(gGeneratorGroups[1].blockTypes[0], 6);
    EXPECT_EQ(gGeneratorGroups[1].functions[0], GetGeneratorFunction(6));
    const float hyperbolic[6] = {1, 0, 1, 0, 1, 1};
    EXPECT_EQ(std::memcmp(gGeneratorGroups[1].parameters[0], hyperbolic, sizeof hyperbolic), 0);

    for (int k = 0; k < 6; ++k) Request(4, 1);
    EXPECT_EQ(gGeneratorGroups[1].blockCount, kMaxGeneratorBlocks);
    EXPECT_EQ(gGeneratorGroups[1].blockTypes[0], 6);
    EXPECT_EQ(gGeneratorGroups[1].blockTypes[1], 0);
    EXPECT_EQ(gTransformEdit.pending, 0);
}

// The random Kleinian traces: the pair and its partners.
TEST_F(TransformSets, RandomTracesContractAndPairUp)
{
    for (int type : {3, 45}) {
        gFractalType = type;
        gTransformCount = gPickTransformCount = 4;
        for (int t = 0; t < 4; ++t) gTransformWeights[t] = 0.25f;
        RandomizeTransforms();
        const int n = gPickTransformCount / 2;
        ASSERT_TRUE(n == 4 || n == 5) << type;
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(gTransformCoefficients.m00[k], gMobiusCoefficients.a[k].re);
            EXPECT_EQ(gTransformCoefficients.m21[k], gMobiusCoefficients.d[k].im);
        }
        EXPECT_EQ(gTransforms[0].position[0], gTransformQuaternionA[0][0] * 2.0f);  // a = t_a / 2
        for (int k = 0; k < n; ++k) {
            const float* q = gTransformQuaternionA[k];
            const float* p = gTransformQuaternionA[k + n];
            EXPECT_TRUE(p[0] == q[3] && p[1] == -q[2] && p[2] == q[1] && p[3] == -q[0]) << k;
            for (int e = 0; e < 4; ++e) EXPECT_TRUE(std::isfinite(gTransformQuaternionD[k + n][e]));
        }
        if (type == 45) {
            EXPECT_LT(gTransforms[0].position[2], 1.01f);
        }
    }
    // A source that never contracts ends after its attempts all the same.
    RandomSources stuck;
    stuck.uniform = [] { return 0.999f; };
    stuck.coin = [] { return false; };
    gFractalType = 3;
    RandomizeTransforms(stuck);
    EXPECT_EQ(gTransforms[0].position[0], 2.0f);
}

TEST_F(TransformSets, GeneratorRowsBuildFiniteChains)
{
    gFractalType = 48;
    for (int row : {0, 10, 15, 16, 20, 21, 22, 23, 30}) {
        gFractalGeneratorRow = row;
        gTransformCount = gPickTransformCount = 3;
        EditTransformSet(0);
        if (row >= 24) continue;  // later rows belong to the chain presets
        ASSERT_EQ(gGeneratorGroupCount, std::clamp(gPickTransformCount, 1, kMaxTransforms)) << row;
        if (row == 23) {
            EXPECT_EQ(gTransformCount, 3);
        }
        for (int g = 0; g < gGeneratorGroupCount; ++g) {
            const GeneratorGroup& group = gGeneratorGroups[g];
            ASSERT_GE(group.blockCount, 1) << row;
            for (int b = 0; b < group.blockCount; ++b) {
                EXPECT_EQ(group.functions[b], GetGeneratorFunction(group.blockTypes[b])) << row;
                for (int i = 0; i < gGeneratorParameterCounts[group.blockTypes[b]]; ++i)
                    EXPECT_TRUE(std::isfinite(group.parameters[b][i])) << row << " " << g << " " << b << " " << i;
            }
        }
    }
}

}  // namespace
