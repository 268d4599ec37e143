#include "ui/font.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>

namespace {

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

}  // namespace
