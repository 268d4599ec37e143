#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/frame.h"
#include "app/interface_drawing.h"
#include "render/render_threads.h"
#include "shading/preview_image.h"
#include "app/program_entry.h"
#include "app/startup_state.h"
#include "engine/status_line.h"
#include "platform/desktop/gl_test_context.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/platform_events.h"
#include "platform/scripted_dialogs.h"
#include "support/screenshot.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

const std::string kReferenceRenderer = std::string(TALVORAN_SOURCE_DIR) + "/tests/app/reference/main_view.mesa.txt";

// A preview picture that shows orientation: red grows to the right, green
// upwards (row 0 is the bottom), with a blue square near the lower left.
void FillTestPreview()
{
    for (int y = 0; y < kPreviewImageSize; ++y) {
        for (int x = 0; x < kPreviewImageSize; ++x) {
            uint8_t* p = gPreviewImage + (static_cast<size_t>(y) * kPreviewImageSize + x) * 3;
            p[0] = static_cast<uint8_t>(x * 255 / 831 > 255 ? 255 : x * 255 / 831);
            p[1] = static_cast<uint8_t>(y * 255 / 831 > 255 ? 255 : y * 255 / 831);
            const bool square = x >= 64 && x < 192 && y >= 64 && y < 192;
            p[2] = square ? 255 : 40;
        }
    }
    gPreviewUploadPending = 1;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The main view of a running render, drawn by the program's own frame at
// the size the window gets on the offscreen display.
TEST(Screenshot, MainViewMatchesTheReference)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    std::string error;
    if (!StartProgram(&error)) GTEST_FAIL() << "no OpenGL window: " << error;
    const std::string renderer = CurrentGlRenderer() + " | " + CurrentGlVersion();
    if (renderer.find("llvmpipe") == std::string::npos) {
        StopProgram();
        GTEST_FAIL() << "the reference was drawn by llvmpipe; this renderer is " << renderer;
    }
    FillTestPreview();
    SetStatusText("Talvoran Vane: Render Threads 8");
    gScreenState = kScreenRenderOrtho;
    gStartupStep = 0;
    gFrameTicks = [] { return uint64_t{100}; };  // the busy mark turned by 30 degrees
    DrawFrame();
    gFrameTicks = TickCount;
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    const std::vector<uint8_t> frame = ReadFramebufferRgb(width, height);
    StopProgram();

    // The renderer that drew the reference is kept beside it.
    if (const char* update = std::getenv("TALVORAN_UPDATE_SCREENSHOTS"); update && std::string(update) == "1") {
        std::ofstream(kReferenceRenderer) << renderer << "\n";
    }
    const ScreenshotResult result = CompareWithReference("main_view", frame, width, height, 3, 0.001);
    EXPECT_TRUE(result.ok) << result.message << "\nreference drawn by " << ReadText(kReferenceRenderer)
                           << "now " << renderer;
}

}  // namespace
