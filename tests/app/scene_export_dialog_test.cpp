#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "app/scene_export_dialog.h"
#include "platform/scripted_dialogs.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// The warning box, the file left behind and the busy byte for each way the
// dialog and the write can go; a file size limit makes the write fail.
TEST(SceneExportDialog, WarningsFilesAndTheBusyByte)
{
    const std::string good = ::testing::TempDir() + "scene_dialog_test.kvl";
    const struct {
        const char* name;
        const char* path;  // null: cancelled
        rlim_t sizeLimit;
        bool warning, fileLeft;
        uint8_t busy;  // a file operation already running
    } cases[] = {
        {"cancelled", nullptr, RLIM_INFINITY, false, false, 0},
        {"unopenable folder", "/nonexistent-folder/scene.kvl", RLIM_INFINITY, true, false, 0},
        {"write fails part way", good.c_str(), 32, true, false, 0},
        {"written", good.c_str(), RLIM_INFINITY, false, true, 0},
        {"another file operation runs", nullptr, RLIM_INFINITY, false, false, 1},
    };
    std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        dialogs.SetFailureHandler(FailTest);
        ScopedDialogBackend use(&dialogs);
        if (c.path) dialogs.QueueFile(c.path);
        if (!c.path && !c.busy) dialogs.QueueFileCancel();
        if (c.warning) dialogs.QueueAnswer(MessageAnswer::Ok);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = c.sizeLimit;
        setrlimit(RLIMIT_FSIZE, &limited);
        gFileOperationBusy = c.busy;
        ExportKavrolinScene();
        setrlimit(RLIMIT_FSIZE, &saved);

        const std::vector<DialogPrompt> prompts = dialogs.Prompts();
        ASSERT_EQ(prompts.size(), c.busy ? 0u : c.warning ? 2u : 1u) << c.name;
        if (!c.busy) {
            EXPECT_EQ(prompts[0].file.filters.at(0).pattern, "*.kvl") << c.name;
        }
        if (c.warning) {
            EXPECT_EQ(prompts[1].message.caption, "Warning") << c.name;
        }
        EXPECT_EQ(std::filesystem::exists(good), c.fileLeft) << c.name;
        EXPECT_EQ(gFileOperationBusy, c.busy) << c.name;
        std::filesystem::remove(good);
        gFileOperationBusy = 0;
    }
}

}  // namespace
