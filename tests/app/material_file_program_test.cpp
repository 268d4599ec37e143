// "Save Material" and "Load Material" pressed in the running program, the
// files chosen through the dialog seam.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/control_tables.h"
#include "app/frame.h"
#include "app/support/program_controls.h"
#include "engine/status_line.h"
#include "files/material_settings.h"
#include "render/render_threads.h"
#include "ui/panel_pages.h"

namespace fs = std::filesystem;

namespace {

class MaterialFileProgram : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_material_program_");
        StartOnce();
    }
};

TEST_F(MaterialFileProgram, SavedMaterialComesBackAfterItWasChanged)
{
    WaitForPointPreview();

    gProgram.GoTo(kTabRender, kPageMaterials, kMaterialAmbient);
    const MaterialValues saved = CaptureMaterialValues();
    const std::string path = (gDir / "look.bmat").string();
    gDialogs.QueueFile(path);
    ASSERT_TRUE(gProgram.ClickControl(RenderControls(), "Save Material"));
    gProgram.Frames(1);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_STREQ(gStatusText, "Materials Saved!");

    // The material changes where a user changes it: its ambient value by the wheel.
    int x = 0, y = 0;
    ControlRowPoint(*FindControl(RenderControls(), "Ambient Parameters"), 0, &x, &y);
    gProgram.Wheel(x, y, -3);
    gProgram.Frames(1);
    ASSERT_NE(gShader.ambientIntensity[0], saved.ambient[0]);

    gDialogs.QueueFile(path);
    ASSERT_TRUE(gProgram.ClickControl(RenderControls(), "Load Material"));
    gProgram.Frames(2);
    EXPECT_TRUE(CaptureMaterialValues() == saved);
    EXPECT_EQ(gShader.ambientIntensity[0], saved.ambient[0]);
    EXPECT_STREQ(gStatusText, "Material Loaded");
    EXPECT_EQ(gDialogs.PendingAnswers(), 0u);
}

}  // namespace
