#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "app/action_buttons.h"
#include "app/action_dispatcher.h"
#include "app/buffer_resize.h"
#include "app/create_interface.h"
#include "engine/file_dialogs.h"
#include "app/frame.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/mesh_export_thread.h"
#include "app/panel_state.h"
#include "app/pending_services.h"
#include "app/procedural_texture_thread.h"
#include "app/render_control.h"
#include "app/render_size.h"
#include "engine/status_line.h"
#include "support/gl_interface.h"
#include "app/voxel_actions.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "materials/shader.h"
#include "platform/desktop/platform_events.h"
#include "platform/scripted_dialogs.h"
#include "render/projection_passes.h"
#include "render/symmetry_modes.h"
#include "shading/shading_settings.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "render/voxel_engine.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

namespace {

std::string Status() { return gStatusText; }

std::string ButtonBytes()
{
    std::string bytes;
    for (int i = 0; i < kMainButtonCount; ++i)
        bytes += {char('0' + gMainButtonEnabled[i]), char('0' + gMainButtons[i].pressed)};
    for (int i = 0; i < kActionButtonCount; ++i)
        bytes += {char('0' + gActionButtonEnabled[i]), char('0' + gActionButtons[i].pressed)};
    return bytes;
}

void Release(ActionButtonId id)
{
    gActionButtons[id].pressed = 1;
    ProcessInterfaceActions();
}

// A writer that reads the whole cube it was given until the test lets it
// finish, so a cube freed under it shows in the sanitizer build.
std::atomic<int> gWriterCalls{0};
std::atomic<bool> gWriterRelease{false};
std::atomic<int> gWriterFlags{0};
MeshExportStatus SlowWriter(VoxelMeshRequest& request)
{
    gWriterFlags = request.volume | request.obj << 1 | request.png << 2;
    ++gWriterCalls;
    const size_t bytes = static_cast<size_t>(request.resolution) * request.resolution * request.resolution;
    unsigned sum = 0;
    do {
        for (size_t i = 0; i < bytes; i += 4096) sum += request.voxels[i];
        std::this_thread::yield();
    } while (!gWriterRelease.load());
    request.progress->store(sum > 0 ? 100.0f : 99.0f);
    return MeshExportStatus{};
}

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

void WaitForExportEnd()
{
    while (gMeshExportRunning.load()) std::this_thread::yield();
    FinishMeshExportOnWindowThread();
}

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        InstallSierpinskiTetrahedron();
        ASSERT_TRUE(AllocateRenderBuffers(64, 48, false));
        DeriveRenderSizeValues();
        gRenderThreadCount = 2;
        gScreenState = kScreenPreview3D;
        gResizeSleep = [](uint32_t) {};
        BuildMainButtons();
        ResetActionButtons();
        gPanel = PanelState{};
        gPanel.fractalTypeChoice = gFractalType;
        gMeshWriters = {SlowWriter, SlowWriter};
        gWriterCalls = 0;
        gWriterRelease = false;
        ClearStatusText();
    }
    void TearDown() override
    {
        gWriterRelease = true;
        WaitForExportEnd();
        StopRenderAndResetPanel();
        gAllocateVoxelCube = AllocateVoxelGrid;
        gMeshWriters = kVolumetricFieldWriters;
        gResizeSleep = SleepMs;
        gCurrentTab = gShader.currentMaterial = gFractalType = 0;
        gFileThreadBusy = gProceduralTextureBusy = gVolumetricFogOn = 0;
    }
    GlInterfaceTest gl_;
};

TEST_F(Dispatcher, AReleaseWithNothingPressedChangesNothing)
{
    const std::string buttons = ButtonBytes();
    for (int tab : {0, 2, 5, 1}) {
        gCurrentTab = tab;
        ProcessInterfaceActions();
    }
    EXPECT_EQ(ButtonBytes(), buttons);
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    EXPECT_EQ(Status(), "");
}

// "Reset Env. Parameters" puts the fog, turbidity and fog colour back.
TEST_F(Dispatcher, EnvironmentResetRestoresTheWindows)
{
    ShadingSettings& s = gShadingSettings;
    s.fog[0] = s.turbidity = s.volumetricFogColor[0] = 9.0f;
    s.volumetricFogColor[2] = 0.0f;
    gCurrentTab = 1;
    Release(kActionResetEnvParameters);
    EXPECT_EQ(s.fog[0], 0.15f);
    EXPECT_EQ(s.fog[1], 3.5f);
    EXPECT_EQ(s.turbidity, 5.0f);
    EXPECT_EQ(s.volumetricFogColor[0], 1.5f);
    EXPECT_EQ(s.volumetricFogColor[2], 1.5f);
    EXPECT_EQ(Status(), "Reset all environment parameters");
}

TEST_F(Dispatcher, NewFractalWaitsForTheExportAndTypeChangesWaitForPageZero)
{
    gFileThreadBusy = 1;
    Release(kActionNewFractal);
    EXPECT_TRUE(ActionPressed(kActionNewFractal)) << "kept while the export runs";
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    gFileThreadBusy = 0;
    ProcessInterfaceActions();
    EXPECT_FALSE(ActionPressed(kActionNewFractal));
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);

    gPanel.fractalTypeChoice = 46;
    gCurrentTab = 1;
    ProcessInterfaceActions();
    EXPECT_EQ(gFractalType, 0) << "not on the render page";
    gCurrentTab = 0;
    ProcessInterfaceActions();
    EXPECT_EQ(gFractalType, 46);
    EXPECT_EQ(gShadingSettings.materialColorBlend, 6);
    gPanel.fractalTypeChoice = 1;
    gSymmetryFoldCount = 4.7f;
    gSymmetrySeparation = 0.3f;
    ProcessInterfaceActions();
    EXPECT_EQ(gShadingSettings.materialColorBlend, 7) << "back from 46 without colour by transformation";
    EXPECT_EQ(gSymmetrySeparation.load(), 0.0f) << "type 1 with four sides";
    gSymmetryFoldCount = 6.0f;
    gSymmetrySeparation = 1.0f;
}

TEST_F(Dispatcher, SlotsStayWithinZeroToNineAndChangeKeepsWidthAboveHeight)
{
    const struct {
        int slot;
        ActionButtonId button;
        int expected;
    } cases[] = {{0, kActionPreviousSlot, 0}, {9, kActionNextSlot, 9}, {4, kActionPreviousSlot, 3}};
    gCurrentTab = 1;
    for (const auto& c : cases) {
        gShader.currentMaterial = c.slot;
        Release(c.button);
        EXPECT_EQ(gShader.currentMaterial, c.expected) << c.slot;
    }
    // "Reset Parameters" restores the sliders' values of the current slot
    // alone and leaves its textures.
    gShader.currentMaterial = 2;
    for (int m : {2, 3}) {
        gShader.specularMagnitude[m] = gShader.shadowDepth[m] = 7.0f;
        gShader.curveMode1[m] = 0;
        gShader.useTextureA[m] = 1;
    }
    Release(kActionResetParameters);
    EXPECT_EQ(gShader.specularMagnitude[2], 90.0f);
    EXPECT_EQ(gShader.shadowDepth[2], 0.25f);
    EXPECT_EQ(gShader.curveMode1[2], 6u);
    EXPECT_EQ(gShader.useTextureA[2], 1);
    EXPECT_EQ(gShader.shadowDepth[3], 7.0f) << "another slot";
    gCurrentTab = 2;
    gPanel.renderSize[0] = 32;
    gPanel.renderSize[1] = 80;
    Release(kActionChange);
    EXPECT_EQ(gImageWidth, 32);
    EXPECT_EQ(gImageHeight, 32);
    EXPECT_TRUE(RenderBuffersReady());
}

// Each case presses "Preview" too: an early end of the pass leaves it pressed.
TEST_F(Dispatcher, EarlyEndsAndFailedLoads)
{
    const struct {
        const char* name;
        int tab;
        ActionButtonId button;
        bool voxel, textureBusy, ends;
        const char* status;
    } cases[] = {
        {"busy background texture", 1, kActionSelectBackground, false, true, true,
         "A Procedural Texture calculation is already in progress.."},
        {"busy texture", 1, kActionSelectA, false, true, true, "A Procedural Texture calculation is in progress.."},
        {"Clear Fog in voxel mode", 1, kActionClearFog, true, false, true, ""},
        {"Clr. Shadows in voxel mode", 1, kActionClearShadows, true, false, true, ""},
        {"Render Animation in voxel mode", 0, kActionRenderAnimation, true, false, true, ""},
        {"Clear Fog", 1, kActionClearFog, false, false, false, ""},
        {"failed buffer load", 0, kActionLoadBuffers, false, false, false, ""},
        {"failed fractal load", 0, kActionLoadFractal, false, false, false, ""},
    };
    gPanel.generatorOn[0] = 1;
    for (const auto& c : cases) {
        gCurrentTab = c.tab;
        gVoxelEngineOn = c.voxel;
        gProceduralTextureBusy = c.textureBusy;
        gFogSampleBuffer[64 * 48 - 1] = 7;
        ClearStatusText();
        if (c.button == kActionRenderAnimation) MainButton(kButtonYes).pressed = 1;
        MainButton(kButtonPreview).pressed = 1;
        Release(c.button);
        EXPECT_FALSE(ActionPressed(c.button) || MainButton(kButtonYes).pressed) << c.name;
        EXPECT_EQ(MainButton(kButtonPreview).pressed, c.ends ? 1 : 0) << c.name;
        EXPECT_EQ(Status(), c.status) << c.name;
        EXPECT_EQ(gScreenState.load(), kScreenPreview3D) << c.name << ": no load epilogue";
        if (!c.ends) {
            EXPECT_EQ(gFogSampleBuffer[64 * 48 - 1], c.button == kActionClearFog ? 0 : 7) << c.name;
        }
        MainButton(kButtonPreview).pressed = 0;
    }
    gVoxelEngineOn = 0;
}

TEST_F(Dispatcher, RandomForbiddenSuccessorsFromAFixedSeed)
{
    const struct {
        uint32_t seed;
        int32_t count;
        int32_t pairs[5][2];
    } cases[] = {
        {7, 2, {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}}},
        {7, 5, {{1, -1}, {2, -1}, {1, -1}, {0, -1}, {0, -1}}},
        {4, 5, {{2, 4}, {0, 1}, {1, 3}, {3, 2}, {1, 2}}},  // first draw above 0.95: both
    };
    for (const auto& c : cases) {
        SeedRandomState(gGlobalRandomB, c.seed);
        gTransformCount = gPickTransformCount = c.count;
        Release(kActionRandomSuccessors);
        for (int t = 0; t < 6; ++t) {
            for (int k = 0; k < 2; ++k) {
                EXPECT_EQ(gForbiddenSuccessors[t][k], t < 5 ? c.pairs[t][k] : -1) << c.seed << " " << c.count << " " << t;
            }
        }
    }
    Release(kActionClearSuccessors);
    EXPECT_EQ(gForbiddenSuccessors[0][0], -1);
    InstallSierpinskiTetrahedron();
}

TEST_F(Dispatcher, VoxelCubesTheirFailureAndTheRenderAfterTheStop)
{
    gCurrentTab = 5;
    // A running render, or an image export reading the buffers: no engine.
    for (const bool exporting : {false, true}) {
        gScreenState = exporting ? kScreenExport : kScreenRenderOrthoNoShadow;
        gFileThreadBusy = exporting;
        Release(kActionStartVoxelEngine);
        EXPECT_EQ(gVoxelEngineOn, 0) << exporting;
    }
    gFileThreadBusy = 0;

    const struct {
        int selection;
        bool allocates;
        size_t cubeBytes;
    } cases[] = {{0, true, 64000000}, {1, true, 8000000}, {1, false, 0}};
    gScreenState = kScreenPointPreview;
    for (const auto& c : cases) {
        gPanel.voxelResolution = c.selection;
        gAllocateVoxelCube = c.allocates ? AllocateVoxelGrid : +[] { return false; };
        float* const depth = gDepthBuffer;
        ClearStatusText();
        Release(kActionStartVoxelEngine);
        EXPECT_EQ(gDepthBuffer, depth) << c.selection << ": the other buffers keep W x H";
        EXPECT_EQ(gVoxelEngineOn, c.allocates ? 1 : 0) << c.selection;
        EXPECT_EQ(ActionButtonEnabled(kActionStopVoxelEngine), c.allocates) << c.selection;
        EXPECT_EQ(Status(), c.allocates ? "" : kInsufficientMemoryText) << c.selection;
        if (!c.allocates) continue;
        EXPECT_EQ(gColorIndexBufferBytes, c.cubeBytes) << c.selection;
        EXPECT_EQ(gScreenState.load(), kScreenVoxelBusy) << c.selection;
        Release(kActionStopVoxelEngine);
        EXPECT_EQ(gColorIndexBufferBytes, 64u * 48u) << c.selection << ": back at the render size";
        EXPECT_TRUE(StartRenderThreads()) << c.selection << ": a render starts at once";
        StopRender();
    }
}

TEST_F(Dispatcher, OneMeshExportAtATimeAndAStopFreesNothingUnderIt)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    gCurrentTab = 5;
    gPanel.voxelResolution = 1;
    gScreenState = kScreenPointPreview;
    Release(kActionStartVoxelEngine);
    ASSERT_EQ(gVoxelEngineOn, 1);
    // A cancelled dialog starts nothing and gives the file operation back.
    dialogs.QueueFileCancel();
    Release(kActionRawFile);
    EXPECT_EQ(gMeshExportRunning.load(), 0);
    EXPECT_EQ(gFileOperationBusy.load(), 0);

    dialogs.QueueFile("/tmp/slices");
    dialogs.QueueFile("/tmp/cube.stl");
    Release(kActionPngSlices);
    while (gWriterCalls.load() == 0) std::this_thread::yield();
    EXPECT_EQ(gWriterFlags.load(), 0b101) << "PNG slices";
    EXPECT_EQ(gFileOperationBusy.load(), 1) << "held by the running export";
    Release(kActionObjMesh);
    EXPECT_EQ(Status(), "A mesh export is already in progress..");

    Release(kActionStopVoxelEngine);  // the buffers come back while the writer reads
    EXPECT_EQ(gColorIndexBufferBytes, 64u * 48u);
    gWriterRelease = true;
    WaitForExportEnd();
    EXPECT_EQ(gWriterCalls.load(), 1);
    EXPECT_EQ(gRenderActive.load(), 0) << "voxel mode ended: the engine stays off";

    Release(kActionStartVoxelEngine);
    Release(kActionStlMesh);
    WaitForExportEnd();
    EXPECT_EQ(gWriterFlags.load(), 0) << "STL";
    EXPECT_EQ(gScreenState.load(), kScreenVoxelBusy);
    EXPECT_EQ(gRenderActive.load(), 1) << "the engine runs again";
    EXPECT_EQ(gFileOperationBusy.load(), 0);
    const std::vector<DialogPrompt> p = dialogs.Prompts();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].file.filters[0].name + p[1].file.filters[0].name + p[2].file.filters[0].name,
              "RAW FilesPNG FilesSTL Files ");
    EXPECT_EQ(p[1].file.defaultExtension, "") << "the slices add their own ending";
}

TEST(TextureSelect, ColorMapsByTheFilesOwnName)
{
    const std::pair<const char*, bool> names[] = {
        {"fire.map", true}, {"Fire.MAP", true}, {"a.map.png", false}, {"maps.map/a.png", false}, {"map", false},
    };
    for (const auto& [name, colorMap] : names) EXPECT_EQ(IsColorMapFileName(name), colorMap) << name;
}

// The services of later parts, each answering its failure value.
TEST(PendingServices, EveryStandInFails)
{
    const std::pair<const char*, bool> results[] = {
        {"SaveFractalData", SaveFractalData("a", 0)}, {"LoadFractalData", LoadFractalData("a", 1)},
        {"WriteScriptFile", WriteScriptFile()}, {"ReadScriptFile", ReadScriptFile()},
        {"CreateRandomFractal", CreateRandomFractal()},
    };
    for (const auto& [name, result] : results) EXPECT_FALSE(result) << name;
}

}  // namespace
