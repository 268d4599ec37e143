#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/action_buttons.h"
#include "app/action_widgets.h"
#include "app/buffer_resize.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/mesh_export_thread.h"
#include "app/pending_services.h"
#include "app/render_control.h"
#include "app/render_size.h"
#include "app/status_line.h"
#include "app/support/gl_interface.h"
#include "app/voxel_actions.h"
#include "engine/baseshape_seed_pick.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "platform/platform_events.h"
#include "render/view_camera.h"
#include "render/voxel_engine.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

namespace {

std::string Status()
{
    char text[kStatusTextSize];
    int width = 0;
    CopyStatusText(text, sizeof text, &width);
    return text;
}

// A writer that reads the whole cube it was given until the test lets it
// finish, so a buffer freed under it shows in the sanitizer build.
std::atomic<int> gWriterCalls{0};
std::atomic<bool> gWriterRelease{false};
std::atomic<uint8_t> gWriterFlags{0};
bool SlowWriter(const VoxelMeshRequest& request)
{
    gWriterFlags = static_cast<uint8_t>(request.flagA | request.flagB << 1 | request.flagC << 2);
    ++gWriterCalls;
    const size_t bytes = static_cast<size_t>(request.resolution) * request.resolution * request.resolution;
    unsigned sum = 0;
    do {
        for (size_t i = 0; i < bytes; i += 4096) sum += request.voxels[i];
        std::this_thread::yield();
    } while (!gWriterRelease.load());
    request.progress->store(sum > 0 ? 100.0f : 100.0f);
    return true;
}

void WaitForExportEnd()
{
    while (gMeshExportRunning.load()) std::this_thread::yield();
}

class VoxelActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        InstallSierpinskiTetrahedron();
        ASSERT_TRUE(AllocateRenderBuffers(64, 48, false));
        DeriveRenderSizeValues();
        gRenderThreadCount = 2;
        gScreenState = kScreenPointPreview;
        gResizeSleep = [](uint32_t) {};
        BuildMainButtons();
        ResetActionButtons();
        gActionWidgets = ActionWidgets{};
        gMeshWriters = {SlowWriter, SlowWriter};
        gWriterCalls = 0;
        gWriterRelease = false;
        ClearStatusText();
    }
    void TearDown() override
    {
        gWriterRelease = true;
        WaitForExportEnd();
        FinishMeshExportOnWindowThread();
        StopRenderAndResetPanel();
        gAllocateVoxelCube = AllocateVoxelGrid;
        gMeshWriters = {ExportStlRawPng, ExportObj};
        gResizeSleep = SleepMs;
    }
    GlInterfaceTest gl_;
};

TEST_F(VoxelActions, StartWhileRenderingOnlyUpdatesTheLabel)
{
    gActionWidgets.sideLength = 2.0f;
    gScreenState = kScreenRenderOrthoNoShadow;
    uint8_t* const buffer = gColorIndexBuffer;
    StartVoxelEngineAction();
    EXPECT_STREQ(gActionWidgets.sideLengthLabel, "in (5.080 cm)");
    EXPECT_EQ(gVoxelEngineOn, 0);
    EXPECT_EQ(gColorIndexBuffer, buffer);
    EXPECT_FALSE(ActionButtonEnabled(kActionStlMesh));
}

TEST_F(VoxelActions, CubeSizesFailureAndTheRenderAfterTheStop)
{
    struct Case {
        const char* name;
        int selection;
        bool allocates;
        size_t cubeBytes;  // 0: the cube is refused
    };
    const Case cases[] = {
        {"400x400x400 vx", 0, true, 64000000},
        {"200x200x200 vx", 1, true, 8000000},
        {"no memory for the cube", 1, false, 0},
    };
    for (const Case& c : cases) {
        gActionWidgets.voxelResolutionSelection = c.selection;
        gAllocateVoxelCube = c.allocates ? AllocateVoxelGrid : +[] { return false; };
        float* const depth = gDepthBuffer;
        uint8_t* const colorIndex = gColorIndexBuffer;
        ClearStatusText();
        StartVoxelEngineAction();
        EXPECT_EQ(gDepthBuffer, depth) << c.name << ": the other buffers keep W x H";
        if (c.cubeBytes == 0) {
            EXPECT_EQ(gVoxelEngineOn, 0) << c.name;
            EXPECT_EQ(gColorIndexBuffer, colorIndex) << c.name;
            EXPECT_EQ(Status(), kInsufficientMemoryText) << c.name;
            EXPECT_TRUE(ButtonEnabled(kButtonDraw)) << c.name;
            EXPECT_FALSE(ActionButtonEnabled(kActionStopVoxelEngine)) << c.name;
            continue;
        }
        EXPECT_EQ(gVoxelEngineOn, 1) << c.name;
        EXPECT_EQ(gColorIndexBufferBytes, c.cubeBytes) << c.name;
        EXPECT_EQ(gScreenState.load(), kScreenVoxelBusy) << c.name;
        EXPECT_TRUE(ActionButtonEnabled(kActionStopVoxelEngine)) << c.name;
        EXPECT_FALSE(ActionButtonEnabled(kActionStartVoxelEngine)) << c.name;

        StopVoxelEngineAction();
        EXPECT_EQ(gVoxelEngineOn, 0) << c.name;
        EXPECT_EQ(gColorIndexBufferBytes, 64u * 48u) << c.name << ": back at the render size";
        ASSERT_TRUE(RenderBuffersReady()) << c.name;
        EXPECT_TRUE(StartRenderThreads()) << c.name << ": a render starts at once";
        StopRender();
    }
}

TEST_F(VoxelActions, OneExportAtATimeAndAStopFreesNothingUnderIt)
{
    gActionWidgets.voxelResolutionSelection = 1;
    StartVoxelEngineAction();
    ASSERT_EQ(gVoxelEngineOn, 1);

    // Pressed with the engine off, the export buttons do nothing.
    gActionButtons[kActionRawFile].pressed = 1;
    gVoxelEngineOn = 0;
    MeshExportActions();
    gVoxelEngineOn = 1;
    EXPECT_EQ(gMeshExportRunning.load(), 0);
    EXPECT_EQ(gActionButtons[kActionRawFile].pressed, 0);

    gActionButtons[kActionPngSlices].pressed = 1;
    MeshExportActions();
    while (gWriterCalls.load() == 0) std::this_thread::yield();
    EXPECT_EQ(gWriterFlags.load(), 0b101) << "PNG slices";
    EXPECT_FALSE(gActionWidgets.ySliderShown);

    gActionButtons[kActionObjMesh].pressed = 1;
    MeshExportActions();
    EXPECT_EQ(Status(), "A mesh export is already in progress..");

    // The stop gives the render buffers back while the writer still reads.
    StopVoxelEngineAction();
    EXPECT_EQ(gColorIndexBufferBytes, 64u * 48u);
    gWriterRelease = true;
    WaitForExportEnd();
    FinishMeshExportOnWindowThread();
    EXPECT_EQ(gWriterCalls.load(), 1);
    EXPECT_TRUE(gActionWidgets.ySliderShown);
    EXPECT_EQ(gMeshExportType.load(), kMeshExportStl);
    EXPECT_EQ(gRenderActive.load(), 0) << "voxel mode ended: the engine is not restarted";
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
}

TEST_F(VoxelActions, ExportRestartsTheEngine)
{
    gActionWidgets.voxelResolutionSelection = 1;
    StartVoxelEngineAction();
    gWriterRelease = true;
    gActionButtons[kActionStlMesh].pressed = 1;
    MeshExportActions();
    WaitForExportEnd();
    EXPECT_EQ(gWriterFlags.load(), 0) << "STL";
    EXPECT_EQ(gScreenState.load(), kScreenVoxelBusy);
    EXPECT_EQ(gRenderActive.load(), 1);
}

}  // namespace
