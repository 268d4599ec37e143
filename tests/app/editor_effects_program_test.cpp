// What the editors' presses change beyond the edited record, in the whole
// program offscreen: the scene export's permission, the maps of the
// Kleinian types, the view after a transformation file brings another
// type, the depth checks when an editor closes, the pick count of type 45
// across type changes, the light editor's start, and the buttons every way
// out of edit mode gives back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/interface_drawing.h"
#include "app/main_buttons.h"
#include "app/material_panel.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "app/point_preview.h"
#include "app/render_control.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "app/view_zoom.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/kernel_framework.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/pick_table.h"
#include "engine/status_line.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "ui/panel_pages.h"

namespace fs = std::filesystem;

namespace {

// The transformation editor's page with its "Edit" box off.
void CloseTransformationEditor()
{
    gProgram.GoTo(kTabEditors, kPageTransformations);
    if (gXFormsEditorOpen) Click("Edit (Transformations)");
    gProgram.Frames(1);
}

// Every transformation in use is somewhere in the pick table, and none
// beyond it.
void ExpectEveryTransformationPicked()
{
    ASSERT_EQ(gTransformCount, gPickTransformCount);
    std::vector<int> seen(kMaxTransforms, 0);
    for (uint8_t t : gTransformPickTable) ++seen[t];
    for (int t = 0; t < gPickTransformCount; ++t) EXPECT_GT(seen[t], 0) << "transformation " << t;
    for (int t = gPickTransformCount; t < kMaxTransforms; ++t) EXPECT_EQ(seen[t], 0) << "transformation " << t;
}

MobiusCoefficients Maps() { return gMobiusCoefficients; }
bool SameMaps(const MobiusCoefficients& a, const MobiusCoefficients& b)
{
    for (int t = 0; t < 4; ++t) {
        const Complex pa[4] = {a.a[t], a.b[t], a.c[t], a.d[t]}, pb[4] = {b.a[t], b.b[t], b.c[t], b.d[t]};
        for (int k = 0; k < 4; ++k)
            if (pa[k].re != pb[k].re || pa[k].im != pb[k].im) return false;
    }
    return true;
}
// The maps the kernels should read for the positions the records hold now.
MobiusCoefficients MapsOfThePositions()
{
    const MobiusCoefficients kept = gMobiusCoefficients;
    ComputeMobiusGenerators(Complex{gTransforms[0].position[0], gTransforms[0].position[2]},
                            Complex{gTransforms[1].position[0], gTransforms[1].position[2]});
    const MobiusCoefficients expected = gMobiusCoefficients;
    gMobiusCoefficients = kept;
    return expected;
}

class EditorEffectsProgram : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_editor_effects_");
        StartOnce();
    }
};

// A new baseshape makes the scene exportable: "Kavrolin" shows on the
// "Fractals" page and its press writes the scene; without baseshapes it
// neither shows nor acts.
TEST_F(EditorEffectsProgram, KavrolinFollowsTheBaseshapeEditor)
{
    gProgram.GoTo(kTabFractals);
    ASSERT_EQ(gFractalType, 0);
    ASSERT_EQ(gBaseshapeCount, 0);
    EXPECT_FALSE(Shown("Kavrolin"));

    OpenBaseshapeEditor();
    Click("New (Baseshapes)");
    ASSERT_EQ(gBaseshapeCount, 1);
    ASSERT_EQ(gBaseshapes[0].shapeType, 1) << "a sphere, which the scene export takes";
    Click("Edit (Baseshapes)");
    gProgram.GoTo(kTabFractals);
    EXPECT_TRUE(Shown("Kavrolin"));
    const fs::path scene = gDir / "scene.kvl";
    gDialogs.QueueFile(scene.string());
    Click("Kavrolin");
    gProgram.Frames(1);
    EXPECT_TRUE(fs::exists(scene)) << "the press acted";
    EXPECT_EQ(gDialogs.PendingAnswers(), 0u);

    OpenBaseshapeEditor();
    Click("Delete (Baseshapes)");
    ASSERT_EQ(gBaseshapeCount, 0);
    Click("Edit (Baseshapes)");
    gProgram.GoTo(kTabFractals);
    EXPECT_FALSE(Shown("Kavrolin"));
}

// Type 45 keeps an even pick count; the next type change leaves the two
// counts equal and every transformation in use picked (from the start set
// of three, type 45 then type 0 once left three records and two picked).
TEST_F(EditorEffectsProgram, TypeFortyFiveThenZeroPicksEveryTransformation)
{
    ASSERT_EQ(gTransformCount, 3);
    PickFractalType(45);
    ASSERT_EQ(gFractalType, 45);
    EXPECT_EQ(gPickTransformCount % 2, 0);
    ExpectEveryTransformationPicked();
    PickFractalType(0);
    ASSERT_EQ(gFractalType, 0);
    ExpectEveryTransformationPicked();
    PickFractalType(45);
    PickFractalType(3);
    ExpectEveryTransformationPicked();
}

// Types 3, 19 and 45 read maps made from the positions of transformations
// 0 and 1: a value typed into the help's field and a drag in the editor's
// 3-D preview both remake them at once.
TEST_F(EditorEffectsProgram, KleinianMapsFollowTypedValuesAndDrags)
{
    for (int type : {3, 19, 45}) {
        PickFractalType(type);
        ASSERT_EQ(gFractalType, type);
        OpenTransformationEditor();
        ASSERT_EQ(gParamHelpWindow.visible, 1) << type;
        const MobiusCoefficients before = Maps();
        ASSERT_TRUE(SameMaps(before, MapsOfThePositions())) << type;
        // Type 45's help names no coordinate: only the drag edits it.
        if (ParamRowCount[type] > 0) TypeIntoTheFirstHelpRow("1.875");
        if (ParamRowCount[type] > 0) {
            ASSERT_EQ(gTransforms[0].position[0], 1.875f) << type;
            EXPECT_FALSE(SameMaps(Maps(), before)) << type;
            EXPECT_TRUE(SameMaps(Maps(), MapsOfThePositions())) << type << ": typed";
        }

        // Transformation 0 dragged right in the editor's 3-D preview.
        const MobiusCoefficients typed = Maps();
        const float x = gTransforms[0].position[0];
        gTransformEdit.selected = 0;
        gProgram.Drag(1116, 576, 1116 + 208, 576, 8);
        EXPECT_NE(gTransforms[0].position[0], x) << type;
        EXPECT_FALSE(SameMaps(Maps(), typed)) << type;
        EXPECT_TRUE(SameMaps(Maps(), MapsOfThePositions())) << type << ": dragged";
        if (type == 45) {
            EXPECT_EQ(gTransformCoefficients.m00[0], gMobiusCoefficients.a[0].re) << "type 45 runs the maps";
            ExpectEveryTransformationPicked();
        }
        CloseTransformationEditor();
    }
}

// A transformation file of another type makes the type list, the view and
// the preview's orbit follow: pans and zoom back to the start, the view
// fitted to the new fractal.
TEST_F(EditorEffectsProgram, AnEditorsTypeChangeResetsTheView)
{
    PickFractalType(8);
    OpenTransformationEditor();
    const fs::path file = gDir / "julia.tmf";
    gDialogs.QueueFile(file.string());
    Click("Save (Transformations)");
    ASSERT_TRUE(fs::exists(file));
    CloseTransformationEditor();
    PickFractalType(0);

    gPanX = 40.0f, gPanY = -25.0f, gZoom = 2.5f;
    gZoomSlider.value = 2.5f;
    gViewScale = 123.0f;
    OpenTransformationEditor();
    gDialogs.QueueFile(file.string());
    Click("Load (Transformations)");
    EXPECT_EQ(gFractalType, 8);
    EXPECT_EQ(FindControl(FractalsControls(), "Fractal Type")->Get(0), 8.0f);
    EXPECT_EQ(gPanX, 0.0f);
    EXPECT_EQ(gPanY, 0.0f);
    EXPECT_EQ(gZoom, 1.0f);
    EXPECT_EQ(gZoomSlider.value, 1.0f);
    EXPECT_EQ(gImageScale, 0.5f * static_cast<float>(std::min(gImageWidth, gImageHeight)));
    EXPECT_NE(gViewScale, 123.0f) << "fitted again";
    EXPECT_TRUE(std::isfinite(gViewScale) && gViewScale > 0.0f);
    // The preview's points come from the reset orbit of the new kernel: all
    // of them finite and most within the fitted view.
    int inside = 0;
    for (int i = gSlotBatchStart[0]; i <= gSlotBatchLast[0]; ++i) {
        const float d[3] = {(gPointX[i] - gViewCentre[0]) * gViewScale, (gPointY[i] - gViewCentre[1]) * gViewScale,
                            (gPointZ[i] - gViewCentre[2]) * gViewScale};
        ASSERT_TRUE(std::isfinite(d[0] + d[1] + d[2])) << i;
        inside += std::fabs(d[0]) <= 1.0f && std::fabs(d[1]) <= 1.0f && std::fabs(d[2]) <= 1.0f ? 1 : 0;
    }
    EXPECT_GT(inside, 900);
    CloseTransformationEditor();
}

// Closing the baseshape editor with the preview's points beyond the
// fitted depth says so in the status line and on the page; within it, not.
TEST_F(EditorEffectsProgram, ClosingTheBaseshapeEditorReportsPointsOutOfTheCorners)
{
    OpenBaseshapeEditor();
    if (gBaseshapeCount == 0) Click("New (Baseshapes)");
    ASSERT_GT(gBaseshapeCount, 0);
    Keep(gViewScale);
    gViewScale = 0.001f;  // everything near the centre
    Click("Edit (Baseshapes)");
    EXPECT_FALSE(StatusTextContains("is out ")) << "points inside";

    OpenBaseshapeEditor();
    gViewScale = 1000.0f;  // everything far outside -1..1
    Click("Edit (Baseshapes)");
    char status[256];
    CopyStatusText(status, sizeof status, nullptr);
    EXPECT_STREQ(status, "One Baseshape is out of the corners, use SCALE button");
    gProgram.Frames(2);
    EXPECT_TRUE(StatusTextContains("is out "));
    Shot("baseshape_out_of_corners");
    OpenBaseshapeEditor();
    Click("Delete (Baseshapes)");
    Click("Edit (Baseshapes)");
}

// Closing the transformation editor takes the largest depth of the
// preview's points as the preview's depth range, so that no point falls
// off the depth planes; "Scale" fits the view and takes it back to 1.
TEST_F(EditorEffectsProgram, ClosingTheTransformationEditorSetsTheDepthRange)
{
    // The start-up triangle lies flat: turned by a drag, it has depth.
    gProgram.GoTo(kTabFractals);
    gProgram.Drag(1000, 576, 1200, 576, 8);
    gProgram.GoTo(kTabCamera);
    Click("Scale");
    EXPECT_EQ(gPreviewDepthRange, 1.0f);
    OpenTransformationEditor();
    gViewScale *= 4.0f;
    Click("Edit (Transformations)");
    const float range = gPreviewDepthRange;
    EXPECT_GT(range, 1.0f);
    EXPECT_EQ(range, PreviewPointsDepthRange());
    const PreviewView v = LoadPreviewView();
    int drawn = 0;
    for (int i = gSlotBatchStart[0]; i <= gSlotBatchLast[0]; ++i) {
        PreviewPoint p{};
        if (!ProjectPreviewPoint(v, gPointX[i], gPointY[i], gPointZ[i], &p)) continue;
        ++drawn;
        EXPECT_GE(p.depth, 0.0f) << i;
        EXPECT_LE(p.depth, 832.0f) << i;
    }
    EXPECT_GT(drawn, 0);
    gProgram.GoTo(kTabCamera);
    Click("Scale");
    EXPECT_EQ(gPreviewDepthRange, 1.0f);
}

// The light editor starts on light 0 with its gel (white) in the swatch,
// and the 3-D preview marks that light.
TEST_F(EditorEffectsProgram, TheLightEditorStartsOnLightZero)
{
    EXPECT_EQ(gShader.editedLight, 0);
    const uint8_t* gel = gShader.gelThumbnail.rgb;
    EXPECT_EQ(gel[0] + gel[1] + gel[2], 3 * 255);
    EXPECT_EQ(gel[kThumbnailBytes - 1], 255);

    gProgram.GoTo(kTabEditors, kPageObjects);
    Click("Edit");
    Click("Enable Light");
    ASSERT_EQ(gShader.lights[0].enabled, 1);
    Click("Use Texture");
    ASSERT_EQ(gShader.lights[0].textured, 1);
    gProgram.Frames(2);
    const WindowPicture screen = Shot("light_editor_start");
    const int w = screen.w, h = screen.h;
    // The gel swatch is drawn white at its middle.
    const TextureBox& swatch = gMaterialPanel.textureBoxes[1];
    const int x = static_cast<int>((swatch.x0 + swatch.x1) / 2), y = static_cast<int>((swatch.y0 + swatch.y1) / 2);
    const uint8_t* p = screen.At(x, y);
    EXPECT_GT(p[0] + p[1] + p[2], 3 * 200) << "the gel swatch at " << x << ", " << y;
    // The 3-D preview marks light 0 with a white point at its position, the
    // middle of the view (light 0 sits at the origin): some white pixels
    // around it, which no other light gives.
    int white = 0;
    for (int dy = -12; dy <= 12; ++dy) {
        for (int dx = -12; dx <= 12; ++dx) {
            const int qx = 1116 * w / 1600 + dx, qy = (1000 - 576) * h / 1000 + dy;
            const uint8_t* q = &screen.rgb[(static_cast<size_t>(qy) * w + qx) * 3];
            white += q[0] > 240 && q[1] > 240 && q[2] > 240 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 4);
    Click("Edit");
}

// "Render", "Preview", "Draw" and "New Fractal": whether edit mode has them.
bool ButtonsTaken()
{
    const bool main = ButtonEnabled(kButtonRender) || ButtonEnabled(kButtonPreview) || ButtonEnabled(kButtonDraw);
    return !main && !ActionButtonEnabled(kActionNewFractal);
}

// The buttons edit mode takes are enabled and drawn again, "Panel" gone,
// the point preview on screen.
void ExpectButtonsGivenBack()
{
    EXPECT_FALSE(EditModeOn());
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    EXPECT_FALSE(Shown("Panel"));
    EXPECT_TRUE(ButtonEnabled(kButtonRender) && ButtonEnabled(kButtonPreview) && ButtonEnabled(kButtonDraw));
    EXPECT_TRUE(ActionButtonEnabled(kActionNewFractal));
    for (const char* name : {"Render", "Preview", "Draw", "New Fractal"}) EXPECT_TRUE(Shown(name)) << name;
}

// Each of them takes its press where it is drawn: "Draw" starts the point
// preview afresh, "Preview" shades it, "Render" starts a render (of one
// cycle), "New Fractal" makes another fractal.
void ExpectButtonsTakeTheirPresses()
{
    Click("Preview");
    ASSERT_EQ(gPreviewRefresh, 0);
    Click("Draw");
    EXPECT_EQ(gPreviewRefresh, 1);
    EXPECT_EQ(gRenderInBuffers, 0);
    Click("Preview");
    EXPECT_EQ(gPreviewRefresh, 0);
    RenderCycles(1);  // "Render" pressed where drawn starts the render
    const auto records = [] {
        const auto* bytes = reinterpret_cast<const unsigned char*>(gTransforms);
        return std::vector<unsigned char>(bytes, bytes + sizeof gTransforms);
    };
    const std::vector<unsigned char> before = records();
    Click("New Fractal");
    EXPECT_FALSE(ActionPressed(kActionNewFractal)) << "it waited";
    EXPECT_NE(records(), before);
}

// Every way out of an editor's edit mode gives back the buttons it took,
// whether "Panel" shows the vectors or the points: each editor's "Edit"
// box, and a change of tab, which closes the editors.
TEST_F(EditorEffectsProgram, EveryWayOutOfEditModeGivesTheButtonsBack)
{
    struct Way {
        const char* name;
        int page;
        const char* box;
        bool byTab;  // else the box turned off
    };
    const Way ways[] = {
        {"baseshape editor's Edit", kPageBaseshapes, "Edit (Baseshapes)", false},
        {"transformation editor's Edit", kPageTransformations, "Edit (Transformations)", false},
        {"object panel's Edit", kPageObjects, "Edit", false},
        {"tab change from the baseshape editor", kPageBaseshapes, "Edit (Baseshapes)", true},
        {"tab change from the transformation editor", kPageTransformations, "Edit (Transformations)", true},
        {"tab change from the object panel", kPageObjects, "Edit", true},
    };
    for (const Way& way : ways) {
        for (const int view : {1, 0}) {  // "Panel": "Vector", "Points" (its lower row)
            SCOPED_TRACE(std::string(way.name) + (view == 1 ? ", Vector" : ", Points"));
            gProgram.GoTo(kTabEditors, way.page);
            Click(way.box);
            ASSERT_TRUE(EditModeOn());
            EXPECT_TRUE(ButtonsTaken());
            Click("Panel", view);
            ASSERT_EQ(gScreenState.load(), view == 1 ? kScreenPreview3D : kScreenPointPreview);
            if (way.byTab) {
                gProgram.GoTo(kTabFractals);
                EXPECT_FALSE(gBaseShapeEditorOpen || gXFormsEditorOpen || gPanel.lightEditOn);
            } else {
                Click(way.box);
            }
            ExpectButtonsGivenBack();
            if (view == 0 && !way.byTab && way.page == kPageTransformations) {
                gProgram.Frames(1);
                Shot("edit_mode_left_from_points");
            }
            ExpectButtonsTakeTheirPresses();
        }
    }

    // Two editors edit, the second box turned on while "Panel" shows the
    // points: the first box turned off keeps edit mode for the other, the
    // last gives the buttons back, "Continue" as the first box found it.
    RenderCycles(1);
    ASSERT_TRUE(ButtonEnabled(kButtonContinue));
    gProgram.GoTo(kTabEditors, kPageTransformations);
    Click("Edit (Transformations)");
    Click("Panel", 0);
    gProgram.GoTo(kTabEditors, kPageObjects);
    Click("Edit");
    Click("Edit");
    EXPECT_TRUE(EditModeOn());
    EXPECT_TRUE(ButtonsTaken());
    gProgram.GoTo(kTabEditors, kPageTransformations);
    Click("Edit (Transformations)");
    ExpectButtonsGivenBack();
    EXPECT_TRUE(ButtonEnabled(kButtonContinue));
}

}  // namespace
