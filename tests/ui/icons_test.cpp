#include "ui/icons.h"

#include <gtest/gtest.h>

#include "engine/fractal_model.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"

namespace {

TEST(ShapeIcons, SheetCellsEightWideSixteenHigh)
{
    struct Row {
        int n, sheet;
        float s0, t0;
    };
    const Row rows[] = {
        {0, 0, 0.0f, 15.0f / 16}, {7, 0, 7.0f / 8, 15.0f / 16}, {9, 0, 1.0f / 8, 14.0f / 16},
        {127, 0, 7.0f / 8, 0.0f}, {128, 1, 0.0f, 15.0f / 16},   {204, 1, 4.0f / 8, 6.0f / 16},
    };
    for (const Row& r : rows) {
        const SheetCell c = ShapeIconCell(r.n);
        EXPECT_EQ(c.sheet, r.sheet) << r.n;
        EXPECT_FLOAT_EQ(c.s0, r.s0) << r.n;
        EXPECT_NEAR(c.t0, r.t0, 1e-6f) << r.n;
    }
}

long LitIn(const std::vector<uint8_t>& rgb, int x0, int y0, int x1, int y1)
{
    long lit = 0;
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1600; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(999 - y) * 1600 + x) * 3];
            if (p[0] + p[1] + p[2] == 0) continue;
            const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
            lit += inside ? 1 : -1000000;  // anything outside fails the test
        }
    return lit;
}

class IconDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << "no OpenGL: " << gl_.error();
    }
    void Clear()
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    GlTestContext gl_;
};

TEST_F(IconDrawing, ShapeIconsLoadAndStayInTheirCell)
{
    ASSERT_TRUE(LoadShapeIcons());
    Clear();
    DrawShapeIcon(100, 200, 204);
    EXPECT_GT(LitIn(gl_.ReadPixelsRgb(), 99, 199, 166, 266), 100);
    Clear();
    DrawShapeIcon(100, 200, 205);
    DrawShapeIcon(100, 200, -1);
    EXPECT_EQ(LitIn(gl_.ReadPixelsRgb(), 0, 0, 0, 0), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(IconDrawing, ToolAndFractalTypeIconsLoadFromTheImgFolder)
{
    ASSERT_TRUE(LoadToolIcons());
    ASSERT_TRUE(LoadNumberedIcons());
    Clear();
    DrawToolIcons(3, 2);
    EXPECT_GT(LitIn(gl_.ReadPixelsRgb(), 1536, 800, 1600, 992), 1000);
    Clear();
    gFractalType = 49;
    DrawFractalTypeIcon();
    EXPECT_GT(LitIn(gl_.ReadPixelsRgb(), 380, 556, 508, 684), 1000);
    gFractalType = 0;
}

// The icons are read at load time but take texture memory only once shown,
// and filling them in the middle of a frame leaves the texture binding and
// environment of the drawing around them alone.
TEST_F(IconDrawing, IconsTakeTheirTexturesWhenFirstShown)
{
    ASSERT_TRUE(LoadNumberedIcons());
    ASSERT_TRUE(LoadShapeIcons());
    for (const unsigned texture : gFractalTypeIconTextures) EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsTexture(gShapeIconSheets[0]));
    GLuint mine = 0;
    glGenTextures(1, &mine);
    glBindTexture(GL_TEXTURE_2D, mine);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    gFractalType = 7;
    Clear();
    DrawFractalTypeIcon();
    EXPECT_GT(LitIn(gl_.ReadPixelsRgb(), 380, 556, 508, 684), 1000);
    EXPECT_TRUE(glIsTexture(gFractalTypeIconTextures[7]));
    EXPECT_FALSE(glIsTexture(gFractalTypeIconTextures[8]));
    Clear();
    DrawShapeIcon(100, 200, 3);
    EXPECT_GT(LitIn(gl_.ReadPixelsRgb(), 99, 199, 166, 266), 100);
    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_EQ(env, GL_MODULATE);
    gFractalType = 0;
    glDeleteTextures(1, &mine);
}

}  // namespace
