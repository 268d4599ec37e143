#include <gtest/gtest.h>

#include <cstring>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"
#include "ui/font.h"

namespace {

struct Box {
    int x0 = 1600, y0 = 1000, x1 = -1, y1 = -1;  // lit pixels, virtual units, y up
    bool empty() const { return x1 < 0; }
};

class TextDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << "no OpenGL: " << gl_.error();
        ASSERT_TRUE(BuildFont());
    }

    void Clear()
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor4f(1, 1, 1, 1);
    }

    Box LitBox()
    {
        const std::vector<uint8_t> rgb = gl_.ReadPixelsRgb();
        Box b;
        for (int y = 0; y < 1000; ++y)
            for (int x = 0; x < 1600; ++x) {
                const uint8_t* p = &rgb[(static_cast<size_t>(999 - y) * 1600 + x) * 3];
                if (p[0] + p[1] + p[2] < 30) continue;
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
        return b;
    }

    std::vector<uint8_t> Drawn(const char* text, int set)
    {
        Clear();
        DrawText(400, 500, text, set);
        return gl_.ReadPixelsRgb();
    }

    GlTestContext gl_;
};

TEST_F(TextDrawing, TextLiesWithinItsQuads)
{
    Clear();
    DrawText(100, 200, "MWMW", 1);
    const Box b = LitBox();
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.x0, 100);
    EXPECT_LT(b.x1, 100 + TextInkRight(4));
    EXPECT_GE(b.y0, 200);
    EXPECT_LT(b.y1, 200 + kGlyphQuadSize);
    // The glyph art is about half a cell wide: the last 'W' ends past the pen.
    EXPECT_GT(b.x1, 100 + TextAdvance(3) + 4);
}

// The ink end a frame's fit is judged by is where the drawn text ends: the
// last lit pixel of each text lies within a unit of it; blanks have none.
TEST_F(TextDrawing, InkEndsWhereTheDrawnTextEnds)
{
    const struct {
        const char* text;
        int set;
    } texts[] = {{"Extremely Precise", 1}, {"TBall", 1}, {"Uniform", 1}, {"Tr.", 1}, {"W", 0}, {"Talvoran", 0}, {"r  ", 1}};
    for (const auto& t : texts) {
        Clear();
        DrawText(100, 200, t.text, t.set);
        const Box b = LitBox();
        ASSERT_FALSE(b.empty()) << t.text;
        const float end = 100.0f + TextInkEnd(t.text, t.set);
        EXPECT_NEAR(static_cast<float>(b.x1 + 1), end, 1.0f) << t.text;
    }
    EXPECT_EQ(TextInkEnd("  ", 1), 0.0f);
    EXPECT_EQ(TextInkEnd("r  ", 1), TextInkEnd("r", 1));
    EXPECT_EQ(TextInkEnd("", 0), 0.0f);
}

// Drawing, empty text included, leaves the matrix, blending, texturing and
// depth test as it found them; null and empty text draw nothing.
TEST_F(TextDrawing, ProtocolRestoresStateAndEmptyTextDrawsNothing)
{
    Clear();
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    DrawText(10, 10, "", 0);
    DrawTextF(10, 10, nullptr);
    DrawFramedTextF(10, 10, nullptr);
    DrawText(10, 10, nullptr, 0);
    EXPECT_TRUE(LitBox().empty());
    DrawText(10, 10, "abc", 1);
    DrawIntText(10, 40, -17, 0);
    DrawFloatText(10, 70, 0.5f);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_TRUE(std::equal(before, before + 16, after));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE);
}

TEST_F(TextDrawing, CodesOutsideTheSetReachTheOtherSetOrNothing)
{
    // 193 in set 0 is the set-1 glyph of 65; 5 in set 1 the set-0 glyph of 133.
    EXPECT_EQ(Drawn("\xC1", 0), Drawn("A", 1));
    EXPECT_EQ(Drawn("\x05", 1), Drawn("\x85", 0));
    EXPECT_NE(Drawn("A", 0), Drawn("A", 1));
    // Beyond the 256 glyphs nothing is drawn, even with other lists around.
    const GLuint other = glGenLists(512);
    for (GLuint i = 0; i < 512; ++i) {
        glNewList(other + i, GL_COMPILE);
        glColor3f(1, 1, 1);
        glRectf(0, 0, 100, 100);
        glEndList();
    }
    Clear();
    DrawText(400, 500, "\x01\x1F", 0);
    DrawText(400, 500, "\xA0\xFF", 1);
    EXPECT_TRUE(LitBox().empty());
    glDeleteLists(other, 512);
}

// The glyph lists replayed one character at a time, as the font defines a
// text: what a text drawn in one run of quads must match pixel for pixel,
// also where codes without a glyph (which neither draw nor move the pen) sit
// between others, and when recorded into a list and replayed.
TEST_F(TextDrawing, OneRunMatchesTheGlyphListsExactly)
{
    const struct {
        const char* text;
        int set;
    } cases[] = {{"Render 1600 x 1000", 1}, {"%2.5f -0.12345", 0}, {"A\x01B\x1F" "C", 0},
                 {"x\xA0y\xFFz", 1}, {"\xC1\x85~ ", 0}, {"W", 1}};
    for (const auto& c : cases) {
        Clear();
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glPushMatrix();
        glTranslatef(403, 517, 0);
        glListBase(gFontListBase - 32 + 128 * c.set);
        glCallLists(static_cast<GLsizei>(std::strlen(c.text)), GL_UNSIGNED_BYTE, c.text);
        glPopMatrix();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        const std::vector<uint8_t> lists = gl_.ReadPixelsRgb();

        Clear();
        DrawText(403, 517, c.text, c.set);
        EXPECT_TRUE(gl_.ReadPixelsRgb() == lists) << c.text;

        const GLuint recorded = glGenLists(1);
        glNewList(recorded, GL_COMPILE);
        DrawText(403, 517, c.text, c.set);
        glEndList();
        Clear();
        glCallList(recorded);
        EXPECT_TRUE(gl_.ReadPixelsRgb() == lists) << c.text << " (recorded)";
        glDeleteLists(recorded, 1);
    }
}

TEST_F(TextDrawing, FramedTextSpansOneMoreCharacter)
{
    Clear();
    DrawFramedTextF(300, 400, "%d", 123);
    const Box b = LitBox();
    ASSERT_FALSE(b.empty());
    // A 3-character text: the frame spans 8 x (3 + 1) = 32 units from x.
    EXPECT_NEAR(b.x0, 300, 1);
    EXPECT_NEAR(b.x1, 332, 1);
    EXPECT_NEAR(b.y0, 400, 1);
    EXPECT_NEAR(b.y1, 416, 1);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_FLOAT_EQ(colour[1], 0.0f);
}

TEST_F(TextDrawing, LongFormattedTextIsCutAtTheBuffer)
{
    std::string longText(1000, 'x');
    Clear();
    // Started off the left edge, so that the end of 255 characters shows.
    DrawTextF(-1000, 100, "%s", longText.c_str());
    const Box b = LitBox();
    ASSERT_FALSE(b.empty());
    EXPECT_LT(b.x1, -1000 + TextInkRight(255));
    EXPECT_GT(b.x1, -1000 + TextAdvance(254));
}

}  // namespace
