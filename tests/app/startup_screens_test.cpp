// Screenshots of the start-up: the splash, and a frame after start-up with
// text in both font sets and push buttons in their normal and pressed looks.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/screen_lists.h"
#include "app/splash_screen.h"
#include "app/startup_sequence.h"
#include "app/support/app_interface.h"
#include "support/screenshot.h"
#include "engine/fractal_model.h"
#include "platform/desktop/gl_api.h"
#include "ui/button.h"
#include "ui/font.h"
#include "ui/icons.h"
#include "ui/skins.h"

namespace {

class StartupScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        // Step 1 reads (and may write) the settings: a file of the test's own.
        setenv("TALVORAN_SETTINGS_FILE", TALVORAN_BINARY_DIR "/tests/app/startup_settings.ini", 1);
        // Step 2 gives a new user's textures folder its colour maps: the
        // default folders of the test's own, never the user's.
        setenv("XDG_DATA_HOME", TALVORAN_BINARY_DIR "/tests/app/startup_data", 1);
        if (!gl_.llvmpipe()) GTEST_FAIL() << "screenshots are compared on llvmpipe only";
        InitGlobalState();
        gStartupStep = 0;
        gSplashFrameCount = 0;
        gScreenState = kScreenSplash;
    }
    AppInterfaceTest gl_;
};

TEST_F(StartupScreens, Splash)
{
    gl_.ClearFrame();
    DrawSplashScreen();
    const ScreenshotResult r = CompareWithReference("splash", gl_.Frame(), 1600, 1000);
    EXPECT_TRUE(r.ok) << r.message;
}

TEST_F(StartupScreens, FrameAfterStartupWithTextAndButtons)
{
    for (int frame = 0; frame < 211 && gScreenState == kScreenSplash; ++frame) DrawSplashScreen();
    ASSERT_EQ(gScreenState, kScreenPointPreview);

    gl_.ClearFrame();
    glCallList(gOpengl.titleList);
    // Not the information panel: its processor count differs between machines.
    glDisable(GL_DEPTH_TEST);
    DrawBevelFrame(484, 536, 704, 0.0625f);
    glEnable(GL_DEPTH_TEST);
    glCallList(gOpengl.statusPanelList);
    DrawText(32, 900, "Set 0: The quick brown fox jumps over 13 lazy dogs.", 0);
    DrawText(32, 880, "Set 1: The quick brown fox jumps over 13 lazy dogs.", 1);
    DrawText(32, 860, "Back#       Gradient      $Front  & ` { } ~ \x8C", 1);
    DrawText(32, 840, "Back#       Gradient      $Front  & ` { } ~ \x8C", 0);
    DrawIntText(32, 820, -2147483647 - 1, 1);
    DrawFloatText(232, 820, -0.25f);
    DrawFramedTextF(720, 120, "Status: %d points, %2.2f %%", 24024, 99.5f);

    static const char* const kCaptions[4] = {"Render", "Stop", "Continue", "Quit"};
    Button buttons[4];
    for (int i = 0; i < 4; ++i) {
        buttons[i].Build(32 + 130 * i, 760, 30, 120, 24, kCaptions[i], 0, 1600, 1000);
        buttons[i].visible = 1;
        buttons[i].pressed = i % 2;
        buttons[i].Draw();
    }
    Button narrow;
    narrow.Build(560, 760, 30, 16, 24, "#", 0, 1600, 1000);
    narrow.visible = 1;
    narrow.Draw();
    // The shape icons follow the samplers as they land; the tool icons are
    // our fixed pictures.
    DrawToolIcons(0, 2);

    const ScreenshotResult r = CompareWithReference("startup_frame", gl_.Frame(), 1600, 1000);
    EXPECT_TRUE(r.ok) << r.message;
}

}  // namespace
