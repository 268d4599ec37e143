#include "app/startup_init.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/frame.h"
#include "app/program_entry.h"
#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"
#include "engine/status_line.h"
#include "render/render_buffers.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

bool UpTo1024(int size) { return size <= 1024 && AllocateRenderBuffers(size, size, false); }
bool NoMemory(int) { return false; }

class StartupAllocation : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TALVORAN_SETTINGS_FILE", TALVORAN_BINARY_DIR "/tests/app/startup_settings.ini", 1);
        dialogs_.SetFailureHandler(FailTest);
    }
    void TearDown() override { gAllocateRenderBuffers = keep_; }

    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
    RenderBufferAllocator keep_ = gAllocateRenderBuffers;
};

TEST_F(StartupAllocation, SmallerRenderSizeWhenTheDefaultDoesNotFit)
{
    gAllocateRenderBuffers = UpTo1024;
    std::string error;
    if (!StartProgram(&error)) GTEST_FAIL() << "no OpenGL window: " << error;
    EXPECT_EQ(gImageWidth, 1024);
    EXPECT_EQ(gImageHeight, 1024);
    EXPECT_TRUE(RenderBuffersReady());
    EXPECT_NE(std::strstr(gStatusText, "Insufficient System Memory!"), nullptr) << gStatusText;
    EXPECT_EQ(gScreenState, kScreenSplash);
    EXPECT_TRUE(dialogs_.Prompts().empty());
    StopProgram();
    FreeRenderBuffers();
}

TEST_F(StartupAllocation, NoMemoryAtAllShowsAnErrorAndStopsCleanly)
{
    gAllocateRenderBuffers = NoMemory;
    dialogs_.QueueAnswer(MessageAnswer::Ok);
    std::string error;
    const bool started = StartProgram(&error);
    if (dialogs_.Prompts().empty()) GTEST_FAIL() << "no OpenGL window: " << error;
    EXPECT_FALSE(started);
    ASSERT_EQ(dialogs_.Prompts().size(), 1u);
    const MessageRequest shown = dialogs_.Prompts()[0].message;
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_EQ(shown.text, "Insufficient System Memory!");
    EXPECT_EQ(shown.icon, MessageIcon::Error);
    EXPECT_FALSE(RenderBuffersReady());
}

}  // namespace
