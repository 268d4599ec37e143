// The baseshape editor driven as a user drives it: the whole program
// offscreen, every press where the control is drawn.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/control_tables.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "ui/panel_pages.h"
#include "app/support/program_driver.h"
#include "editors/baseshape_editor.h"
#include "editors/baseshape_type_parameters.h"
#include "engine/baseshape_images.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/status_line.h"
#include "platform/desktop/gl_window.h"
#include "platform/scripted_dialogs.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "support/screenshot.h"

namespace fs = std::filesystem;

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

ProgramDriver gProgram;
ScriptedDialogs gDialogs;
BaseShapeEditor& E() { return gBaseShapeEditor; }

const Control* Find(const char* name)
{
    for (ControlTable table : ControlTables())
        if (const Control* c = FindControl(table, name)) return c;
    return nullptr;
}
void Click(const char* name, int row = 0)
{
    const Control* c = Find(name);
    ASSERT_NE(c, nullptr) << name;
    int x = 0, y = 0;
    ControlRowPoint(*c, row, &x, &y);
    gProgram.Click(x, y);
}
bool Shown(const char* name)
{
    UpdateControlPage();
    return ControlShown(*Find(name));
}
BaseshapeRecord& Current() { return gBaseshapes[gCurrentBaseshape]; }

// The editor's page with its "Edit" box on and its widgets open.
void OpenEditor()
{
    Click("Fractals", kTabEditors);
    Click("Baseshapes", kPageBaseshapes);
    if (!gBaseShapeEditorOpen) Click("Edit (Baseshapes)");
    gProgram.Frames(1);
}
void CloseEditor()
{
    if (gBaseShapeEditorOpen) Click("Edit (Baseshapes)");
    gProgram.Frames(1);
}
void ChooseTab(int tab) { Click("Shape", tab); }
// A kind picked in the selector: its page scrolled there by the wheel.
void ChooseKind(int type)
{
    TSelector& s = E().shapeSelector;
    s.first = std::min(type / kPickerCells * kPickerCells, kShapeLastFirst);
    Click("Shape Type", type - s.first);
}

// The panel alone (the 3-D preview's points are random), as a reference.
void ExpectPanelLooksLike(const char* name)
{
    const int screen = gScreenState.load();
    gScreenState = kScreenInterfaceOnly;
    gProgram.Frames(2);
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    const ScreenshotResult r = CompareWithReference(name, gProgram.Screenshot(), width, height, 24, 0.004);
    EXPECT_TRUE(r.ok) << name << ": " << r.message;
    gScreenState = screen;
}

class BaseShapeEditorProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = fs::temp_directory_path() / ("talvoran_baseshapes_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        ::setenv("XDG_DATA_HOME", dir_.c_str(), 1);
        ::setenv("TALVORAN_SETTINGS_FILE", (dir_ / "settings.ini").c_str(), 1);
        gDialogs.SetFailureHandler(FailTest);
        SetDialogBackend(&gDialogs);
        std::string error;
        started_ = gProgram.Start(&error);
        why_ = error;
    }
    static void TearDownTestSuite()
    {
        gProgram.Stop();
        SetDialogBackend(nullptr);
        fs::remove_all(dir_);
    }
    // One baseshape of kind 1 ("Sphere"), the panel open on "Shape".
    void SetUp() override
    {
        ASSERT_TRUE(started_) << "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " << why_;
        OpenEditor();
        while (gBaseshapeCount > 0) Click("Delete (Baseshapes)");
        Click("New (Baseshapes)");
        ASSERT_EQ(gBaseshapeCount, 1);
        ChooseTab(kBsShapeTab);
        ChooseKind(1);
    }
    void TearDown() override { CloseEditor(); }
    static bool started_;
    static std::string why_;
    static fs::path dir_;
};
bool BaseShapeEditorProgram::started_ = false;
std::string BaseShapeEditorProgram::why_;
fs::path BaseShapeEditorProgram::dir_;

// Each tab of a plain kind, the "Shape" tab of a displacement-mapped kind
// and of the mesh kind; what shows follows the kind.
TEST_F(BaseShapeEditorProgram, EveryTabAndTheKindsOwnControls)
{
    const char* const kTabs[kBsTabCount] = {"shape", "controls", "modifiers", "colors", "animation"};
    Current().useTexture = Current().useGradient = Current().neonOn = 1;
    gBaseshapeModifierType[0] = gBaseshapeArrayType[0] = 1;
    for (int tab = 0; tab < kBsTabCount; ++tab) {
        ChooseTab(tab);
        ExpectPanelLooksLike((std::string("baseshape_editor_") + kTabs[tab]).c_str());
    }
    ChooseTab(kBsShapeTab);
    EXPECT_FALSE(Shown("Load DMap") || Shown("Load STL Mesh") || Shown("Displacement Map Presets"));
    ChooseKind(49);
    ASSERT_EQ(Current().shapeType, 49);
    EXPECT_TRUE(Shown("Load DMap") && Shown("Select (DMap)") && Shown("Displacement Map Presets"));
    EXPECT_FALSE(Shown("Load STL Mesh"));
    ExpectPanelLooksLike("baseshape_editor_shape_dmap");
    ChooseKind(58);
    EXPECT_TRUE(Shown("Load STL Mesh") && Shown("Clear Mesh"));
    EXPECT_FALSE(Shown("Load DMap") || Shown("Interior Type"));
    ExpectPanelLooksLike("baseshape_editor_shape_mesh");
    ChooseTab(kBsColorsTab);
    EXPECT_FALSE(Shown("Use Surface Texture") || Shown("Surface Texture Presets"));
    EXPECT_EQ(Current().useTexture, 0);  // the mesh kind cannot be texture-coloured
}

}  // namespace
