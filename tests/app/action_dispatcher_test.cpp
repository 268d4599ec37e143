#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "app/action_buttons.h"
#include "app/action_dispatcher.h"
#include "app/action_widgets.h"
#include "app/buffer_resize.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/pending_services.h"
#include "app/render_control.h"
#include "app/render_size.h"
#include "app/status_line.h"
#include "app/support/gl_interface.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "platform/platform_events.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

namespace {

std::string Status()
{
    char text[kStatusTextSize];
    int width = 0;
    CopyStatusText(text, sizeof text, &width);
    return text;
}

// Every enabled and pressed byte of both button sets, as one string.
std::string ButtonBytes()
{
    std::string bytes;
    for (const Button& b : gMainButtons) bytes += {char('0' + b.visible), char('0' + b.pressed)};
    for (const Button& b : gActionButtons) bytes += {char('0' + b.visible), char('0' + b.pressed)};
    return bytes;
}

void Press(ActionButtonId id) { gActionButtons[id].pressed = 1; }

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
        gActionWidgets = ActionWidgets{};
        gActionWidgets.fractalTypeSelection = gFractalType;
        gCurrentTab = 0;
        gCurrentMaterial = 0;
        ClearStatusText();
    }
    void TearDown() override
    {
        StopRenderAndResetPanel();
        gResizeSleep = SleepMs;
        gCurrentTab = 0;
        gVoxelEngineOn = 0;
        gFileThreadBusy = 0;
        gProceduralTextureBusy = 0;
        gVolumetricFogOn = 0;
        gFractalType = 0;
        gRgbColoring = 0;
    }
    GlInterfaceTest gl_;
};

TEST_F(Dispatcher, AReleaseWithNothingPressedOnlyCopiesTheFogBox)
{
    gActionWidgets.volumetricFogBox = 1;
    gViewScale = 4.0f;
    const std::string buttons = ButtonBytes();
    for (int tab : {0, 2, 5, 1}) {
        gCurrentTab = tab;
        ProcessInterfaceActions();
        EXPECT_EQ(gVolumetricFogOn.load(), tab == 1 ? 1 : 0) << "tab " << tab;
    }
    EXPECT_EQ(gFogJitterRadius, 0.125f);
    EXPECT_EQ(gActionWidgets.fogColorWindowShown, 1);
    EXPECT_EQ(ButtonBytes(), buttons);
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    EXPECT_EQ(Status(), "");
}

TEST_F(Dispatcher, NewFractalWaitsForTheExportAndTypeChangesWaitForPageZero)
{
    gFileThreadBusy = 1;
    Press(kActionNewFractal);
    ProcessInterfaceActions();
    EXPECT_TRUE(ActionPressed(kActionNewFractal)) << "kept while the export runs";
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    gFileThreadBusy = 0;
    ProcessInterfaceActions();
    EXPECT_FALSE(ActionPressed(kActionNewFractal));
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);

    gActionWidgets.fractalTypeSelection = 46;
    gCurrentTab = 1;
    ProcessInterfaceActions();
    EXPECT_EQ(gFractalType, 0) << "not on the render page";
    gCurrentTab = 0;
    ProcessInterfaceActions();
    EXPECT_EQ(gFractalType, 46);
    EXPECT_EQ(gRgbColoring, 1) << "type 46 colours by RGB";
    EXPECT_EQ(gActionWidgets.materialBlendSelection, 6);
    // Back from 46 without "Color by Transformation": colour function 7.
    gActionWidgets.fractalTypeSelection = 1;
    gActionWidgets.sides = 4.7f;
    gActionWidgets.separation = 0.3f;
    ProcessInterfaceActions();
    EXPECT_EQ(gActionWidgets.materialBlendSelection, 7);
    EXPECT_EQ(gActionWidgets.colorFunctionSelection, 7);
    EXPECT_EQ(gActionWidgets.separation, 0.0f) << "type 1 with four sides";
}

TEST_F(Dispatcher, MaterialSlotsStayWithinZeroToNine)
{
    struct Case {
        int slot;
        ActionButtonId button;
        int expected;
    };
    const Case cases[] = {{0, kActionPreviousSlot, 0}, {9, kActionNextSlot, 9}, {4, kActionPreviousSlot, 3},
                          {4, kActionNextSlot, 5}};
    gCurrentTab = 1;
    for (const Case& c : cases) {
        gCurrentMaterial = c.slot;
        std::strcpy(gActionWidgets.slotNumberText, "x");
        Press(c.button);
        ProcessInterfaceActions();
        EXPECT_EQ(gCurrentMaterial, c.expected) << c.slot;
        EXPECT_EQ(std::string(gActionWidgets.slotNumberText), std::to_string(c.expected)) << c.slot << " reloaded";
    }
}

// Each case presses "Preview" too; an early end of the pass leaves it pressed.
TEST_F(Dispatcher, EarlyEndsOfThePass)
{
    struct Case {
        const char* name;
        int tab;
        ActionButtonId button;
        bool voxel, textureBusy;
        const char* status;
    };
    const Case cases[] = {
        {"busy background texture", 1, kActionSelectBackground, false, true,
         "A Procedural Texture calculation is already in progress.."},
        {"busy material texture", 1, kActionSelectA, false, true, "A Procedural Texture calculation is in progress.."},
        {"Clear Fog in voxel mode", 1, kActionClearFog, true, false, ""},
        {"Clr. Shadows in voxel mode", 1, kActionClearShadows, true, false, ""},
        {"Render Animation in voxel mode", 0, kActionRenderAnimation, true, false, ""},
    };
    for (const Case& c : cases) {
        gCurrentTab = c.tab;
        gVoxelEngineOn = c.voxel;
        gProceduralTextureBusy = c.textureBusy;
        gActionWidgets.generatorOn[0] = 1;
        ClearStatusText();
        Press(c.button);
        if (c.button == kActionRenderAnimation) MainButton(kButtonYes).pressed = 1;
        MainButton(kButtonPreview).pressed = 1;
        ProcessInterfaceActions();
        EXPECT_FALSE(ActionPressed(c.button)) << c.name;
        EXPECT_EQ(MainButton(kButtonYes).pressed, 0) << c.name;
        EXPECT_EQ(MainButton(kButtonPreview).pressed, 1) << c.name;
        EXPECT_EQ(Status(), c.status) << c.name;
        MainButton(kButtonPreview).pressed = 0;
    }
    gVoxelEngineOn = 0;
    gProceduralTextureBusy = 0;

    // Outside voxel mode the fog samples are cleared and the pass goes on.
    gCurrentTab = 1;
    gFogSampleBuffer[64 * 48 - 1] = 7;
    Press(kActionClearFog);
    MainButton(kButtonPreview).pressed = 1;
    ProcessInterfaceActions();
    EXPECT_EQ(gFogSampleBuffer[64 * 48 - 1], 0);
    EXPECT_EQ(MainButton(kButtonPreview).pressed, 0);
}

TEST_F(Dispatcher, FailedLoadsSkipTheEpilogueAndChangeKeepsTheWidthAboveTheHeight)
{
    for (ActionButtonId id : {kActionLoadBuffers, kActionLoadFractal}) {
        Press(id);
        ProcessInterfaceActions();
        EXPECT_EQ(gScreenState.load(), kScreenPreview3D) << kActionButtonInfo[id].caption;
        EXPECT_FALSE(ButtonEnabled(kButtonContinue)) << kActionButtonInfo[id].caption;
    }
    gCurrentTab = 2;
    gActionWidgets.resolution[0] = 32;
    gActionWidgets.resolution[1] = 80;
    Press(kActionChange);
    ProcessInterfaceActions();
    EXPECT_EQ(gActionWidgets.resolution[1], 32.0f);
    EXPECT_EQ(gImageWidth, 32);
    EXPECT_EQ(gImageHeight, 32);
    EXPECT_TRUE(RenderBuffersReady());
}

TEST_F(Dispatcher, RandomForbiddenSuccessorsFromAFixedSeed)
{
    struct Case {
        uint32_t seed;
        int32_t count;
        int32_t pairs[5][2];
    };
    // Seed 4's first draw is above 0.95: both successors are drawn.
    const Case cases[] = {
        {7, 2, {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}}},
        {7, 5, {{1, -1}, {2, -1}, {1, -1}, {0, -1}, {0, -1}}},
        {4, 5, {{2, 4}, {0, 1}, {1, 3}, {3, 2}, {1, 2}}},
    };
    for (const Case& c : cases) {
        SeedRandomState(gGlobalRandomB, c.seed);
        gTransformCount = gPickTransformCount = c.count;
        Press(kActionRandomSuccessors);
        ProcessInterfaceActions();
        for (int t = 0; t < 5; ++t) {
            EXPECT_EQ(gForbiddenSuccessors[t][0], c.pairs[t][0]) << c.seed << " " << c.count << " t " << t;
            EXPECT_EQ(gForbiddenSuccessors[t][1], c.pairs[t][1]) << c.seed << " " << c.count << " t " << t;
        }
        EXPECT_EQ(gForbiddenSuccessors[5][0], -1);
    }
    Press(kActionClearSuccessors);
    ProcessInterfaceActions();
    EXPECT_EQ(gForbiddenSuccessors[0][0], -1);
    InstallSierpinskiTetrahedron();
}

TEST(TextureSelect, ColorMapsByTheFilesOwnName)
{
    const std::pair<const char*, bool> names[] = {
        {"fire.map", true}, {"Fire.MAP", true}, {"a.map.png", false}, {"maps.map/a.png", false}, {".map", true},
        {"map", false}, {"", false},
    };
    for (const auto& [name, colorMap] : names) EXPECT_EQ(IsColorMapFileName(name), colorMap) << name;
}

// The services of later parts, each answering its failure value.
TEST(PendingServices, EveryStandInFails)
{
    const uint8_t rgb[3] = {};
    uint8_t out[3] = {};
    const std::pair<const char*, std::function<bool()>> standIns[] = {
        {"SaveFractalData", [] { return SaveFractalData("a", 0); }},
        {"LoadFractalData", [] { return LoadFractalData("a", 1); }},
        {"SaveMaterial", [] { return SaveMaterial("nothing"); }},
        {"LoadMaterial", [] { return LoadMaterial("nothing"); }},
        {"WriteScriptFile", WriteScriptFile},
        {"ReadScriptFile", ReadScriptFile},
        {"CreateRandomFractal", CreateRandomFractal},
        {"StoreTransformEditorUndo", StoreTransformEditorUndo},
        {"ShowSuccessorFields", ShowSuccessorFields},
        {"SetDefaultTransformationCount", SetDefaultTransformationCount},
        {"CanExportKavrolinScene", CanExportKavrolinScene},
        {"WindAnimationToStartFrame", WindAnimationToStartFrame},
        {"ExportStlRawPng", [] { return ExportStlRawPng(VoxelMeshRequest{}); }},
        {"ExportObj", [] { return ExportObj(VoxelMeshRequest{}); }},
        {"ResetMaterialSlot", [] { return ResetMaterialSlot(0); }},
        {"ResetEnvironmentValues", ResetEnvironmentValues},
        {"StoreMaterialPanel", [] { return StoreMaterialPanel(0); }},
        {"LoadMaterialPanel", [] { return LoadMaterialPanel(0); }},
        {"LoadBackgroundImage", LoadBackgroundImage},
        {"RegenerateTexturePresets", [] { return RegenerateTexturePresets(0, 15, 0); }},
        {"SaveTextureBitmap", [] { return SaveTextureBitmap(0, 512, 0); }},
        {"LoadColorMapFile", [] { return LoadColorMapFile("a.map"); }},
        {"LoadColorMapWithDialog", LoadColorMapWithDialog},
        {"SetTextureFromColorMap", [] { return SetTextureFromColorMap(0, 0); }},
        {"LoadTextureFromFile", [] { return LoadTextureFromFile(0, nullptr); }},
        {"SetSlotSolidColor", [&] { return SetSlotSolidColor(0, rgb); }},
        {"CopySlotColor", [&] { return CopySlotColor(0, out); }},
        {"StartProceduralTexture", [] { return StartProceduralTexture(0); }},
    };
    for (const auto& [name, call] : standIns) EXPECT_FALSE(call()) << name;
}

}  // namespace
