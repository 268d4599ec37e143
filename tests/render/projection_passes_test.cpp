#include "render/projection_passes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/fractal_model.h"
#include "engine/random.h"
#include "render/projection.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"

namespace {

constexpr int kW = 16;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A 16 x 16 image where the image position is the rotated point itself
// (scale 1, no offset) and the shadow cell is the light point likewise.
class ProjectionPassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitGlobalState();
        ASSERT_TRUE(AllocateRenderBuffers(kW, kW, false));
        const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        std::memcpy(gCameraMatrix, identity, sizeof(identity));
        std::memcpy(gLightViewMatrix, identity, sizeof(identity));
        gViewCentre[0] = gViewCentre[1] = gViewCentre[2] = 0.0f;
        gViewScale = 1.0f;
        gImageScale = 1.0f;
        gImageOffsetX = gImageOffsetY = 0.0f;
        gShadowScale = 1.0f;
        gShadowOffsetX = gShadowOffsetY = 0.0f;
        gPerspectiveFocal = 1.0f;
        gPerspectiveEye = 1.0f;
        gMirrorY = 0;
        gFogJitterRadius = 0.0f;
        // Every point of slot 0 is not a number unless a test places it.
        for (int i = 0; i < kSlotBatchSize; ++i) gPointX[i] = gPointY[i] = gPointZ[i] = kNaN;
        SeedRandomState(gSlotRandom[0], 11);
    }
    void TearDown() override { FreeRenderBuffers(); }

    static void Place(int i, float x, float y, float z, uint8_t colour = 1)
    {
        gPointX[i] = x;
        gPointY[i] = y;
        gPointZ[i] = z;
        gPointColorIndex[i] = colour;
    }
    static float DepthOf(float z) { return (z + 1.0f) * kDepthScale; }
    static float& Depth(int px, int py) { return gDepthBuffer[py * kW + px]; }
    static uint16_t& Shadow(int sx, int sy) { return gShadowMap[sy * kW + sx]; }
};

TEST_F(ProjectionPassTest, WritesDepthColourIndexAndSubPixelBytes)
{
    Place(1, 5.5f, 3.25f, 0.5f, 42);
    ProjectBatchOrthoNoShadow(0);
    const int p = 3 * kW + 5;
    EXPECT_EQ(gDepthBuffer[p], DepthOf(0.5f));
    EXPECT_EQ(gColorIndexBuffer[p], 42);
    EXPECT_EQ(gSubPixelBuffer[2 * p], 127);
    EXPECT_EQ(gSubPixelBuffer[2 * p + 1], 63);
}

TEST_F(ProjectionPassTest, OnlyTheInnerPointsOfTheSliceAreProjected)
{
    // Slot 1: indices 1000..1999; 1000, 1998 and 1999 are never projected.
    Place(1000, 2.5f, 2.5f, 0.0f);
    Place(1998, 3.5f, 3.5f, 0.0f);
    Place(1999, 4.5f, 4.5f, 0.0f);
    Place(1997, 5.5f, 5.5f, 0.0f);
    Place(1001, 6.5f, 6.5f, 0.0f);
    ProjectBatchOrthoNoShadow(1);
    EXPECT_EQ(Depth(2, 2), 0.0f);
    EXPECT_EQ(Depth(3, 3), 0.0f);
    EXPECT_EQ(Depth(4, 4), 0.0f);
    EXPECT_GT(Depth(5, 5), 0.0f);
    EXPECT_GT(Depth(6, 6), 0.0f);
}

TEST_F(ProjectionPassTest, PixelBoundsDropTheFirstRowAndColumnAndKeepTheLast)
{
    Place(1, 0.5f, 5.5f, 0.0f);            // px = 0: dropped
    Place(2, 5.5f, 0.9f, 0.0f);            // py = 0: dropped
    Place(3, kW - 0.5f, kW - 0.5f, 0.0f);  // px = py = W - 1: kept
    Place(4, static_cast<float>(kW), 5.5f, 0.0f);  // px = W: dropped
    Place(5, -0.5f, 5.5f, 0.0f);           // trunc gives 0: dropped
    Place(6, 1e30f, 5.5f, 0.0f);           // far outside, never converted
    Place(7, std::numeric_limits<float>::infinity(), 5.5f, 0.0f);
    ProjectBatchOrtho(0);
    float total = 0;
    for (int i = 0; i < kW * kW; ++i) total += gDepthBuffer[i];
    EXPECT_EQ(Depth(kW - 1, kW - 1), DepthOf(0.0f));
    EXPECT_EQ(total, DepthOf(0.0f));
}

TEST_F(ProjectionPassTest, EqualDepthKeepsTheFirstPointAndNearerPointsWin)
{
    Place(1, 5.5f, 5.5f, 0.25f, 7);
    Place(2, 5.7f, 5.7f, 0.25f, 8);   // equal depth: first stays
    Place(3, 5.5f, 5.5f, 0.125f, 9);  // farther: ignored
    ProjectBatchOrthoNoShadow(0);
    EXPECT_EQ(gColorIndexBuffer[5 * kW + 5], 7);
    Place(4, 5.5f, 5.5f, 0.5f, 10);  // nearer: replaces
    Place(5, 6.5f, 6.5f, -1.0f);     // depth 0 never beats an empty pixel
    Place(6, 7.5f, 7.5f, -3.0f);
    ProjectBatchOrthoNoShadow(0);
    EXPECT_EQ(gColorIndexBuffer[5 * kW + 5], 10);
    EXPECT_EQ(Depth(6, 6), 0.0f);
    EXPECT_EQ(Depth(7, 7), 0.0f);
}

TEST_F(ProjectionPassTest, ShadowMapKeepsNearerValuesWithinOnePercent)
{
    // Light depth (z + 1) x 32767 with the identity light view.
    const float z995 = 995.0f / kDepthScale - 1.0f;
    const float z985 = 985.0f / kDepthScale - 1.0f;
    Shadow(5, 5) = 1000;
    Shadow(6, 6) = 1000;
    Place(1, 5.5f, 5.5f, z995);
    Place(2, 6.5f, 6.5f, z985);
    gImageOffsetX = 100.0f;  // outside the image, and still shadowing
    ProjectBatchOrtho(0);
    EXPECT_NEAR(Shadow(5, 5), 995, 1);
    EXPECT_EQ(Shadow(6, 6), 1000);
}

// The light depth of a point at z = 0 is exactly 32767; the stored value
// stays while 0.99 of it is at least that.
TEST_F(ProjectionPassTest, ShadowReplacementBoundaryIsOnePercentOfTheStoredValue)
{
    Shadow(5, 5) = 33097;  // x 0.99 = 32766.03: replaced
    Shadow(6, 6) = 33098;  // x 0.99 = 32767.02: kept
    Shadow(7, 7) = 30000;  // nearer value: replaced
    Place(1, 5.5f, 5.5f, 0.0f);
    Place(2, 6.5f, 6.5f, 0.0f);
    Place(3, 7.5f, 7.5f, 0.0f);
    Place(4, 8.5f, 8.5f, 2.0f);  // (2 + 1) x 32767 is clamped to 16 bits
    ProjectBatchOrthoNoShadow(0);
    EXPECT_EQ(Shadow(5, 5), 33097);  // the no-shadow pass leaves it
    ProjectBatchOrtho(0);
    EXPECT_EQ(Shadow(5, 5), 32767);
    EXPECT_EQ(Shadow(6, 6), 33098);
    EXPECT_EQ(Shadow(7, 7), 32767);
    EXPECT_EQ(Shadow(8, 8), 65535);
}

TEST_F(ProjectionPassTest, ShadowBorderCellsAndNoShadowPassesLeaveTheMapAlone)
{
    for (float s : {0.5f, 1.5f, kW - 0.5f}) {  // cells 0, 1 and W - 1
        Place(1, s, 5.5f, 0.0f);
        Place(2, 5.5f, s, 0.0f);
        ProjectBatchOrtho(0);
    }
    Place(1, 5.5f, 5.5f, 0.0f);
    Place(2, kNaN, kNaN, kNaN);
    ProjectBatchOrthoNoShadow(0);
    ProjectBatchPerspectiveNoShadow(0);
    for (int i = 0; i < kW * kW; ++i) ASSERT_EQ(gShadowMap[i], 0) << i;
    ProjectBatchOrtho(0);
    EXPECT_EQ(Shadow(5, 5), 32767);
}

TEST_F(ProjectionPassTest, MirrorNegatesXAndZAndYOnlyWithMirrorY)
{
    Place(1, -5.5f, 3.5f, -0.5f, 3);
    ProjectBatchOrthoNoShadowMirror(0);
    EXPECT_EQ(Depth(5, 3), DepthOf(0.5f));
    EXPECT_EQ(gColorIndexBuffer[3 * kW + 5], 3);
    ClearRenderBuffers();
    gMirrorY = 1;
    Place(1, -5.5f, -3.5f, -0.5f, 3);
    ProjectBatchOrthoMirror(0);
    EXPECT_EQ(Depth(5, 3), DepthOf(0.5f));
}

TEST_F(ProjectionPassTest, PerspectiveSkipsPointsBehindTheEyeAndScalesByQ)
{
    gPerspectiveEye = 2.0f;
    gPerspectiveFocal = 1.0f;
    gImageScale = 2.0f;
    gImageOffsetX = gImageOffsetY = 8.0f;
    Place(1, 1.0f, 1.0f, 0.0f, 5);  // q = 0.5: pixel (9, 9)
    Place(2, 1.0f, 1.0f, 3.0f, 6);  // q = -1: skipped entirely, even the shadow
    Place(3, 1.0f, 1.0f, 2.0f, 6);  // c = e: infinite q, dropped
    gShadowOffsetX = gShadowOffsetY = 8.0f;
    ProjectBatchPerspective(0);
    EXPECT_EQ(Depth(9, 9), DepthOf(0.0f));
    EXPECT_EQ(gColorIndexBuffer[9 * kW + 9], 5);
    int shadowCells = 0;
    for (int i = 0; i < kW * kW; ++i) shadowCells += gShadowMap[i] != 0;
    EXPECT_EQ(shadowCells, 1);
}

TEST_F(ProjectionPassTest, RgbPassesAlsoWriteTheColourPlanes)
{
    Place(1, 5.5f, 5.5f, 0.0f, 4);
    gPointColorR[1] = 10;
    gPointColorG[1] = 20;
    gPointColorB[1] = 30;
    ProjectBatchOrthoRgbNoShadow(0);
    const int p = 5 * kW + 5;
    EXPECT_EQ(gColorIndexBuffer[p], 4);
    EXPECT_EQ(gPointColorPlanes[0][p], 10);
    EXPECT_EQ(gPointColorPlanes[1][p], 20);
    EXPECT_EQ(gPointColorPlanes[2][p], 30);
    ProjectBatchOrthoNoShadow(0);  // palette passes leave the planes alone
    EXPECT_EQ(gPointColorPlanes[0][p], 10);
}

TEST_F(ProjectionPassTest, FogCountsLitSamplesInFrontAndSaturates)
{
    Place(1, 5.5f, 5.5f, 0.0f);
    Depth(5, 5) = DepthOf(-0.5f);
    ProjectBatchOrthoNoShadowFog(0);
    EXPECT_EQ(gFogSampleBuffer[5 * kW + 5], 1);
    EXPECT_EQ(Depth(5, 5), DepthOf(-0.5f));  // nothing else is written
    gFogSampleBuffer[5 * kW + 5] = 65533;
    ProjectBatchOrthoNoShadowFog(0);
    ProjectBatchOrthoNoShadowFog(0);
    EXPECT_EQ(gFogSampleBuffer[5 * kW + 5], kFogSampleLimit);
    // Behind the surface: not counted.
    Place(1, 6.5f, 6.5f, -0.75f);
    Depth(6, 6) = DepthOf(-0.5f);
    ProjectBatchOrthoNoShadowFog(0);
    EXPECT_EQ(gFogSampleBuffer[6 * kW + 6], 0);
    // In shadow: not counted; fog passes never write the map.
    Place(1, 7.5f, 7.5f, 0.0f);
    Shadow(7, 7) = 60000;
    ProjectBatchOrthoFog(0);
    EXPECT_EQ(gFogSampleBuffer[7 * kW + 7], 0);
    Shadow(7, 7) = 100;
    ProjectBatchOrthoRgbFog(0);
    EXPECT_EQ(gFogSampleBuffer[7 * kW + 7], 1);
    EXPECT_EQ(Shadow(7, 7), 100);
}

// Unlike the main passes, the perspective fog passes keep samples with a
// negative q; a sample at the eye's depth (infinite q) is dropped.
TEST_F(ProjectionPassTest, PerspectiveFogKeepsNegativeQAndDropsInfiniteQ)
{
    gPerspectiveEye = 0.5f;
    gPerspectiveFocal = 1.0f;
    gImageOffsetX = gImageOffsetY = 8.0f;
    Place(1, -1.0f, -1.0f, 0.75f);  // q = -4: pixel (12, 12)
    Place(2, 0.0f, 0.0f, 0.5f);     // c = e
    Place(3, 1.0f, 1.0f, 0.5f);
    ProjectBatchPerspectiveNoShadowFog(0);
    ProjectBatchPerspective(0);  // the main pass skips the q < 0 point
    int counted = 0;
    for (int i = 0; i < kW * kW; ++i) counted += gFogSampleBuffer[i];
    EXPECT_EQ(gFogSampleBuffer[12 * kW + 12], 1);
    EXPECT_EQ(counted, 1);
    EXPECT_EQ(Depth(12, 12), 0.0f);
}

TEST_F(ProjectionPassTest, FogJitterMovesTheWholeSliceByOneOffset)
{
    gFogJitterRadius = 0.4f;
    for (int i = 1; i < 998; ++i) Place(i, 8.0f, 8.0f, 0.0f);
    ProjectBatchOrthoNoShadowFog(0);
    int cells = 0, total = 0;
    for (int i = 0; i < kW * kW; ++i) {
        cells += gFogSampleBuffer[i] != 0;
        total += gFogSampleBuffer[i];
    }
    EXPECT_EQ(cells, 1);
    EXPECT_EQ(total, 997);
}

TEST_F(ProjectionPassTest, TunerCountTakesPointsInFrontAndLimitsOrthographicDepths)
{
    Place(1, 5.5f, 5.5f, 0.0f);   // in front of an empty pixel
    Place(2, 6.5f, 6.5f, 0.0f);   // behind a nearer stored point
    Place(3, 7.5f, 7.5f, 1.0f);   // d = 65534: beyond the orthographic limit
    Place(4, 0.5f, 7.5f, 0.0f);   // px = 0
    Depth(6, 6) = DepthOf(0.5f);
    EXPECT_EQ(CountSliceInFront(1, 997, false), 1);
    gPerspectiveEye = gPerspectiveFocal = 2.0f;  // q = 2 / (2 - c): 1 at depth 0, 2 at 1
    EXPECT_EQ(CountSliceInFront(1, 997, true), 2);
    EXPECT_EQ(CountSliceInFront(1, 0, false), 0);
}

}  // namespace
