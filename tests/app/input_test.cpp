#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/action_buttons.h"
#include "app/interface_drawing.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "app/point_preview.h"
#include "editors/xforms_editor.h"
#include "app/render_control.h"
#include "app/support/app_interface.h"
#include "app/support/preview_scene.h"
#include "app/text_field.h"
#include "app/view_drags.h"
#include "app/view_zoom.h"
#include "app/window_messages.h"
#include "engine/fractal_model.h"
#include "materials/shader.h"
#include "platform/desktop/preview_target.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"
#include "support/screenshot.h"

namespace {

namespace fs = std::filesystem;

const float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

void Send(PlatformEventType type, int x, int y, int button = 0, int wheel = 0)
{
    PlatformEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    e.wheelDelta = wheel;
    HandleWindowEvent(e);
}

void Key(int key) { PlatformEvent e; e.type = PlatformEventType::KeyDown; e.key = key; HandleWindowEvent(e); }
void Type(const char* text)
{
    for (; *text; ++text) {
        PlatformEvent e;
        e.type = PlatformEventType::Character;
        e.character = static_cast<uint8_t>(*text);
        HandleWindowEvent(e);
    }
}

void SendUp(PlatformEventType type, int x, int yUp, int button = 0, int wheel = 0)
{
    Send(type, x, 1000 - yUp, button, wheel);
}
void Press(int x, int y) { SendUp(PlatformEventType::MouseDown, x, y, kMouseLeft); }
void Release(int x, int y) { SendUp(PlatformEventType::MouseUp, x, y, kMouseLeft); }
void Click(int x, int y) { Press(x, y), Release(x, y); }
void Notch(int x, int y, int delta)
{
    SendUp(PlatformEventType::MouseMove, x, y);
    SendUp(PlatformEventType::MouseWheel, x, y, 0, delta);
}

class ViewInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        OnWindowResized(1600, 1000, false);
        std::memcpy(gCameraRotation, kIdentity, sizeof kIdentity);
        gScreenState = kScreenPointPreview;
        gRenderInBuffers = 0;
        gControlSensitivity = 1.0f;
        gRotateMode = kRotateTrackBall;
        gMoveMode = kMoveXY;
        gPanX = gPanY = 0.0f;
        gZoom = 1.0f;
        gFocal = gInverseFocal = 1.0f;
        ResetDragVectors();
    }
    void TearDown() override { gRotateMode = kRotateTrackBall; }
};

TEST_F(ViewInput, StartVectorsOfEachMode)
{
    struct Case {
        const char* name;
        int mode, x, y;
        float vx, vy, vz, factor;
    };
    const float h = std::sqrt(0.5f);
    const Case cases[] = {
        {"TBall centre", kRotateTrackBall, 1116, 424, 0, 0, 1, 1},
        {"TBall beyond the sphere", kRotateTrackBall, 1416, 124, h, h, 0, h * 416.0f / 300.0f},
        {"Yr half way", kRotateY, 1324, 100, 0.5f, 0, std::sqrt(0.75f), 1},
        {"mode outside the list", 9, 800, 800, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        gRotateMode = c.mode;
        ResetDragVectors();
        Send(PlatformEventType::MouseDown, c.x, c.y, kMouseLeft);
        const DragVector v = gViewDragStart;
        EXPECT_NEAR(v.x, c.vx, 1e-6) << c.name;
        EXPECT_NEAR(v.y, c.vy, 1e-6) << c.name;
        EXPECT_NEAR(v.z, c.vz, 1e-6) << c.name;
        EXPECT_NEAR(v.factor, c.factor, 1e-6) << c.name;
    }
    Send(PlatformEventType::MouseDown, 0, 0, kMouseLeft);  // the click point (0, 1000)
    EXPECT_EQ(gLastPointerX + gLastPointerY, 0);
}

float MaxDeviationFromIdentity(const float* m)
{
    float worst = 0.0f;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            float dot = 0.0f;
            for (int k = 0; k < 3; ++k) dot += m[3 * i + k] * m[3 * j + k];
            worst = std::fmax(worst, std::fabs(dot - (i == j ? 1.0f : 0.0f)));
        }
    return worst;
}

TEST_F(ViewInput, DragsThatTurnNothing)
{
    // No motion on the sphere, then a "Zr" move straight across the centre.
    struct Case {
        const char* name;
        int mode, x0, y0, x1, y1;
    } const cases[] = {
        {"p1 equal to p0", kRotateTrackBall, 1200, 300, 1200, 300},
        {"Zr across the centre", kRotateZ, 1216, 424, 1016, 424},
    };
    for (const Case& c : cases) {
        gRotateMode = c.mode;
        Send(PlatformEventType::MouseDown, c.x0, c.y0, kMouseLeft);
        Send(PlatformEventType::MouseMove, c.x1, c.y1);
        Send(PlatformEventType::MouseUp, c.x1, c.y1, kMouseLeft);
        for (int i = 0; i < 9; ++i) EXPECT_EQ(gCameraRotation[i], kIdentity[i]) << c.name << " element " << i;
    }
}

TEST_F(ViewInput, YrAlongTheCentreLineTurnsAboutTheVerticalOnly)
{
    gRotateMode = kRotateY;
    Send(PlatformEventType::MouseDown, 1116, 424, kMouseLeft);
    for (int x = 1120; x < 1400; x += 20) Send(PlatformEventType::MouseMove, x, 424);
    Send(PlatformEventType::MouseUp, 1400, 424, kMouseLeft);
    EXPECT_LT(gCameraRotation[0], 0.99f);  // it did turn
    for (int i : {1, 3, 5, 7}) EXPECT_NEAR(gCameraRotation[i], 0.0f, 1e-6) << i;
}

// Left drags turn the camera; in edit mode right drags turn the 3-D
// preview's own view (column-major) and leave the camera.
TEST_F(ViewInput, TenThousandRandomStepsStayOrthonormal)
{
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    float editView[9], camera[9];
    for (int button : {kMouseLeft, kMouseRight}) {
        gXFormsEditorOpen = gRenderInBuffers = button == kMouseRight ? 1 : 0;
        gXFormsEditor.windowRow = 3;  // "Camera" with "Rotate": the editor's view turns
        gXFormsEditor.controlsRow = 1;
        std::memcpy(camera, gCameraRotation, sizeof camera);
        for (int step = 0; step < 10000; ++step) {
            if (step % 100 == 0) {
                gRotateMode = button == kMouseRight ? next(3) + 1 : next(4);
                Send(PlatformEventType::MouseUp, 0, 0, button);
                Send(PlatformEventType::MouseDown, 701 + next(831), 9 + next(831), button);
            }
            Send(PlatformEventType::MouseMove, 701 + next(831), 9 + next(831));
        }
        Send(PlatformEventType::MouseUp, 0, 0, button);
    }
    gXFormsEditorOpen = 0;
    for (int i = 0; i < 9; ++i) editView[i] = gPreview3DFreeView[4 * (i % 3) + i / 3];
    EXPECT_LT(MaxDeviationFromIdentity(gCameraRotation), 1e-5f);
    EXPECT_LT(MaxDeviationFromIdentity(editView), 1e-5f);
    EXPECT_NE(editView[0], 1.0f);
    EXPECT_EQ(std::memcmp(camera, gCameraRotation, sizeof camera), 0);
}

TEST_F(ViewInput, ViewWheelAndPans)
{
    gImageWidth = gImageHeight = 832;
    gPanX = gPanY = 10.0f;
    Send(PlatformEventType::MouseMove, 1100, 400);
    Send(PlatformEventType::MouseWheel, 1100, 400, 0, -120);  // towards the user
    EXPECT_FLOAT_EQ(gPanX, 10.0f * 1.02f);
    EXPECT_FLOAT_EQ(gZoom, 1.01f);
    gPanX = gPanY = 10.0f;
    gZoom = 1.0f;
    Send(PlatformEventType::MouseWheel, 1100, 400, 0, 120);
    EXPECT_FLOAT_EQ(gPanY, 9.8f);
    EXPECT_FLOAT_EQ(gZoom, 0.98f);
    Send(PlatformEventType::MouseWheel, 100, 400, 0, 120);  // outside the view
    EXPECT_FLOAT_EQ(gZoom, 0.98f);
    // A right drag pans by the pointer travel; a notch on the way only
    // scales what the drag has done, and the next move goes on from there.
    gPanX = gPanY = 0.0f;
    Send(PlatformEventType::MouseDown, 1000, 400, kMouseRight);
    Send(PlatformEventType::MouseMove, 1010, 395);
    EXPECT_FLOAT_EQ(gPanX, 10.0f);
    EXPECT_FLOAT_EQ(gPanY, 5.0f);
    Send(PlatformEventType::MouseWheel, 1010, 395, 0, 120);
    const float panX = gPanX, panY = gPanY;
    Send(PlatformEventType::MouseMove, 1010, 395);
    Send(PlatformEventType::MouseUp, 1010, 395, kMouseRight);
    EXPECT_FLOAT_EQ(gPanX, panX);
    EXPECT_FLOAT_EQ(gPanY, panY);

    // On the 3-D preview the wheel moves the focal length instead.
    gScreenState = kScreenPreview3D;
    Send(PlatformEventType::MouseWheel, 1100, 400, 0, -120);
    EXPECT_FLOAT_EQ(gInverseFocal, 1.0f / 1.01f);
}

TEST(TextField, TypingAndStoring)
{
    struct Case {
        const char* name;
        const char* typed;  // after the opened value is erased
        float stored;       // kept: 7
    } const cases[] = {
        {"exponent", "1.5e2", 150.0f},
        {"letters", "abc", 0.0f},
        {"not a number", "nan", 7.0f},
        {"infinity", "inf", 7.0f},
        {"beyond the float range", "1e99", 7.0f},
    };
    for (const Case& c : cases) {
        float target = 7.0f;
        OpenTextInput(&target, 10, 42);
        EXPECT_EQ(gTextInput.text, "7.00000") << c.name;
        for (int i = 0; i < 8; ++i) Type("\b");
        Type(c.typed);
        Key(kKeyReturn);
        EXPECT_TRUE(target == c.stored && !TextInputActive()) << c.name;
    }

    float target = 1.0f;
    OpenTextInput(&target, 10, 42);
    gTextInput.caret = 0;
    Type("\b");                 // Backspace at 0
    Key(kKeyRight);
    Key(kKeyLeft);
    gTextInput.caret = static_cast<int>(gTextInput.text.size());
    Key(kKeyDelete);            // Delete at the end
    EXPECT_EQ(gTextInput.text, "1.00000");
    Key(kKeyEscape);
    gTextInput.active = 1;      // reopened before Esc's character arrives
    Type("\x1b" "5");
    EXPECT_EQ(gTextInput.text, "1.000005");
    EndTextInput();

    // A field on memory that is rebuilt closes and never writes through it.
    float block[4] = {};
    OpenTextInput(&block[2], 10, 42);
    ForgetTextInputTarget(block, sizeof block);
    Key(kKeyReturn);
    EXPECT_EQ(block[2], 0.0f);
}

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
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        InitGlobalState();
        gShader.InitializeTextures();
        gImageWidth = gImageHeight = 2048;
        gAntiAlias2x = 0;
        CreateInterface();
        OnWindowResized(1600, 1000, false);
        gScreenState = kScreenPointPreview;
        gRenderInBuffers = 0;
        gXFormsEditorOpen = gBaseShapeEditorOpen = 0;
        gZoom = 1.0f;
        gPanX = gPanY = 0.0f;
    }
    void TearDown() override { gCurrentTab = 0; }
    void ShowTab(int tab) { Click(TabX(gMainTab, tab), TabY(gMainTab)); }
    AppInterfaceTest gl_;
};

TEST_F(InputDispatch, RenderAnimationStartsInOneClick)
{
    ShowTab(6);
    const Button& b = gActionButtons[kActionRenderAnimation];
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
    NewDropBox& presets = gInterface.resolutionPresets;
    const Button& twice = gActionButtons[kActionTimesTwo];
    struct Way {
        const char* name;
        std::function<void()> act;
        float height;
    } const ways[] = {
        {"*2 at 2048", [&] { Click((twice.rect[0] + twice.rect[2]) / 2, (twice.rect[1] + twice.rect[3]) / 2); }, 3072},
        {"the last preset",
         [&] {
             presets.first = presets.LastFirst();
             Click(static_cast<int>(presets.x0) + 20, static_cast<int>(presets.y0) + 12);
         },
         3072},
        {"a width dragged past it",
         [&] {
             Press(RowX(w), RowY(w, 0));
             for (int x = RowX(w); x < RowX(w) + 600; x += 50) SendUp(PlatformEventType::MouseMove, x, RowY(w, 0));
             Release(RowX(w) + 600, RowY(w, 0));
         },
         2048},
    };
    for (const Way& way : ways) {
        gPanel.renderSize[0] = gPanel.renderSize[1] = 2048.0f;
        way.act();
        EXPECT_TRUE(gPanel.renderSize[0] == 3072.0f && gPanel.renderSize[1] == way.height) << way.name;
    }
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
    EXPECT_TRUE(gXFormsEditorOpen == 0 && gZoomSlider.visible == 1 && gZoom3DSlider.visible == 0);
}

TEST_F(InputDispatch, ThreadSliderDragWritesTheSetting)
{
    const fs::path file = fs::temp_directory_path() / ("talvoran_input_" + std::to_string(::getpid()) + ".ini");
    ::setenv("TALVORAN_SETTINGS_FILE", file.c_str(), 1);
    ShowTab(0);
    SLWindow& w = gRenderThreadsWindow;
    Press(RowX(w), RowY(w, 0));
    SendUp(PlatformEventType::MouseMove, RowX(w) + 40, RowY(w, 0));
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
    struct Case {
        const char* name;
        int tab, page;
        SLWindow* window;
        float* value;
        int delta;
        float before, after;
    } const cases[] = {
        {"resolution towards the user", 2, 0, &res, &gPanel.renderSize[1], -120, 1000.0f, 984.0f},
        {"resolution away", 2, 0, &res, &gPanel.renderSize[0], 120, 1000.0f, 1016.0f},
        {"gamma near 1 snaps", 1, 3, &gamma, &gShadingSettings.gamma, 120, 0.905f, 1.0f},
        {"environment shown", 1, 1, &fog, &gShadingSettings.volumetricFogColor[0], 120, 0.5f, 0.6f},
        {"environment while Materials shows", 1, 0, &fog, &gShadingSettings.volumetricFogColor[0], 120, 0.5f, 0.5f},
    };
    gVolumetricFogOn = 1;
    for (const Case& c : cases) {
        gCurrentTab = c.tab;
        gPanel.renderPage = c.page;
        *c.value = c.before;
        const int row = c.value == &gPanel.renderSize[1] ? 1 : 0;
        DrawInterface();  // the page's widgets take their places and values
        Notch(RowX(*c.window), RowY(*c.window, row), c.delta);
        EXPECT_NEAR(*c.value, c.after, 1e-6f) << c.name;
    }
    // Hidden: the fog colour without volumetric fog takes nothing.
    gPanel.renderPage = 1;
    gVolumetricFogOn = 0;
    DrawInterface();
    Notch(RowX(fog), RowY(fog, 0), -120);
    EXPECT_NEAR(gShadingSettings.volumetricFogColor[0], 0.5f, 1e-6f);
    // An empty place takes nothing, and the view does not zoom outside.
    gCurrentTab = 2;
    Notch(695, 300, -120);
    EXPECT_TRUE(gPanel.renderSize[0] == 1016.0f && gZoom == 1.0f);
    EXPECT_STREQ(SideLengthReadout(9.99f), "in (25.375 cm)");
    EXPECT_STREQ(SideLengthReadout(10.0f), " in (25.400 cm)");
}


// The preview after a fixed trackball drag, then the text field with its
// caret over it, drawn by the program's own frame.
TEST_F(InputDispatch, Screenshots)
{
    if (!gl_.llvmpipe()) GTEST_FAIL() << "the references were drawn by llvmpipe";
    if (!CreatePreviewTarget()) GTEST_FAIL() << "no framebuffer objects";
    CreatePreviewTexture();
    ASSERT_TRUE(SetUpPreviewScene(512, 512, 0.0f, 0.0f));
    ClearPreviewTarget();
    ClearPreviewPlanes();
    gPreviewRefresh = 1;
    gRotateMode = kRotateTrackBall;
    // What earlier presses left on the widgets that CreateInterface keeps.
    gInputBox.active = 0;
    gPanel.fixedView = 0;
    gPanel.resolutionPreset = 0;
    gInterface.resolutionPresets.first = 0;
    ShowTab(2);
    Press(1116, 576);
    for (int step = 1; step <= 12; ++step) SendUp(PlatformEventType::MouseMove, 1116 + 12 * step, 576 + 6 * step);
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
