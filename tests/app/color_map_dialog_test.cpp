// Loading the working colour map through the scripted dialog seam.
#include "app/color_map_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/file_dialogs.h"
#include "engine/file_replacement.h"
#include "engine/random.h"
#include "materials/color_maps.h"
#include "materials/texture_busy.h"
#include "platform/scripted_dialogs.h"
#include "support/gl_interface.h"
#include "ui/color_panels.h"
#include "ui/file_services.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(ColorMapDialog, OnlyAReadableChoiceReplacesTheMapAndTheBusyFlagsAlwaysDrop)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    const std::string good = testing::TempDir() + "dialog.map";
    FILE* f = std::fopen(good.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("10 20 30\n", f);
    std::fclose(f);

    std::memset(&gColorMap, 7, sizeof gColorMap);
    const ColorMap before = gColorMap;
    dialogs.QueueFileCancel();
    EXPECT_FALSE(LoadColorMapWithDialog());
    EXPECT_EQ(std::memcmp(&gColorMap, &before, sizeof before), 0) << "a cancel changes nothing";

    gFileOperationBusy = 1;
    EXPECT_FALSE(LoadColorMapWithDialog());  // no dialog shown while busy
    EXPECT_EQ(dialogs.Prompts().size(), 1u);
    gFileOperationBusy = 0;

    dialogs.QueueFile(good + ".missing");
    EXPECT_FALSE(LoadColorMapWithDialog());
    dialogs.QueueFile(good);
    gDialogDefaultFolderFlags[kFileKindColorMap] = 1;
    EXPECT_TRUE(LoadColorMapWithDialog());
    EXPECT_EQ(gColorMap.red[0], 10);
    EXPECT_EQ(gColorMap.blue[0], 30);
    EXPECT_EQ(gColorMap.red[1], 1);
    EXPECT_EQ(gDialogDefaultFolderFlags[kFileKindColorMap], 0);
    EXPECT_EQ(dialogs.Prompts().back().file.filters.front().pattern, "*.map");
    EXPECT_EQ(gFileOperationBusy, 0);
    EXPECT_EQ(gTexturesBusy.load(), 0);
}


// The fog panel's "Load" and "Save" through the application's dialogs.
TEST(ColorMapDialog, FogPanelSavesItsGradientAndReportsAnUnwritablePlace)
{
    GlInterfaceTest gl;
    if (!gl.ok()) GTEST_FAIL() << gl.why();
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("talvoran_fog_save_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::snprintf(gTexturesPath, sizeof gTexturesPath, "%s", folder.c_str());
    InstallInterfaceFileServices();
    FogColorPanel fog;
    fog.gradient = &gFogGradient;
    fog.Build(44, 666, 30, "", 26);
    fog.visible = 1;
    const int buttonY = 666 - 30;

    SeedRandomState(gGlobalRandomA, 3);
    fog.Click(44 + 5, buttonY);  // "Random"
    const ColorMap random = gFogGradient;
    dialogs.QueueFileCancel();
    fog.Click(44 + 64 + 5, buttonY);  // "Load", cancelled
    EXPECT_EQ(std::memcmp(&gFogGradient, &random, sizeof random), 0);

    fog.Click(44 + 256 + 5, buttonY);  // "Clear"
    const std::string saved = (folder / "cleared.map").string();
    dialogs.QueueFile(saved);
    fog.Click(44 + 128 + 5, buttonY);  // "Save"
    std::ifstream in(saved);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) lines += line == "0 0 0";
    EXPECT_EQ(lines, 256);

    // The disk fills during a save over it: the warning, and the saved map stays whole.
    const auto before = std::filesystem::file_size(saved);
    fog.Click(44 + 5, buttonY);  // "Random"
    gReplacementFileByteLimit = 100;
    dialogs.QueueFile(saved);
    dialogs.QueueAnswer(MessageAnswer::Ok);
    fog.Click(44 + 128 + 5, buttonY);
    gReplacementFileByteLimit = -1;
    EXPECT_EQ(dialogs.Prompts().back().message.caption, "Warning");
    EXPECT_EQ(std::filesystem::file_size(saved), before);
    std::ifstream again(saved);
    lines = 0;
    while (std::getline(again, line)) lines += line == "0 0 0";
    EXPECT_EQ(lines, 256);

    const std::string unwritable = (folder / "missing" / "fog.map").string();
    dialogs.QueueFile(unwritable);
    dialogs.QueueAnswer(MessageAnswer::Ok);
    fog.Click(44 + 128 + 5, buttonY);
    EXPECT_EQ(dialogs.Prompts().back().message.caption, "Warning");
    EXPECT_FALSE(std::filesystem::exists(unwritable));
    EXPECT_EQ(gFileOperationBusy, 0);
    gInterfaceFileServices = {};
    std::filesystem::remove_all(folder);
}

}  // namespace
