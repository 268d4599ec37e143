// Colour-map files and generators, and the maps a new user starts with.
#include "materials/color_maps.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>

#include "engine/random.h"

namespace {

struct Entry {
    int r, g, b;
};
Entry At(const ColorMap& m, int i) { return {m.red[i], m.green[i], m.blue[i]}; }

TEST(ColorMapFile, LinesGiveEntriesAndMissingLinesKeepTheGreyRamp)
{
    const struct {
        const char* text;
        int entry;
        Entry expected;
    } cases[] = {
        {"", 0, {0, 0, 0}},
        {"", 200, {200, 200, 200}},
        {"255.9 0 12.5\n", 0, {255, 0, 12}},
        {"256 0 0\n", 0, {0, 0, 0}},
        {"-1 300 -256.5\n", 0, {255, 44, 0}},
        {"1e20 nan x\n", 0, {0, 0, 0}},
        {"7\n", 0, {7, 0, 0}},
        {"1 2 3\n4 5 6\n", 1, {4, 5, 6}},
        {"1 2 3\n4 5 6\n", 2, {2, 2, 2}},
        {"1 2 3\r\n\n9 9 9", 1, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        ColorMap map;
        ReadColorMapText(map, c.text);
        const Entry e = At(map, c.entry);
        EXPECT_EQ(e.r, c.expected.r) << '"' << c.text << "\" entry " << c.entry;
        EXPECT_EQ(e.g, c.expected.g) << '"' << c.text << "\" entry " << c.entry;
        EXPECT_EQ(e.b, c.expected.b) << '"' << c.text << "\" entry " << c.entry;
    }
}

TEST(ColorMapFile, LongFilesAndLongLines)
{
    std::string text;
    for (int i = 0; i < 300; ++i) text += std::to_string(299 - i) + " 1 2\n";
    ColorMap map;
    ReadColorMapText(map, text);
    EXPECT_EQ(At(map, 0).r, 299 & 255);
    EXPECT_EQ(At(map, 255).r, 299 - 255);
    // A line longer than the 99 characters of a read goes on as the next entry.
    ReadColorMapText(map, std::string(97, ' ') + "10 20 30\n");
    EXPECT_EQ(At(map, 0).r, 10);
    EXPECT_EQ(At(map, 1).r, 20);
    EXPECT_EQ(At(map, 1).g, 30);
}

TEST(ColorMapFile, WrittenMapReadsBackFromDisk)
{
    ColorMap written;
    for (int i = 0; i < kColorMapEntries; ++i) {
        written.red[i] = static_cast<uint8_t>(255 - i);
        written.green[i] = static_cast<uint8_t>(i * 7);
        written.blue[i] = static_cast<uint8_t>(i / 3);
    }
    const std::string path = testing::TempDir() + "written.map";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    const std::string text = ColorMapText(written);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    ASSERT_TRUE(LoadColorMapFile(path));
    EXPECT_EQ(std::memcmp(&gColorMap, &written, sizeof written), 0);
    EXPECT_FALSE(LoadColorMapFile(path + ".missing"));
    EXPECT_EQ(At(gColorMap, 77).g, 77);  // the grey ramp
}

// A folder or a FIFO named like a colour map is no colour map: the reader
// answers at once, false, and the working map is not taken from it.
TEST(ColorMapFile, FolderAndFifoAreRefusedWithoutWaiting)
{
    const std::string folder = testing::TempDir() + "maps_" + std::to_string(::getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/folder.map");
    ASSERT_EQ(::mkfifo((folder + "/fifo.map").c_str(), 0600), 0);
    for (const char* name : {"/folder.map", "/fifo.map"}) {
        std::memset(&gColorMap, 7, sizeof gColorMap);
        EXPECT_FALSE(LoadColorMapFile(folder + name)) << name;
        std::string text = "x";
        EXPECT_FALSE(ReadColorMapFront(folder + name, text)) << name;
        EXPECT_TRUE(text.empty());
    }
    // A long file is read only as far as 256 lines reach.
    std::string big;
    for (int i = 0; i < 20000; ++i) big += "1 2 3\n";
    std::ofstream(folder + "/big.map") << big;
    ASSERT_TRUE(LoadColorMapFile(folder + "/big.map"));
    EXPECT_EQ(gColorMap.blue[255], 3);
    std::filesystem::remove_all(folder);
}

TEST(ColorMapGenerators, SeededMapsAreRepeatableAndPaintAtLeastEveryOtherStripe)
{
    for (const auto generate : {&GenerateRandomColorMap, &GenerateHueWavePalette}) {
        for (uint32_t seed = 1; seed <= 60; ++seed) {
            std::memset(&gColorMap, 1, sizeof gColorMap);
            SeedRandomState(gGlobalRandomA, seed);
            generate();
            const ColorMap first = gColorMap;
            int painted = 0;
            for (int i = 0; i < kColorMapEntries; ++i)
                painted += first.red[i] != 1 || first.green[i] != 1 || first.blue[i] != 1;
            EXPECT_GE(painted, 96) << "seed " << seed;
            std::memset(&gColorMap, 1, sizeof gColorMap);
            SeedRandomState(gGlobalRandomA, seed);
            generate();
            EXPECT_EQ(std::memcmp(&gColorMap, &first, sizeof first), 0) << "seed " << seed;
        }
    }
}

TEST(ColorMapGenerators, StripesSkipEveryOtherStripeWhenAlternating)
{
    const StripeRule single{1, true}, wide{4, true}, solid{4, false};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(StripeWrites(single, i), i % 2 == 1) << i;
        EXPECT_EQ(StripeWrites(wide, i), (i / 4) % 2 == 1) << i;
        EXPECT_TRUE(StripeWrites(solid, i)) << i;
    }
}

// The maps a new user starts with: the ramps at worked entries (grey i is
// (i, i, i); the hue wheel red at 0, yellow at 42.67 and green at 85.33,
// as 60 and 120 degrees fall; the baseshape colours the sixteen of the
// baseshape ramps again and again), and the generated ones each a map of
// its own and not grey, made without touching the working map or the
// shared stream.
TEST(StarterColorMaps, RampsAtWorkedEntriesAndGeneratedMapsOfTheirOwn)
{
    std::map<std::string, ColorMap> made;
    SeedRandomState(gGlobalRandomA, 7);
    std::memset(&gColorMap, 9, sizeof gColorMap);
    const ColorMap working = gColorMap;
    const RandomState stream = gGlobalRandomA;
    for (const StarterColorMap& starter : kStarterColorMaps) starter.make(made[starter.fileName]);
    EXPECT_EQ(std::memcmp(&gColorMap, &working, sizeof working), 0);
    EXPECT_EQ(std::memcmp(&gGlobalRandomA, &stream, sizeof stream), 0);
    ASSERT_EQ(made.size(), static_cast<size_t>(kStarterColorMapCount)) << "two rows of one name";

    const ColorMap& grey = made["grey.map"];
    for (int i = 0; i < kColorMapEntries; ++i) EXPECT_EQ(At(grey, i).r + At(grey, i).g + At(grey, i).b, 3 * i) << i;
    const ColorMap& hue = made["hue_wheel.map"];
    const std::pair<int, Entry> hues[] = {{0, {255, 0, 0}}, {43, {255, 255, 0}}, {86, {0, 255, 0}}};
    for (const auto& [i, e] : hues) {
        EXPECT_NEAR(At(hue, i).r, e.r, 6) << i;
        EXPECT_NEAR(At(hue, i).g, e.g, 6) << i;
        EXPECT_NEAR(At(hue, i).b, e.b, 6) << i;
    }
    const ColorMap& wheel = made["baseshape_colours.map"];
    const auto same = [](Entry a, Entry b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    EXPECT_TRUE(same(At(wheel, 0), {255, 0, 106}));
    for (int i = 16; i < kColorMapEntries; ++i) EXPECT_TRUE(same(At(wheel, i), At(wheel, i - 16))) << i;
    for (const char* name : {"blue_yellow.map", "mint_forest.map", "olive_gold.map", "teal_red.map", "violet_dusk.map"}) {
        const ColorMap& m = made[name];
        EXPECT_NE(std::memcmp(&m, &grey, sizeof m), 0) << name;
        for (const auto& [other, o] : made) {
            EXPECT_TRUE(other == name || std::memcmp(&m, &o, sizeof m) != 0) << name << " is " << other;
        }
    }
}

}  // namespace
