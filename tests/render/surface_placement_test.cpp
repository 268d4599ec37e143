#include "render/surface_placement.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/fractal_model.h"
#include "engine/random.h"
#include "render/probability_tuner.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "support/render_test_support.h"

namespace {

constexpr int kSize = 64;

// Identity camera, scale 1: (x, 0, z) lands at pixel (32 x + 32, 32) with
// depth (z + 1) x 32767.
class SurfacePlacementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUpSierpinskiTetrahedron();
        ASSERT_TRUE(AllocateRenderBuffers(kSize, kSize, false));
        SetUpPlainView(kSize, 1.0f);
        for (int t = 4; t <= 7; ++t) {
            gTransformCoefficients.m00[t] = 2.0f;
            gTransformCoefficients.tx[t] = 9.0f;
            gTransformCoefficients.tz[t] = 9.0f;
        }
    }
    void TearDown() override { FreeRenderBuffers(); }

    // The first candidate (x, z) of the generator that lands in front.
    static void FirstCandidate(RandomState& random, float& x, float& z)
    {
        for (int n = 0; n < kSurfacePlacementCandidates; ++n) {
            x = static_cast<float>(RandomStep(random)) * 3.0f * kRandomWordToFloat - 1.5f;
            z = static_cast<float>(RandomStep(random)) * 3.0f * kRandomWordToFloat - 1.5f;
            const float fx = x * 32.0f + 32.0f;
            const float d = (z + 1.0f) * 32767.0f;
            const bool inside = fx >= 1.0f && fx < kSize;
            if (inside && d >= 0.0f && d <= 65530.0f && d > gDepthBuffer[32 * kSize + static_cast<int>(fx)]) {
                return;
            }
        }
        x = z = 9.0f;
    }
};

TEST_F(SurfacePlacementTest, TransformationsFourToSevenTakeTheFirstPointInFront)
{
    // The left half of the row is far in front: only x > 0 can qualify.
    std::fill_n(gDepthBuffer + 32 * kSize, kSize / 2, 70000.0f);
    SeedRandomState(gGlobalRandomB, 77);
    RandomState expected = gGlobalRandomB;
    PlaceTransformationsOnSurface();
    for (int t = 4; t <= 7; ++t) {
        float x, z;
        FirstCandidate(expected, x, z);
        EXPECT_EQ(gTransformCoefficients.m00[t], 0.5f) << t;
        EXPECT_EQ(gTransformCoefficients.tx[t], x) << t;
        EXPECT_EQ(gTransformCoefficients.tz[t], z) << t;
        EXPECT_GE(x, 0.0f) << t;
    }
    EXPECT_EQ(gTransformCoefficients.m00[3], 0.5f);  // the Sierpinski map, untouched
}

TEST_F(SurfacePlacementTest, WithoutAQualifyingPointTheTranslationStays)
{
    std::fill_n(gDepthBuffer, kSize * kSize, 70000.0f);
    PlaceTransformationsOnSurface();
    for (int t = 4; t <= 7; ++t) {
        EXPECT_EQ(gTransformCoefficients.m00[t], 0.5f) << t;
        EXPECT_EQ(gTransformCoefficients.tx[t], 9.0f) << t;
        EXPECT_EQ(gTransformCoefficients.tz[t], 9.0f) << t;
    }
}

// Fractal types 46 and 49 place the transformations at every tuning call.
TEST_F(SurfacePlacementTest, TheTunerPlacesThemForTypes46And49Only)
{
    gRenderRunFlag.store(1);
    gFractalType = 0;
    RunProbabilityTuning(1);
    EXPECT_EQ(gTransformCoefficients.m00[4], 2.0f);
    for (int type : {46, 49}) {
        gTransformCoefficients.m00[4] = 2.0f;
        gRenderRunFlag.store(1);
        gFractalType = type;
        RunProbabilityTuning(1);
        EXPECT_EQ(gTransformCoefficients.m00[4], 0.5f) << type;
    }
    gRenderRunFlag.store(0);
    gFractalType = 0;
}

}  // namespace
