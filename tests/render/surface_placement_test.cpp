#include "render/surface_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

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
        ASSERT_TRUE(SetUpSierpinskiRender(kSize, 1.0f));
        for (int t = 4; t <= 7; ++t) {
            gTransformCoefficients.m00[t] = 2.0f;
            gTransformCoefficients.tx[t] = 9.0f;
            gTransformCoefficients.tz[t] = 9.0f;
        }
    }
    void TearDown() override { FreeRenderBuffers(); }
};

// Candidates are drawn in the square [-1.5, 1.5]^2 of the plane y = 0; a
// transformation takes one that lands in the image in front of the stored
// depth.
TEST_F(SurfacePlacementTest, TransformationsFourToSevenTakeAPointInFront)
{
    // The left half of the row is far in front: only x > 0 can qualify.
    std::fill_n(gDepthBuffer + 32 * kSize, kSize / 2, 70000.0f);
    SeedRandomState(gSurfacePlacementRandom, 77);
    const RandomState windowState = gGlobalRandomB;
    PlaceTransformationsOnSurface();
    EXPECT_EQ(std::memcmp(&windowState, &gGlobalRandomB, sizeof windowState), 0) << "the window thread's state";
    for (int t = 4; t <= 7; ++t) {
        const float x = gTransformCoefficients.tx[t], z = gTransformCoefficients.tz[t];
        EXPECT_EQ(gTransformCoefficients.m00[t], 0.5f) << t;
        EXPECT_GE(x, 0.0f) << t;
        EXPECT_LE(x, 1.0f) << t;  // inside the image
        EXPECT_GE(z, -1.0f) << t;  // in front of an empty pixel
        EXPECT_LE(z, 1.5f) << t;
    }
    EXPECT_NE(gTransformCoefficients.tx[4], gTransformCoefficients.tx[5]);
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
