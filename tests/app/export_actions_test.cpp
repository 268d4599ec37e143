#include "app/export_actions.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "engine/file_dialogs.h"
#include "shading/export_image.h"
#include "platform/scripted_dialogs.h"
#include "render/render_buffers.h"

namespace fs = std::filesystem;

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// The export thread asks through the dialog seam; this thread is the dialog
// thread and answers until the export has ended. The first answer gets the
// extension added, the second lies in the textures folder and is refused.
TEST(ExportActions, SaveAsksThroughTheDialogSeamAndRefusesTheTexturesFolder)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    SetDialogThread();
    InstallExportServices();
    const fs::path root = fs::temp_directory_path() / ("talvoran_export_actions_" + std::to_string(::getpid()));
    fs::create_directories(root / "textures");
    std::snprintf(gTexturesPath, sizeof gTexturesPath, "%s", (root / "textures").c_str());
    ASSERT_TRUE(AllocateRenderBuffers(16, 16, false));
    gDialogDefaultFolderFlags[0] = gDialogDefaultFolderFlags[1] = 1;
    dialogs.QueueFile((root / "picture").string());
    dialogs.QueueFile((root / "textures" / "picture.bmp").string());
    dialogs.QueueAnswer(MessageAnswer::Ok);
    for (const bool png : {true, false}) {
        ASSERT_TRUE(StartExportThread(png));
        while (gFileThreadBusy.load()) {
            RunQueuedDialogs();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ReleaseExportThread(true);
    }
    EXPECT_TRUE(fs::exists(root / "picture.png"));
    EXPECT_FALSE(fs::exists(root / "textures" / "picture.bmp"));
    EXPECT_EQ(gDialogDefaultFolderFlags[0], 0);  // used, so no longer the default folder
    EXPECT_EQ(gDialogDefaultFolderFlags[1], 1);  // refused
    const std::vector<DialogPrompt> prompts = dialogs.Prompts();
    ASSERT_EQ(prompts.size(), 3u);
    ASSERT_FALSE(prompts[0].file.filters.empty() || prompts[1].file.filters.empty());
    EXPECT_EQ(prompts[0].file.filters[0].name, "PNG Files");
    EXPECT_TRUE(prompts[0].file.setFolder);
    EXPECT_EQ(prompts[1].file.filters[0].name, "Bitmap Files");
    EXPECT_EQ(prompts[2].message.caption, "Error");
    gExportCancel = 0;
    FreeRenderBuffers();
    fs::remove_all(root);
}

}  // namespace
