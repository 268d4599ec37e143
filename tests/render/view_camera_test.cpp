#include "render/view_camera.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"
#include "support/render_test_support.h"

namespace {

TEST(CameraMatrix, ZeroAnglesGiveTheIdentityInEveryCopy)
{
    gCameraAngleX = gCameraAngleY = gCameraAngleZ = 0.0f;
    gCameraMatrix[4] = 7.0f;
    UpdateCameraMatrix();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(gCameraRotation[i], i % 4 == 0 ? 1.0f : 0.0f) << i;
        EXPECT_EQ(gCameraMatrix[i], gCameraRotation[i]) << i;
    }
    for (int i = 0; i < 16; ++i) EXPECT_EQ(gCameraGLMatrix[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

TEST(CameraMatrix, IsRxTimesRyOfMinusYTimesRzStoredColumnMajorForGl)
{
    gCameraAngleX = 0.0f;
    gCameraAngleY = 0.0f;
    gCameraAngleZ = 90.0f;
    UpdateCameraMatrix();
    // Rz(90): row 0 = (cos, -sin, 0), row 1 = (sin, cos, 0).
    const float rz[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(gCameraMatrix[i], rz[i], 1e-6f) << i;
    gCameraAngleY = 90.0f;
    gCameraAngleZ = 0.0f;
    UpdateCameraMatrix();
    EXPECT_NEAR(gCameraMatrix[2], -1.0f, 1e-6f);  // r2 = -sin ay
    EXPECT_NEAR(gCameraMatrix[6], 1.0f, 1e-6f);   // r6 = sin ay cos ax cos az
    // Entry 4 j + i holds row i, column j.
    EXPECT_EQ(gCameraGLMatrix[4 * 2 + 0], gCameraMatrix[2]);
    EXPECT_EQ(gCameraGLMatrix[4 * 0 + 2], gCameraMatrix[6]);
    EXPECT_EQ(gCameraGLMatrix[15], 1.0f);
    EXPECT_EQ(gCameraGLMatrix[12], 0.0f);
    gCameraAngleY = 0.0f;
    UpdateCameraMatrix();
}

TEST(LightViewMatrix, EqualTrackBallVectorsGiveTheIdentityAndOthersARotation)
{
    gLightTrackBallA[0] = 0.2f, gLightTrackBallA[1] = 0.3f, gLightTrackBallA[2] = 0.9f;
    gLightTrackBallB[0] = 0.2f, gLightTrackBallB[1] = 0.3f, gLightTrackBallB[2] = 0.9f;
    UpdateLightViewMatrix();
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(gLightViewMatrix[i], i % 4 == 0 ? 1.0f : 0.0f, 1e-6f) << i;
    gLightTrackBallA[0] = 0.0f, gLightTrackBallA[1] = 0.0f, gLightTrackBallA[2] = 1.0f;
    gLightTrackBallB[0] = 0.5f, gLightTrackBallB[1] = 0.0f, gLightTrackBallB[2] = 1.0f;
    UpdateLightViewMatrix();
    // A rotation about y by |A - B| = 0.5 radians.
    EXPECT_NEAR(gLightViewMatrix[4], 1.0f, 1e-6f);
    EXPECT_NEAR(gLightViewMatrix[0], std::cos(0.5f), 1e-6f);
    EXPECT_NEAR(std::fabs(gLightViewMatrix[2]), std::sin(0.5f), 1e-6f);
    gLightTrackBallB[0] = 0.0f;
    UpdateLightViewMatrix();
}

// Points of a fixed box around (2, 3, -1): corners at +-0.5 on each axis.
void BoxKernel(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i < gSlotBatchEnd[slot]; ++i) {
        gPointX[i] = 2.0f + ((i & 1) ? 0.5f : -0.5f);
        gPointY[i] = 3.0f + ((i & 2) ? 0.5f : -0.5f);
        gPointZ[i] = -1.0f + ((i & 4) ? 0.5f : -0.5f);
    }
    gPointX[gSlotBatchStart[slot] + 9] = std::numeric_limits<float>::quiet_NaN();
}

void SamePointKernel(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i < gSlotBatchEnd[slot]; ++i) gPointX[i] = gPointY[i] = gPointZ[i] = 4.0f;
}

class FitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetUpSierpinskiRender(64, 1.0f));
        gFractalTypeKernel.store(BoxKernel);
    }
    void TearDown() override
    {
        FreeRenderBuffers();
        gSymmetryOn.store(0);
        gSymmetryMode.store(kSymmetryModeNormal);
    }
};

TEST_F(FitTest, CameraFitCentresTheBoxAndScalesItsGrownRadiusToOne)
{
    float c[3] = {9, 9, 9}, s = 9;
    FitViewToFractal(&c[0], &c[1], &c[2], &s, kFitCameraView);
    EXPECT_FLOAT_EQ(c[0], 2.0f);
    EXPECT_FLOAT_EQ(c[1], 3.0f);
    EXPECT_FLOAT_EQ(c[2], -1.0f);
    const float radius = static_cast<float>(1.025 * std::sqrt(0.75));
    EXPECT_FLOAT_EQ(s, 1.0f / radius);
}

TEST_F(FitTest, SymmetryModesBelowSevenMoveTheCentreToTheOrigin)
{
    gSymmetryOn.store(1);
    gSymmetryMode.store(kSymmetryModeNormal);  // moves no point: the box centre stays
    float c[3], s;
    FitViewToFractal(&c[0], &c[1], &c[2], &s, kFitCameraView);
    EXPECT_FLOAT_EQ(c[0], 2.0f);
    EXPECT_FLOAT_EQ(c[2], -1.0f);
    for (int mode : {0, 4, 5, 6}) {
        gSymmetryMode.store(mode);
        FitViewToFractal(&c[0], &c[1], &c[2], &s, kFitCameraView);
        EXPECT_EQ(c[0], 0.0f) << mode;
        EXPECT_EQ(c[2], 0.0f) << mode;
        if (mode != 5) {
            EXPECT_EQ(c[1], 0.0f) << mode;
        }
        EXPECT_TRUE(std::isfinite(c[1]));
        EXPECT_GT(s, 0.0f);
    }
}

TEST_F(FitTest, CoincidentPointsGiveScaleZero)
{
    gFractalTypeKernel.store(SamePointKernel);
    float c[3], s = 1;
    FitViewToFractal(&c[0], &c[1], &c[2], &s, kFitCameraView);
    EXPECT_EQ(c[0], 4.0f);
    EXPECT_EQ(s, 0.0f);
}

TEST_F(FitTest, LightFitMapsTheLightBoxOntoTheShadowMap)
{
    gViewCentre[0] = 2.0f, gViewCentre[1] = 3.0f, gViewCentre[2] = -1.0f;
    gViewScale = 1.0f;
    float ox = 0, oy = 0, oz = 0, s = 0;
    FitViewToFractal(&ox, &oy, &oz, &s, kFitLightView);
    // Light box = the centred box negated in x and y (identity light view).
    const float radius = static_cast<float>(1.1 * std::sqrt(0.75));
    EXPECT_NEAR(s, 32.0f / radius, 1e-3f);
    EXPECT_NEAR(ox, 32.0f, 1e-3f);
    EXPECT_NEAR(oy, 32.0f, 1e-3f);
    EXPECT_NEAR(oz, (radius + 1.0f) * 32.0f / radius, 1e-3f);
}

// A light fit without a point inside the image, and an unknown fit mode,
// write nothing.
TEST_F(FitTest, NoQualifyingPointOrAnUnknownModeWritesNothing)
{
    for (int mode : {static_cast<int>(kFitLightView), 2}) {
        gImageOffsetX = mode == kFitLightView ? 1000.0f : 0.0f;  // every point outside the image
        float ox = 5, oy = 6, oz = 7, s = 8;
        FitViewToFractal(&ox, &oy, &oz, &s, mode);
        EXPECT_TRUE(ox == 5.0f && oy == 6.0f && oz == 7.0f && s == 8.0f) << mode;
    }
}

// A fractal whose batches are slow (1 ms each, with symmetry on: 10,000
// batches a pass) is fitted within the passes' time budget, not after the
// 30,000 batches the counts alone would run.
std::atomic<int> gSlowBatches{0};

void SlowKernel(uint8_t slot)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    gSlowBatches.fetch_add(1);
    const int first = gSlotBatchStart[slot];
    for (int i = first; i < first + 999; ++i) gPointX[i] = gPointY[i] = gPointZ[i] = 0.1f * static_cast<float>(i % 7);
}

TEST_F(FitTest, HeavyBatchesAreBoundedByTime)
{
    const FractalKernel kept = gFractalTypeKernel.load();
    gFractalTypeKernel.store(SlowKernel);
    gSymmetryOn.store(1);
    gSlowBatches = 0;
    float ox = 0, oy = 0, oz = 0, s = 0;
    FitViewToFractal(&ox, &oy, &oz, &s, kFitLightView);
    gSymmetryOn.store(0);
    gFractalTypeKernel.store(kept);
    EXPECT_GE(gSlowBatches.load(), 3);
    EXPECT_LT(gSlowBatches.load(), 3000) << "the passes ran their full counts";
}

}  // namespace
