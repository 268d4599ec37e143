// New Fractal and the transformation presets from fixed seeds: every preset
// index and every fractal type leaves a sound set (counts 1..65, weights
// summing to 1, finite values), every type's set passes the orbit test, and
// the worked facts of the presets, the placement helpers and the chain
// recipes hold.
#include "editors/random_fractal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "editors/support/random_fractal_setup.h"
#include "editors/transformation_presets.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_chain_presets.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/transform_set.h"
#include "engine/vector_math.h"
#include "render/render_threads.h"

namespace {

class Presets : public ::testing::Test {
protected:
    void SetUp() override { SetUpRandomFractalModel(7); }
    void TearDown() override { ReplaceGeneratorGroups(nullptr, 0); }
};

// Counts within 1..65, weights of the records in use summing to 1 (both
// copies), every record value and published coefficient finite.
void ExpectSoundSet(const char* what, int which)
{
    const int n = gTransformCount;
    ASSERT_GE(n, 1) << what << " " << which;
    ASSERT_LE(n, kMaxTransforms) << what << " " << which;
    ASSERT_GE(gPickTransformCount, 1) << what << " " << which;
    ASSERT_LE(gPickTransformCount, kMaxTransforms) << what << " " << which;
    double sum = 0.0;
    for (int t = 0; t < n; ++t) {
        const TransformRecord& r = gTransforms[t];
        EXPECT_EQ(r.weight, gTransformWeights[t]) << what << " " << which << " t " << t;
        sum += gTransformWeights[t];
        bool finite = std::isfinite(r.weight);
        for (float v : r.position) finite = finite && std::isfinite(v);
        for (float v : r.matrix) finite = finite && std::isfinite(v);
        for (float v : r.variationAmount) finite = finite && std::isfinite(v);
        const TransformCoefficients& c = gTransformCoefficients;
        for (const float* m : {c.m00, c.m01, c.m02, c.m10, c.m11, c.m12, c.m20, c.m21, c.m22, c.tx, c.ty, c.tz})
            finite = finite && std::isfinite(m[t]);
        EXPECT_TRUE(finite) << what << " " << which << " t " << t;
    }
    EXPECT_NEAR(sum, 1.0, 1e-5) << what << " " << which;
    if (n == 1) {
        EXPECT_EQ(gTransformWeights[0], 1.0f) << what << " " << which;
    }
}

TEST_F(Presets, EveryIndexLeavesASoundSet)
{
    for (int type : {0, 37, 42, 44, 48}) {
        for (int index = -1; index <= kTransformationPresetCount; ++index) {
            for (uint32_t seed = 0; seed < 4; ++seed) {
                SetUpRandomFractalModel(31u * static_cast<uint32_t>(index + 1) + seed);
                gFractalType = type;
                ApplyTransformationPreset(index);
                ExpectSoundSet("preset", index);
                EXPECT_EQ(gTransformEdit.selected, 0);
            }
        }
    }
}

TEST_F(Presets, EveryTypeMakesABoundedSoundSet)
{
    for (int type = 0; type < kFractalTypeCount; ++type) {
        for (int row : {0, 9, 24, 27, 31}) {
            if (type != 48 && row != 0) continue;
            SetUpRandomFractalModel(100u * static_cast<uint32_t>(type) + static_cast<uint32_t>(row));
            gFractalType = type;
            gFractalGeneratorRow = row;
            SelectFractalTypeKernel();
            if (type == 22) LoadTetrahedronScript();
            CreateRandomFractal();
            ExpectSoundSet("type", type);
            EXPECT_EQ(gPickTransformCount, gTransformCount) << type;
            EXPECT_TRUE(RandomFractalOrbitBounded()) << "type " << type << " row " << row;
            if (type == 48) {
                EXPECT_EQ(gGeneratorGroupCount, gTransformCount) << row;
            }
            ReplaceGeneratorGroups(nullptr, 0);
        }
    }
}

// The generator type replaces the chains the render reads only once no
// render thread runs; the stop is asked for, not waited on in steps.
TEST_F(Presets, TheGeneratorTypeStopsTheRenderFirst)
{
    static int stops = 0;
    gRandomFractalHooks.stopRender = [] {
        ++stops;
        gRenderActive.store(0);
    };
    gFractalType = 48;
    SelectFractalTypeKernel();
    gRenderActive.store(1);
    CreateRandomFractal();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(gRenderActive.load(), 0);
    gRandomFractalHooks.stopRender = nullptr;
}

TEST_F(Presets, OutOfRangeAndEmptyIndicesOnlyNormalise)
{
    for (int index : {85, -1, 21}) {
        SetUpRandomFractalModel(3);
        gTransforms[1].weight = 2.0f;
        gTransformEdit.selected = 2;
        const TransformRecord before = gTransforms[1];
        ApplyTransformationPreset(index);
        EXPECT_EQ(gTransformCount, 3) << index;
        EXPECT_FLOAT_EQ(gTransformWeights[1], 2.0f / (2.0f + 2.0f / 3.0f)) << index;
        EXPECT_EQ(gTransformEdit.selected, 0) << index;
        EXPECT_EQ(std::memcmp(before.position, gTransforms[1].position, sizeof before.position), 0) << index;
    }
    // Weights that sum to 0 become equal ones.
    for (int t = 0; t < 3; ++t) gTransforms[t].weight = 0.0f;
    ApplyTransformationPreset(21);
    for (int t = 0; t < 3; ++t) EXPECT_FLOAT_EQ(gTransformWeights[t], 1.0f / 3.0f) << t;
}

TEST_F(Presets, PickerStartViewIsEightUnitMapsTwice)
{
    ApplyTransformationPreset(45);
    ASSERT_EQ(gTransformCount, 8);
    const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(gTransforms[i].position[0], corners[i % 4][0]) << i;
        EXPECT_EQ(gTransforms[i].position[1], 0.0f) << i;
        EXPECT_EQ(gTransforms[i].position[2], corners[i % 4][1]) << i;
        EXPECT_EQ(gTransforms[i].scaleShear[0], 1.0f) << i;
        EXPECT_FLOAT_EQ(gTransformWeights[i], 0.125f) << i;
    }
    const float amounts[8] = {2.0f, 1.0f, -0.75f, 0.0f, 0.1f, 0.0f, 0.95f, 200.0f};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(gTransforms[0].variationAmount[k], amounts[k]) << k;
}

// Draws until the preset takes the wanted branch (the seed decides it).
template <class Wanted>
void ApplyUntil(int index, Wanted wanted)
{
    for (uint32_t seed = 0; seed < 2000; ++seed) {
        SetUpRandomFractalModel(seed);
        ApplyTransformationPreset(index);
        if (wanted()) return;
    }
    FAIL() << "preset " << index << " never took the branch";
}

TEST_F(Presets, ApolloniansOnTheOctahedronAndTheRingOfFour)
{
    // Preset 3 with the octahedron: six spheres of scale 0.5 and perhaps the one between.
    ApplyUntil(3, [] { return gTransformCount == 7 && gTransforms[0].position[2] == 1.0f && gTransforms[1].position[0] == 1.0f; });
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(gTransforms[i].scaleShear[0], 0.5f, 1e-6f) << i;
    const float centre = (1.0f - 0.70710677f) * (1.0f - 0.70710677f);
    EXPECT_NEAR(gTransforms[6].scaleShear[0], centre, 1e-6f);
    EXPECT_EQ(Vec3Length(gTransforms[6].position), 0.0f);

    // Preset 5 with four on the ring: d = sqrt 2, ring scale 0.5, and the centre.
    ApplyUntil(5, [] { return gTransformCount == 5; });
    EXPECT_NEAR(Vec3Distance(gTransforms[0].position, gTransforms[1].position), 1.4142135f, 1e-6f);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(gTransforms[i].scaleShear[0], 0.5f, 1e-6f) << i;
    EXPECT_NEAR(gTransforms[4].scaleShear[0], centre, 1e-6f);
}

TEST_F(Presets, AppendingStopsAtTheLimit)
{
    gTransformCount = gPickTransformCount = 3;
    ApplyTransformationPreset(42);
    ASSERT_EQ(gTransformCount, 4);
    EXPECT_EQ(gTransforms[3].position[1], 1.33f);
    EXPECT_EQ(gTransforms[3].variationOn[0], 0);
    EXPECT_EQ(gTransforms[0].variationOn[0], 1);
    gTransformCount = gPickTransformCount = kMaxTransforms;
    ApplyTransformationPreset(42);
    EXPECT_EQ(gTransformCount, kMaxTransforms);
    ExpectSoundSet("full", 42);
}

TEST_F(Presets, FourPointsSpreadIntoATetrahedron)
{
    gTransformCount = 4;
    SpreadPointsOnSphere();
    // The six edges of a regular tetrahedron on the unit sphere: sqrt(8/3).
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(Vec3Length(gTransforms[i].position), 1.0f, 1e-5f) << i;
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NEAR(Vec3Distance(gTransforms[i].position, gTransforms[j].position), 1.6329932f, 2e-3f) << i << j;
    }
    double one[3] = {0, 0, 1}, force[3] = {1, 1, 1};
    EXPECT_EQ(SphereRepulsionEnergy(1, one), 0.0);
    SphereRepulsionForces(1, force, one);
    EXPECT_EQ(force[0] + force[1] + force[2], 0.0);
}

// A chain whose ring count is the pick count doubles its inner circle: the
// members' places halve and their m00 quarter.
TEST_F(Presets, ASteinerChainOfThePickCountDoublesItsInnerCircle)
{
    const RandomState start = gGlobalRandomB;
    gPickTransformCount = 20;
    PlaceRingOfTransformations(6, 2.0f);
    const TransformCoefficients apart = gTransformCoefficients;
    gGlobalRandomB = start;
    gPickTransformCount = 6;
    PlaceRingOfTransformations(6, 2.0f);
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(gTransformCoefficients.tx[i], apart.tx[i] / 2.0f, 1e-5f) << i;
        EXPECT_NEAR(gTransformCoefficients.tz[i], apart.tz[i] / 2.0f, 1e-5f) << i;
        EXPECT_NEAR(gTransformCoefficients.m00[i], apart.m00[i] / 4.0f, 1e-5f) << i;
        EXPECT_TRUE(std::isfinite(gTransformCoefficients.m01[i])) << i;
    }
}

TEST_F(Presets, ChainRecipesWeighTheirGroups)
{
    gFractalType = 48;
    SetupGeneratorChainPreset(6);
    ASSERT_EQ(gTransformCount, 3);
    EXPECT_FLOAT_EQ(gTransformWeights[0], 1.0f / 12.0f);
    EXPECT_FLOAT_EQ(gTransformWeights[1], 10.0f / 12.0f);
    EXPECT_FLOAT_EQ(gTransformWeights[2], 1.0f / 12.0f);
    EXPECT_EQ(gFractalGeneratorRow, 30);
    SetupGeneratorChainPreset(8);
    ASSERT_EQ(gTransformCount, 2);
    EXPECT_EQ(gTransformWeights[0], 0.5f);
    EXPECT_EQ(gTransformWeights[1], 0.5f);
    // Every layout fills every group; an unknown one changes nothing.
    for (int layout = 0; layout < kGeneratorLayoutCount; ++layout) {
        const int groups = GeneratorLayoutGroups(layout);
        ReplaceGeneratorGroups(NewGeneratorGroupArray(groups), groups);
        ApplyGeneratorPreset(layout);
        for (int g = 0; g < groups; ++g) {
            EXPECT_GE(gGeneratorGroups[g].blockCount, 1) << layout << " " << g;
            EXPECT_LE(gGeneratorGroups[g].blockCount, kMaxGeneratorBlocks) << layout << " " << g;
            EXPECT_GT(gGeneratorGroups[g].weight, 0.0f) << layout << " " << g;
        }
    }
    ApplyGeneratorPreset(11);
    EXPECT_EQ(gGeneratorGroups[0].blockCount, 2);  // layout 10's first group as it was
    // A copy shares nothing with its source.
    CopyGeneratorGroupToBackup(0, 0);
    gGeneratorBackup[0].parameters[0][0] = 123.0f;
    EXPECT_NE(gGeneratorGroups[0].parameters[0][0], 123.0f);
    CreateRandomGeneratorChains();
    EXPECT_EQ(gFractalGeneratorRow, 24);
    EXPECT_EQ(gTransformEdit.selected, 0);
    ExpectSoundSet("combination", 24);
}

}  // namespace
