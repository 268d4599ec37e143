#include <gtest/gtest.h>

#include <string>
#include <vector>


#include "app/create_interface.h"
#include "app/frame.h"
#include "app/interface_drawing.h"
#include "app/status_line_drawing.h"
#include "app/main_buttons.h"
#include "app/screen_lists.h"
#include "app/mesh_export_thread.h"
#include "render/render_threads.h"
#include "shading/export_image.h"
#include "shading/preview_image.h"
#include "app/program_entry.h"
#include "app/startup_state.h"
#include "support/screenshot.h"
#include "engine/baseshape_seed_pick.h"
#include "platform/scripted_dialogs.h"
#include "engine/status_line.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/platform_events.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(Frame, EffectiveScreenState)
{
    // {state, depth of field, fast shadow update, RGB, effective state}
    const int cases[][5] = {{0, 0, 0, 0, 0},   {1, 0, 1, 0, 3},   {1, 1, 1, 0, 1}, {1, 0, 0, 1, 101},
                            {1, 0, 1, 1, 103}, {3, 1, 0, 1, 103}, {4, 0, 1, 1, 4}, {20, 0, 1, 1, 20}};
    for (const auto& c : cases) EXPECT_EQ(EffectiveScreenState(c[0], c[1], c[2], c[3]), c[4]) << c[0];
}

class FrameWithWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs_.SetFailureHandler(FailTest);
        std::string error;
        if (!StartProgram(&error)) GTEST_FAIL() << "no OpenGL window: " << error;
        started_ = true;
        int w = 0, h = 0;
        GetMainDrawableSize(&w, &h);
        width_ = w;
        height_ = h;
    }
    void TearDown() override
    {
        if (started_) StopProgram();
    }
    // Pixel at virtual coordinates (y up).
    const uint8_t* Virtual(const std::vector<uint8_t>& rgb, float vx, float vy) const
    {
        const int x = static_cast<int>(vx * width_ / 1600.0f);
        const int y = height_ - 1 - static_cast<int>(vy * height_ / 1000.0f);
        return rgb.data() + (static_cast<size_t>(y) * width_ + x) * 3;
    }

    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
    bool started_ = false;
    int width_ = 0, height_ = 0;
};

TEST_F(FrameWithWindow, StartsOnTheSplashScreenWithTheFixedProjection)
{
    EXPECT_EQ(gScreenState, kScreenSplash);
    EXPECT_NE(gPreviewTexture, 0u);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], width_);
    EXPECT_EQ(viewport[3], height_);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(static_cast<float>(projection[0]), 2.0f / 1600.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(projection[5]), 2.0f / 1000.0f);
}

TEST_F(FrameWithWindow, InterfaceOnlyStateLeavesThePreviewAreaEmpty)
{
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "after start-up";
    for (size_t i = 0; i < sizeof gPreviewImage; ++i) gPreviewImage[i] = 200;
    gPreviewUploadPending = 1;
    gScreenState = kScreenInterfaceOnly;
    DrawFrame();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "interface only";
    EXPECT_EQ(gPreviewUploadPending.load(), 0);  // uploaded all the same
    const std::vector<uint8_t> rgb = ReadFramebufferRgb(width_, height_);
    EXPECT_EQ(Virtual(rgb, 1100, 600)[0], 0);

    gScreenState = kScreenRenderOrtho;
    DrawFrame();
    const std::vector<uint8_t> main = ReadFramebufferRgb(width_, height_);
    EXPECT_EQ(Virtual(main, 1100, 600)[0], 200);  // the preview texture
    EXPECT_EQ(Virtual(main, 650, 600)[0], 0);     // left of the preview area
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FrameWithWindow, VoxelScreensShowTheQuarterOfThePreviewTexture)
{
    // Texels of the lower left 512 x 512 quarter are 90, the rest 200.
    for (int y = 0; y < kPreviewImageSize; ++y) {
        for (int x = 0; x < kPreviewImageSize; ++x) {
            uint8_t* p = gPreviewImage + (static_cast<size_t>(y) * kPreviewImageSize + x) * 3;
            p[0] = p[1] = p[2] = (x < 512 && y < 512) ? 90 : 200;
        }
    }
    gPreviewUploadPending = 1;
    gScreenState = kScreenVoxelBusy;
    DrawFrame();
    std::vector<uint8_t> rgb = ReadFramebufferRgb(width_, height_);
    EXPECT_EQ(Virtual(rgb, 1500, 960)[0], 90);  // the top right of the area shows texel (511, 511)

    gScreenState = kScreenExport;
    gVoxelEngineOn = 1;
    gVoxelExportProgress = 37.9f;
    gExportProgress = -2;
    DrawFrame();
    rgb = ReadFramebufferRgb(width_, height_);
    EXPECT_EQ(Virtual(rgb, 1500, 960)[0], 90);
    EXPECT_EQ(gExportProgress, 37);  // taken from the mesh export
    gVoxelEngineOn = 0;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FrameWithWindow, ExportEndReportsOnce)
{
    gScreenState = kScreenExport;
    gExportProgress = 100;
    gExportCancel = 0;
    SetStatusText("busy");
    DrawFrame();
    EXPECT_STREQ(gStatusText, "File Saved");
    EXPECT_EQ(gExportProgress, -2);
    SetStatusText("later");
    DrawFrame();
    EXPECT_STREQ(gStatusText, "later");

    gExportProgress = -1;
    gExportCancel = 1;
    gExportThreadCount = 3;
    gExportThreadCountSaved = 8;
    DrawFrame();
    EXPECT_STREQ(gStatusText, "Save File Cancelled");
    EXPECT_EQ(gExportCancel.load(), 0);
    EXPECT_EQ(gExportThreadCount, 8);

    gExportProgress = 42;
    SetStatusText("running");
    DrawFrame();
    EXPECT_STREQ(gStatusText, "running");
    EXPECT_EQ(gExportProgress, 42);
}

// The voxel engine's busy screen and the export view of a mesh export, as
// the program's own frame draws them, over four discs in the projections.
TEST_F(FrameWithWindow, VoxelBusyScreenAndMeshExportMatchTheirReferences)
{
    if (CurrentGlRenderer().find("llvmpipe") == std::string::npos) GTEST_FAIL() << "the references were drawn by llvmpipe";
    for (const auto& [name, state] : {std::pair{"voxel_busy", kScreenVoxelBusy}, {"voxel_mesh_export", kScreenExport}}) {
        for (int y = 0; y < 512; ++y) {
            for (int x = 0; x < 512; ++x) {
                uint8_t* p = gPreviewImage + (static_cast<size_t>(y) * kPreviewImageSize + x) * 3;
                const bool disc = (x % 256 - 128) * (x % 256 - 128) + (y % 256 - 128) * (y % 256 - 128) < 6400;
                p[0] = disc ? static_cast<uint8_t>(x / 2) : 0;
                p[1] = disc ? static_cast<uint8_t>(y / 2) : 0;
                p[2] = disc ? 200 : 0;
            }
        }
        gPreviewUploadPending = 1;
        gVoxelEngineOn = 1;
        gScreenState = state;
        gVoxelExportProgress = 37.9f;
        gStartupStep = 0;
        gCurrentTab = 5;
        SetStatusText("Talvoran Vane: Render Threads 8");
        gFrameTicks = [] { return uint64_t{100}; };
        DrawFrame();
        gFrameTicks = TickCount;
        const ScreenshotResult result =
            CompareWithReference(name, ReadFramebufferRgb(width_, height_), width_, height_, 3, 0.001);
        EXPECT_TRUE(result.ok) << name << ": " << result.message;
    }
    gVoxelEngineOn = gCurrentTab = 0;
    gExportProgress = -2;
}

// The status line keeps to its band in the status panel: a short text
// centred on x 1116, a long one moved inside, one longer than the band
// shortened in its middle (its start and end kept); left of the erase
// question's box while that is open.
TEST(StatusLine, KeepsToItsBand)
{
    EnableButton(kButtonNo, false);
    const StatusLinePlace shortText = PlaceStatusLine("Talvoran", 32);
    EXPECT_EQ(shortText.x, 1116 - 32);
    EXPECT_EQ(shortText.text, "Talvoran");
    const std::string text = "Start of a long message " + std::string(150, '-') + " and its end";
    for (bool question : {false, true}) {
        EnableButton(kButtonNo, question);
        const float right = question ? kWarningBoxRect[0] : kStatusPanelRect[2];
        for (size_t length : {size_t{60}, size_t{90}, text.size()}) {
            const std::string shown = text.substr(0, length - 12) + " and its end";
            const StatusLinePlace p = PlaceStatusLine(shown.c_str(), static_cast<int>(shown.size() / 2) * 8);
            EXPECT_GT(p.rect[0], kStatusPanelRect[0]) << length << question;
            EXPECT_LT(p.rect[2], right) << length << question;
            EXPECT_EQ(p.text.substr(0, 10), "Start of a") << length << question;
            EXPECT_EQ(p.text.substr(p.text.size() - 12), " and its end") << length << question;
            EXPECT_EQ(p.text == shown, p.rect[2] - p.rect[0] == static_cast<float>(8 * shown.size() + 8));
        }
    }
    EnableButton(kButtonNo, false);
}

// A line too long for its band gives up the middles of its file names
// first, the longest name first and each down to seven characters, and
// keeps the rest whole; only a rest too long by itself is cut in its
// middle. The band holds 102 characters, 64 beside the erase question.
TEST(StatusLine, FileNamesGiveWayBeforeTheReason)
{
    const std::string name = std::string(100, 'a') + std::string(95, 'b') + ".zdat";  // 200 characters
    const std::string reason = " is not a fractal data file: 1936287860 pixels wide; the most is 6144 with 2X AA.";
    const std::string wide(120, 'w');
    struct Case {
        const char* what;
        bool question;
        std::vector<std::string> parts;  // the odd ones are names
        std::string shown;
    } const cases[] = {
        {"short", false, {"Cannot read ", "c.zdat", "."}, "Cannot read c.zdat."},
        {"the reason kept", false, {"Talvoran :   ", name, reason}, "Talvoran :   aaa...at" + reason},
        {"the longest name first", false, {"", std::string(150, 'l'), " and ", std::string(20, 's'), " (its reason)."},
         std::string(30, 'l') + "..." + std::string(30, 'l') + " and " + std::string(20, 's') + " (its reason)."},
        {"the rest alone too long", false, {"Start ", name, wide + " end."},
         "Start aa...at" + std::string(37, 'w') + "..." + std::string(44, 'w') + " end."},
        {"beside the question", true, {"Talvoran :   ", name, " is not a script."},
         "Talvoran :   " + std::string(16, 'a') + "..." + std::string(10, 'b') + ".zdat is not a script."},
    };
    for (const Case& c : cases) {
        EnableButton(kButtonNo, c.question);
        std::string text;
        StatusNames names;
        for (size_t i = 0; i < c.parts.size(); ++i) {
            const int at = static_cast<int>(text.size());
            if (i % 2 == 1) names.spans[names.count++] = {at, at + static_cast<int>(c.parts[i].size())};
            text += c.parts[i];
        }
        const StatusLinePlace p = PlaceStatusLine(text.c_str(), static_cast<int>(text.size() / 2) * 8, names);
        EXPECT_EQ(p.text, c.shown) << c.what;
        EXPECT_LE(p.rect[2] - p.rect[0], (c.question ? 64 : 102) * 8 + 8) << c.what;
    }
    EnableButton(kButtonNo, false);
}

}  // namespace
