#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/mesh_export_thread.h"
#include "app/pending_services.h"
#include "app/program_entry.h"
#include "engine/baseshape_seed_pick.h"
#include "platform/scripted_dialogs.h"
#include "app/status_line.h"
#include "platform/gl_api.h"
#include "platform/gl_test_context.h"
#include "platform/gl_window.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(Frame, EffectiveScreenState)
{
    struct Case {
        int state;
        bool dof;
        int fastShadow;
        bool rgb;
        int expected;
    };
    const Case cases[] = {
        {0, false, 0, false, 0},   {1, false, 1, false, 3},   {1, true, 1, false, 1},
        {1, false, 0, true, 101},  {1, false, 1, true, 103},  {3, true, 0, true, 103},
        {4, false, 1, true, 4},    {6, false, 1, true, 6},    {20, false, 1, true, 20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EffectiveScreenState(c.state, c.dof, c.fastShadow, c.rgb), c.expected) << c.state;
    }
}

class FrameWithWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs_.SetFailureHandler(FailTest);
        std::string error;
        if (!StartProgram(&error)) GTEST_SKIP() << "no OpenGL window: " << error;
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

}  // namespace
