#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/buffer_resize.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/pending_services.h"
#include "app/render_control.h"
#include "app/render_size.h"
#include "app/status_line.h"
#include "app/support/app_interface.h"
#include "app/window_messages.h"
#include "engine/random.h"
#include "platform/scripted_dialogs.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(RenderControl, ScreenStateOfARender)
{
    struct Case {
        int projection, shadows, expected;
    };
    // "Off" adds 2; a "Shadows" value outside 0..1 keeps the screen.
    const Case cases[] = {{0, 0, 2}, {0, 1, 0}, {1, 0, 3}, {1, 1, 1}, {1, 7, 6}};
    for (const Case& c : cases)
        EXPECT_EQ(RenderScreenState(c.projection, c.shadows, 6), c.expected) << c.projection << " " << c.shadows;
}

TEST(RenderControl, MirrorCopies)
{
    struct Case {
        const char* name;
        int type;
        bool rgb;
        int zeroPointBaseshape;  // -1: every baseshape has points
        uint8_t mirror, mirrorY;
    };
    const Case cases[] = {
        {"type 3", 3, false, -1, 1, 0},
        {"type 31", 31, false, -1, 1, 0},
        {"type 5 mirrors y too", 5, false, -1, 1, 1},
        {"type 6 mirrors y too", 6, false, -1, 1, 1},
        {"type 0 does not fold", 0, false, -1, 0, 0},
        {"RGB colouring, type 3", 3, true, -1, 0, 0},
        {"RGB colouring, type 5", 5, true, -1, 0, 0},
        {"a 0-points baseshape", 8, false, 1, 0, 0},
        {"a 0-points baseshape, type 6", 6, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        gMirrorCopy = 0;
        gMirrorY = 0;
        gFractalType = c.type;
        gRgbColoring = c.rgb ? 1 : 0;
        gUseBaseshapes = 1;
        gBaseshapeCount = 2;
        for (int i = 0; i < 2; ++i) gBaseshapes[i].pointsPerRun = i == c.zeroPointBaseshape ? 0 : 500;
        ChooseMirrorCopies();
        EXPECT_EQ(gMirrorCopy, c.mirror) << c.name;
        EXPECT_EQ(gMirrorY, c.mirrorY) << c.name;
    }
    gRgbColoring = 0;
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
    gFractalType = 0;
    gMirrorCopy = gMirrorY = 0;
}

// The parts of the editors and the panels that the render control calls
// before they exist: each stand-in answers as "nothing open, nothing
// selected, nothing animated". A part that lands removes its line here.
TEST(RenderControl, StandInsAnswerNothingOpen)
{
    EXPECT_EQ(SelectedPreviewBaseshape(), -1);
    EXPECT_EQ(SelectedPreviewTransformation(), -1);
    EXPECT_EQ(SelectedPreviewLight(), -1);
    EXPECT_EQ(OpenEditorViewPreset(3), 3);
    EXPECT_FALSE(BaseshapeAnimationOn());
    EXPECT_FALSE(RenderAnimationPressed());
    EXPECT_TRUE(PrepareAnimationStart());
    EXPECT_FALSE(MandelbrotPickerShown());
    EXPECT_EQ(gBaseShapeEditorOpen + gXFormsEditorOpen, 0);
    // Drawing and animation steps that do nothing yet.
    TickBaseshapeAnimation(1);
    AnimateBaseshapes(0);
    SetSymmetryRotation(1);
    BuildGridOverlays(512, 512);
    EXPECT_EQ(gGridOverlayList, 0u);
    EXPECT_EQ(gPreviewOverlayList, 0u);
}

// The buttons as one word: R Render, S Stop, C Continue, Y the Yes/No pair;
// '-' where disabled.
std::string ButtonStates()
{
    std::string s = "----";
    if (ButtonEnabled(kButtonRender)) s[0] = 'R';
    if (ButtonEnabled(kButtonStop)) s[1] = 'S';
    if (ButtonEnabled(kButtonContinue)) s[2] = 'C';
    if (ButtonEnabled(kButtonYes) && ButtonEnabled(kButtonNo)) s[3] = 'Y';
    return s;
}

// A press and a release at the button's centre, as the window reports them.
void ClickButton(MainButtonId id)
{
    const Button& b = gMainButtons[id];
    PlatformEvent e;
    e.type = PlatformEventType::MouseDown;
    e.button = kMouseLeft;
    e.x = (b.rect[0] + b.rect[2]) / 2;
    e.y = kVirtualScreenHeight - (b.rect[1] + b.rect[3]) / 2;
    HandleWindowEvent(e);
    e.type = PlatformEventType::MouseUp;
    HandleWindowEvent(e);
}

bool ThreadsRun() { return gRenderActive.load() != 0 && gRenderCoordinatorThread.Running(); }

// A pixel the passes never write (px 0 is outside every image).
constexpr float kMarker = 12345.0f;

class RenderControlWithGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        dialogs_.SetFailureHandler(FailTest);
        InitGlobalState();
        SeedStartupRandomStates(12345u, nullptr);
        InstallSierpinskiTetrahedron();
        for (int t = 0; t < 4; ++t) gTransforms[t].weight = 0.25f;  // kept by every probability update
        ASSERT_TRUE(AllocateRenderBuffers(256, 256, false));
        DeriveRenderSizeValues();
        FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
        gRenderThreadCount = 2;
        gProjectionSelector = 0;
        gFastShadowUpdate = 0;
        gScreenState = kScreenPointPreview;
        gRenderExists = 0;
        gQuitPosted = false;
        gResizeSleep = [](uint32_t) {};
        BuildMainButtons();
        ClearStatusText();
    }
    void TearDown() override
    {
        StopRender();
        gRenderStarters = {StartRender, StartRenderThreads};
        gResizeSleep = SleepMs;
        gProjectionSelector = 0;
    }

    AppInterfaceTest gl_;
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
};

TEST_F(RenderControlWithGl, ButtonsDriveTheRender)
{
    enum Marker { kAny, kKept, kCleared };
    struct Step {
        const char* name;
        MainButtonId button;
        MessageAnswer answer;  // Ok: no question expected
        const char* buttons;
        bool running;
        Marker marker;
        bool byteOnly;  // the pressed byte set without a click (the button is disabled)
    };
    const Step steps[] = {
        {"first Render starts at once", kButtonRender, MessageAnswer::Ok, "-S--", true, kAny, false},
        {"Stop", kButtonStop, MessageAnswer::Ok, "R-C-", false, kAny, false},
        {"Continue keeps the buffers", kButtonContinue, MessageAnswer::Ok, "-S--", true, kKept, false},
        {"Render while rendering stops first, then asks", kButtonRender, MessageAnswer::Ok, "R-CY", false, kKept, true},
        {"No keeps the buffers", kButtonNo, MessageAnswer::Ok, "R-C-", false, kKept, false},
        {"Render asks again", kButtonRender, MessageAnswer::Ok, "R-CY", false, kKept, false},
        {"Yes erases and starts", kButtonYes, MessageAnswer::Ok, "-S--", true, kCleared, false},
        {"Quit answered No leaves it running", kButtonQuit, MessageAnswer::No, "-S--", true, kAny, false},
        {"Stop again", kButtonStop, MessageAnswer::Ok, "R-C-", false, kAny, false},
        {"Draw shows the point preview", kButtonDraw, MessageAnswer::Ok, "R-C-", false, kAny, false},
    };
    EXPECT_EQ(ButtonStates(), "R---") << "idle";
    size_t questions = 0;
    for (const Step& s : steps) {
        if (s.answer != MessageAnswer::Ok) {
            dialogs_.QueueAnswer(s.answer);
            ++questions;
        }
        if (s.marker == kKept && !ThreadsRun()) gDepthBuffer[0] = kMarker;
        if (s.byteOnly) {
            gMainButtons[s.button].pressed = 1;
            ProcessInterfaceActions();
        } else {
            ClickButton(s.button);
        }
        EXPECT_EQ(ButtonStates(), s.buttons) << s.name;
        EXPECT_EQ(ThreadsRun(), s.running) << s.name;
        if (s.marker != kAny) {
            EXPECT_EQ(gDepthBuffer[0] == kMarker, s.marker == kKept) << s.name;
        }
        EXPECT_EQ(dialogs_.Prompts().size(), questions) << s.name;
        for (const Button& b : gMainButtons) EXPECT_EQ(b.pressed, 0) << s.name << ": a pressed byte left set";
        if (s.running) {
            EXPECT_EQ(gScreenState.load(), kScreenRenderOrthoNoShadow) << s.name;
            EXPECT_EQ(gPreviewRefresh, 0) << s.name << ": the preview step ran in the same release";
        }
    }
    EXPECT_FALSE(gQuitPosted);
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    EXPECT_EQ(gPreviewRefresh, 1);
    EXPECT_EQ(gRenderInBuffers, 0);

    // A resize leaves nothing to erase: the next Render starts without asking.
    ResizeRenderBuffers(2);
    ClickButton(kButtonRender);
    EXPECT_EQ(ButtonStates(), "-S--") << "Render after a resize";
    EXPECT_TRUE(ThreadsRun());
}

TEST_F(RenderControlWithGl, AStartWithoutThreadsLeavesTheButtonsStopped)
{
    struct Case {
        const char* name;
        RenderStarters starters;
        int projection;
    };
    const Case cases[] = {
        {"thread creation fails", {[] { return false; }, [] { return false; }}, 0},
        {"projection outside 0..1", {StartRender, StartRenderThreads}, 5},
    };
    for (const Case& c : cases) {
        gRenderStarters = c.starters;
        gProjectionSelector = c.projection;
        gRenderExists = 0;
        ClearStatusText();
        ClickButton(kButtonRender);
        EXPECT_EQ(ButtonStates(), "R---") << c.name;
        EXPECT_FALSE(ThreadsRun()) << c.name;
        EXPECT_EQ(gScreenState.load(), kScreenPointPreview) << c.name;
        EXPECT_NE(std::string(gStatusText).find("could not be started"), std::string::npos) << c.name;
    }
}

}  // namespace
