#include "ui/skins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"

namespace {

class Skins : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << "no OpenGL: " << gl_.error();
        ASSERT_TRUE(LoadInterfaceTextures());
    }
    GlTestContext gl_;
};

TEST_F(Skins, SizesAndOnlyThePanelRepeats)
{
    struct Row {
        SkinTexture entry;
        int width, height;
    };
    const Row rows[] = {
        {kSkinTabA, 128, 32},       {kSkinTabB, 128, 32},          {kSkinPanel, 32, 32},
        {kSkinButtonFace, 128, 32}, {kSkinButtonPressed, 128, 32}, {kSkinTrackball0, 32, 32},
    };
    for (const Row& r : rows) {
        glBindTexture(GL_TEXTURE_2D, gSkinTextures[r.entry]);
        GLint w = 0, h = 0, wrapS = 0, wrapT = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
        EXPECT_EQ(w, r.width) << r.entry;
        EXPECT_EQ(h, r.height) << r.entry;
        const GLint expected = r.entry == kSkinPanel ? GL_REPEAT : GL_CLAMP_TO_EDGE;
        EXPECT_EQ(wrapS, expected) << r.entry;
        EXPECT_EQ(wrapT, expected) << r.entry;
    }
}

TEST_F(Skins, BevelFrameOfGreyZeroKeepsItsOutline)
{
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);  // the skin upload leaves texturing on
    DrawBevelFrame(100, 300, 200, 0.0f);
    const std::vector<uint8_t> rgb = gl_.ReadPixelsRgb();
    auto at = [&](int x, int y) { return rgb[(static_cast<size_t>(999 - y) * 1600 + x) * 3]; };
    EXPECT_EQ(at(150, 150), 0);     // black inside
    EXPECT_EQ(at(20, 150), 255);    // the left edge is always x = 32
    EXPECT_EQ(at(310, 150), 255);
    // The outline shades between 0.125 and 0.5 grey along each edge.
    const int left = std::max(at(32, 150), at(31, 150));
    EXPECT_GT(left, 25);
    EXPECT_LT(left, 135);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace
