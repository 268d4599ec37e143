// Controls of the running program that take the wheel, a typed value or a
// press where they are drawn: the fog panel's gradient browser, the zoom
// sliders under a view-wheel zoom, the light ball among the camera lists,
// "Panel" beside an open editor, the parameter field, "Threads", "Fixed
// View" and the rows of "Fractal Type".
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/material_panel.h"
#include "app/interface_panel.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "app/point_preview.h"
#include "app/support/program_controls.h"
#include "app/text_field.h"
#include "app/view_drags.h"
#include "app/view_zoom.h"
#include "editors/xforms_editor.h"
#include "engine/kernel_framework.h"
#include "engine/file_dialogs.h"
#include "engine/fractal_model.h"
#include "platform/desktop/platform_events.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "ui/file_services.h"
#include "ui/panel_pages.h"

namespace {

const Control& Named(ControlTable table, const char* name)
{
    const Control* c = FindControl(table, name);
    if (c == nullptr) {
        ADD_FAILURE() << "no control \"" << name << "\"";
        return table[0];
    }
    return *c;
}

void RowPoint(ControlTable table, const char* name, int row, int* x, int* y)
{
    ControlRowPoint(Named(table, name), row, x, y);
}

std::array<float, 3> Light() { return {gLightTrackBallA[0], gLightTrackBallA[1], gLightTrackBallA[2]}; }

class ProgramWheelAndFields : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_wheel_fields_", &gCancellingDialogs);
        StartOnce();
        if (started_) WaitForPointPreview();
    }
};

// "Browse" shows the gradient browser in the fog panel's place; a notch over
// it pages through the colour maps of the textures folder by two.
TEST_F(ProgramWheelAndFields, FogGradientBrowserTakesNotches)
{
    // Fourteen gradients in the textures folder, so the browser has pages.
    const std::string folder = gInterfaceFileServices.texturesFolder();
    std::filesystem::create_directories(folder);
    for (int n = 0; n < 14; ++n) {
        std::ofstream map(folder + "/gradient" + std::to_string(10 + n) + ".map");
        for (int i = 0; i < 256; ++i) map << i << ' ' << (i * n) % 256 << ' ' << 255 - i << '\n';
    }
    gProgram.GoTo(kTabRender, kPageEnvironment);
    FogColorPanel& fog = gMaterialPanel.fogPanel;
    const Button& browse = fog.buttons[FogColorPanel::kBrowse];
    gProgram.Click(static_cast<int>((browse.rect[0] + browse.rect[2]) / 2),
                   static_cast<int>((browse.rect[1] + browse.rect[3]) / 2));
    ASSERT_EQ(fog.browserMode, 1);
    const GSelector& browser = fog.browser;
    ASSERT_GE(browser.fileCount, 12);
    const int x = static_cast<int>((browser.left + browser.right) / 2), y = static_cast<int>(browser.bottom + 40);
    EXPECT_EQ(browser.first, 0);
    gProgram.Wheel(x, y, -1);  // toward the user: the following page
    EXPECT_EQ(browser.first, 2);
    gProgram.Wheel(x, y, -1);
    EXPECT_EQ(browser.first, 4);
    gProgram.Wheel(x, y, 1);
    EXPECT_EQ(browser.first, 2);
    const Button& close = fog.buttons[FogColorPanel::kClose];
    gProgram.Click(static_cast<int>((close.rect[0] + close.rect[2]) / 2),
                   static_cast<int>((close.rect[1] + close.rect[3]) / 2));
    EXPECT_EQ(fog.browserMode, 0);
}

// A notch over the view zooms the point preview (away from the user: out)
// and the "Zoom" slider shows the new zoom; in an editor's 3-D preview the
// notch changes its focal length and the 3-D zoom slider follows.
TEST_F(ProgramWheelAndFields, ZoomSlidersFollowTheViewWheel)
{
    gProgram.GoTo(kTabFractals);
    ASSERT_EQ(gScreenState.load(), kScreenPointPreview);
    const float zoom = gZoom;
    gProgram.Wheel(1116, 576, 1);
    EXPECT_LT(gZoom, zoom);
    EXPECT_FLOAT_EQ(gZoomSlider.value, gZoom);
    gProgram.Wheel(1116, 576, -1);
    gProgram.Wheel(1116, 576, -1);
    EXPECT_GT(gZoom, zoom * 0.98f);
    EXPECT_FLOAT_EQ(gZoomSlider.value, gZoom);

    gProgram.GoTo(kTabEditors, kPageTransformations);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    ASSERT_EQ(gScreenState.load(), kScreenPreview3D);
    const float focal = gFocal;
    gProgram.Wheel(1116, 576, 1);
    EXPECT_LT(gFocal, focal);
    gProgram.Frames(1);  // the slider shows the focal length as it is drawn
    EXPECT_FLOAT_EQ(gZoom3DSlider.value, gFocal);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
}

// On the "Camera" page a notch turns the light only with the pointer over
// the ball; over "Symmetry", "Resolution presets" and "Sides:" it scrolls
// or steps them and leaves the light as it was.
TEST_F(ProgramWheelAndFields, CameraNotchesReachTheWidgetUnderThePointer)
{
    gProgram.GoTo(kTabCamera);
    const std::array<float, 3> light = Light();
    NewDropBox& symmetry = gInterface.symmetry;
    NewDropBox& presets = gInterface.resolutionPresets;
    int x = 0, y = 0;
    RowPoint(CameraControls(), "Symmetry", 2, &x, &y);
    const int firstSymmetry = symmetry.first;
    for (int k = 0; k < 6; ++k) gProgram.Wheel(x, y, -1);
    EXPECT_EQ(symmetry.first, firstSymmetry + 6);
    RowPoint(CameraControls(), "Resolution presets", 2, &x, &y);
    const int firstPreset = presets.first;
    gProgram.Wheel(x, y, -1);
    EXPECT_EQ(presets.first, firstPreset + 1);
    gProgram.Wheel(x, y, 1);
    EXPECT_EQ(presets.first, firstPreset);
    EXPECT_EQ(Light(), light);

    // "Rotation XZ" (item 11) stands in the bottom row now; it shows "Sides:".
    gProgram.ClickControl(CameraControls(), "Symmetry", 0);
    ASSERT_EQ(symmetry.GetSelected(), 11);
    gProgram.Frames(1);
    RowPoint(CameraControls(), "Sides:", 0, &x, &y);
    const float sides = gSymmetryFoldCount.load();
    gProgram.Wheel(x, y, -1);  // toward the user: one side fewer
    EXPECT_EQ(gSymmetryFoldCount.load(), sides - 1);
    EXPECT_EQ(Light(), light);

    RowPoint(CameraControls(), "Light", 0, &x, &y);
    gProgram.Wheel(x, y, -1);
    EXPECT_NE(Light(), light);
    // Back to "Normal": scrolled up, its top row.
    RowPoint(CameraControls(), "Symmetry", 2, &x, &y);
    for (int k = 0; k < 20 && symmetry.first > 0; ++k) gProgram.Wheel(x, y, 1);
    gProgram.ClickControl(CameraControls(), "Symmetry", symmetry.visibleRows - 1);
    EXPECT_EQ(symmetry.GetSelected(), 0);
}

// With an editor open "Panel" chooses the point preview, and it stays until
// "Vector" is chosen again or the editor closes.
TEST_F(ProgramWheelAndFields, PanelChoosesPointsWhileAnEditorIsOpen)
{
    gProgram.GoTo(kTabEditors, kPageTransformations);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    ASSERT_EQ(gScreenState.load(), kScreenPreview3D);
    gProgram.ClickControl(EditorsControls(), "Panel", 0);  // "Points", the lower row
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    EXPECT_EQ(gPanel.viewPanel, 0);
    gProgram.ClickControl(XFormsEditorControls(), "Uniform");  // another press on the page
    gProgram.Frames(2);
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    EXPECT_TRUE(gZoomSlider.visible && !gZoom3DSlider.visible);
    gProgram.ClickControl(XFormsEditorControls(), "Uniform");
    gProgram.ClickControl(EditorsControls(), "Panel", 1);
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
}

// A press on a value row of the parameter help opens the field over that
// row's value; Return stores the typed value and closes field and box, Esc
// closes them and keeps the value.
TEST_F(ProgramWheelAndFields, ParameterFieldOpensAtTheRowAndCloses)
{
    gProgram.GoTo(kTabFractals);
    const Control& type = Named(FractalsControls(), "Fractal Type");
    // "4  Kleinian sets" (type 3) in the fourth row from the top.
    gProgram.ClickControl(FractalsControls(), "Fractal Type", ControlRows(type) - 4);
    ASSERT_EQ(gFractalType, 3);
    gProgram.GoTo(kTabEditors, kPageTransformations);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    gProgram.Frames(1);
    ASSERT_TRUE(gParamHelpWindow.visible);
    const SLWindow2& help = gParamHelpWindow;
    for (int parameter : {1, 3}) {
        // Parameter p stands in window row rows - 1 - p, counted from the bottom.
        const int row = help.rows - 1 - parameter;
        const int y = static_cast<int>(help.y0 + (static_cast<float>(row) + 0.5f) * help.rowHeight);
        gProgram.Click(static_cast<int>(help.x0) + 120, y);
        ASSERT_TRUE(ParamFieldOpen()) << parameter;
        EXPECT_EQ(gTextInput.y, static_cast<int>(help.y0 + static_cast<float>(row) * help.rowHeight));
        EXPECT_EQ(gTextInput.x, static_cast<int>(help.x0 + kParamValueColumn - kParamFieldLead));
        EXPECT_EQ(static_cast<int>(gInputBox.y0), gTextInput.y);
        float& target = gTransforms[parameter == 1 ? 0 : 1].position[2];
        EXPECT_EQ(gTextInput.target, &target);
        for (int k = 0; k < 12; ++k) gProgram.Key(SDLK_BACKSPACE);
        gProgram.Type("0.25");
        gProgram.Key(SDLK_RETURN);
        EXPECT_FALSE(ParamFieldOpen());
        EXPECT_FALSE(TextInputActive());
        EXPECT_FLOAT_EQ(target, 0.25f);

        gProgram.Click(static_cast<int>(help.x0) + 120, y);
        ASSERT_TRUE(ParamFieldOpen());
        gProgram.Type("9");
        gProgram.Key(SDLK_ESCAPE);
        EXPECT_FALSE(ParamFieldOpen());
        EXPECT_FLOAT_EQ(target, 0.25f);
    }
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    gProgram.GoTo(kTabFractals);
    gProgram.ClickControl(FractalsControls(), "Fractal Type", ControlRows(type) - 1);
    EXPECT_EQ(gFractalType, 0);
}

// "Threads" is drawn in the frame of the processor count and its rows set
// the render thread count; "Fractal Type" shows seven rows, the lowest the
// seventh type; "Fixed View" names its cells F, B, U, D, L, R from the left
// and turns the camera to the view named.
TEST_F(ProgramWheelAndFields, ThreadsFractalTypeRowsAndFixedView)
{
    gProgram.GoTo(kTabFractals);
    gProgram.Frames(1);
    const Control& threads = Named(FractalsControls(), "Threads");
    ASSERT_TRUE(ControlShown(threads));
    EXPECT_TRUE(gThreadsList.visible);
    const int row8 = 2;  // rows from the bottom: 1, 4, 8, 16, 24
    gProgram.ClickControl(FractalsControls(), "Threads", row8);
    EXPECT_EQ(gRenderThreadCount, 8);
    gProgram.Frames(1);
    EXPECT_FLOAT_EQ(gRenderThreadsWindow.Value(0), 8.0f);  // the window shows the count in force
    gProgram.ClickControl(FractalsControls(), "Threads", 0);
    EXPECT_EQ(gRenderThreadCount, 1);

    const Control& type = Named(FractalsControls(), "Fractal Type");
    EXPECT_EQ(ControlRows(type), 7);
    gProgram.ClickControl(FractalsControls(), "Fractal Type", 0);
    EXPECT_EQ(gFractalType, 6);
    gProgram.ClickControl(FractalsControls(), "Fractal Type", 6);
    EXPECT_EQ(gFractalType, 0);

    gProgram.GoTo(kTabCamera);
    const char* labels[] = {"F", "B", "U", "D", "L", "R"};
    for (int cell = 0; cell < 6; ++cell) EXPECT_STREQ(FixedViewLabel(cell), labels[cell]) << cell;
    gProgram.ClickControl(CameraControls(), "Fixed View", 0);
    const float front[9] = {0, 0, -1, 0, 1, 0, 1, 0, 0};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(gCameraRotation[i], front[i]) << i;
    gProgram.ClickControl(CameraControls(), "Fixed View", 5);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(gCameraRotation[i], i % 4 == 0 ? 1.0f : 0.0f) << i;
}

}  // namespace
