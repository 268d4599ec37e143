// "Save Material" and "Load Material" pressed in the running program, the
// files chosen through the dialog seam.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/control_tables.h"
#include "app/frame.h"
#include "app/support/program_driver.h"
#include "engine/status_line.h"
#include "files/material_settings.h"
#include "platform/scripted_dialogs.h"
#include "render/render_threads.h"
#include "ui/panel_pages.h"

namespace fs = std::filesystem;

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

TEST(MaterialFileProgram, SavedMaterialComesBackAfterItWasChanged)
{
    const fs::path dir = fs::temp_directory_path() / ("talvoran_material_program_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
    ::setenv("TALVORAN_SETTINGS_FILE", (dir / "settings.ini").c_str(), 1);
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    ProgramDriver program;
    std::string error;
    ASSERT_TRUE(program.Start(&error)) << "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " << error;
    for (int frame = 0; frame < 5000 && gScreenState.load() != kScreenPointPreview; ++frame) program.Frames(1);

    program.GoTo(kTabRender, kPageMaterials, kMaterialAmbient);
    const MaterialValues saved = CaptureMaterialValues();
    const std::string path = (dir / "look.bmat").string();
    dialogs.QueueFile(path);
    ASSERT_TRUE(program.ClickControl(RenderControls(), "Save Material"));
    program.Frames(1);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_STREQ(gStatusText, "Materials Saved!");

    // The material changes where a user changes it: its ambient value by the wheel.
    int x = 0, y = 0;
    ControlRowPoint(*FindControl(RenderControls(), "Ambient Parameters"), 0, &x, &y);
    program.Wheel(x, y, -3);
    program.Frames(1);
    ASSERT_NE(gShader.ambientIntensity[0], saved.ambient[0]);

    dialogs.QueueFile(path);
    ASSERT_TRUE(program.ClickControl(RenderControls(), "Load Material"));
    program.Frames(2);
    EXPECT_TRUE(CaptureMaterialValues() == saved);
    EXPECT_EQ(gShader.ambientIntensity[0], saved.ambient[0]);
    EXPECT_STREQ(gStatusText, "Material Loaded");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    program.Stop();
    fs::remove_all(dir);
}

}  // namespace
