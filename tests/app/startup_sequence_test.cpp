#include "app/startup_sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "app/frame.h"
#include "app/render_size.h"
#include "app/splash_screen.h"
#include "app/startup_init.h"
#include "app/support/app_interface.h"
#include "materials/shader.h"
#include "platform/desktop/gl_api.h"
#include "render/view_camera.h"

namespace {

// The steps that wait for parts not built yet do nothing of that part. The
// list shrinks as the parts land; a step that gets its part must leave it.
TEST(StartupSteps, StepsStillWaitingForOtherParts)
{
    std::vector<int> waiting;
    for (const StartupStep& s : kStartupSteps)
        if (s.waitsFor != nullptr) waiting.push_back(s.step);
    EXPECT_EQ(waiting, (std::vector<int>{6, 9}));
    EXPECT_NE(kStartupSteps[6].run, nullptr);  // the shader's defaults; callbacks still to come
}

TEST(StartupSteps, RenderBuffersFallBackToSmallerSizes)
{
    static std::vector<int> tried;
    tried.clear();
    auto upTo1024 = +[](int size) {
        tried.push_back(size);
        return size <= 1024;
    };
    EXPECT_EQ(AllocateStartupRenderBuffers(upTo1024), 1024);
    EXPECT_EQ(tried, (std::vector<int>{2048, 1024}));
    auto never = +[](int size) {
        tried.push_back(size);
        return false;
    };
    tried.clear();
    EXPECT_EQ(AllocateStartupRenderBuffers(never), 0);
    EXPECT_EQ(tried, (std::vector<int>{2048, 1024, 512}));
    EXPECT_EQ(AllocateStartupRenderBuffers(nullptr), 0);
}

std::vector<int> gStepsRun;
void RecordStep(int step) { gStepsRun.push_back(step); }

class Splash : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        // Step 1 reads (and may write) the settings: a file of the test's own.
        setenv("TALVORAN_SETTINGS_FILE", TALVORAN_BINARY_DIR "/tests/app/startup_settings.ini", 1);
        // Step 2 gives a new user's textures folder its colour maps: the
        // default folders of the test's own, never the user's.
        setenv("XDG_DATA_HOME", TALVORAN_BINARY_DIR "/tests/app/startup_data", 1);
        gStepsRun.clear();
        gStartupStepObserver = RecordStep;
        gStartupStep = 0;
        gSplashFrameCount = 0;
        gScreenState = kScreenSplash;
    }
    void TearDown() override { gStartupStepObserver = nullptr; }
    AppInterfaceTest gl_;
};

TEST_F(Splash, TwoHundredSplashFramesThenOneStepAFrame)
{
    for (int frame = 1; frame <= 200; ++frame) DrawSplashScreen();
    EXPECT_TRUE(gStepsRun.empty());
    EXPECT_EQ(gStartupStep, 0);

    DrawSplashScreen();  // frame 201: the empty step 0
    EXPECT_EQ(gStepsRun, std::vector<int>{0});
    for (int frame = 202; frame <= 210; ++frame) {
        DrawSplashScreen();
        EXPECT_EQ(gScreenState, kScreenSplash) << "frame " << frame;
    }
    DrawSplashScreen();  // frame 211: step 10 leaves the splash
    EXPECT_EQ(gStepsRun, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(gScreenState, kScreenPointPreview);
    EXPECT_EQ(gStartupStep, 11);
    EXPECT_EQ(gShader.slots[kBackgroundSlot].Width(), 32u) << "step 6 gave the shader its defaults";
}

TEST_F(Splash, StepSevenCentresTheViewOnTheSmallerHalfSize)
{
    const int keepW = gImageWidth, keepH = gImageHeight;
    const int keepHalfW = gImageHalfWidth, keepHalfH = gImageHalfHeight;
    const float keepPanX = gPanX, keepPanY = gPanY;
    struct Row {
        int w, h;
        float scale;
    };
    // The half of the smaller side, the width's when both are equal.
    for (const Row& r : {Row{600, 1001, 300.0f}, Row{1001, 700, 350.0f}, Row{512, 512, 256.0f}}) {
        gImageWidth = r.w;
        gImageHeight = r.h;
        gImageHalfWidth = gImageHalfHeight = -1;
        gPanX = 3.5f;
        gPanY = -2.0f;
        gPreviewRefresh = 0;
        RunStartupStep(7);
        EXPECT_EQ(gPreviewRefresh, 1);
        EXPECT_EQ(gImageHalfWidth, r.w / 2);
        EXPECT_EQ(gImageHalfHeight, r.h / 2);
        EXPECT_FLOAT_EQ(gImageScale, r.scale) << r.w << " x " << r.h;
        EXPECT_FLOAT_EQ(gImageOffsetX, r.w / 2 + 3.5f);
        EXPECT_FLOAT_EQ(gImageOffsetY, r.h / 2 - 2.0f);
    }
    gImageWidth = keepW;
    gImageHeight = keepH;
    gPanX = keepPanX;
    gPanY = keepPanY;
    gImageHalfWidth = keepHalfW;
    gImageHalfHeight = keepHalfH;
}

TEST_F(Splash, StepsOutsideOneToTenOnlyAdvanceTheCounter)
{
    for (int step : {-1, 0, 11, 1000}) {
        gStartupStep = 40;
        glDepthMask(GL_FALSE);
        glDisable(GL_DEPTH_TEST);
        RunStartupStep(step);
        EXPECT_EQ(gStartupStep, 41);
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_TRUE(depthWrites);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_EQ(gScreenState, kScreenSplash);
    }
}

}  // namespace
