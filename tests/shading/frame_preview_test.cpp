// The program's own frame shows the shaded preview: the progressive pass
// fills gPreviewImage on the main thread, the frame uploads it and draws the
// main view of a running render (offscreen, llvmpipe).
#include <gtest/gtest.h>

#include <string>

#include "app/frame.h"
#include "app/interface_drawing.h"
#include "app/program_entry.h"
#include "app/startup_state.h"
#include "engine/status_line.h"
#include "platform/desktop/gl_test_context.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/platform_events.h"
#include "platform/scripted_dialogs.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"
#include "shading/support/preview_scene.h"
#include "support/screenshot.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(FramePreview, MainViewShowsTheShadedPreview)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    std::string error;
    if (!StartProgram(&error)) GTEST_FAIL() << "no OpenGL window: " << error;
    const std::string renderer = CurrentGlRenderer();
    if (renderer.find("llvmpipe") == std::string::npos) {
        StopProgram();
        GTEST_FAIL() << "the reference was drawn by llvmpipe; this renderer is " << renderer;
    }
    SetUpSphereScene(512, 512);
    gFastShadowUpdate = 1;
    ShadeProgressive(0);
    EXPECT_EQ(gPreviewUploadPending.load(), 1);
    SetStatusText("Talvoran Vane: preview");
    gScreenState = kScreenRenderOrtho;
    gStartupStep = 0;
    gFrameTicks = [] { return uint64_t{100}; };
    DrawFrame();
    gFrameTicks = TickCount;
    EXPECT_EQ(gPreviewUploadPending.load(), 0) << "the frame uploaded the picture";
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    const std::vector<uint8_t> frame = ReadFramebufferRgb(width, height);
    StopProgram();
    const ScreenshotResult result = CompareWithReference("frame_preview", frame, width, height, 6, 0.002);
    EXPECT_TRUE(result.ok) << result.message;
}

}  // namespace
