#include <gtest/gtest.h>

#include "shading/export_image.h"
#include "app/window_messages.h"
#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"
#include "render/render_threads.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

class Quit : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs.SetFailureHandler(FailTest);
        gQuitPosted = false;
    }
    void TearDown() override { gQuitPosted = false; }
    ScriptedDialogs dialogs;
    ScopedDialogBackend use{&dialogs};
};

TEST_F(Quit, QuestionAnsweredNoChangesNothing)
{
    dialogs.QueueAnswer(MessageAnswer::No);
    PlatformEvent close;
    close.type = PlatformEventType::CloseRequested;
    HandleWindowEvent(close);
    EXPECT_FALSE(gQuitPosted);

    ASSERT_EQ(dialogs.Prompts().size(), 1u);
    const MessageRequest asked = dialogs.Prompts()[0].message;
    EXPECT_EQ(asked.text, "Do you want to Quit?");
    EXPECT_EQ(asked.caption, "Talvoran");
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked.icon, MessageIcon::Warning);
    EXPECT_TRUE(asked.topmost);
}

// A stand-in coordinator that runs by the render's rule.
void RunWhileFlagIsOne(int)
{
    while (gRenderRunFlag.load() == 1) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST_F(Quit, NoLeavesARunningRenderAndYesStopsIt)
{
    gRenderRunFlag = 1;
    ASSERT_TRUE(gRenderCoordinatorThread.Start(RunWhileFlagIsOne, 0));

    dialogs.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(AskToQuit());
    EXPECT_EQ(gRenderRunFlag.load(), 1);
    EXPECT_TRUE(gRenderCoordinatorThread.Running());

    dialogs.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(AskToQuit());
    EXPECT_EQ(gRenderRunFlag.load(), 0);
    EXPECT_FALSE(gRenderCoordinatorThread.Running());
    EXPECT_TRUE(gQuitPosted);
}

// A coordinator that ignores the run flag until the test lets it go.
std::atomic<bool> gLetCoordinatorEnd{false};
void IgnoreTheRunFlag(int)
{
    while (!gLetCoordinatorEnd.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// The quit waits 5 seconds for the render to stop, then quits all the same.
TEST_F(Quit, YesQuitsEvenWhenTheRenderDoesNotStop)
{
    gLetCoordinatorEnd = false;
    gRenderRunFlag = 1;
    ASSERT_TRUE(gRenderCoordinatorThread.Start(IgnoreTheRunFlag, 0));
    dialogs.QueueAnswer(MessageAnswer::Yes);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(AskToQuit());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kRenderStopWaitMs));
    EXPECT_TRUE(gQuitPosted);
    EXPECT_EQ(gRenderRunFlag.load(), 0);
    EXPECT_TRUE(gRenderCoordinatorThread.Running());
    gLetCoordinatorEnd = true;
    EXPECT_TRUE(gRenderCoordinatorThread.WaitFor(kWaitForever));
}

// An export thread waiting for its file question ends when the quit cancels
// the question; the quit does not sit out the whole wait.
TEST_F(Quit, YesCancelsAQuestionAnotherThreadWaitsFor)
{
    SetDialogThread();
    gFileThreadBusy = 1;
    bool chosen = true;
    std::thread exporter([&] {
        std::string path;
        chosen = ChooseFile(FileDialogRequest{}, &path);
        gFileThreadBusy = 0;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    dialogs.QueueAnswer(MessageAnswer::Yes);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(AskToQuit());
    exporter.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_FALSE(chosen);
    EXPECT_EQ(gFileThreadBusy.load(), 0);
    gExportCancel = 0;
    SetDialogThread();
}

// A question that cannot be shown (no display, a box that fails) cannot be
// answered: the close goes on.
TEST_F(Quit, AQuestionNobodyCanSeeStillCloses)
{
    ScriptedDialogs failing;
    failing.QueueAnswer(MessageAnswer::Unavailable);
    for (DialogBackend* backend : {static_cast<DialogBackend*>(nullptr), static_cast<DialogBackend*>(&failing)}) {
        ScopedDialogBackend use(backend);
        gQuitPosted = false;
        EXPECT_TRUE(AskToQuit());
        EXPECT_TRUE(gQuitPosted);
    }
    SetDialogThread();
}

}  // namespace
