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
// dialog and the write can go.
TEST(SceneExportDialog, WarningsFilesAndTheBusyByte)
{
    const std::string good = ::testing::TempDir() + "scene_dialog_test.kvl";
    struct Case {
        const char* name;
        const char* path;  // null: the dialog is cancelled
        rlim_t sizeLimit;  // RLIM_INFINITY: writes succeed
        bool warning;
        bool fileLeft;
    };
    const Case cases[] = {
        {"cancelled", nullptr, RLIM_INFINITY, false, false},
        {"unopenable folder", "/nonexistent-folder/scene.kvl", RLIM_INFINITY, true, false},
        {"write fails part way", good.c_str(), 32, true, false},
        {"written", good.c_str(), RLIM_INFINITY, false, true},
    };
    std::signal(SIGXFSZ, SIG_IGN);
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        dialogs.SetFailureHandler(FailTest);
        ScopedDialogBackend use(&dialogs);
        if (c.path) {
            dialogs.QueueFile(c.path);
        } else {
            dialogs.QueueFileCancel();
        }
        if (c.warning) dialogs.QueueAnswer(MessageAnswer::Ok);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = c.sizeLimit;
        setrlimit(RLIMIT_FSIZE, &limited);
        ExportKavrolinScene();
        setrlimit(RLIMIT_FSIZE, &saved);

        const std::vector<DialogPrompt> prompts = dialogs.Prompts();
        ASSERT_EQ(prompts.size(), c.warning ? 2u : 1u) << c.name;
        EXPECT_EQ(prompts[0].file.filters.at(0).pattern, "*.kvl") << c.name;
        if (c.warning) {
            EXPECT_EQ(prompts[1].message.caption, "Warning") << c.name;
            EXPECT_EQ(prompts[1].message.icon, MessageIcon::Warning) << c.name;
        }
        EXPECT_EQ(std::filesystem::exists(good), c.fileLeft) << c.name;
        EXPECT_EQ(gFileOperationBusy.load(), 0) << c.name;
        std::filesystem::remove(good);
    }
}

TEST(SceneExportDialog, BusyFileOperationAsksNothing)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    gFileOperationBusy = 1;
    ExportKavrolinScene();
    EXPECT_TRUE(dialogs.Prompts().empty());
    gFileOperationBusy = 0;
}

}  // namespace
