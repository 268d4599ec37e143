#include "app/support/program_test.h"

#include <unistd.h>

#include <cstdlib>

ProgramDriver gProgram;
ScriptedDialogs gDialogs;
std::filesystem::path gDir;
CancellingDialogs gCancellingDialogs;

bool ProgramTest::started_ = false;
std::string ProgramTest::why_;

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

void ProgramTest::UseOwnFolder(const char* prefix, DialogBackend* dialogs)
{
    gDir = std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()));
    std::filesystem::create_directories(gDir);
    ::setenv("TALVORAN_SETTINGS_FILE", (gDir / "settings.ini").c_str(), 1);
    gDialogs.SetFailureHandler(FailTest);
    SetDialogBackend(dialogs);
}

void ProgramTest::StartOnce()
{
    std::string error;
    started_ = gProgram.Start(&error);
    why_ = error;
}

void ProgramTest::TearDownTestSuite()
{
    gProgram.Stop();
    SetDialogBackend(nullptr);
    if (!gDir.empty() && std::getenv("TALVORAN_KEEP_TEST_FILES") == nullptr) std::filesystem::remove_all(gDir);
}

void ProgramTest::SetUp()
{
    ASSERT_TRUE(started_) << "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " << why_;
}
