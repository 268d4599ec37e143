#include "render/transform_probabilities.h"

#include <gtest/gtest.h>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "render/symmetry_modes.h"

namespace {

TEST(UpdateTransformProbabilities, CopiesWeightsResetsBaseshapesAndRebuildsTheTable)
{
    gTransformCount = gPickTransformCount = 2;
    gTransforms[0].weight = 0.25f;
    gTransforms[1].weight = 0.75f;
    gTransformWeights[2] = 0.5f;  // beyond the count: left alone
    gBaseshapeCount = 4;
    for (int b = 0; b < 5; ++b) gBaseshapes[b].probability = 0.9f;
    gSymmetryOn = 1;
    gSymmetryMode = 9;
    for (auto& w : gSymmetryCopyWeights) w = 0.0f;
    gMirrorCopy = 1;
    SeedRandomState(gGlobalRandomA, 5);

    UpdateTransformProbabilities();

    EXPECT_EQ(gTransformWeights[0], 0.25f);
    EXPECT_EQ(gTransformWeights[1], 0.75f);
    EXPECT_EQ(gTransformWeights[2], 0.5f);
    for (int b = 0; b < 4; ++b) EXPECT_EQ(gBaseshapes[b].probability, 0.25f);
    EXPECT_EQ(gBaseshapes[4].probability, 0.9f);
    EXPECT_FLOAT_EQ(gSymmetryCopyWeights[24].load(), 1.0f / 25.0f);
    EXPECT_EQ(gMirrorCopy, 0);
    int ones = 0;
    for (int e = 0; e < 256; ++e) ones += gTransformPickTable[e];
    EXPECT_GT(ones, 150);  // about 3 in 4 entries
    EXPECT_LT(ones, 230);
}

TEST(UpdateTransformProbabilities, SymmetryOffLeavesTheCopyWeights)
{
    gTransformCount = gPickTransformCount = 1;
    gTransforms[0].weight = 1.0f;
    gBaseshapeCount = 0;
    gSymmetryOn = 0;
    gSymmetryMode = 8;
    gSymmetryCopyWeights[0] = 0.7f;
    UpdateTransformProbabilities();
    EXPECT_EQ(gSymmetryCopyWeights[0].load(), 0.7f);
    for (int e = 0; e < 256; ++e) EXPECT_EQ(gTransformPickTable[e], 0);
}

}  // namespace
