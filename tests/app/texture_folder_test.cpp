// Start-up step 2: a new user's textures folder is given the colour maps
// made with the program, then listed; a folder of the user's is left as it
// was, and one that cannot be made or written leaves the start going on.
#include "app/texture_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/file_dialogs.h"
#include "engine/status_line.h"
#include "platform/asset_paths.h"
#include "platform/settings_file.h"

namespace fs = std::filesystem;

namespace {

// What a folder holds: each entry's name and bytes ("folder" for a folder).
using Listing = std::map<std::string, std::string>;
Listing ListingOf(const fs::path& folder)
{
    Listing listing;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::ifstream in(it->path(), std::ios::binary);
        listing[it->path().filename().string()] =
            it->is_directory() ? "folder" : std::string(std::istreambuf_iterator<char>(in), {});
    }
    return listing;
}

class TexturesFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("talvoran_textures_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        maps_ = ListingOf(fs::path(InstallFolder()) / "maps");
        ClearStatusText();
    }
    void TearDown() override
    {
        fs::remove_all(root_);
        gTexturesPath[0] = '\0';
    }
    static void Use(const fs::path& folder) { std::snprintf(gTexturesPath, kPathBufferSize, "%s", folder.c_str()); }
    fs::path root_;
    Listing maps_;
};

TEST_F(TexturesFolder, ANewUsersFolderGetsTheMapsAndAUsersOwnIsLeftAsItWas)
{
    ASSERT_EQ(maps_.size(), 8u) << "the build's colour maps";
    Listing withPicture = maps_;
    withPicture["a.png"] = "picture";
    const fs::path fresh = DefaultDataFolder("Textures");
    struct Case {
        const char* what;
        fs::path folder;
        std::function<void(const fs::path&)> prepare;  // what the folder holds before
        bool given;                                    // the maps are added
    } const cases[] = {
        {"a new user's folder, not there yet", fresh, [](const fs::path&) {}, true},
        {"pictures and no colour map", fresh, [](const fs::path& f) { std::ofstream(f / "a.png") << "picture"; }, true},
        {"a colour map of the user's", fresh, [](const fs::path& f) { std::ofstream(f / "mine.map") << "1 2 3\n"; }, false},
        {"one named in capitals", fresh, [](const fs::path& f) { std::ofstream(f / "MINE.MAP") << "4 5 6\n"; }, false},
        {"a folder named like one", fresh, [](const fs::path& f) { fs::create_directories(f / "x.map"); }, false},
        {"the maps given at an earlier start, one taken away", fresh,
         [](const fs::path& f) { std::ofstream(f / "grey.map") << "0 0 0\n"; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(root_ / "data");
        if (std::string(c.what).find("not there") == std::string::npos) {
            fs::create_directories(c.folder);
            c.prepare(c.folder);
        }
        const Listing before = ListingOf(c.folder);
        Use(c.folder);
        StockAndScanTexturesFolder();
        Listing expected = before;
        if (c.given) expected.insert(maps_.begin(), maps_.end());
        EXPECT_EQ(ListingOf(c.folder), expected);
        EXPECT_EQ(gTextureFileCount, static_cast<int>(expected.size()) - (expected.count("x.map") ? 1 : 0));
        EXPECT_STREQ(gStatusText, "");
    }
}

// A folder the settings name that is not there is not made; a file where
// the folder should be, a default folder that cannot be made and one that
// cannot be written (no byte may go into a file) each leave the start
// going on, without a word, and no file behind.
TEST_F(TexturesFolder, FoldersThatCannotTakeTheMapsAreLeftAlone)
{
    std::ofstream(root_ / "file") << "not a folder";
    std::ofstream(root_ / "blocked") << "not a folder either";
    struct Case {
        const char* what;
        std::function<fs::path()> folder;
        bool unwritable;
    } const cases[] = {
        {"a named folder that is not there", [this] { return root_ / "elsewhere"; }, false},
        {"a file in the folder's place", [this] { return root_ / "file"; }, false},
        {"a default folder under a file",
         [this] {
             ::setenv("XDG_DATA_HOME", (root_ / "blocked").c_str(), 1);
             return fs::path(DefaultDataFolder("Textures"));
         },
         false},
        {"a folder that takes no byte", [] { return fs::path(DefaultDataFolder("Textures")); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        const fs::path folder = c.folder();
        if (c.unwritable) fs::create_directories(folder);
        const bool existed = fs::exists(folder);
        const Listing before = ListingOf(folder);
        Use(folder);
        rlimit old{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        void (*oldSignal)(int) = SIG_DFL;
        if (c.unwritable) {
            // Even as root: a write past the file-size limit fails.
            oldSignal = std::signal(SIGXFSZ, SIG_IGN);
            rlimit none = old;
            none.rlim_cur = 0;
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
        }
        StockAndScanTexturesFolder();
        if (c.unwritable) {
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &old), 0);
            std::signal(SIGXFSZ, oldSignal);
        }
        EXPECT_EQ(fs::exists(folder), existed);
        EXPECT_EQ(ListingOf(folder), before);
        EXPECT_EQ(gTextureFileCount, 0);
        EXPECT_STREQ(gStatusText, "");
    }
    EXPECT_FALSE(fs::exists(root_ / "data" / "talvoran-vane" / "elsewhere"));
}

}  // namespace
