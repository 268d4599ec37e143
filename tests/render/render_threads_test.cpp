#include "render/render_threads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/random.h"
#include "engine/point_coloring.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "render/voxel_engine.h"
#include "support/render_test_support.h"

namespace {

// ---- Coordinator schedule with an injected tick source ------------------------
std::vector<uint64_t> gTuneTicks;
uint64_t gFakeTicks = 0;
size_t gStopAfterTunes = 0;

void FakeTick() { ++gFakeTicks; }
void RecordTune()
{
    gTuneTicks.push_back(gFakeTicks);
    if (gStopAfterTunes != 0 && gTuneTicks.size() >= gStopAfterTunes) gRenderRunFlag.store(0);
}

// Outside an animation the tuner runs at tick 25001 and every 25001 after;
// an animation frame of length one ends at tick 100001 after four tunes.
TEST(CoordinatorSchedule, TuneTicksAndTheEndOfAnAnimationFrame)
{
    struct Case {
        uint8_t animation;
        size_t stopAfterTunes;
        std::vector<uint64_t> tunes;
        uint64_t ticks;
    };
    const Case cases[] = {
        {0, 3, {25001, 50002, 75003}, 75003},
        {1, 0, {25000, 50000, 75000, 100000}, 100001},
    };
    for (const Case& c : cases) {
        gTuneTicks.clear();
        gFakeTicks = 0;
        gStopAfterTunes = c.stopAfterTunes;
        gAnimationOn = c.animation;
        gAnimationFrameLength = 1;
        gRenderRunFlag.store(1);
        EXPECT_EQ(RunCoordinatorLoop({FakeTick, RecordTune}), c.ticks) << int(c.animation);
        EXPECT_EQ(gTuneTicks, c.tunes) << int(c.animation);
        EXPECT_EQ(gRenderRunFlag.load(), 0) << int(c.animation);
    }
    gAnimationOn = 0;
}

// ---- One worker cycle, without threads -------------------------------------------
class WorkerCycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetUpSierpinskiRender(kSize, 0.9f));
        gFastShadowUpdate = 1;
        gScreenState.store(0);
        gVolumetricFogOn.store(0);
        gFogJitterRadius = 0.0f;
    }
    void TearDown() override
    {
        gVolumetricFogOn.store(0);
        gMirrorCopy = 0;
        gRgbColoring = 0;
        FreeRenderBuffers();
    }
    static int NonZero(const uint16_t* buffer)
    {
        int cells = 0;
        for (int i = 0; i < kSize * kSize; ++i) cells += buffer[i] != 0;
        return cells;
    }
    static int Covered()
    {
        int cells = 0;
        for (int i = 0; i < kSize * kSize; ++i) cells += gDepthBuffer[i] > 0.0f;
        return cells;
    }
    static constexpr int kSize = 64;
};

// With fog on the shadow map is needed at every cycle, not one in twenty.
TEST_F(WorkerCycleTest, WithFogOnEveryCycleUpdatesTheShadowMap)
{
    gVolumetricFogOn.store(1);
    RunRenderWorkerCycle(RenderWorkerKind::kOrtho, 0);  // warm the orbit up
    for (int k = 0; k < 10; ++k) {
        ClearRenderBuffers();
        RunRenderWorkerCycle(RenderWorkerKind::kOrtho, 0);
        ASSERT_GT(NonZero(gShadowMap), 0) << k;
    }
}

TEST_F(WorkerCycleTest, ShadowsOnUpdateTheMapInAboutFivePercentOfTheCycles)
{
    int updates = 0;
    for (int k = 0; k < 400; ++k) {
        std::fill_n(gShadowMap, kSize * kSize, uint16_t{0});
        RunRenderWorkerCycle(RenderWorkerKind::kOrtho, 0);
        updates += NonZero(gShadowMap) > 0;
    }
    EXPECT_GT(updates, 5);
    EXPECT_LT(updates, 45);
}

TEST_F(WorkerCycleTest, MirrorCopiesOnlyInPaletteColouring)
{
    // Everything in the half x > 0: the mirror copy lands in x < 0.
    for (float& tx : gTransformCoefficients.tx) tx = tx > 0.0f ? 0.45f : 0.05f;  // x in 0.1..0.9
    auto leftHalf = [] {
        int cells = 0;
        for (int py = 0; py < kSize; ++py) {
            for (int px = 0; px < kSize / 2 - 1; ++px) cells += gDepthBuffer[py * kSize + px] > 0.0f;
        }
        return cells;
    };
    gFastShadowUpdate = 0;
    gScreenState.store(2);
    gMirrorCopy = 1;
    RunRenderWorkerCycle(RenderWorkerKind::kOrtho, 0);
    ClearRenderBuffers();
    gRgbColoring = 1;
    RunRenderWorkerCycle(RenderWorkerKind::kOrthoRgb, 0);
    EXPECT_EQ(leftHalf(), 0);
    EXPECT_GT(Covered(), 0);
    gRgbColoring = 0;
    RunRenderWorkerCycle(RenderWorkerKind::kOrtho, 0);
    EXPECT_GT(leftHalf(), 0);
}

// A worker projects only in the screen state and colouring of its kind,
// read every cycle: switched during a render, the workers of the other
// colouring project nothing.
TEST_F(WorkerCycleTest, AWorkerProjectsOnlyTheCasesOfItsOwnKind)
{
    struct Case {
        int screenState;
        uint8_t rgb;
        RenderWorkerKind kind;
        bool draws;
    };
    const Case cases[] = {
        {1, 0, RenderWorkerKind::kOrtho, false},      {1, 0, RenderWorkerKind::kOrthoRgb, false},
        {1, 0, RenderWorkerKind::kPerspective, true}, {2, 1, RenderWorkerKind::kOrtho, false},
        {2, 1, RenderWorkerKind::kOrthoRgb, true},    {2, 0, RenderWorkerKind::kOrthoRgb, false},
        {2, 0, RenderWorkerKind::kOrtho, true},
    };
    gFastShadowUpdate = 0;
    for (const Case& c : cases) {
        ClearRenderBuffers();
        gScreenState.store(c.screenState);
        gRgbColoring = c.rgb;
        RunRenderWorkerCycle(c.kind, 0);
        EXPECT_EQ(Covered() > 0, c.draws) << "state " << c.screenState << " rgb " << int(c.rgb) << " kind "
                                          << static_cast<int>(c.kind);
    }
}

// ---- Threads ---------------------------------------------------------------------
class RenderThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetUpSierpinskiRender(kSize, 0.95f));
        ResetKernelCalls();
        gFractalTypeKernel.store(CountingKernel);
        gRenderThreadCount = 4;
        gProjectionSelector = 0;
        gFastShadowUpdate = 1;
        gVolumetricFogOn.store(0);
        gAnimationOn = 0;
    }
    void TearDown() override
    {
        StopRender();
        FreeRenderBuffers();
        gSymmetryOn.store(0);
        gSymmetryMode.store(kSymmetryModeNormal);
    }

    // Runs until every worker made at least `cycles` kernel calls.
    static void RenderCycles(int64_t cycles)
    {
        ASSERT_TRUE(StartRender());
        for (;;) {
            bool done = true;
            for (int s = 0; s < gRenderThreadCount; ++s) done = done && gKernelCalls[s].load() >= cycles;
            if (done) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        StopRender();
    }

    static bool Covered(int px, int py) { return gDepthBuffer[py * kSize + px] > 0.0f; }

    static void ExpectEverythingStopped()
    {
        EXPECT_EQ(gRenderActive.load(), 0);
        EXPECT_FALSE(gRenderCoordinatorThread.Running());
        for (ThreadHandle& w : gRenderWorkerThreads) ASSERT_FALSE(w.Running());
    }

    // Covered pixels whose turn by 60 degrees about the image centre lands
    // on a covered pixel (within `slack` pixels).
    static void CountSixFoldMatches(int slack, int& covered, int& matched)
    {
        const float half = kSize / 2.0f;
        const float c = std::cos(1.0471976f), s = std::sin(1.0471976f);
        covered = matched = 0;
        for (int py = 8; py < kSize - 8; ++py) {
            for (int px = 8; px < kSize - 8; ++px) {
                if (!Covered(px, py)) continue;
                const float x = px + 0.5f - half, y = py + 0.5f - half;
                const int rx = static_cast<int>(std::floor(c * x - s * y + half));
                const int ry = static_cast<int>(std::floor(s * x + c * y + half));
                if (rx < 2 || ry < 2 || rx >= kSize - 2 || ry >= kSize - 2) continue;
                ++covered;
                bool near = false;
                for (int dy = -slack; dy <= slack && !near; ++dy) {
                    for (int dx = -slack; dx <= slack && !near; ++dx) near = Covered(rx + dx, ry + dy);
                }
                matched += near;
            }
        }
    }

    static constexpr int kSize = 128;
};

TEST_F(RenderThreadTest, StartAndStopFiftyTimesLeavesNoThreadBehind)
{
    for (int round = 0; round < 50; ++round) {
        gRgbColoring = static_cast<uint8_t>(round % 2);
        gProjectionSelector = (round / 2) % 2;
        ASSERT_TRUE(StartRender());
        EXPECT_EQ(gRenderActive.load(), 1);
        StopRender();
        ExpectEverythingStopped();
        if (HasFailure()) return;
    }
    gRgbColoring = 0;
    EXPECT_GT(TotalKernelCalls(), 0);
    // Everything ended: buffers may go now.
    ASSERT_TRUE(AllocateRenderBuffers(kSize / 2, kSize / 2, false));
}

// The window thread and the voxel mesh export thread may both start and
// stop the threads: the calls take turns and every thread is joined once.
TEST_F(RenderThreadTest, StartsAndStopsFromTwoThreadsTakeTurns)
{
    gRenderThreadCount = 2;
    std::thread other([] {
        for (int round = 0; round < 10; ++round) {
            StartRender();
            StopRender();
        }
    });
    for (int round = 0; round < 10; ++round) {
        StartRenderThreads();
        StopRender();
    }
    other.join();
    StopRender();
    ExpectEverythingStopped();
}

// Reallocating or freeing the buffers stops the render first; without
// buffers nothing starts.
TEST_F(RenderThreadTest, BuffersChangeOnlyWithTheRenderStopped)
{
    ASSERT_TRUE(StartRender());
    ASSERT_TRUE(AllocateRenderBuffers(kSize / 2, kSize / 2, false));
    ExpectEverythingStopped();
    ASSERT_TRUE(StartRender());
    FreeRenderBuffers();
    ExpectEverythingStopped();
    EXPECT_FALSE(StartRender());
    ExpectEverythingStopped();
}

// A 10^3 voxel grid is smaller than the 128 x 128 image: the render start
// gives the passes a colour-index buffer of the image's size again.
TEST_F(RenderThreadTest, ARenderAfterTheVoxelEngineGetsAnImageSizedColourIndexBuffer)
{
    const int32_t resolution = gVoxelResolution;
    gVoxelResolution = 10;
    ASSERT_TRUE(AllocateVoxelGrid());
    gVoxelResolution = resolution;
    EXPECT_EQ(gColorIndexBufferBytes, 1000u);
    EXPECT_FALSE(RenderBuffersReady());
    ASSERT_TRUE(StartRender());
    EXPECT_EQ(gColorIndexBufferBytes, static_cast<size_t>(kSize * kSize));
    while (TotalKernelCalls() < 4 * 20) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    StopRender();
    int covered = 0;
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) covered += Covered(px, py);
    }
    EXPECT_GT(covered, 0);
}

TEST_F(RenderThreadTest, PauseWaitsUntilEveryWorkerIsParked)
{
    ASSERT_TRUE(StartRender());
    while (TotalKernelCalls() < 4 * 20) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(PauseRenderWorkers());
    const int64_t held = TotalKernelCalls();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(TotalKernelCalls(), held);
    ResumeRenderWorkers();
    while (TotalKernelCalls() == held) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    StopRender();
    // A pause after the stop does not wait for anything.
    EXPECT_FALSE(PauseRenderWorkers());
    ResumeRenderWorkers();
}

// The worker cycles write the shadow map only with shadows on.
TEST_F(RenderThreadTest, ShadowsOffLeavesTheShadowAndFogBuffersAlone)
{
    gFastShadowUpdate = 0;
    RenderCycles(20);
    EXPECT_EQ(gScreenState.load(), 2);
    for (int i = 0; i < kSize * kSize; ++i) ASSERT_EQ(gShadowMap[i] + gFogSampleBuffer[i], 0) << i;
}

TEST_F(RenderThreadTest, ScreenStatesOutsideTheRenderProjectNothing)
{
    ASSERT_TRUE(StartRender());
    gScreenState.store(5);
    ASSERT_TRUE(PauseRenderWorkers());  // no cycle of the old state in flight
    ClearRenderBuffers();
    ResetKernelCalls();
    ResumeRenderWorkers();
    while (TotalKernelCalls() < 4 * 20) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    StopRender();
    for (int i = 0; i < kSize * kSize; ++i) ASSERT_EQ(gDepthBuffer[i], 0.0f) << i;
}

// With a cycle limit every worker runs exactly that many cycles and then
// waits for the stop; the next start counts afresh.
TEST_F(RenderThreadTest, ACycleLimitEndsEachWorkerAtItsCount)
{
    gRenderThreadCount = 3;
    gRenderCycleLimit = 40;
    for (int round = 0; round < 2; ++round) {
        ResetKernelCalls();
        ASSERT_TRUE(StartRenderThreads());
        while (!RenderCycleLimitReached()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(RenderedCycles(), 3u * 40u);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(RenderedCycles(), 3u * 40u) << "workers at their limit run no more cycles";
        StopRender();
        for (int s = 0; s < 3; ++s) EXPECT_EQ(gKernelCalls[s].load(), 40) << "slot " << s;
        EXPECT_EQ(gKernelCalls[3].load(), 0);
    }
    gRenderCycleLimit = 0;
    EXPECT_FALSE(RenderCycleLimitReached());
}

// The tetrahedron seen along z covers the square [-1, 1]^2 of the image.
TEST_F(RenderThreadTest, SierpinskiTetrahedronOnFourThreadsCoversItsSquare)
{
    gFastShadowUpdate = 0;
    RenderCycles(150);
    int inside = 0, insideCovered = 0, outsideCovered = 0;
    for (int py = 1; py < kSize; ++py) {
        for (int px = 1; px < kSize; ++px) {
            const float x = (px + 0.5f - kSize / 2.0f) / (kSize / 2.0f) / 0.95f;
            const float y = (py + 0.5f - kSize / 2.0f) / (kSize / 2.0f) / 0.95f;
            const bool in = std::fabs(x) < 0.98f && std::fabs(y) < 0.98f;
            const bool out = std::fabs(x) > 1.02f || std::fabs(y) > 1.02f;
            inside += in;
            insideCovered += in && Covered(px, py);
            outsideCovered += out && Covered(px, py);
        }
    }
    EXPECT_GT(insideCovered, inside * 99 / 100);
    EXPECT_EQ(outsideCovered, 0);
    for (int i = 0; i < kSize * kSize; ++i) ASSERT_LE(gDepthBuffer[i], 2.0f * 32767.0f);
}

// "Rotation XY" with six sides: the image is the same after a turn of 60 degrees.
TEST_F(RenderThreadTest, SixFoldRotationModeGivesASixFoldSymmetricImage)
{
    gFastShadowUpdate = 0;
    gViewScale = 0.4f;  // copies reach about 2.3 from the centre
    gSymmetryFoldCount.store(6.0f);
    gSymmetryMode.store(11);
    gSymmetryOn.store(1);
    ASSERT_EQ(SetSymmetryCopyWeights(), 6);
    RenderCycles(400);
    int covered = 0, matched = 0;
    CountSixFoldMatches(1, covered, matched);
    EXPECT_GT(covered, 1000);
    EXPECT_GT(matched, covered * 97 / 100);
    // Without symmetry the same view is not six-fold symmetric.
    ClearRenderBuffers();
    gSymmetryOn.store(0);
    ResetKernelCalls();
    RenderCycles(100);
    int plainCovered = 0, plainMatched = 0;
    CountSixFoldMatches(0, plainCovered, plainMatched);
    EXPECT_LT(plainMatched, plainCovered * 9 / 10);
}

}  // namespace
