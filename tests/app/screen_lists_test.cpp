#include "app/screen_lists.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <thread>

#include "app/about_box.h"
#include "app/startup_state.h"
#include "app/support/app_interface.h"
#include "support/screenshot.h"
#include "platform/desktop/gl_api.h"
#include "platform/asset_paths.h"

namespace {

class ScreenLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
    }
    AppInterfaceTest gl_;
};

TEST_F(ScreenLists, BuildResetsTheStartupCountersAndRecordsEveryList)
{
    gStartupStep = 5;
    gSplashFrameCount = 9;
    const unsigned testPicture = gOpengl.aboutTexture;
    gOpengl.BuildScreenLists();
    glDeleteTextures(1, &testPicture);
    EXPECT_EQ(gStartupStep, 0);
    EXPECT_EQ(gSplashFrameCount, 0);
    for (unsigned list : {gOpengl.titleList, gOpengl.axesList, gOpengl.cubeList, gOpengl.busyMarkList,
                          gOpengl.infoPanelList, gOpengl.voxelPanelList, gOpengl.voxelExportPanelList,
                          gOpengl.warningList, gOpengl.statusPanelList, gOpengl.statusBlankList, gOpengl.aboutList})
        EXPECT_TRUE(glIsList(list));
    EXPECT_TRUE(glIsTexture(gOpengl.aboutTexture));
    EXPECT_STREQ(gOpengl.aboutText[0], "Version 1.0 x64");
}

TEST_F(ScreenLists, WarningBoxSitsLowerRightClearOfThePreview)
{
    gl_.ClearFrame();
    glCallList(gOpengl.warningList);
    const LitBox b = FindLit(gl_.Frame());
    ASSERT_GE(b.x1, 0);
    EXPECT_GE(b.x0, 1229);
    EXPECT_LE(b.x1, 1443);
    EXPECT_GE(b.y0, 53);
    EXPECT_LT(b.y1, 159);  // the preview frame starts at 159
}

TEST_F(ScreenLists, StatusBlankCoversItsAreaInBlack)
{
    gl_.ClearFrame();
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glRectf(600, 0, 1300, 300);
    glEnable(GL_DEPTH_TEST);
    glCallList(gOpengl.statusBlankList);
    const std::vector<uint8_t> frame = gl_.Frame();
    auto at = [&](int x, int y) { return frame[(static_cast<size_t>(999 - y) * 1600 + x) * 3]; };
    EXPECT_EQ(at(800, 100), 0);
    EXPECT_EQ(at(1212, 209), 0);
    EXPECT_EQ(at(650, 100), 255);
    EXPECT_EQ(at(800, 250), 255);
}

TEST_F(ScreenLists, BusyMarkHubIsBrightOnItsRim)
{
    // Twenty times enlarged; sampled half-way between two spokes, where only
    // the hub and the rings light anything.
    gl_.ClearFrame();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPushMatrix();
    glTranslatef(800, 500, 0);
    glScalef(20, 20, 1);
    glCallList(gOpengl.busyMarkList);
    glPopMatrix();
    const std::vector<uint8_t> frame = gl_.Frame();
    auto red = [&](float radius) {
        const float a = 0.3926991f;  // 22.5 degrees
        const int x = static_cast<int>(800 + 20 * radius * std::cos(a));
        const int y = static_cast<int>(500 + 20 * radius * std::sin(a));
        return frame[(static_cast<size_t>(999 - y) * 1600 + x) * 3];
    };
    EXPECT_GT(red(2.9f), 200);  // bright at radius 3
    EXPECT_GT(red(2.7f), 200);
    EXPECT_EQ(red(3.3f), 0);    // nothing between the hub and the rings
    EXPECT_GT(red(14.0f), 200);  // the rings' centre line
    EXPECT_LT(red(15.2f), 10);
}

TEST_F(ScreenLists, AboutBoxMatchesItsReference)
{
    if (!gl_.llvmpipe()) GTEST_FAIL() << "screenshots are compared on llvmpipe only";
    gl_.ClearFrame();
    glCallList(gOpengl.titleList);
    glCallList(gOpengl.aboutList);
    const ScreenshotResult r = CompareWithReference("about_box", gl_.Frame(), 1600, 1000);
    EXPECT_TRUE(r.ok) << r.message;
}

TEST(AboutBox, AxisLettersAreEightByEightBitmaps)
{
    const AxisLetterBits bits = LoadAxisLetters();
    for (int k = 0; k < 3; ++k) {
        int lit = 0;
        for (unsigned char row : bits.rows[k]) lit += __builtin_popcount(row);
        EXPECT_GT(lit, 8) << "letter " << k;
    }
    // X is symmetric top to bottom; Y is not.
    EXPECT_EQ(bits.rows[0][1], bits.rows[0][6]);
    EXPECT_NE(bits.rows[1][1], bits.rows[1][6]);
}

std::string gOpened;
bool RecordOpen(const std::string& path)
{
    gOpened = path;
    return true;
}

TEST(AboutBox, HelpAndNewsOpenTheLocalHelpPage)
{
    const OpenDocumentFn keep = gOpenDocument;
    gOpenDocument = RecordOpen;
    gOpened.clear();
    EXPECT_TRUE(OpenWithShell2());
    EXPECT_EQ(gOpened, HelpPagePath());
    EXPECT_TRUE(std::filesystem::is_regular_file(gOpened));
    EXPECT_EQ(gOpened.find("://"), std::string::npos);
    gOpened.clear();
    EXPECT_TRUE(OpenWithShell());
    EXPECT_EQ(gOpened, HelpPagePath());

    // A missing page is reported and nothing is started.
    const std::string folder = InstallFolder();
    SetInstallFolder("/nonexistent-talvoran-folder");
    gOpened.clear();
    EXPECT_FALSE(OpenWithShell());
    EXPECT_TRUE(gOpened.empty());
    SetInstallFolder("");
    EXPECT_EQ(InstallFolder(), folder);
    gOpenDocument = keep;
}

}  // namespace
