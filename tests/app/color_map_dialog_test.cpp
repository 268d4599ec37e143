// Loading the working colour map through the scripted dialog seam.
#include "app/color_map_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/file_dialogs.h"
#include "materials/color_maps.h"
#include "materials/texture_busy.h"
#include "platform/scripted_dialogs.h"

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

}  // namespace
