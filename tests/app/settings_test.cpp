#include <cmath>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shading/export_image.h"
#include "app/settings.h"
#include "engine/file_dialogs.h"
#include "platform/settings_file.h"
#include "render/render_threads.h"
#include "platform/asset_paths.h"

namespace {

namespace fs = std::filesystem;

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() /
                ("talvoran_settings_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        file_ = (root_ / "config" / "settings.ini").string();
        ::setenv("TALVORAN_SETTINGS_FILE", file_.c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        gRenderThreadCount = 1;
        gExportThreadCount = 1;
        for (char* folder : {gTexturesPath, gSTexturesPath, gImagesPath, gParametersPath, gBuffersPath, gDMapsPath,
                             gMeshesPath, gInstallDir}) {
            folder[0] = '\0';
        }
    }
    void TearDown() override
    {
        ::unsetenv("TALVORAN_SETTINGS_FILE");
        SetInstallFolder("");
        fs::remove_all(root_);
    }

    void WriteFile(const std::string& text)
    {
        fs::create_directories(fs::path(file_).parent_path());
        std::ofstream(file_) << text;
    }
    std::string ReadFile() const
    {
        std::ifstream in(file_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::optional<std::string> Stored(const char* name) const
    {
        SettingsFile file;
        file.Load(file_);
        return file.Get(name);
    }
    static int ExpectedProcessorCount() { return std::min(GetProcessorCount(), kMaxThreadCount); }

    fs::path root_;
    std::string file_;
};

TEST_F(Settings, NoFileKeepsDefaultsAndWritesNothing)
{
    ReadSettings();
    EXPECT_EQ(gRenderThreadCount, 1);
    EXPECT_EQ(gExportThreadCount, 1);
    EXPECT_FALSE(fs::exists(file_));
    // Empty folders get their defaults (not created until used).
    EXPECT_EQ(std::string(gTexturesPath), (root_ / "data" / "talvoran-vane" / "Textures").string());
    EXPECT_EQ(std::string(gMeshesPath), (root_ / "data" / "talvoran-vane" / "Meshes").string());
    EXPECT_EQ(std::string(gInstallDir), InstallFolder());
}

// Counts are clamped to 1..24; a missing or too small "ExportThrd" becomes the
// processor count, written back (never the text of "PNumber"); one too large
// is clamped in use, not rewritten.
TEST_F(Settings, ThreadCountsAreClamped)
{
    const std::string cpus = std::to_string(ExpectedProcessorCount());
    struct Case {
        std::string file;
        int render, exporting;
        std::string storedExport;
    } const cases[] = {
        {"PNumber=0\nExportThrd=4\n", 1, 4, "4"},      {"PNumber=-3\nExportThrd=4\n", 1, 4, "4"},
        {"PNumber=99\nExportThrd=4\n", 24, 4, "4"},    {"PNumber=8\nExportThrd=4\n", 8, 4, "4"},
        {"PNumber=24\nExportThrd=4\n", 24, 4, "4"},    {"PNumber=abc\nExportThrd=4\n", 1, 4, "4"},
        {"PNumber=7 threads\nExportThrd=4\n", 7, 4, "4"}, {"PNumber=99999999999999\nExportThrd=4\n", 24, 4, "4"},
        {"PNumber=3\n", 3, ExpectedProcessorCount(), cpus}, {"ExportThrd=0\n", 1, ExpectedProcessorCount(), cpus},
        {"ExportThrd=99\n", 1, 24, "99"},
    };
    for (const Case& c : cases) {
        WriteFile(c.file);
        gRenderThreadCount = 1;
        ReadSettings();
        EXPECT_EQ(gRenderThreadCount, c.render) << c.file;
        EXPECT_EQ(gExportThreadCount, c.exporting) << c.file;
        EXPECT_EQ(Stored("ExportThrd"), c.storedExport) << c.file;
    }
}

TEST_F(Settings, FoldersAreReadAndHostileLinesIgnored)
{
    const std::string longValue(5000, 'x');
    WriteFile("[Talvoran Vane]\n# a comment\n  Textures = /data/tex tures \nImages=/pics/é\n"
              "no equals sign here\n=orphan\nMeshes=" + longValue + "\nInstallDir=" + (root_ / "inst").string() +
              "\r\nExportThrd=2\n");
    ReadSettings();
    EXPECT_STREQ(gTexturesPath, "/data/tex tures");
    EXPECT_STREQ(gImagesPath, "/pics/é");
    EXPECT_EQ(std::string(gMeshesPath), (root_ / "data" / "talvoran-vane" / "Meshes").string());
    EXPECT_EQ(std::string(gInstallDir), (root_ / "inst").string());
    EXPECT_EQ(InstallFolder(), (root_ / "inst").string());
    EXPECT_EQ(gExportThreadCount, 2);
}

TEST_F(Settings, ThreadSliderWritesOnlyOnChange)
{
    WriteFile("PNumber=8\nExportThrd=4\nTextures=/t\n");
    ReadSettings();
    EXPECT_FALSE(SaveThreadCount(kSettingRenderThreads, &gRenderThreadCount, 8.0f));
    EXPECT_TRUE(SaveThreadCount(kSettingRenderThreads, &gRenderThreadCount, 9.7f));
    EXPECT_EQ(gRenderThreadCount, 9);
    EXPECT_EQ(Stored("PNumber"), "9");
    EXPECT_EQ(Stored("Textures"), "/t");  // the rest of the file is kept
    EXPECT_FALSE(SaveThreadCount(kSettingRenderThreads, &gRenderThreadCount, 9.0f));
    EXPECT_TRUE(SaveThreadCount(kSettingRenderThreads, &gRenderThreadCount, 8.0f));
    EXPECT_EQ(Stored("PNumber"), "8");
    // No temporary file is left beside it.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(file_).parent_path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(Settings, ThreadSliderOutsideOneToTwentyFourIsClamped)
{
    gExportThreadCount = 4;
    const float cases[][2] = {{0.4f, 1.0f}, {99.0f, 24.0f}, {-7.0f, 1.0f}, {9.0f, 9.0f}, {std::nanf(""), 1.0f}};
    for (const auto& [wanted, kept] : cases) {
        EXPECT_TRUE(SaveThreadCount(kSettingExportThreads, &gExportThreadCount, wanted)) << wanted;
        EXPECT_EQ(gExportThreadCount, static_cast<int>(kept)) << wanted;
        EXPECT_EQ(Stored("ExportThrd"), std::to_string(static_cast<int>(kept))) << wanted;
    }
}

TEST_F(Settings, FailedWriteKeepsTheCount)
{
    // The settings folder is a file: nothing can be written below it.
    std::ofstream(root_ / "blocker") << "x";
    ::setenv("TALVORAN_SETTINGS_FILE", (root_ / "blocker" / "settings.ini").c_str(), 1);
    gExportThreadCount = 4;
    EXPECT_FALSE(SaveThreadCount(kSettingExportThreads, &gExportThreadCount, 6.0f));
    EXPECT_EQ(gExportThreadCount, 4);
}

TEST(SettingsFileFormat, RoundTripAndLocation)
{
    SettingsFile file;
    file.LoadText("A=1\nB = two words \n");
    file.Set("A", "3");
    file.Set("C", "line\nbreak");
    EXPECT_EQ(file.Text(), "A=3\nB = two words \nC=line\n");
    SettingsFile again;
    again.LoadText(file.Text());
    EXPECT_EQ(again.Get("B"), "two words");
    EXPECT_FALSE(again.Get("D").has_value());

    ::unsetenv("TALVORAN_SETTINGS_FILE");
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(SettingsFilePath(), "/cfg/talvoran-vane/settings.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(SettingsFilePath(), "/home/u/.config/talvoran-vane/settings.ini");
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(DefaultDataFolder("Images"), "/home/u/.local/share/talvoran-vane/Images");
}

// The file is the user's: a save keeps what the program does not own, writes
// through links and keeps the mode; what is not a regular file is refused
// without hanging or writing.
TEST_F(Settings, SavesIntoTheUsersFileAndRefusesOtherKinds)
{
    const std::string user = "; my settings\n\n[Talvoran Vane]\n# threads\nPNumber=3\nUnknown = kept \n\n"
                             "[Other]\nPNumber=99\n";
    WriteFile(user);
    ::chmod(file_.c_str(), 0600);
    const fs::path real = root_ / "real.ini";
    fs::rename(file_, real);
    fs::create_symlink(real, file_);
    ASSERT_TRUE(SaveThreadCount(kSettingRenderThreads, &gRenderThreadCount, 5.0f));
    ASSERT_TRUE(SaveThreadCount(kSettingExportThreads, &gExportThreadCount, 5.0f));
    EXPECT_TRUE(fs::is_symlink(file_));
    std::string expected = user;
    expected.replace(expected.find("PNumber=3"), 9, "PNumber=5");
    expected.insert(expected.find("\n\n[Other]") + 1, "ExportThrd=5\n");
    EXPECT_EQ(ReadFile(), expected);
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    for (const char* kind : {"fifo", "directory"}) {
        fs::remove(file_);
        if (std::string(kind) == "fifo") {
            ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
        } else {
            fs::create_directory(file_);
        }
        SettingsFile file;
        EXPECT_EQ(file.Load(file_), SettingsLoad::Refused) << kind;
        EXPECT_FALSE(SaveThreadCount(kSettingRenderThreads, &gRenderThreadCount, 7.0f)) << kind;
        EXPECT_EQ(fs::is_directory(file_), std::string(kind) == "directory");
        EXPECT_EQ(fs::is_fifo(file_), std::string(kind) == "fifo");
        file.Set("PNumber", "1");
        EXPECT_FALSE(file.Save(file_)) << kind;
        fs::remove_all(file_);
    }

}

// Lookups and changes on a large file stay linear: 80,000 keys load and
// 11,000 of them change in well under a second.
TEST(SettingsFileFormat, ManyKeys)
{
    std::string many;
    for (int i = 0; i < 80000; ++i) many += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    SettingsFile file;
    file.LoadText(many);
    for (int i = 0; i < 80000; i += 7) file.Set("Key" + std::to_string(i), "x");
    EXPECT_EQ(file.Get("Key79999"), "79999");
    EXPECT_EQ(file.Get("Key7"), "x");
}

}  // namespace
