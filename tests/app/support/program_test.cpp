#include "app/support/program_test.h"

#include <unistd.h>

#include <cstdlib>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/render_control.h"
#include "app/view_zoom.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/escape_time_kernels.h"
#include "engine/generator_groups.h"
#include "engine/transform_set.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
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
    // A test that seeds the shared streams leaves no seeded stream behind.
    Keep(gGlobalRandomA), Keep(gGlobalRandomB);
    KeepGeneratorChains();
    Keep(gFractalGeneratorRow);
    Keep(gMandelbrotCentre), Keep(gMandelbrotScale);
    // Its view: a new fractal of another type turns and fits the camera.
    Keep(gViewCentre), Keep(gViewScale), Keep(gPanX), Keep(gPanY), Keep(gZoom), Keep(gZoomSlider.value);
    Keep(gCameraAngleX), Keep(gCameraAngleY), Keep(gCameraAngleZ);
    Keep(gCameraRotation), Keep(gCameraMatrix), Keep(gCameraGLMatrix);
    Keep(gProjectionSelector), Keep(gPerspectiveOn), Keep(gPerspectiveFocal), Keep(gPerspectiveEye);
    // The interface as the test found it: the page on screen and what the
    // panels remember, the editors' "Edit" boxes with the mode they set (the
    // screen, the buttons and the zoom slider it takes), and the editor's
    // own choices.
    Keep(gCurrentTab), Keep(gPanel);
    Keep(gXFormsEditorOpen), Keep(gBaseShapeEditorOpen), Keep(gEditModeOn);
    Keep(gScreenState), Keep(gRenderInBuffers), Keep(gContinueAllowed);
    Keep(gMainButtonEnabled), Keep(gActionButtonEnabled);
    Keep(gZoomSlider.visible), Keep(gZoom3DSlider.visible);
    XFormsEditor& e = gXFormsEditor;
    Keep(e.editGeneratorsOn), Keep(e.blockTypeListOpen), Keep(e.blockTypeChoice), Keep(e.uniformOn);
    Keep(e.windowRow), Keep(e.controlsRow), Keep(e.rotRow), Keep(e.transRow), Keep(e.zoomTypeRow);
    Keep(e.fixedChoice), Keep(e.pickerZoomSpeed);
}

void ProgramTest::KeepGeneratorChains()
{
    // A deep copy: the live chains are replaced, and their arrays freed, by
    // the recipes and the chain edits a test makes.
    const int32_t count = gGeneratorGroupCount;
    GeneratorGroup* kept = NewGeneratorGroupArray(count);
    for (int32_t i = 0; i < count; ++i) CopyGeneratorGroup(kept[i], gGeneratorGroups[i]);
    restores_.push_back([kept, count] {
        GeneratorGroup* groups = NewGeneratorGroupArray(count);
        for (int32_t i = 0; i < count; ++i) CopyGeneratorGroup(groups[i], kept[i]);
        ReplaceGeneratorGroups(groups, count);
        FreeGeneratorGroupArray(kept, count);
    });
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
    // Shown as the kept page and mode show them, in the kept view at the
    // render size now, the preview plotted afresh.
    UpdateViewScaleAndCentre();
    UpdateControlPage();
    gPointPreviewValid = 0;
}
