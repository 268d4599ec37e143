#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "app/status_line.h"

namespace {

TEST(StatusLine, WidthIsHalfTheLengthTimesEight)
{
    SetStatusText("%s", "1234567");
    EXPECT_STREQ(gStatusText, "1234567");
    EXPECT_EQ(GetStatusTextWidth(), 24);
    SetStatusText("%s", "12345678");
    EXPECT_EQ(GetStatusTextWidth(), 32);
    SetStatusText("%s", "");
    EXPECT_EQ(GetStatusTextWidth(), 0);
    SetStatusText("Threads %d, %2.2f%%", 8, 12.345);
    EXPECT_STREQ(gStatusText, "Threads 8, 12.35%");
    EXPECT_EQ(gStatusTextWidth, 64);
}

TEST(StatusLine, NullFormatChangesNothing)
{
    SetStatusText("kept");
    SetStatusText(nullptr);
    EXPECT_STREQ(gStatusText, "kept");
    EXPECT_EQ(GetStatusTextWidth(), 16);
}

TEST(StatusLine, LongTextIsCutToTheBuffer)
{
    const std::string longText(5000, 'x');
    SetStatusText("%s", longText.c_str());
    EXPECT_EQ(std::strlen(gStatusText), static_cast<size_t>(kStatusTextSize - 1));
    EXPECT_EQ(GetStatusTextWidth(), (kStatusTextSize - 1) / 2 * 8);
}

TEST(StatusLine, MayQuoteItself)
{
    SetStatusText("abc");
    SetStatusText("%s-%s", gStatusText, gStatusText);
    EXPECT_STREQ(gStatusText, "abc-abc");
}

TEST(StatusLine, ClearEmptiesTextAndWidth)
{
    SetStatusText("something");
    ClearStatusText();
    EXPECT_STREQ(gStatusText, "");
    EXPECT_EQ(GetStatusTextWidth(), 0);
}

// Texts of several threads never tear: every copy is one whole text with its own width.
TEST(StatusLine, ConcurrentWritersGiveConsistentCopies)
{
    std::thread writers[3];
    for (int t = 0; t < 3; ++t) {
        writers[t] = std::thread([t] {
            const std::string text(static_cast<size_t>(10 + t * 300), static_cast<char>('a' + t));
            for (int i = 0; i < 2000; ++i) SetStatusText("%s", text.c_str());
        });
    }
    for (int i = 0; i < 2000; ++i) {
        char copy[kStatusTextSize];
        int width = -1;
        CopyStatusText(copy, sizeof copy, &width);
        const size_t length = std::strlen(copy);
        EXPECT_EQ(width, static_cast<int>(length / 2) * 8);
        for (size_t k = 1; k < length; ++k) ASSERT_EQ(copy[k], copy[0]);
    }
    for (std::thread& w : writers) w.join();
}

}  // namespace
