#include "render/render_buffers.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <limits>
#include <utility>

#include "render/voxel_engine.h"

namespace {

TEST(RenderBuffers, AllocatesEveryBufferZeroedAndDoublesFor2xAntiAliasing)
{
    ASSERT_TRUE(AllocateRenderBuffers(64, 32, false));
    EXPECT_EQ(gImageWidth, 64);
    EXPECT_EQ(gImageHeight, 32);
    EXPECT_EQ(gImageWidthLast, 63);
    EXPECT_EQ(gImageHeightLast, 31);
    EXPECT_FLOAT_EQ(gHalfImageWidth, 32.0f);
    EXPECT_TRUE(RenderBuffersReady());
    EXPECT_EQ(gColorIndexBufferBytes, 64u * 32u);
    EXPECT_EQ(gDofDepthBuffer, gFogSampleBuffer);

    ASSERT_TRUE(AllocateRenderBuffers(64, 32, true));
    EXPECT_EQ(gImageWidth, 128);
    EXPECT_EQ(gImageHeight, 64);
    EXPECT_EQ(gAntiAlias2x, 1);
    for (int i = 0; i < 128 * 64; ++i) ASSERT_EQ(gDepthBuffer[i], 0.0f);
    gShadowMap[128 * 128 - 1] = 7;  // the shadow map is W x W
    FreeRenderBuffers();
    EXPECT_FALSE(RenderBuffersReady());
}

TEST(RenderBuffers, ImpossibleSizesFailAndKeepThePreviousBuffers)
{
    ASSERT_TRUE(AllocateRenderBuffers(16, 16, false));
    gDepthBuffer[5] = 3.0f;
    EXPECT_FALSE(AllocateRenderBuffers(0, 16, false));
    EXPECT_FALSE(AllocateRenderBuffers(-4, 16, false));
    // Still the same buffers: a size check fails before anything is freed.
    EXPECT_EQ(gDepthBuffer[5], 3.0f);
    const int32_t huge = std::numeric_limits<int32_t>::max();
    EXPECT_FALSE(AllocateRenderBuffers(huge, huge, true));
#if !defined(TALVORAN_ADDRESS_SANITIZER)
    // The address sanitizer aborts on such a request instead of failing it.
    EXPECT_FALSE(AllocateRenderBuffers(1 << 28, 1 << 28, false));  // memory runs out
#endif
    EXPECT_EQ(gDepthBuffer[5], 3.0f) << "what the buffers held is kept";
    EXPECT_EQ(gImageWidth, 16);
    EXPECT_EQ(gImageHeight, 16);
    EXPECT_TRUE(RenderBuffersReady());
    FreeRenderBuffers();
}

// "Change" to the largest render size with 2X anti-aliasing in a process
// whose address space has room for 200 MB more: the allocation fails, and
// the buffers of the size before stay, with what they held.
TEST(RenderBuffers, ARealAddressSpaceLimitGivesBackTheOldSize)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!AllocateRenderBuffers(300, 200, false)) ::_exit(3);
        const auto mark = [](int v) {
            gDepthBuffer[300 * 200 - 1] = static_cast<float>(v), gColorIndexBuffer[17] = static_cast<uint8_t>(v);
            gPointColorPlanes[2][300 * 200 - 1] = static_cast<uint8_t>(v), gSubPixelBuffer[1] = static_cast<uint8_t>(v);
            gShadowMap[300 * 300 - 1] = static_cast<uint16_t>(v), gFogSampleBuffer[0] = static_cast<uint16_t>(v);
        };
        mark(9);
#if !defined(TALVORAN_ADDRESS_SANITIZER) && !defined(TALVORAN_THREAD_SANITIZER)
        // The sanitizers reserve terabytes of address space, so only the
        // plain build can set the limit; there the request must fail.
        unsigned long pages = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%lu", &pages) != 1) ::_exit(4);
        std::fclose(statm);
        rlimit limit{};
        ::getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = pages * static_cast<unsigned long>(::sysconf(_SC_PAGESIZE)) + (200ul << 20);
        if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(5);
        if (AllocateRenderBuffers(3072, 3072, true)) ::_exit(1);
#endif
        const bool old = gImageWidth == 300 && gImageHeight == 200 && RenderBuffersReady() &&
                         gDepthBuffer[300 * 200 - 1] == 9.0f && gColorIndexBuffer[17] == 9 &&
                         gPointColorPlanes[2][300 * 200 - 1] == 9 && gSubPixelBuffer[1] == 9 &&
                         gShadowMap[300 * 300 - 1] == 9 && gFogSampleBuffer[0] == 9;
        ::_exit(old ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the limit did not hold, 2: the old buffers were not kept as they were";
}

// The same size again (also as 2X anti-aliasing of half of it) keeps the
// buffers where they are, cleared; the voxel engine's grid in the
// colour-index buffer gives way to W x H bytes.
TEST(RenderBuffers, TheSameSizeKeepsTheBuffersCleared)
{
    ASSERT_TRUE(AllocateRenderBuffers(64, 32, false));
    const float* depth = gDepthBuffer;
    for (bool antiAlias : {false, true}) {
        gDepthBuffer[64 * 32 - 1] = 1.0f, gShadowMap[64 * 64 - 1] = 2, gPointColorPlanes[1][0] = 3;
        gColorIndexBuffer[5] = 4, gExportRowPairs[3][127] = 5;
        ASSERT_TRUE(antiAlias ? AllocateRenderBuffers(32, 16, true) : AllocateRenderBuffers(64, 32, false));
        EXPECT_EQ(gDepthBuffer, depth);
        EXPECT_EQ(gAntiAlias2x, antiAlias ? 1 : 0);
        EXPECT_EQ(gDepthBuffer[64 * 32 - 1] + gShadowMap[64 * 64 - 1] + gPointColorPlanes[1][0] + gColorIndexBuffer[5] +
                      gExportRowPairs[3][127],
                  0.0f);
    }
    SetVoxelResolution(1);  // 200^3 bytes
    ASSERT_TRUE(AllocateVoxelGrid());
    ASSERT_EQ(gColorIndexBufferBytes, 200u * 200u * 200u);
    ASSERT_TRUE(AllocateRenderBuffers(32, 16, true));
    EXPECT_EQ(gColorIndexBufferBytes, 64u * 32u);
    EXPECT_TRUE(RenderBuffersReady());
    SetVoxelResolution(0);
    FreeRenderBuffers();
}

// A small image and one whose buffers span many pages and end inside one:
// the first and last entries of every buffer are cleared.
TEST(RenderBuffers, ClearZeroesBuffersButKeepsPreviewColourPlanes)
{
    for (const auto& [w, h] : {std::pair{8, 4}, std::pair{1000, 701}}) {
        ASSERT_TRUE(AllocateRenderBuffers(w, h, false));
        const size_t last = static_cast<size_t>(w) * h - 1;
        for (size_t i : {size_t{0}, last}) {
            gDepthBuffer[i] = 1.0f;
            gPointColorPlanes[2][i] = 4;
            gSubPixelBuffer[2 * i + 1] = 5;
            gColorIndexBuffer[i] = 7;
            gFogSampleBuffer[i] = 8;
        }
        gShadowMap[static_cast<size_t>(w) * w - 1] = 9;
        gExportRowPairs[3][2 * w - 1] = 6;
        gPreviewDepth[kPreviewSize * kPreviewSize - 1] = 2.0f;
        gPreviewPlanes[3][17] = 1;
        gPreviewPlanes[0][17] = 200;
        ClearRenderBuffers();
        for (size_t i : {size_t{0}, last}) {
            EXPECT_EQ(gDepthBuffer[i], 0.0f) << w;
            EXPECT_EQ(gPointColorPlanes[2][i], 0) << w;
            EXPECT_EQ(gSubPixelBuffer[2 * i + 1], 0) << w;
            EXPECT_EQ(gColorIndexBuffer[i], 0) << w;
            EXPECT_EQ(gFogSampleBuffer[i], 0) << w;
        }
        EXPECT_EQ(gShadowMap[static_cast<size_t>(w) * w - 1], 0);
        EXPECT_EQ(gExportRowPairs[3][2 * w - 1], 0);
        EXPECT_EQ(gPreviewDepth[kPreviewSize * kPreviewSize - 1], 0.0f);
        EXPECT_EQ(gPreviewPlanes[3][17], 0);
        EXPECT_EQ(gPreviewPlanes[0][17], 200);
    }
    FreeRenderBuffers();
    ClearRenderBuffers();  // harmless without buffers
}

}  // namespace
