#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

std::string gLastFailure;
void RecordFailure(const std::string& what) { gLastFailure = what; }

// Without a display nobody can answer: boxes say so, file choices cancel.
TEST(Dialogs, HeadlessFallbackAnswersNothing)
{
    ScopedDialogBackend use(nullptr);
    EXPECT_EQ(ShowMessageBox("Do you want to Quit?", "Talvoran", MessageButtons::YesNo, MessageIcon::Warning),
              MessageAnswer::Unavailable);
    std::string path = "unchanged";
    FileDialogRequest request;
    EXPECT_FALSE(ChooseFile(request, &path));
    EXPECT_EQ(path, "unchanged");
}

TEST(Dialogs, ScriptedAnswersInOrderAndRecordsEveryPrompt)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    dialogs.QueueAnswer(MessageAnswer::Yes);
    dialogs.QueueFile("/tmp/x.png");
    dialogs.QueueFileCancel();
    EXPECT_EQ(ShowMessageBox("Q?", "Cap", MessageButtons::YesNo, MessageIcon::Warning), MessageAnswer::Yes);
    FileDialogRequest save;
    save.save = true;
    save.kind = 3;
    std::string path;
    EXPECT_TRUE(ChooseFile(save, &path));
    EXPECT_EQ(path, "/tmp/x.png");
    path = "kept";
    EXPECT_FALSE(ChooseFile(FileDialogRequest{}, &path));
    EXPECT_EQ(path, "kept");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);

    const std::vector<DialogPrompt> p = dialogs.Prompts();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_TRUE(p[0].kind == DialogPrompt::Kind::Message && p[0].message.text == "Q?" &&
                p[0].message.caption == "Cap" && p[0].message.buttons == MessageButtons::YesNo);
    EXPECT_TRUE(p[1].kind == DialogPrompt::Kind::SaveFile && p[1].file.kind == 3);
    EXPECT_EQ(p[2].kind, DialogPrompt::Kind::OpenFile);
}

TEST(Dialogs, EmptyQueueOrWrongAnswerIsReported)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(RecordFailure);
    ScopedDialogBackend use(&dialogs);
    gLastFailure.clear();
    EXPECT_EQ(ShowMessageBox("Unexpected", "X", MessageButtons::YesNo, MessageIcon::None), MessageAnswer::No);
    EXPECT_NE(gLastFailure.find("Unexpected"), std::string::npos);

    gLastFailure.clear();
    dialogs.QueueAnswer(MessageAnswer::Yes);
    std::string path;
    EXPECT_FALSE(ChooseFile(FileDialogRequest{}, &path));
    EXPECT_NE(gLastFailure.find("does not fit"), std::string::npos);
    EXPECT_EQ(dialogs.PendingAnswers(), 1u);  // the message answer stays for a message
}

TEST(DialogsDeathTest, EmptyQueueAbortsWithoutAHandler)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            ScriptedDialogs dialogs;
            ScopedDialogBackend use(&dialogs);
            ShowMessageBox("Nobody answers", "X", MessageButtons::Ok, MessageIcon::None);
        },
        "Nobody answers");
}

// A dialog asked from a worker thread runs on the dialog thread's loop.
TEST(Dialogs, OtherThreadsAreServedByTheLoop)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    SetDialogThread();
    dialogs.QueueAnswer(MessageAnswer::Yes);
    std::atomic<bool> answered{false};
    MessageAnswer answer = MessageAnswer::Cancel;
    std::thread worker([&] {
        answer = ShowMessageBox("From a worker", "W", MessageButtons::YesNo, MessageIcon::None);
        answered = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(answered.load());  // waits for the loop
    while (!answered.load()) {
        RunQueuedDialogs();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
    EXPECT_EQ(answer, MessageAnswer::Yes);

    // After teardown closed the queue, a worker's question is dismissed at once.
    CloseDialogQueue();
    MessageAnswer late = MessageAnswer::Yes;
    std::thread lateWorker([&] { late = ShowMessageBox("Late", "W", MessageButtons::YesNo, MessageIcon::None); });
    lateWorker.join();
    EXPECT_EQ(late, MessageAnswer::No);
    EXPECT_EQ(dialogs.Prompts().size(), 1u);
    SetDialogThread();
}

TEST(Dialogs, CloseCancelsWaitingRequests)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    SetDialogThread();
    std::atomic<bool> done{false};
    bool chosen = true;
    std::thread worker([&] {
        std::string path;
        chosen = ChooseFile(FileDialogRequest{}, &path);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(done.load());
    CloseDialogQueue();
    worker.join();
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(dialogs.Prompts().empty());
    SetDialogThread();
}

}  // namespace
