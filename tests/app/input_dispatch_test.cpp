#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/param_help.h"
#include "app/render_control.h"
#include "app/pending_services.h"
#include "app/support/app_interface.h"
#include "app/support/preview_scene.h"
#include "app/point_preview.h"
#include "platform/preview_target.h"
#include "support/screenshot.h"
#include "app/text_field.h"
#include "app/view_drags.h"
#include "app/window_messages.h"
#include "engine/fractal_model.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"

namespace {

namespace fs = std::filesystem;

void Send(PlatformEventType type, int x, int yUp, int button = 0, int wheel = 0)
{
    PlatformEvent e;
    e.type = type;
    e.x = x;
    e.y = 1000 - yUp;  // drawable pixels of a 1600 x 1000 window, y down
    e.button = button;
    e.wheelDelta = wheel;
    HandleWindowEvent(e);
}
void Press(int x, int y) { Send(PlatformEventType::MouseDown, x, y, kMouseLeft); }
void Release(int x, int y) { Send(PlatformEventType::MouseUp, x, y, kMouseLeft); }
void Click(int x, int y) { Press(x, y), Release(x, y); }
void Notch(int x, int y, int delta)
{
    Send(PlatformEventType::MouseMove, x, y);
    Send(PlatformEventType::MouseWheel, x, y, 0, delta);
}
void Key(int key) { PlatformEvent e; e.type = PlatformEventType::KeyDown; e.key = key; HandleWindowEvent(e); }

// The middle of a slider window's row (row 0 the highest).
int RowX(const ThumbwheelWindow& w) { return static_cast<int>(w.left + w.right) / 2; }
int RowY(const ThumbwheelWindow& w, int row)
{
    return static_cast<int>(w.bottom + (static_cast<float>(w.rows - 1 - row) + 0.5f) * w.rowHeight);
}
// The middle of tab i of a strip.
int TabX(const TabStrip& t, int i) { return static_cast<int>(t.TabLeft(i) + t.tabWidth / 2); }
int TabY(const TabStrip& t) { return static_cast<int>(t.bottom + t.top) / 2; }

class InputDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        InitGlobalState();
        gShader.InitializeTextures();
        gImageWidth = gImageHeight = 2048;
        gAntiAlias2x = 0;
        CreateInterface();
        OnWindowResized(1600, 1000, false);
        gScreenState = kScreenPointPreview;
        gRenderInBuffers = 0;
        gXFormsEditorOpen = gBaseShapeEditorOpen = 0;
    }
    void TearDown() override { gCurrentTab = gMainTab.selected = 0; }
    void ShowTab(int tab) { Click(TabX(gMainTab, tab), TabY(gMainTab)); }
    AppInterfaceTest gl_;
};

TEST_F(InputDispatch, RenderAnimationStartsInOneClick)
{
    ShowTab(6);
    Button& b = gInterface.renderAnimation;
    b.visible = 1;
    gAnimationOn = 0;
    Press((b.rect[0] + b.rect[2]) / 2, (b.rect[1] + b.rect[3]) / 2);
    EXPECT_EQ(gMainButtons[kButtonYes].pressed, 1);
    EXPECT_EQ(gAnimationOn, 1);
    gMainButtons[kButtonYes].pressed = 0;
    gAnimationOn = 0;
}

TEST_F(InputDispatch, RenderResolutionNeverPasses3072)
{
    ShowTab(2);
    SLWindow& w = gRenderResolutionWindow;
    // "*2" at 2048.
    Button& twice = gInterface.timesTwo;
    Click((twice.rect[0] + twice.rect[2]) / 2, (twice.rect[1] + twice.rect[3]) / 2);
    EXPECT_EQ(w.Value(0), 3072.0f);
    EXPECT_EQ(w.Value(1), 3072.0f);
    // The last preset.
    NewDropBox& presets = gInterface.resolutionPresets;
    w.value[0] = w.value[1] = 1000.0f;
    presets.first = presets.LastFirst();
    Click(static_cast<int>(presets.x0) + 20, static_cast<int>(presets.y0) + 12);
    EXPECT_EQ(presets.GetSelected(), 17);
    EXPECT_EQ(w.Value(0), 3072.0f);
    EXPECT_EQ(w.Value(1), 3072.0f);
    // A drag far to the right of the width row.
    w.value[0] = 2000.0f;
    Press(RowX(w), RowY(w, 0));
    for (int x = RowX(w); x < RowX(w) + 600; x += 50) Send(PlatformEventType::MouseMove, x, RowY(w, 0));
    Release(RowX(w) + 600, RowY(w, 0));
    EXPECT_EQ(w.Value(0), 3072.0f);
    EXPECT_EQ(w.Value(1), 3072.0f);
}

TEST_F(InputDispatch, FixedViewByLabel)
{
    ShowTab(2);
    HListBox& list = gInterface.fixedView;
    int cell = 0;
    while (cell < 6 && std::string(FixedViewLabel(cell)) != "L") ++cell;
    ASSERT_LT(cell, 6);
    Click(static_cast<int>(list.x0 + (static_cast<float>(cell) + 0.5f) * list.cell),
          static_cast<int>(list.y0 + 1.5f * list.cell));
    const float expected[9] = {-1, 0, 0, 0, 1, 0, 0, 0, -1};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(gCameraRotation[i], expected[i]) << i;
}

TEST_F(InputDispatch, LeavingEditorsReturnsToThePointPreview)
{
    ShowTab(3);
    gXFormsEditorOpen = 1;
    Click(TabX(gEditorTab, 1), TabY(gEditorTab));
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    EXPECT_EQ(gZoom3DSlider.visible, 1);
    ShowTab(5);
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    EXPECT_EQ(gXFormsEditorOpen, 0);
    EXPECT_EQ(gZoomSlider.visible, 1);
    EXPECT_EQ(gZoom3DSlider.visible, 0);
}

TEST_F(InputDispatch, ThreadSliderDragWritesTheSetting)
{
    const fs::path file = fs::temp_directory_path() / ("talvoran_input_" + std::to_string(::getpid()) + ".ini");
    ::setenv("TALVORAN_SETTINGS_FILE", file.c_str(), 1);
    ShowTab(0);
    SLWindow& w = gRenderThreadsWindow;
    Press(RowX(w), RowY(w, 0));
    Send(PlatformEventType::MouseMove, RowX(w) + 40, RowY(w, 0));
    Release(RowX(w) + 40, RowY(w, 0));
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    ::unsetenv("TALVORAN_SETTINGS_FILE");
    fs::remove(file);
    EXPECT_NE(text.str().find("PNumber"), std::string::npos) << text.str();
}

TEST_F(InputDispatch, WheelNotches)
{
    SLWindow& res = gRenderResolutionWindow;
    SLWindow& gamma = gInterface.gammaCorrection;
    SLWindow& fog = gInterface.volumetricFogColor;
    gamma.visible = 1;  // as the "Advanced" page shows it
    struct Case {
        const char* name;
        int tab, page;
        SLWindow* window;
        int row, delta;
        float before, after;
    } const cases[] = {
        {"resolution towards the user", 2, 0, &res, 1, -120, 1000.0f, 1016.0f},
        {"resolution away", 2, 0, &res, 0, 120, 1000.0f, 984.0f},
        {"gamma near 1 snaps", 1, 3, &gamma, 0, -120, 0.905f, 1.0f},
        {"environment while Materials shows", 1, 0, &fog, 0, -120, 0.5f, 0.6f},
        {"environment while Shaders shows", 1, 2, &fog, 0, -120, 0.5f, 0.5f},
    };
    for (const Case& c : cases) {
        gCurrentTab = gMainTab.selected = c.tab;
        gRenderTab.selected = c.page;
        gInterface.enableVolumetricFog.flags[0] = 1;
        gInterface.SyncRenderFlags();
        c.window->value[c.row] = c.before;
        Notch(RowX(*c.window), RowY(*c.window, c.row), c.delta);
        EXPECT_EQ(c.window->Value(c.row), c.after) << c.name;
    }
    // Hidden: the fog colour without volumetric fog takes nothing.
    gRenderTab.selected = 1;
    gInterface.enableVolumetricFog.flags[0] = 0;
    gInterface.SyncRenderFlags();
    Notch(RowX(fog), RowY(fog, 0), -120);
    EXPECT_EQ(fog.Value(0), 0.5f);
    EXPECT_STREQ(SideLengthReadout(9.99f), "in (25.375 cm)");
    EXPECT_STREQ(SideLengthReadout(10.0f), " in (25.400 cm)");
}

TEST_F(InputDispatch, HelpPickTypedAndStored)
{
    gFractalType = 20;  // three parameters: transformation 0's x, y, z
    ShowTab(3);
    gEditorTab.selected = 1;
    gParamHelpWindow.visible = 1;
    const SLWindow2& w = gParamHelpWindow;
    const int topRow = static_cast<int>(w.y0 + (static_cast<float>(w.rows) - 0.5f) * w.rowHeight);
    Press(static_cast<int>(w.x0) + 20, topRow);
    Release(static_cast<int>(w.x0) + 20, topRow);
    ASSERT_TRUE(TextInputActive());
    EXPECT_EQ(gTextInput.target, &gTransforms[0].position[0]);
    gTextInput.text = "0.25";
    gPointPreviewValid = 1;
    Key(kKeyReturn);
    EXPECT_EQ(gTransforms[0].position[0], 0.25f);
    EXPECT_EQ(gPointPreviewValid, 0);
    gFractalType = 0;
}

// The preview after a fixed trackball drag, then the text field with its
// caret over it, drawn by the program's own frame.
TEST_F(InputDispatch, Screenshots)
{
    if (!gl_.llvmpipe()) GTEST_SKIP() << "the references were drawn by llvmpipe";
    if (!CreatePreviewTarget()) GTEST_SKIP() << "no framebuffer objects";
    CreatePreviewTexture();
    ASSERT_TRUE(SetUpPreviewScene(512, 512, 0.0f, 0.0f));
    ClearPreviewPbuffer();
    ClearPreviewPlanes();
    gPreviewRefresh = 1;
    gRotateMode = kRotateTrackBall;
    // What earlier presses left on the widgets that CreateInterface keeps.
    gInputBox.active = 0;
    gInterface.fixedView.selected = 0;
    gInterface.resolutionPresets.SetSelected(0);
    gInterface.resolutionPresets.first = 0;
    ShowTab(2);
    Press(1116, 576);
    for (int step = 1; step <= 12; ++step) Send(PlatformEventType::MouseMove, 1116 + 12 * step, 576 + 6 * step);
    Release(1260, 648);
    DrawFrame();
    ScreenshotResult r = CompareWithReference("preview_after_drag", gl_.Frame(), gl_.Width(), gl_.Height(), 24, 0.004);
    EXPECT_TRUE(r.ok) << r.message;

    float value = 0.5f;
    OpenTextInput(&value, 15, 42);
    gTextInput.caret = 3;
    gTextInput.blinkCounter = 0;
    gTextInput.caretVisible = 1;
    DrawFrame();
    r = CompareWithReference("text_field", gl_.Frame(), gl_.Width(), gl_.Height(), 24, 0.004);
    EXPECT_TRUE(r.ok) << r.message;
    EndTextInput();
    DeletePreviewTexture();
    DestroyPreviewTarget();
    FreeRenderBuffers();
}

}  // namespace
