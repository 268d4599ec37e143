#include "ui/button.h"

#include <gtest/gtest.h>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"
#include "ui/font.h"
#include "ui/skins.h"

namespace {

Button Placed(int x, int y, int w, int h)
{
    Button b;
    b.rect[0] = x;
    b.rect[1] = y;
    b.rect[2] = x + w;
    b.rect[3] = y + h;
    b.visible = 1;
    return b;
}

TEST(Button, ClickTakesAllFourEdges)
{
    Button b = Placed(100, 200, 120, 24);
    EXPECT_FALSE(b.Click(99, 210));
    EXPECT_FALSE(b.Click(221, 210));
    EXPECT_FALSE(b.Click(150, 199));
    EXPECT_FALSE(b.Click(150, 225));
    EXPECT_EQ(b.pressed, 0);
    for (const auto& [x, y] : {std::pair{100, 200}, {220, 224}, {100, 224}, {220, 200}}) {
        Button e = Placed(100, 200, 120, 24);
        EXPECT_TRUE(e.Click(x, y)) << x << "," << y;
        EXPECT_EQ(e.pressed, 1);
    }
}

TEST(Button, PressedFlagStaysUntilTheOwnerClearsIt)
{
    Button b = Placed(0, 0, 50, 20);
    EXPECT_TRUE(b.Click(10, 10));
    EXPECT_TRUE(b.Click(10, 10));  // a second hit leaves it at 1
    EXPECT_EQ(b.pressed, 1);
    EXPECT_TRUE(b.Click(500, 500));  // a miss never clears it
    // Hidden while pressed: no hit, but still reports the flag.
    b.visible = 0;
    EXPECT_TRUE(b.Click(10, 10));
    b.pressed = 0;
    EXPECT_FALSE(b.Click(10, 10));
    EXPECT_EQ(b.pressed, 0);
}

// Sum of the red channel over a rectangle of a top-row-first image, in
// virtual units of a 1600 x 1000 window (y up).
long Sum(const std::vector<uint8_t>& rgb, int x0, int y0, int x1, int y1, int channel = 0)
{
    long s = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) s += rgb[(static_cast<size_t>(999 - y) * 1600 + x) * 3 + channel];
    return s;
}

TEST(Button, BuildRecordsBothLooksAndDrawPlacesThem)
{
    GlTestContext gl;
    if (!gl.ok()) GTEST_FAIL() << "no OpenGL: " << gl.error();
    ASSERT_TRUE(BuildFont());
    ASSERT_TRUE(LoadInterfaceTextures());

    Button b;
    b.Build(200, 300, 30, 120, 24, "Render", 0, 1600, 1000);
    EXPECT_EQ(b.rect[2], 320);
    EXPECT_EQ(b.rect[3], 324);
    EXPECT_EQ(b.rectCopy[0], 200);
    EXPECT_EQ(b.margins[0], 1400);
    EXPECT_EQ(b.margins[1], 700);
    EXPECT_FLOAT_EQ(b.localRect[2], 120.0f);
    ASSERT_NE(b.normalList, 0u);
    ASSERT_NE(b.pressedList, 0u);

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    b.Draw();  // invisible: nothing
    EXPECT_EQ(Sum(gl.ReadPixelsRgb(), 0, 0, 1600, 1000), 0);

    b.visible = 1;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    b.Draw();
    const std::vector<uint8_t> normal = gl.ReadPixelsRgb();
    // Everything drawn lies on the button (the outline reaches x1 + 1; lines
    // on pixel edges may light the row below).
    EXPECT_EQ(Sum(normal, 0, 0, 1600, 1000), Sum(normal, 199, 299, 323, 325));
    EXPECT_GT(Sum(normal, 210, 302, 310, 322), 0);

    b.pressed = 1;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    b.Draw();
    const std::vector<uint8_t> pressed = gl.ReadPixelsRgb();
    // The pressed skin is darker; compare the blue channel, which the dark
    // red outline does not touch.
    EXPECT_LT(Sum(pressed, 200, 300, 322, 325, 2), Sum(normal, 200, 300, 322, 325, 2));
}

}  // namespace
