#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/action_buttons.h"
#include "app/buffer_resize.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "editors/xforms_editor_services.h"
#include "render/render_threads.h"
#include "shading/preview_image.h"
#include "app/create_interface.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/panel_state.h"
#include "app/render_control.h"
#include "engine/status_line.h"
#include "app/support/app_interface.h"
#include "app/support/preview_scene.h"
#include "app/window_messages.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/point_coloring.h"
#include "platform/desktop/preview_target.h"
#include "platform/scripted_dialogs.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "render/symmetry_modes.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(RenderControl, ScreenStateOfARender)
{
    // {projection, "Shadows", screen}: "Off" adds 2; another value keeps 6.
    const int cases[][3] = {{0, 0, 2}, {0, 1, 0}, {1, 0, 3}, {1, 1, 1}, {1, 7, 6}};
    for (const auto& c : cases) EXPECT_EQ(RenderScreenState(c[0], c[1], 6), c[2]) << c[0] << " " << c[1];
}

TEST(RenderControl, MirrorCopies)
{
    // {type, RGB colouring, baseshape without points (-1: none), mirror, mirror in y}
    const int cases[][5] = {{3, 0, -1, 1, 0}, {31, 0, -1, 1, 0}, {5, 0, -1, 1, 1}, {6, 0, -1, 1, 1}, {0, 0, -1, 0, 0},
                            {3, 1, -1, 0, 0}, {5, 1, -1, 0, 0},  {8, 0, 1, 0, 0},   {6, 0, 0, 0, 0}};
    gUseBaseshapes = 1;
    gBaseshapeCount = 2;
    for (const auto& c : cases) {
        gMirrorCopy = gMirrorY = 0;
        gFractalType = c[0];
        gRgbColoring = static_cast<uint8_t>(c[1]);
        for (int i = 0; i < 2; ++i) gBaseshapes[i].pointsPerRun = i == c[2] ? 0 : 500;
        ChooseMirrorCopies();
        EXPECT_EQ(gMirrorCopy * 2 + gMirrorY, c[3] * 2 + c[4]) << "type " << c[0] << " RGB " << c[1] << " " << c[2];
    }
    gRgbColoring = gUseBaseshapes = gMirrorCopy = gMirrorY = 0;
    gBaseshapeCount = gFractalType = 0;
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
    const int* r = gMainButtons[id].rect;
    PlatformEvent e;
    e.type = PlatformEventType::MouseDown;
    e.button = kMouseLeft;
    e.x = (r[0] + r[2]) / 2;
    e.y = kVirtualScreenHeight - (r[1] + r[3]) / 2;
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
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        dialogs_.SetFailureHandler(FailTest);
        ASSERT_TRUE(SetUpPreviewScene(256, 256, 0.0f, 0.0f));
        gRenderThreadCount = 2;
        gProjectionSelector = gFastShadowUpdate = gRenderExists = 0;
        gScreenState = kScreenPointPreview;
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
        ClearStatusText();
        ClickButton(kButtonRender);
        EXPECT_EQ(ButtonStates(), "R---") << c.name << ": stopped, and nothing to erase at the next start";
        EXPECT_FALSE(ThreadsRun()) << c.name;
        EXPECT_EQ(gScreenState.load(), kScreenPointPreview) << c.name;
        EXPECT_NE(std::string(gStatusText).find("could not be started"), std::string::npos) << c.name;
    }
}

// The tick on which a pending re-plot runs (0: none within ten ticks).
int ReplotTick()
{
    for (int tick = 1; tick <= 10; ++tick) {
        OnTimer();
        if (gPreviewRefresh == 0) return tick;
    }
    return 0;
}

TEST(PreviewTimer, SettlesThenReplots)
{
    AppInterfaceTest gl;
    if (!gl.ok()) GTEST_FAIL() << gl.why();
    struct Case {
        const char* name;
        uint8_t target, state, editBox;
        int replotTick;
        bool shaded;
    };
    const Case cases[] = {
        {"without the off-screen target", 0, kScreenPointPreview, 0, 2, true},
        {"with the off-screen target", 1, kScreenPointPreview, 0, 5, true},
        {"3-D preview: waits", 0, kScreenPreview3D, 0, 0, false},
        {"render screen: waits", 1, kScreenRenderOrtho, 0, 0, false},
        {"an Edit box on clears without shading", 0, kScreenPointPreview, 1, 2, false},
    };
    for (const Case& c : cases) {
        gPreviewTargetAvailable = c.target;
        gScreenState = c.state;
        gEffectiveScreenState = c.state;
        gXFormsEditorOpen = c.editBox;
        gPreviewRefresh = 1;
        gPreviewTicks = 0;
        gPreviewUploadPending = 0;
        gPreviewDepth[1000] = 5.0f;
        gPreviewPlanes[3][1000] = 9;
        EXPECT_EQ(ReplotTick(), c.replotTick) << c.name;
        EXPECT_EQ(gPreviewUploadPending.load() != 0, c.shaded) << c.name;
        EXPECT_EQ(gPreviewDepth[1000] == 0.0f && gPreviewPlanes[3][1000] == 0, c.replotTick != 0) << c.name;
        EXPECT_EQ(gPreviewTicks, 0) << c.name << ": reset by the re-plot, never counted while waiting";
    }
    gPreviewTargetAvailable = gXFormsEditorOpen = 0;
}

uint32_t gSlept = 0;
// Fails for sizes above 'gLargestThatFits'; with gLosesOldBuffers the failed
// attempt also takes the old buffers with it.
int gLargestThatFits = 1 << 20;
bool gLosesOldBuffers = false;
RenderResolution gWanted{};

bool LimitedAllocate(int32_t width, int32_t height, bool antiAlias2x)
{
    const int32_t factor = antiAlias2x ? 2 : 1;
    if (width * factor <= gLargestThatFits && height * factor <= gLargestThatFits) {
        return AllocateRenderBuffers(width, height, antiAlias2x);
    }
    if (gLosesOldBuffers) FreeRenderBuffers();
    return false;
}

// A refused size keeps a render whole (no pause, nothing cleared, its
// buttons as they were); with nothing rendered, or the old buffers gone,
// the buffers start afresh at the old size or a start-up size, and the
// status line says what was lost.
TEST(BufferResize, SizesAndFallBacks)
{
    struct Case {
        const char* name;
        int mode;
        RenderResolution wanted;  // mode 0
        int largestThatFits;
        bool losesOldBuffers, rendered;
        int width, height, firstRow, lastRow;
        bool renderEnabled;
        const char* status;  // "" when none
    };
    const Case cases[] = {
        {"1024 x 768 with 2X AA", 0, {1024, 768, true}, 1 << 20, false, true, 2048, 1536, 104, 728, true, ""},
        {"mode 2 keeps the doubled size", 2, {}, 1 << 20, false, true, 2048, 1536, 104, 728, true, ""},
        {"too large: the render stays", 0, {4096, 1024, false}, 2048, false, true, 2048, 1536, 104, 728, true,
         kInsufficientMemoryText},
        {"too large, nothing rendered: the old size afresh", 0, {4096, 1024, false}, 2048, false, false, 2048, 1536,
         104, 728, true, kInsufficientMemoryText},
        // As after the voxel engine, whose grid took the colour-index buffer.
        {"mode 2, the buffers lost: a start-up size", 2, {}, 1024, true, true, 1024, 1024, 0, 832, true,
         "Insufficient System Memory! The render is lost: render size 1024 x 1024."},
        {"old buffers lost too: a start-up size", 0, {4096, 4096, false}, 1024, true, true, 1024, 1024, 0, 832, true,
         "Insufficient System Memory! The render is lost: render size 1024 x 1024."},
        {"nothing fits", 0, {4096, 4096, false}, 256, true, true, 0, 0, 0, 832, false,
         "Insufficient System Memory! The render is lost, and no render size fits in memory."},
        {"fits again", 0, {640, 480, false}, 1 << 20, false, true, 640, 480, 104, 728, true, ""},
    };
    gResizeSleep = [](uint32_t ms) { gSlept += ms; };
    gResizeAllocate = LimitedAllocate;
    gReadRenderResolution = [] { return gWanted; };
    EnableButton(kButtonRender, true);
    for (const Case& c : cases) {
        gLargestThatFits = c.largestThatFits;
        gLosesOldBuffers = c.losesOldBuffers;
        gWanted = c.wanted;
        gRenderExists = gContinueAllowed = c.rendered ? 1 : 0;
        // As "Change" leaves it before it resizes.
        EnableButton(kButtonContinue, false);
        if (RenderBuffersReady()) gDepthBuffer[7] = 1.0f;
        gPreviewUploadPending = 0;
        gSlept = 0;
        ClearStatusText();
        const bool resized = ResizeRenderBuffers(c.mode);
        const bool kept = c.rendered && !c.losesOldBuffers && *c.status != '\0';
        const auto pair = [](int a, int b) { return std::to_string(a) + ", " + std::to_string(b); };
        EXPECT_EQ(pair(gImageWidth, gImageHeight), pair(c.width, c.height)) << c.name;
        EXPECT_EQ(RenderBuffersReady(), c.width > 0) << c.name;
        EXPECT_EQ(resized, *c.status == '\0') << c.name;
        if (c.width > 0) {
            EXPECT_EQ(pair(gPreviewFirstRow, gPreviewLastRow), pair(c.firstRow, c.lastRow)) << c.name;
            EXPECT_EQ(gDepthBuffer[7], kept ? 1.0f : 0.0f) << c.name;
        }
        EXPECT_EQ(ButtonEnabled(kButtonRender), c.renderEnabled) << c.name;
        EXPECT_EQ(ButtonEnabled(kButtonContinue), kept) << c.name;
        EXPECT_STREQ(gStatusText, c.status) << c.name;
        EXPECT_EQ(gRenderExists + gContinueAllowed, kept ? 2 : 0) << c.name;
        EXPECT_EQ(gSlept, kept ? 0 : kResizeSettleMs) << c.name;
        EXPECT_EQ(gPreviewUploadPending.load(), kept ? 0 : 1) << c.name;
    }
    gResizeAllocate = AllocateRenderBuffers;
    FreeRenderBuffers();
}

}  // namespace

namespace {


}  // namespace
