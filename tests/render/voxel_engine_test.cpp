#include "render/voxel_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "support/render_test_support.h"

namespace {

TEST(VoxelIndex, CountsOnlyStrictlyInsideTheCubeLessThree)
{
    EXPECT_EQ(gVoxelResolution, 400);  // defined before the shell chooses
    const int32_t n = 400;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float x, y, z;
        int64_t index;
    };
    const Case cases[] = {
        {396.99f, 1.5f, 2.5f, 396 + 1 * n * n + 2 * n}, {396.99f, 396.99f, 396.99f, 396 + 396 * n * n + 396 * n},
        {397.0f, 5, 5, -1}, {0, 5, 5, -1}, {5, -0.5f, 5, -1}, {5, 5, nan, -1}, {5, 1e30f, 5, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(VoxelIndex(c.x, c.y, c.z, n), c.index) << c.x << " " << c.y << " " << c.z;
}

// Entry 0 is 400 and entry 1 is 200; other entries keep the size.
TEST(VoxelResolution, ListSelectionsSetSizeCentreAndLimit)
{
    for (const auto& [selection, n] : {std::pair{1, 200}, {7, 200}, {0, 400}}) {
        SetVoxelResolution(selection);
        EXPECT_EQ(gVoxelResolution, n) << selection;
        EXPECT_EQ(gVoxelCentreOffset, n / 2) << selection;
        EXPECT_EQ(gVoxelSliceSize, n * n) << selection;
        EXPECT_EQ(gVoxelLimit, n - 3) << selection;
    }
}

// Every point at the view centre.
void CentreKernel(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i < gSlotBatchEnd[slot]; ++i) {
        gPointX[i] = gViewCentre[0];
        gPointY[i] = gViewCentre[1];
        gPointZ[i] = gViewCentre[2];
    }
}

class VoxelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetUpSierpinskiRender(64, 0.9f));
        gViewCentre[0] = 0.25f;
        gPerspectiveFocal = 1.0f;
        gPanX = gPanY = 0.0f;
        SetVoxelResolution(1);
        ASSERT_TRUE(AllocateVoxelGrid());
        ClearRenderBuffers();
    }
    void TearDown() override
    {
        StopRender();
        SetVoxelResolution(0);
        FreeRenderBuffers();
    }
    static size_t Marked()
    {
        size_t marked = 0;
        for (size_t i = 0; i < gColorIndexBufferBytes; ++i) marked += gColorIndexBuffer[i];
        return marked;
    }
    static bool PreviewTouched()
    {
        for (float v : gPreviewDepth) {
            if (v != 0.0f) return true;
        }
        return false;
    }
};

TEST_F(VoxelTest, ThePointAtTheCentreMarksVoxelGGGAndOnlyWorkerZeroDrawsThePreview)
{
    gFractalTypeKernel.store(CentreKernel);
    RunVoxelWorkerCycle(1);
    const int64_t n = gVoxelResolution, g = gVoxelCentreOffset;
    EXPECT_EQ(gColorIndexBuffer[g + g * n * n + g * n], 1);
    EXPECT_EQ(Marked(), 1u);
    EXPECT_FALSE(PreviewTouched());
    RunVoxelWorkerCycle(0);
    EXPECT_TRUE(PreviewTouched());
    // Preview cell (128, 128) holds 128 for the top view.
    EXPECT_EQ(gPreviewDepth[kVoxelPreviewRow * 128 + 128], 128.0f);
}

// Every point at the view centre + (0.5, -0.25, 0.125).
void OffCentreKernel(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i < gSlotBatchEnd[slot]; ++i) {
        gPointX[i] = gViewCentre[0] + 0.5f;
        gPointY[i] = gViewCentre[1] - 0.25f;
        gPointZ[i] = gViewCentre[2] + 0.125f;
    }
}

// N = 200, G = 100, t = G x 0.9: the cube position is (145, 77.5, 111.25)
// and the preview cell (185, 99, 142) with k = 256 / 200.
TEST_F(VoxelTest, AnOffCentrePointMarksItsVoxelAndFillsTheFourProjections)
{
    gFractalTypeKernel.store(OffCentreKernel);
    RunVoxelWorkerCycle(0);
    const int64_t n = gVoxelResolution;
    EXPECT_EQ(gColorIndexBuffer[145 + 77 * n * n + 111 * n], 1);
    EXPECT_EQ(Marked(), 1u);
    constexpr int r = kVoxelPreviewRow;
    EXPECT_EQ(gPreviewDepth[r * 99 + 185], 142.0f);
    EXPECT_EQ(gPreviewDepth[r * (513 - 185) - 142], 99.0f);
    EXPECT_EQ(gPreviewDepth[r * (99 + 1) - 142], 185.0f);
    EXPECT_EQ(gPreviewDepth[r * (99 + 256) + 142], 256.0f - 185.0f);
    int touched = 0;
    for (float v : gPreviewDepth) touched += v != 0.0f;
    EXPECT_EQ(touched, 4);
    // A pan of W moves the cube position by N.
    ClearRenderBuffers();
    gPanX = -0.25f * 64.0f;  // -50 cube units
    RunVoxelWorkerCycle(0);
    EXPECT_EQ(gColorIndexBuffer[95 + 77 * n * n + 111 * n], 1);
    EXPECT_EQ(Marked(), 1u);
}

TEST_F(VoxelTest, TheTetrahedronStaysInsideTheGrid)
{
    for (int k = 0; k < 50; ++k) RunVoxelWorkerCycle(0);
    EXPECT_GT(Marked(), 1000u);
    EXPECT_EQ(gColorIndexBufferBytes, 200u * 200u * 200u);
}

TEST_F(VoxelTest, NewWeightSetsAreNormalisedAndOneTransformationGetsOne)
{
    gRenderRunFlag.store(1);
    RandomizeVoxelWeights();
    EXPECT_NEAR(gTransformWeights[0] + gTransformWeights[1] + gTransformWeights[2] + gTransformWeights[3], 1.0f,
                1e-5f);
    gPickTransformCount = 1;
    RandomizeVoxelWeights();
    EXPECT_EQ(gTransformWeights[0], 1.0f);
    gRenderRunFlag.store(0);
}

TEST_F(VoxelTest, EngineThreadsStartMarkAndStop)
{
    gRenderThreadCount = 3;
    ResetKernelCalls();
    gFractalTypeKernel.store(CountingKernel);
    ASSERT_TRUE(StartVoxelEngineThreads());
    EXPECT_EQ(gScreenState.load(), 8);
    while (TotalKernelCalls() < 30) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    StopRender();
    EXPECT_GT(Marked(), 100u);
    EXPECT_EQ(gRenderActive.load(), 0);
    // A grid smaller than N^3 is refused.
    ASSERT_TRUE(AllocateRenderBuffers(16, 16, false));
    EXPECT_FALSE(StartVoxelEngineThreads());
}

}  // namespace
