// The actions behind the buttons, pressed where the program draws them:
// resets, the material slots, a new render size, the forbidden successors,
// the voxel engine with a failing allocation, and one mesh export at a time
// with the engine stopped under it; "Help" where no browser opens the page;
// the script type's word when it has no script.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/action_buttons.h"
#include "app/action_dispatcher.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/mesh_export_thread.h"
#include "app/panel_state.h"
#include "app/procedural_texture_thread.h"
#include "app/render_control.h"
#include "app/status_line_drawing.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "app/voxel_actions.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/file_dialogs.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "engine/script_program.h"
#include "engine/status_line.h"
#include "materials/shader.h"
#include "platform/asset_paths.h"
#include "platform/shell_open.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/voxel_engine.h"
#include "shading/shading_settings.h"
#include "ui/thumb_wheel.h"

namespace fs = std::filesystem;

namespace {

std::string Status() { return gStatusText; }

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
    request.voxels[0] = 1;  // its cleaning, at a corner the engine never reaches
    unsigned sum = 0;
    do {
        for (size_t i = 0; i < bytes; i += 4096) sum += request.voxels[i];
        std::this_thread::yield();
    } while (!gWriterRelease.load());
    request.progress->store(sum > 0 ? 100.0f : 99.0f);
    return MeshExportStatus{};
}

bool MeshExportEnded() { return gMeshExportRunning.load() == 0; }

class ProgramActions : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_actions_");
        StartOnce();
    }
    void SetUp() override
    {
        ProgramTest::SetUp();
        Keep(gMeshWriters), Keep(gAllocateVoxelCube);
        // The slow writer starts each test unheld and uncalled.
        gWriterCalls = 0, gWriterRelease = false, gWriterFlags = 0;
        ClearStatusText();
    }
    // A writer held by a test that stopped early is let go, and the voxel
    // engine a test started is stopped.
    void TearDown() override
    {
        gWriterRelease = true;
        EXPECT_TRUE(gProgram.WaitUntil(MeshExportEnded, 60000));
        if (gVoxelEngineOn) {
            gProgram.GoTo(kTabVoxels);
            Click("Stop the Voxel Engine");
        }
        ProgramTest::TearDown();
    }
};

// "Reset Env. Parameters" puts the fog, turbidity and fog colour back;
// "Reset Parameters" the current material's values alone, not its textures.
TEST_F(ProgramActions, ResetsRestoreTheirOwnValues)
{
    ShadingSettings& s = gShadingSettings;
    Keep(s.fog), Keep(s.turbidity), Keep(s.volumetricFogColor);
    Keep(gShader.specularMagnitude), Keep(gShader.shadowDepth), Keep(gShader.curveMode1), Keep(gShader.currentMaterial);
    s.fog[0] = s.turbidity = s.volumetricFogColor[0] = 9.0f;
    gProgram.GoTo(kTabRender, kPageEnvironment);
    Click("Reset Env. Parameters");
    EXPECT_EQ(s.fog[0], 0.15f);
    EXPECT_EQ(s.fog[1], 3.5f);
    EXPECT_EQ(s.turbidity, 5.0f);
    EXPECT_EQ(s.volumetricFogColor[0], 1.5f);
    EXPECT_EQ(Status(), "Reset all environment parameters");

    gProgram.GoTo(kTabRender, kPageMaterials, kMaterialAmbient);
    for (int m : {0, 1}) {
        gShader.specularMagnitude[m] = gShader.shadowDepth[m] = 7.0f;
        gShader.curveMode1[m] = 0;
    }
    Click("$");
    ASSERT_EQ(gShader.currentMaterial, 1);
    Click("Reset Parameters");
    EXPECT_EQ(gShader.specularMagnitude[1], 90.0f);
    EXPECT_EQ(gShader.shadowDepth[1], 0.25f);
    EXPECT_EQ(gShader.curveMode1[1], 6u);
    EXPECT_EQ(gShader.shadowDepth[0], 7.0f) << "another material";
    // The slots stop at 0 and 9.
    for (int i = 0; i < 12; ++i) Click("#");
    EXPECT_EQ(gShader.currentMaterial, 0);
    for (int i = 0; i < 12; ++i) Click("$");
    EXPECT_EQ(gShader.currentMaterial, 9);
}

// "RND" draws forbidden successors from the interface's generator; "CLR"
// clears them.
TEST_F(ProgramActions, ForbiddenSuccessorsFromAFixedSeed)
{
    const struct {
        uint32_t seed;
        int32_t pairs[5][2];
    } cases[] = {
        {7, {{1, -1}, {2, -1}, {1, -1}, {0, -1}, {0, -1}}},
        {4, {{2, 4}, {0, 1}, {1, 3}, {3, 2}, {1, 2}}},  // first draw above 0.95: both of each pair
    };
    ASSERT_TRUE(ActionButtonEnabled(kActionRandomSuccessors));
    gTransformCount = gPickTransformCount = 5;  // a set of five maps
    for (const auto& c : cases) {
        SeedRandomState(gGlobalRandomB, c.seed);
        Click("RND");
        for (int t = 0; t < 5; ++t)
            for (int k = 0; k < 2; ++k) EXPECT_EQ(gForbiddenSuccessors[t][k], c.pairs[t][k]) << c.seed << " " << t;
    }
    Click("CLR");
    for (int t = 0; t < 5; ++t) EXPECT_EQ(gForbiddenSuccessors[t][0], -1);
}

// A texture job in progress turns "Select" and the background's "Select"
// away with a message; in voxel mode "Clear Fog" leaves the fog alone.
TEST_F(ProgramActions, BusyStatesTurnActionsAway)
{
    Keep(gPanel.generatorOn), Keep(gProceduralTextureBusy), Keep(gVoxelEngineOn);
    gProgram.GoTo(kTabRender, kPageMaterials, kMaterialAmbient);
    Click("Texture Generator");
    ASSERT_EQ(gPanel.generatorOn[0], 1);
    gProceduralTextureBusy = 1;  // a texture job runs
    Click("Select (Ambient)");
    EXPECT_EQ(Status(), "A Procedural Texture calculation is in progress..");

    gProgram.GoTo(kTabRender, kPageShaders);
    gFogSampleBuffer[7] = 7;
    gVoxelEngineOn = 1;  // only the flag: no engine runs
    Click("Clear Fog");
    EXPECT_EQ(gFogSampleBuffer[7], 7);
    gVoxelEngineOn = 0;
    Click("Clear Fog");
    EXPECT_EQ(gFogSampleBuffer[7], 0);
}

// The engine's cube fails to allocate: a message and no engine; it
// allocates: the engine runs at the chosen size, and every way out of voxel
// mode (its stop, "New Fractal", another cube size) frees the cube and gives
// the render buffers back for a render that starts at once.
TEST_F(ProgramActions, TheVoxelEngineStartsOnlyWithItsCube)
{
    gProgram.GoTo(kTabVoxels);
    const int64_t pixels = static_cast<int64_t>(gImageWidth) * gImageHeight;
    const struct {
        int row;  // "Voxel Resolution" from the lowest: 0 "400x400x400 vx", 1 "200x200x200 vx"
        bool allocates;
        size_t cubeBytes;
        const char* end;  // what ends voxel mode
    } cases[] = {{1, false, 0, nullptr},
                 {1, true, 8000000, "Stop the Voxel Engine"},
                 {0, true, 64000000, "Stop the Voxel Engine"},
                 {0, true, 64000000, "New Fractal"},
                 {1, true, 8000000, "Voxel Resolution"}};
    for (const auto& c : cases) {
        gAllocateVoxelCube = c.allocates ? AllocateVoxelGrid : +[] { return false; };
        Click("Voxel Resolution", c.row);
        ClearStatusText();
        Click("Start the Voxel Engine");
        EXPECT_EQ(gVoxelEngineOn, c.allocates ? 1 : 0) << c.row;
        if (!c.allocates) {
            EXPECT_EQ(Status(), kInsufficientMemoryText) << c.row;
            continue;
        }
        EXPECT_EQ(gColorIndexBufferBytes, c.cubeBytes) << c.row;
        Click(c.end, std::string(c.end) == "Voxel Resolution" ? 1 - c.row : 0);
        EXPECT_EQ(gVoxelEngineOn, 0) << c.end;
        EXPECT_EQ(static_cast<int64_t>(gColorIndexBufferBytes), pixels) << c.end << ": back at the render size";
        gProgram.GoTo(kTabVoxels);
    }
}

// One mesh export at a time; a cancelled dialog starts none; stopping the
// engine while a writer reads its cube frees nothing under it.
TEST_F(ProgramActions, OneMeshExportAtATimeAndAStopFreesNothingUnderIt)
{
    gMeshWriters = {SlowWriter, SlowWriter};
    gProgram.GoTo(kTabVoxels);
    Click("Voxel Resolution", 1);
    Click("Start the Voxel Engine");
    ASSERT_EQ(gVoxelEngineOn, 1);
    gDialogs.QueueFileCancel();
    Click("RAW File");
    EXPECT_EQ(gMeshExportRunning.load(), 0);
    EXPECT_EQ(gFileOperationBusy.load(), 0);

    gDialogs.QueueFile((gDir / "slices").string());
    Click("PNG Slices");
    while (gWriterCalls.load() == 0) std::this_thread::yield();
    EXPECT_EQ(gWriterFlags.load(), 0b101) << "PNG slices";
    Click("OBJ Mesh");
    EXPECT_EQ(Status(), "A mesh export is already in progress..");
    Click("Stop the Voxel Engine");  // the buffers come back while the writer reads
    gWriterRelease = true;
    EXPECT_TRUE(gProgram.WaitUntil(MeshExportEnded, 60000));
    gProgram.Frames(2);
    EXPECT_EQ(gWriterCalls.load(), 1);
    EXPECT_EQ(gVoxelEngineOn, 0);
    EXPECT_EQ(gFileOperationBusy.load(), 0);
}

// The writer's cleaning stays in the cube the engine goes on filling, but
// not in a cube started afresh while the writer ran.
TEST_F(ProgramActions, TheCleaningStaysInTheEnginesCube)
{
    gMeshWriters = {SlowWriter, SlowWriter};
    gWriterRelease = true;
    gProgram.GoTo(kTabVoxels);
    Click("Voxel Resolution", 1);
    Click("Start the Voxel Engine");
    ASSERT_EQ(gVoxelEngineOn, 1);
    gDialogs.QueueFile((gDir / "cleaned.stl").string());
    Click("STL Mesh");
    ASSERT_TRUE(gProgram.WaitUntil(MeshExportEnded, 60000));
    EXPECT_EQ(gColorIndexBuffer[0], 1);

    gWriterRelease = false;
    const int calls = gWriterCalls.load();
    gDialogs.QueueFile((gDir / "cleaned.obj").string());
    Click("OBJ Mesh");
    while (gWriterCalls.load() == calls) std::this_thread::yield();
    Click("Stop the Voxel Engine");
    Click("Start the Voxel Engine");
    ASSERT_EQ(gVoxelEngineOn, 1);
    gWriterRelease = true;
    ASSERT_TRUE(gProgram.WaitUntil(MeshExportEnded, 60000));
    EXPECT_EQ(gColorIndexBuffer[0], 0);
}

// Pixels of the window that the "Zoom" slider's rectangle shows lit.
int LitInZoomSlider()
{
    const WindowPicture shot = Shot();
    const YSlider& z = gZoomSlider;
    int lit = 0;
    for (int y = static_cast<int>(z.y0) + 1; y < static_cast<int>(z.y1); y += 2)
        for (int x = static_cast<int>(z.x0) + 1; x < static_cast<int>(z.x1); x += 2) {
            const uint8_t* p = shot.At(x, y);
            lit += std::max({p[0], p[1], p[2]}) > 40 ? 1 : 0;
        }
    return lit;
}

// While a mesh export runs the export view shows its progress and the
// "Zoom" slider of the point preview is neither shown nor drawn; it is back
// once the export has ended.
TEST_F(ProgramActions, TheZoomSliderStandsAsideWhileAMeshExportRuns)
{
    gMeshWriters = {SlowWriter, SlowWriter};
    gWriterRelease = false;
    gProgram.GoTo(kTabVoxels);
    Click("Voxel Resolution", 1);
    Click("Start the Voxel Engine");
    ASSERT_EQ(gVoxelEngineOn, 1);
    gProgram.Frames(1);
    ASSERT_EQ(gZoomSlider.visible, 1);
    const int shown = LitInZoomSlider();
    EXPECT_GT(shown, 100);

    const int calls = gWriterCalls.load();
    gDialogs.QueueFile((gDir / "zoom.stl").string());
    Click("STL Mesh");
    while (gWriterCalls.load() == calls) std::this_thread::yield();
    gProgram.Frames(2);
    EXPECT_EQ(gZoomSlider.visible, 0);
    EXPECT_LT(LitInZoomSlider(), shown / 10);
    Shot("mesh_export_zoom");

    gWriterRelease = true;
    ASSERT_TRUE(gProgram.WaitUntil(MeshExportEnded, 60000));
    gProgram.Frames(2);
    EXPECT_EQ(gZoomSlider.visible, 1);
    EXPECT_EQ(LitInZoomSlider(), shown);
}

// A stand-in xdg-open first on PATH while the object lives.
class FakeXdgOpen {
public:
    explicit FakeXdgOpen(const std::string& script) : saved_(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        fs::create_directories(folder_);
        {
            std::ofstream out(folder_ / "xdg-open");
            out << "#!/bin/sh\n" << script << "\n";
        }
        fs::permissions(folder_ / "xdg-open", fs::perms::owner_all);
        ::setenv("PATH", (folder_.string() + ":" + saved_).c_str(), 1);
    }
    ~FakeXdgOpen()
    {
        ::setenv("PATH", saved_.c_str(), 1);
        fs::remove_all(folder_);
    }

private:
    fs::path folder_ = gDir / "bin";
    std::string saved_;
};

bool RefuseToOpen(const char*) { return false; }

// "Help" and "TALVORAN News" open the help page with the desktop's program.
// Where none opens it (xdg-open cannot start, or starts and finds no
// browser) the status line says so and where the page is; an open that
// worked says nothing.
TEST_F(ProgramActions, HelpSaysWhereThePageIsWhenNoBrowserOpensIt)
{
    struct Case {
        const char* button;
        int tab;
        const char* xdgOpen;  // the stand-in's exit; null: xdg-open cannot start
        bool says;
    };
    const Case cases[] = {
        {"Help", kTabFractals, nullptr, true},
        {"Help", kTabFractals, "exit 3", true},       // no browser for the page
        {"TALVORAN News", kTabAbout, "exit 4", true},  // the browser failed
        {"Help", kTabCamera, "exit 0", false},
    };
    const std::string page = fs::absolute(fs::path(InstallFolder()) / "help" / "index.html").string();
    const auto said = [] { return Status().find("No browser opened the help page") != std::string::npos; };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.xdgOpen ? c.xdgOpen : " refused"));
        const fs::path ran = gDir / "xdg-open-ran";
        fs::remove(ran);
        SetDesktopOpener(c.xdgOpen ? nullptr : RefuseToOpen);
        {
            const FakeXdgOpen fake("touch '" + ran.string() + "'; " + (c.xdgOpen ? c.xdgOpen : ""));
            gProgram.GoTo(c.tab);
            Click(c.button);
            if (c.xdgOpen) {
                EXPECT_TRUE(FramesUntil([&] { return fs::exists(ran); }, 2000));
            }
            // The report comes from the thread that waits for xdg-open.
            FramesUntil(said, c.says ? 2000 : 20);
        }
        SetDesktopOpener(nullptr);
        EXPECT_EQ(said(), c.says) << Status();
        if (c.says) {
            EXPECT_EQ(Status(), "No browser opened the help page. It is at " + page);
        }
        if (c.tab == kTabAbout) {
            gProgram.Frames(1);
            Shot("help_page_not_opened");
        }
    }
}

TEST(TextureSelect, ColorMapsByTheFilesOwnName)
{
    const std::pair<const char*, bool> names[] = {
        {"fire.map", true}, {"Fire.MAP", true}, {"a.map.png", false}, {"maps.map/a.png", false}, {"map", false},
    };
    for (const auto& [name, colorMap] : names) EXPECT_EQ(IsColorMapFileName(name), colorMap) << name;
}

// "Talvoran Script" picked through "Fractal Type" with no script loaded:
// the pick, "New Fractal" and "Render" say in the status line, whole, where
// its script comes from; once "Load Script" has loaded one, none of them does.
TEST_F(ProgramActions, TheScriptTypeWithoutAScriptSaysWhereScriptsAreLoaded)
{
    Keep(gScriptProgram);
    gScriptProgram.tformCount = 0;
    LimitRenderCycles(200);
    const auto pressAll = [](const char* shot) {
        std::vector<std::string> said;
        for (int press = 0; press < 3; ++press) {
            ClearStatusText();
            if (press == 0) PickFractalType(kScriptFractalType);
            if (press == 1) gProgram.ClickControl(WindowBottomControls(), "New Fractal");
            if (press == 2) PressRender();
            gProgram.Frames(2);
            said.push_back(DrawnStatusLine());
        }
        if (shot) Shot(shot);
        gProgram.ClickControl(WindowBottomControls(), "Stop");
        gProgram.Frames(2);
        return said;
    };
    PickFractalType(0);
    EXPECT_EQ(pressAll("script_type_without_a_script"), std::vector<std::string>(3, kNoScriptText));
    ASSERT_EQ(gFractalType, kScriptFractalType);

    std::ofstream(gDir / "three.prg") << "tform\nscale 0.5 0.5 0.5\ntform\nscale 0.5 0.5 0.5\ntranslate 0.5 0 0\n"
                                         "tform\nscale 0.5 0.5 0.5\ntranslate 0 0.5 0\n";
    gDialogs.QueueFile((gDir / "three.prg").string());
    gProgram.GoTo(kTabFractals);
    Click("Load Script");
    gProgram.Frames(2);
    ASSERT_EQ(Status(), "Script Loaded");
    PickFractalType(0);
    for (const std::string& said : pressAll(nullptr)) EXPECT_NE(said, kNoScriptText);
    EXPECT_EQ(gScriptProgram.tformCount, 3);
}

}  // namespace
