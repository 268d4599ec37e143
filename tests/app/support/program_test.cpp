#include "app/support/program_test.h"

#include <unistd.h>

#include <cstdlib>

#include "app/interface_panel.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "ui/widget.h"

ProgramDriver gProgram;
ScriptedDialogs gDialogs;
std::filesystem::path gDir;
CancellingDialogs gCancellingDialogs;

bool ProgramTest::started_ = false;
std::string ProgramTest::why_;
std::vector<std::function<void()>> ProgramTest::restores_;

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
    restores_.clear();
    ASSERT_TRUE(started_) << "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " << why_;
    Keep(gFractalType);
    Keep(gTransforms), Keep(gTransformCount), Keep(gPickTransformCount), Keep(gTransformWeights);
    Keep(gTransformCoefficients), Keep(gTransformColors), Keep(gMobiusCoefficients), Keep(gForbiddenSuccessors);
    Keep(gTransformEdit.selected), Keep(gTransformEdit.selectedBlock);
    Keep(gEscapeIterationLimit), Keep(gEscapeFunction);
    Keep(gSymmetryOn), Keep(gSymmetryMode);
    Keep(gControlSensitivity);
    Keep(gRenderCycleLimit);
}

void ProgramTest::TearDown()
{
    // The workers read the model that is set back.
    if (gRenderActive.load()) StopRender();
    for (auto restore = restores_.rbegin(); restore != restores_.rend(); ++restore) (*restore)();
    restores_.clear();
    SelectFractalTypeKernel();
    BuildTransformPickTable();
    gInterface.UpdateTypeButtons();
}
