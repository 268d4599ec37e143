// The colour maps the build made for a new user's textures folder, read
// back from the build tree through the program's own colour-map reader.
#include "assets/color_map_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "engine/color_map.h"
#include "materials/color_maps.h"
#include "platform/asset_paths.h"

namespace fs = std::filesystem;

namespace {

// The "maps" folder beside the interface pictures holds one file a row of
// the table, each 256 lines the reader takes back as the row's ramp, and
// nothing else; written again into a scratch folder, they are the same.
TEST(StarterColorMapFiles, TheBuiltFilesReadBackAsTheirRamps)
{
    const fs::path maps = fs::path(InstallFolder()) / "maps";
    std::set<std::string> found, rows;
    for (const auto& entry : fs::directory_iterator(maps)) found.insert(entry.path().filename().string());
    for (const StarterColorMap& starter : kStarterColorMaps) rows.insert(starter.fileName);
    EXPECT_EQ(found, rows);

    const fs::path scratch = fs::temp_directory_path() / ("talvoran_maps_" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    ASSERT_TRUE(assetgen::WriteStarterColorMaps(scratch));
    for (const StarterColorMap& starter : kStarterColorMaps) {
        SCOPED_TRACE(starter.fileName);
        ColorMap made, read;
        starter.make(made);
        std::memset(&read, 0, sizeof read);
        ASSERT_TRUE(ReadColorMapFile((maps / starter.fileName).string(), read));
        EXPECT_EQ(std::memcmp(&read, &made, sizeof made), 0);
        std::string text, again;
        ASSERT_TRUE(ReadColorMapFront((maps / starter.fileName).string(), text));
        EXPECT_EQ(text, ColorMapText(made));
        ASSERT_TRUE(ReadColorMapFront((scratch / starter.fileName).string(), again));
        EXPECT_EQ(again, text);
    }
    fs::remove_all(scratch);
}

}  // namespace
