#include "ui/font.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>

namespace {

TEST(GlyphIndex, CodeMinus32Plus128PerSet)
{
    struct Row {
        int code, set, glyph;
    };
    const Row rows[] = {
        {32, 0, 0},     {65, 0, 33},   {159, 0, 127}, {160, 0, 128},  // set 0 runs on into set 1's glyphs
        {255, 0, 223},  {31, 0, -1},   {0, 0, -1},    {0, 1, 96},     // set 1 reaches back into set 0
        {31, 1, 127},   {32, 1, 128},  {65, 1, 161},  {159, 1, 255},
        {160, 1, -1},   {255, 1, -1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(GlyphIndex(static_cast<unsigned char>(r.code), r.set), r.glyph) << r.code << " in set " << r.set;
}

TEST(TextFormats, BoundedByTheBuffer)
{
    // The largest float has 39 digits before the point: still far within.
    char buffer[kTextBufferSize];
    FormatFloatText(buffer, sizeof buffer, FLT_MAX);
    EXPECT_EQ(std::strlen(buffer), 39u + 6u);

    char tiny[5];
    std::memset(tiny, 'x', sizeof tiny);
    EXPECT_STREQ(FormatFloatText(tiny, sizeof tiny, -0.25f), "-0.2");
    EXPECT_STREQ(FormatIntText(tiny, sizeof tiny, 123456), "1234");
    char none = 'x';
    FormatIntText(&none, 0, 7);
    EXPECT_EQ(none, 'x');
}

TEST(TextExtents, AdvanceAndInk)
{
    EXPECT_EQ(TextAdvance(0), 0);
    EXPECT_EQ(TextAdvance(3), 24);
    EXPECT_EQ(TextInkRight(0), 0);
    EXPECT_EQ(TextInkRight(1), 16);
    EXPECT_EQ(TextInkRight(3), 32);
}

}  // namespace
