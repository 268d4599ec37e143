#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/status_line.h"

namespace {

// Width is half the length times eight; a null format keeps the text; a long
// text is cut to the buffer; the text may quote itself.
TEST(StatusLine, TextAndWidth)
{
    static const std::string longText(5000, 'x');
    struct Case {
        const char* name;
        void (*set)();
        std::string text;
        int width;
    } const cases[] = {
        {"odd length", [] { SetStatusText("%s", "1234567"); }, "1234567", 24},
        {"even length", [] { SetStatusText("%s", "12345678"); }, "12345678", 32},
        {"empty", [] { SetStatusText("%s", ""); }, "", 0},
        {"formatted", [] { SetStatusText("Threads %d, %2.2f%%", 8, 12.345); }, "Threads 8, 12.35%", 64},
        {"null format", [] { SetStatusText("kept"), SetStatusText(nullptr); }, "kept", 16},
        {"cut", [] { SetStatusText("%s", longText.c_str()); }, std::string(kStatusTextSize - 1, 'x'),
         (kStatusTextSize - 1) / 2 * 8},
        {"quotes itself", [] { SetStatusText("abc"), SetStatusText("%s-%s", gStatusText, gStatusText); }, "abc-abc",
         24},
        {"cleared", [] { ClearStatusText(); }, "", 0},
    };
    for (const Case& c : cases) {
        c.set();
        EXPECT_EQ(std::string(gStatusText), c.text) << c.name;
        EXPECT_EQ(GetStatusTextWidth(), c.width) << c.name;
    }
}

// A file name from StatusFileName leaves no mark in the text: the copy
// says where it stands, without its folder; a name cut off with the text
// ends with it; marks in a name itself are no marks.
TEST(StatusLine, FileNamesAreFoundWhereTheyStand)
{
    static const std::string longName = "/folder/" + std::string(2000, 'n');
    using Spans = std::vector<std::pair<int, int>>;
    struct Case {
        const char* name;
        void (*set)();
        std::string text;
        Spans spans;
    } const cases[] = {
        {"one", [] { SetStatusText("Cannot read %s: why.", StatusFileName("/a/b/c.zdat")); }, "Cannot read c.zdat: why.",
         {{12, 18}}},
        {"two", [] { SetStatusText("%s and %s", StatusFileName("x/a.map"), StatusFileName("b.map")); }, "a.map and b.map",
         {{0, 5}, {10, 15}}},
        {"marks in the name", [] { SetStatusText("%s.", StatusFileName("a\x02" "b\x03" "c")); }, "a?b?c.", {{0, 5}}},
        {"cut off", [] { SetStatusText("File %s", StatusFileName(longName.c_str())); },
         "File " + std::string(kStatusTextSize - 1 - 6, 'n'), {{5, kStatusTextSize - 2}}},
        {"a folder's end", [] { SetStatusText("[%s]", StatusFileName("dir/")); }, "[]", {}},
        {"a whole path", [] { SetStatusText("It is at %s", StatusPath("/a/b/c.html")); }, "It is at /a/b/c.html",
         {{9, 20}}},
        {"plain", [] { SetStatusText("%s", "no names"); }, "no names", {}},
        {"cleared", [] { SetStatusText("%s", StatusFileName("x")), ClearStatusText(); }, "", {}},
    };
    for (const Case& c : cases) {
        c.set();
        char text[kStatusTextSize];
        int width = 0;
        StatusNames names;
        CopyStatusText(text, sizeof text, &width, &names);
        EXPECT_EQ(std::string(text), c.text) << c.name;
        EXPECT_EQ(width, static_cast<int>(c.text.size() / 2) * 8) << c.name;
        Spans spans;
        for (int i = 0; i < names.count; ++i) spans.emplace_back(names.spans[i].begin, names.spans[i].end);
        EXPECT_EQ(spans, c.spans) << c.name;
    }
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
