#include "app/export_actions.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "app/file_dialogs.h"
#include "app/pending_services.h"
#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"
#include "render/render_buffers.h"

namespace fs = std::filesystem;

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// The export thread asks through the dialog seam; this thread is the
// dialog thread and answers until the export has ended.
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
    std::snprintf(gImagesPath, sizeof gImagesPath, "%s", root.c_str());
    ASSERT_TRUE(AllocateRenderBuffers(16, 16, false));
    gDialogDefaultFolderFlags[0] = gDialogDefaultFolderFlags[1] = 1;

    struct Case {
        bool png;
        fs::path answer, file;
        bool written;
    } const cases[] = {
        {true, root / "picture", root / "picture.png", true},  // the extension is added
        {false, root / "textures" / "picture.bmp", root / "textures" / "picture.bmp", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.string());
        dialogs.QueueFile(c.answer.string());
        if (!c.written) dialogs.QueueAnswer(MessageAnswer::Ok);
        ASSERT_TRUE(StartExportThread(c.png));
        while (gFileThreadBusy.load()) {
            RunQueuedDialogs();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ReleaseExportThread(true);
        EXPECT_EQ(fs::exists(c.file), c.written);
        EXPECT_EQ(gDialogDefaultFolderFlags[c.png ? 0 : 1], c.written ? 0 : 1);
    }
    const std::vector<DialogPrompt> prompts = dialogs.Prompts();
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].kind, DialogPrompt::Kind::SaveFile);
    ASSERT_FALSE(prompts[0].file.filters.empty());
    EXPECT_EQ(prompts[0].file.filters[0].name, "PNG Files");
    EXPECT_TRUE(prompts[0].file.setFolder);
    EXPECT_EQ(prompts[1].file.filters[0].name, "Bitmap Files");
    EXPECT_EQ(prompts[2].message.caption, "Error");
    gExportCancel = 0;
    FreeRenderBuffers();
    fs::remove_all(root);
}

}  // namespace
