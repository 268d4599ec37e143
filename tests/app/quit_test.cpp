#include <gtest/gtest.h>

#include "app/window_messages.h"
#include "engine/dialogs.h"
#include "engine/scripted_dialogs.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(Quit, QuestionAnsweredNoChangesNothing)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    gQuitPosted = false;
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

TEST(Quit, QuestionAnsweredYesEndsTheLoop)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    gQuitPosted = false;
    dialogs.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(AskToQuit());
    EXPECT_TRUE(gQuitPosted);
    gQuitPosted = false;
}

TEST(Quit, WithoutADisplayTheQuestionCountsAsNo)
{
    ScopedDialogBackend use(nullptr);
    gQuitPosted = false;
    EXPECT_FALSE(AskToQuit());
    EXPECT_FALSE(gQuitPosted);
}

}  // namespace
