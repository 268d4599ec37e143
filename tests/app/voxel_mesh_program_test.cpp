#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/action_buttons.h"
#include "app/render_control.h"
#include "app/control_tables.h"
#include "app/panel_state.h"
#include "app/support/program_controls.h"
#include "app/frame.h"
#include "app/mesh_export_thread.h"
#include "render/render_threads.h"
#include "app/program_entry.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/status_line.h"
#include "render/voxel_engine.h"
#include "support/mesh_readers.h"

namespace fs = std::filesystem;

namespace {

class VoxelMeshProgram : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_voxel_program_");
        StartOnce();
    }
};

// The program, offscreen, from its splash screen: the voxel engine runs at
// 200^3 on the start-up fractal, the STL and OBJ files are chosen through
// the dialog seam, and both open in the readers people use. A third export
// into a missing folder gets its "Warning" box on the window thread.
TEST_F(VoxelMeshProgram, StlAndObjOfTheRunningEngineOpenInTheReaders)
{
    ASSERT_TRUE(WaitForPointPreview());

    int x = 0, y = 0;
    ControlRowPoint(WindowTopControls()[0], kTabVoxels, &x, &y);
    gProgram.Click(x, y);
    Click("Voxel Resolution", 1);  // "200x200x200 vx"
    EXPECT_EQ(gPanel.voxelResolution, 1);
    Click("Start the Voxel Engine");
    ASSERT_TRUE(gVoxelEngineOn == 1 && gVoxelResolution == 200);
    gProgram.Frames(1);
    Click("Interpolation Type", 1);  // "Median 3X"
    EXPECT_EQ(gPanel.interpolation, 1);
    const Control* density = FindControl(VoxelsControls(), "Density Threshold      Thin <-*-> Thick");
    ControlRowPoint(*density, 0, &x, &y);
    for (int notch = 0; notch < 8; ++notch) gProgram.Wheel(x, y, 1);  // away from the user: the value rises
    EXPECT_NEAR(gPanel.density[0], 0.9f, 1e-5f);
    FramesUntil([] { return false; }, 100);

    // Each result is reported in the status line, the failed one too.
    const struct {
        const char* button;
        fs::path file;
        const char* status;
    } exports[] = {{"STL Mesh", gDir / "fractal.stl", "Mesh export done: [0-9]+ triangles written."},
                   {"OBJ Mesh", gDir / "fractal.obj", "Mesh export done: [0-9]+ triangles written."},
                   {"RAW File", gDir / "missing" / "fractal.raw", "The mesh file could not be written."}};
    for (const auto& e : exports) {
        gDialogs.QueueFile(e.file.string());
        if (std::string(e.button) == "RAW File") gDialogs.QueueAnswer(MessageAnswer::Ok);  // its "Warning" box
        Click(e.button);
        EXPECT_TRUE(FramesUntil([] { return gMeshExportRunning.load() == 0; }, 1000000)) << e.file;
        gProgram.Frames(1);  // the window's share of the end
        EXPECT_THAT(std::string(gStatusText), ::testing::MatchesRegex(e.status)) << e.button;
    }
    Click("Stop the Voxel Engine");
    gProgram.Stop();

    const std::vector<DialogPrompt> prompts = gDialogs.Prompts();
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
}

}  // namespace
