#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/action_buttons.h"
#include "app/render_control.h"
#include "app/action_widgets.h"
#include "app/frame.h"
#include "app/mesh_export_thread.h"
#include "app/pending_services.h"
#include "app/program_entry.h"
#include "platform/scripted_dialogs.h"
#include "engine/baseshape_seed_pick.h"
#include "render/voxel_engine.h"
#include "support/mesh_readers.h"

namespace fs = std::filesystem;

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// A voxel page button pressed and released, as the dispatcher sees it.
void Press(ActionButtonId id)
{
    gActionButtons[id].pressed = 1;
    ProcessInterfaceActions();
}

template <typename Done>
bool DrawFramesUntil(Done done, int limit)
{
    for (int frame = 0; frame < limit; ++frame) {
        if (done()) return true;
        if (!RunMessageLoopPass()) return false;
    }
    return done();
}

// The program, offscreen, from its splash screen: the voxel engine runs at
// 200^3 on the start-up fractal, the STL and OBJ files are chosen through
// the dialog seam, and both open in the readers people use. A third export
// into a missing folder gets its "Warning" box on the window thread.
TEST(VoxelMeshProgram, StlAndObjOfTheRunningEngineOpenInTheReaders)
{
    const fs::path dir = fs::temp_directory_path() / ("talvoran_voxel_program_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
    ::setenv("TALVORAN_SETTINGS_FILE", (dir / "settings.ini").c_str(), 1);
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    std::string error;
    ASSERT_TRUE(StartProgram(&error)) << "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " << error;
    ASSERT_TRUE(DrawFramesUntil([] { return gScreenState.load() == kScreenPointPreview; }, 5000));

    gCurrentTab = 5;
    gActionWidgets.voxelResolutionSelection = 1;  // "200x200x200 vx"
    gActionWidgets.interpolationSelection = 1;    // "Median 3X"
    gActionWidgets.densityThreshold = 0.9f;       // the tetrahedron's dust is thin
    Press(kActionStartVoxelEngine);
    ASSERT_TRUE(gVoxelEngineOn == 1 && gVoxelResolution == 200);
    DrawFramesUntil([] { return false; }, 100);

    const struct {
        ActionButtonId button;
        fs::path file;
    } exports[] = {{kActionStlMesh, dir / "fractal.stl"},
                   {kActionObjMesh, dir / "fractal.obj"},
                   {kActionRawFile, dir / "missing" / "fractal.raw"}};
    for (const auto& e : exports) {
        dialogs.QueueFile(e.file.string());
        if (e.button == kActionRawFile) dialogs.QueueAnswer(MessageAnswer::Ok);  // its "Warning" box
        Press(e.button);
        EXPECT_TRUE(DrawFramesUntil([] { return gMeshExportRunning.load() == 0; }, 1000000)) << e.file;
        RunMessageLoopPass();  // the window's share of the end
    }
    Press(kActionStopVoxelEngine);
    StopProgram();

    const std::vector<DialogPrompt> prompts = dialogs.Prompts();
    ASSERT_EQ(prompts.size(), 4u);
    EXPECT_EQ(prompts[3].message.caption, "Warning");
    EXPECT_EQ(prompts[3].message.text,
              "Talvoran cannot write in the selected directory path, please choose another destination.");

    int exit = 0;
    const std::string stl = RunReader(FindReader("admesh"), "", exports[0].file.string(), &exit);
    EXPECT_EQ(exit, 0) << stl;
    EXPECT_GT(ReaderNumber(stl, "Number of facets"), 0.0) << stl;
    EXPECT_EQ(ReaderNumber(stl, "Number of facets") * 50 + 84, static_cast<double>(fs::file_size(exports[0].file)));
    for (const char* zero : {"Total disconnected facets", "Backwards edges", "Normals fixed"}) {
        EXPECT_EQ(ReaderNumber(stl, zero), 0.0) << zero << "\n" << stl;
    }
    const std::string obj = RunReader(FindReader("assimp"), "info", exports[1].file.string(), &exit);
    EXPECT_EQ(exit, 0) << obj;
    EXPECT_GT(ReaderNumber(obj, "Faces:"), 0.0) << obj;
    fs::remove_all(dir);
}

}  // namespace
