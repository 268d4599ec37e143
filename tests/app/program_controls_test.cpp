// Every control of every page, pressed, dragged and wheeled where the program
// draws it, through the window's event queue; and every control that is not
// drawn takes nothing. The program runs whole, offscreen.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/main_buttons.h"
#include "app/page_fixtures.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "app/text_field.h"
#include "app/frame.h"
#include "app/render_control.h"
#include "app/input_clicks.h"
#include "engine/kernel_framework.h"
#include "engine/baseshape_seed_pick.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "app/support/program_test.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/transform_set.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/status_line.h"
#include "engine/point_coloring.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "shading/export_image.h"
#include "shading/shading_settings.h"
#include "platform/shell_open.h"
#include "ui/button.h"
#include "ui/progress_box.h"

namespace {

std::vector<std::string> gOpened;

bool RecordOpen(const char* target)
{
    gOpened.emplace_back(target);
    return true;
}

// The buttons whose release starts what this test does not want running
// (renders, exports, the voxel engine, a new buffer size, quitting).
const std::set<std::string> kPressOnly = {
    "Quit",     "Render",       "Stop",          "Continue", "Yes",     "No",
    "Draw",     "Preview",      "New Fractal",   "Change",   "Scale",   "Save Bitmap",
    "Save PNG", "Render Animation", "Start the Voxel Engine", "Stop the Voxel Engine", "Cancel",
    "Reset Rotation", "Reset Position",
};

Button* ButtonOf(const Control& c)
{
    for (Button& b : gActionButtons)
        if (c.widget == &b) return &b;
    for (Button& b : gMainButtons)
        if (c.widget == &b) return &b;
    return nullptr;
}

void ClearPressedButtons()
{
    for (Button& b : gActionButtons) b.pressed = 0;
    for (Button& b : gMainButtons) b.pressed = 0;
}

std::vector<float> Values(const Control& c)
{
    std::vector<float> v;
    for (int r = 0; r < c.rows; ++r) v.push_back(c.Get(r));
    return v;
}

// A quiet place to let the button go: left of the preview, under every page.
constexpr int kQuietX = 690, kQuietY = 20;

// Every question is answered "cancel"; the desktop openings are recorded.
class ProgramControls : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        SetDialogBackend(&gCancellingDialogs);
        SetDesktopOpener(RecordOpen);
        StartOnce();
    }
    static void TearDownTestSuite()
    {
        ProgramTest::TearDownTestSuite();
        SetDesktopOpener(nullptr);
    }

    // Presses the control where it is drawn; true when it reached the model
    // (a value changed, a button marked or its action run).
    static bool Press(const Control& c, int pass)
    {
        const int rows = ControlRows(c);
        if (rows == 0) return false;
        const std::vector<float> before = Values(c);
        const uint32_t changes = gControlChanges;
        Button* button = ButtonOf(c);
        for (int k = 0; k < rows; ++k) {
            const int row = (pass + k) % rows;
            int x = 0, y = 0;
            ControlRowPoint(c, row, &x, &y);
            gProgram.Press(x, y);
            const bool marked = button != nullptr && button->pressed != 0;
            if (button != nullptr && kPressOnly.count(c.name) != 0) ClearPressedButtons();
            gProgram.Release(kQuietX, kQuietY);
            if (marked || gControlChanges != changes || Values(c) != before) return true;
        }
        return false;
    }

    // Drags the control's first row sideways, both ways.
    static bool Drag(const Control& c)
    {
        if (ControlRows(c) == 0 || ButtonOf(c) != nullptr) return false;
        const std::vector<float> before = Values(c);
        const uint32_t changes = gControlChanges;
        int x = 0, y = 0;
        ControlRowPoint(c, 0, &x, &y);
        gProgram.Drag(x, y, x + 60, y, 6);
        if (Values(c) != before || gControlChanges != changes) return true;
        gProgram.Drag(x, y, x - 60, y, 6);
        return Values(c) != before || gControlChanges != changes;
    }

    // A notch toward the user, then one away, over the control's first row.
    static bool Wheel(const Control& c)
    {
        const std::vector<float> before = Values(c);
        const uint32_t changes = gControlChanges;
        int x = 0, y = 0;
        ControlRowPoint(c, 0, &x, &y);
        for (int notch : {-1, 1, 1}) {
            gProgram.Wheel(x, y, notch);
            if (Values(c) != before || gControlChanges != changes) return true;
        }
        return false;
    }
};

// The baseshape editor open on one baseshape of a kind that shows the
// control, on the control's tab.
void ArrangeBaseshapeEditor(const std::string& name)
{
    const bool presets = name == "Surface Texture Presets" || name == "Displacement Map Presets";
    if (!presets && FindControl(BaseShapeEditorControls(), name.c_str()) == nullptr) return;
    BaseShapeEditor& e = gBaseShapeEditor;
    gBaseShapeEditorOpen = 1;
    if (gBaseshapeCount < 1) gBaseshapeCount = gUseBaseshapes = 1;
    gCurrentBaseshape = std::min(gCurrentBaseshape, gBaseshapeCount - 1);
    e.ShowWidgets();
    enum : uint8_t { kTexture = 1, kGradient = 2, kNeon = 4, kModifier = 8, kArray = 16 };
    struct Row {
        const char* name;
        int tab, type, page;
        uint8_t flags;
    };
    static const Row kRows[] = {
        {"Parameter Pages", kBsShapeTab, 45, 0, 0}, {"Parameters 1", kBsShapeTab, 45, 0, 0},
        {"Parameters 2", kBsShapeTab, 45, 1, 0}, {"Parameters 3", kBsShapeTab, 45, 2, 0},
        {"Apply to all", kBsShapeTab, 1, 0, 0}, {"Show Baseshape", kBsShapeTab, 1, 0, 0},
        {"Shape Type", kBsShapeTab, 1, 0, 0}, {"Interior Type", kBsShapeTab, 1, 0, 0},
        {"Material (Baseshapes)", kBsShapeTab, 1, 0, 0}, {"Ok", kBsShapeTab, 1, 0, 0},
        {"Random", kBsShapeTab, 1, 0, 0}, {"Save Baseshape", kBsShapeTab, 1, 0, 0},
        {"Load DMap", kBsShapeTab, 49, 0, 0}, {"New DMaps", kBsShapeTab, 49, 0, 0},
        {"Select (DMap)", kBsShapeTab, 49, 0, 0}, {"Displacement Map Presets", kBsShapeTab, 49, 0, 0},
        {"Load STL Mesh", kBsShapeTab, 58, 0, 0}, {"Clear Mesh", kBsShapeTab, 58, 0, 0},
        {"Scale (Baseshapes)", kBsControlsTab, 1, 0, 0}, {"Shear (Baseshapes)", kBsControlsTab, 1, 0, 0},
        {"Rotation (Baseshapes)", kBsControlsTab, 1, 0, 0}, {"Rot (Baseshapes)", kBsControlsTab, 1, 0, 0},
        {"FRot", kBsControlsTab, 1, 0, 0}, {"Tr. (Baseshapes)", kBsControlsTab, 1, 0, 0},
        {"Move All", kBsControlsTab, 1, 0, 0}, {"Uniform (Baseshapes)", kBsControlsTab, 1, 0, 0},
        {"Reset (Baseshapes)", kBsControlsTab, 1, 0, 0}, {"Modifier Type", kBsModifiersTab, 1, 0, 0},
        {"Strength", kBsModifiersTab, 1, 0, kModifier}, {"Array Type", kBsModifiersTab, 1, 0, 0},
        {"Rotation Array", kBsModifiersTab, 1, 0, kArray}, {"Offset", kBsModifiersTab, 1, 0, kArray},
        {"Use Surface Texture", kBsColorsTab, 1, 0, 0}, {"Load (Texture)", kBsColorsTab, 1, 0, kTexture},
        {"Clear (Texture)", kBsColorsTab, 1, 0, kTexture}, {"Smooth Texture", kBsColorsTab, 1, 0, kTexture},
        {"New Textures (Baseshapes)", kBsColorsTab, 1, 0, kTexture}, {"Select (Texture)", kBsColorsTab, 1, 0, kTexture},
        {"Surface Texture Presets", kBsColorsTab, 1, 0, kTexture}, {"Use Gradient", kBsColorsTab, 1, 0, 0},
        {"Load (Gradient)", kBsColorsTab, 1, 0, kGradient}, {"Save (Gradient)", kBsColorsTab, 1, 0, kGradient},
        {"Rnd (Gradient)", kBsColorsTab, 1, 0, kGradient},
        {"Gradient Browser (Baseshapes)", kBsColorsTab, 1, 0, kGradient},
        {"Color Blend Mode", kBsColorsTab, 1, 0, kTexture | kGradient}, {"Base Color", kBsColorsTab, 1, 0, 0},
        {"Enable Neon", kBsColorsTab, 1, 0, 0}, {"Neon Color", kBsColorsTab, 1, 0, kNeon},
        {"Neon Intensity", kBsColorsTab, 1, 0, kNeon}, {"Number of Frames by Cycle", kBsAnimationTab, 1, 0, 0},
        {"Rotation Pivot", kBsAnimationTab, 1, 0, 0}, {"Axis (Rotation)", kBsAnimationTab, 1, 0, 0},
        {"Movement Parameters", kBsAnimationTab, 1, 0, 0}, {"Direction", kBsAnimationTab, 1, 0, 0},
        {"Axis (Movement)", kBsAnimationTab, 1, 0, 0}, {"Wave Type", kBsAnimationTab, 1, 0, 0},
    };
    for (const Row& row : kRows) {
        if (name != row.name) continue;
        const int i = gCurrentBaseshape;
        BaseshapeRecord& r = gBaseshapes[i];
        e.tab = row.tab;
        e.page = row.page;
        r.shapeType = row.type;
        r.useTexture = (row.flags & kTexture) != 0;
        r.useGradient = (row.flags & kGradient) != 0;
        r.neonOn = (row.flags & kNeon) != 0;
        gBaseshapeModifierType[i] = (row.flags & kModifier) != 0;
        gBaseshapeArrayType[i] = (row.flags & kArray) != 0;
        if (gColoringMode.load() >= 8) gColoringMode = 7;
    }
}

// What must hold for a control to be drawn, made so through the model: the
// conditions are other controls' business, tested with them.
void Arrange(const std::string& name)
{
    ArrangeBaseshapeEditor(name);
    ShadingSettings& s = gShadingSettings;
    const int m = SharedLoad(gShader.currentMaterial);
    struct Arrangement {
        const char* name;
        void (*arrange)();
    };
    static const Arrangement kArrangements[] = {
        {"Load Script", [] { SetFractalType(22); }},
        {"Save Script", [] { SetFractalType(0); }},
        {"Send to Blocks", [] { SetFractalType(0); }},
        {"Fractal Generator", [] { SetFractalType(48); }},
        {"Kavrolin",
         [] {
             SetFractalType(0);
             gBaseshapeCount = 1;
             gBaseshapes[0].shapeType = 1;
         }},
        {"Ambient  R       G       B ", [] { gPanel.generatorOn[0] = 0, gPanel.colorPanelShown[0] = 1; }},
        {"Diffuse  R       G       B ", [] { gPanel.generatorOn[1] = 0, gPanel.colorPanelShown[1] = 1; }},
        {"New Textures", [] { gPanel.generatorOn[gPanel.materialTab == 1] = 1; }},
        {"Texture Presets", [] { gPanel.generatorOn[gPanel.materialTab == 1] = 1; }},
        {"Export", [] { gPanel.generatorOn[gPanel.materialTab == 1] = 1; }},
        {"Format", [] { gPanel.generatorOn[gPanel.materialTab == 1] = 1; }},
    };
    for (const Arrangement& a : kArrangements)
        if (name == a.name) a.arrange();
    // Conditions on the model shared by several controls.
    const auto is = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (name == n) return true;
        return false;
    };
    if (is({"Color", "Gradient", "Ext.Text.", "Color (Diffuse)", "Gradient (Diffuse)", "Ext.Text. (Diffuse)"})) {
        gPanel.generatorOn[0] = gPanel.generatorOn[1] = gPanel.colorPanelShown[0] = gPanel.colorPanelShown[1] = 0;
        for (ActionButtonId id : {kActionColorA, kActionGradientA, kActionExternalTextureA, kActionColorB,
                                  kActionGradientB, kActionExternalTextureB})
            EnableActionButton(id, true);
    }
    if (is({"Cancel (Ambient)", "Cancel (Diffuse)"})) {
        gPanel.generatorOn[0] = gPanel.generatorOn[1] = 0;
        EnableActionButton(kActionCancelA, true);
        EnableActionButton(kActionCancelB, true);
    }
    if (is({"Material Type"})) SharedStore(gShader.surfaceMaterialOn[m], uint8_t{1});
    if (is({"Fresnel Parameters"})) SharedStore(gShader.fresnelOn[m], uint8_t{1});
    if (is({"Parameters"})) s.fogOn = 1;
    if (is({"Sun Turbidity"})) s.backgroundOn = 1, s.backgroundType = kBackgroundSky;
    if (is({"Background Type", "Background Reflection", "Affected by Fog"})) s.backgroundOn = 1;
    if (is({"Load Img.", "New Set", "Select (Background)", "Background Presets"})) s.backgroundOn = 1, s.backgroundType = 0;
    if (is({"Volumetric Fog Color"})) gVolumetricFogOn = 1;
    if (is({"Drawing Type"})) s.drawingShadersOn = 1;
    if (is({"Shadow Type"})) gFastShadowUpdate = 1;
    if (is({"Shadow Sampling Parameters"})) gFastShadowUpdate = 1, s.shadowType = 0;
    if (is({"Ambient Occlusion Options", "Enhanced Darkening FX", "Averaged Ambient Occlusion (Fast)"})) s.occlusion[0] = 1;
    if (is({"Per Pixel Ambient Occlusion (Slow)"})) s.occlusion[1] = 1;
    if (is({"Glow Parameters", "Include the background brighness in the shader"})) gShader.glowOn = 1;
    if (is({"Reflectivity Index (0.0 .. 1.0)"})) gShader.reflectionsOn = 1;
    if (is({"Color Interpolation Weight"})) gColoringMode = 0;
    if (is({"Blending Function"})) gColoringMode = 2;
    if (is({"Perspective"})) gPerspectiveOn = 1;
    if (is({"Separation"})) gSymmetryOn = 1;
    if (is({"Sides:"})) gSymmetryOn = 1, gSymmetryMode = 10;
    if (is({"Object to Edit:", "Window", "Controls", "Trans"})) gPanel.lightEditOn = 1;
    if (is({"# (Light)", "$ (Light)", "Enable Light"})) gPanel.lightEditOn = 1, gPanel.objectToEdit = 1;
    LightSource& light = gShader.lights[gShader.editedLight];
    if (is({"Light Parameters", "Use Texture", "Color    R       G       B "})) {
        gPanel.lightEditOn = 1, gPanel.objectToEdit = 1, light.enabled = 1;
        light.textured = name == "Color    R       G       B " ? 0 : light.textured;
    }
    if (is({"Rot", "Load (Gel)", "Clear (Gel)", "New Textures (Gel)", "Select (Gel)", "Texture  Dir.", "Gel Presets"}))
        gPanel.lightEditOn = 1, gPanel.objectToEdit = 1, light.enabled = 1, light.textured = 1;
    if (is({"Texture  Dir."})) gPanel.lightRotation = 4;  // "T": the ball turns freely
    if (is({"Panel"})) {
        // Edit mode on whichever editor page is shown.
        gScreenState = kScreenPreview3D, gRenderInBuffers = 1;
        gBaseShapeEditorOpen = gXFormsEditorOpen = gPanel.lightEditOn = 1;
    }
    if (is({"STL Mesh", "OBJ Mesh", "RAW File", "PNG Slices", "Stop the Voxel Engine", "Interpolation Type",
            "Density Threshold      Thin <-*-> Thick", "Interior Wall", "Scale the output Mesh"})) {
        gVoxelEngineOn = 1;
        for (ActionButtonId id : {kActionStlMesh, kActionObjMesh, kActionRawFile, kActionPngSlices, kActionStopVoxelEngine})
            EnableActionButton(id, true);
    }
    if (is({"Side Length of the Voxel Volume:"})) gVoxelEngineOn = 1, gPanel.scaleMesh = 1;
    if (is({"Wall Thickness (Voxels)"})) gVoxelEngineOn = 1, gPanel.interiorWall = 1;
    if (is({"Fill Baseshapes when possible"})) gVoxelEngineOn = 0;
    // The transformation editor: its "Edit" box on, a type that shows the control.
    if (is({"# (Transformations)", "$ (Transformations)", "New", "Delete", "Undo", "Save (Transformations)",
            "Load (Transformations)", "Color (Transformations)", "Filter:", "Probability", "Norm.", "Equal.",
            "Window (Transformations)", "Controls (Transformations)", "Variations", "Amounts", "Uniform",
            "Scale (Transformations)", "Shear", "Reset (Transformations)", "Tr.", "TrackBall",
            "Rot (Transformations)", "Fixed Rotation"})) {
        gXFormsEditorOpen = 1, SetFractalType(2);
    }
    if (is({"Function", "Zoom Type", "Parameters (Picker)", "Load (Picker)", "Rnd (Picker)", "Save (Picker)",
            "Reset (Picker)", "Gradient Browser"})) {
        gXFormsEditorOpen = 1, SetFractalType(46);
    }
    if (is({"Edit Generators", "Block Type"})) {
        gXFormsEditorOpen = 1, SetFractalType(48);
        gXFormsEditor.editGeneratorsOn = 0;
        gXFormsEditor.blockTypeListOpen = name == "Block Type" ? 1 : 0;
        if (gGeneratorGroups == nullptr) EditTransformSet(3);
    }
    if (is({"Fractal Generator (Transformations)"})) {
        gXFormsEditorOpen = 1, SetFractalType(48);
        gXFormsEditor.editGeneratorsOn = 1;
    }
    if (is({"Cancel"})) gFileThreadBusy = 1;
    if (is({"Stop", "Continue"})) EnableButton(name == "Stop" ? kButtonStop : kButtonContinue, true);
    if (is({"Yes", "No"})) EnableButton(kButtonYes, true), EnableButton(kButtonNo, true);
}

// Back to a quiet program after each control: the states the arrangements
// made that would start work or hide whole pages.
void Settle()
{
    gVoxelEngineOn = 0;
    gXFormsEditorOpen = 0;
    gBaseShapeEditorOpen = 0;
    gFileThreadBusy = 0;
    gExportCancel = 0;
    EnableButton(kButtonStop, false);
    EnableButton(kButtonYes, false);
    EnableButton(kButtonNo, false);
    gRenderInBuffers = 0;
    gScreenState = kScreenInterfaceOnly;  // the interface alone: quick frames
    ClearPressedButtons();
}

struct PageState {
    int tab, page, materialTab;
};

std::vector<PageState> AllPages()
{
    std::vector<PageState> pages;
    for (int tab = 0; tab < kMainTabCount; ++tab) {
        const int count = tab == kTabRender ? 4 : tab == kTabEditors ? 3 : 1;
        for (int page = 0; page < count; ++page) {
            const int materialTabs = tab == kTabRender && page == kPageMaterials ? 4 : 1;
            for (int m = 0; m < materialTabs; ++m) pages.push_back({tab, page, m});
        }
    }
    return pages;
}

bool OnPage(const Control& c, const PageState& p)
{
    return (c.tab == kEveryPage || c.tab == p.tab) && (c.page == kEveryPage || c.page == p.page);
}

// Every control on its page: pressed on each of its rows in turn, dragged
// and wheeled where a drag or a notch changes its value.
TEST_F(ProgramControls, EveryControlReachesItsValueWhereItIsDrawn)
{
    std::set<const Control*> pressed, dragged, wheeled;
    for (int pass = 0; pass < 2; ++pass) {
        for (const PageState& p : AllPages()) {
            Settle();
            gProgram.GoTo(p.tab, p.page, p.materialTab);
            for (ControlTable table : ControlTables()) {
                for (const Control& c : table) {
                    if (!OnPage(c, p) || ControlRows(c) == 0) continue;
                    if (&c == &WindowTopControls()[0]) continue;  // the tab strip: every navigation presses it
                    Arrange(c.name);
                    UpdateControlPage();
                    if (!ControlActive(c)) continue;
                    if (!c.ops->valueDrags && Press(c, pass)) pressed.insert(&c);
                    if (c.ops->valueDrags && !dragged.count(&c) && Drag(c)) dragged.insert(&c);
                    if (c.ops->valueDrags && c.wheelStep != 0.0f && !wheeled.count(&c) && Wheel(c)) wheeled.insert(&c);
                    Settle();
                    gProgram.GoTo(p.tab, p.page, p.materialTab);
                }
            }
        }
    }
    std::string missing;
    for (ControlTable table : ControlTables()) {
        for (const Control& c : table) {
            if (ControlRows(c) == 0 || &c == &WindowTopControls()[0]) continue;
            if (!c.ops->valueDrags && !pressed.count(&c)) missing += std::string(" press:\"") + c.name + "\"";
            if (c.ops->valueDrags && !dragged.count(&c)) missing += std::string(" drag:\"") + c.name + "\"";
            if (c.ops->valueDrags && c.wheelStep != 0.0f && !wheeled.count(&c))
                missing += std::string(" wheel:\"") + c.name + "\"";
        }
    }
    EXPECT_EQ(missing, "") << "controls never reached";
}

// On every page, a press where a control sits that the page does not draw
// changes that control's value and marks no button of it.
TEST_F(ProgramControls, ControlsNotDrawnTakeNothing)
{
    std::string reached;
    for (const PageState& p : AllPages()) {
        Settle();
        gProgram.GoTo(p.tab, p.page, p.materialTab);
        for (ControlTable table : ControlTables()) {
            for (const Control& c : table) {
                UpdateControlPage();
                if (ControlShown(c) || ControlRows(c) == 0) continue;
                const std::vector<float> before = Values(c);
                int x = 0, y = 0;
                ControlRowPoint(c, 0, &x, &y);
                Button* button = ButtonOf(c);
                const int type = gFractalType;
                gProgram.Press(x, y);
                const bool marked = button != nullptr && button->pressed != 0;
                ClearPressedButtons();  // whatever took the press stays unreleased
                gProgram.Release(kQuietX, kQuietY);
                // A press that picked another fractal type made a new fractal
                // of it, with new transformation colours.
                const bool newFractal = gFractalType != type;
                if (marked || (Values(c) != before && !newFractal)) reached += std::string(" \"") + c.name + "\"";
                Settle();
                gProgram.GoTo(p.tab, p.page, p.materialTab);
            }
        }
    }
    EXPECT_EQ(reached, "") << "hidden controls that took a press";
}

// What the pages draw besides their controls, shown through the model; the
// states other tests leave behind are undone by Settle.
void ArrangeFixture(const std::string& name)
{
    const auto is = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (name == n) return true;
        return false;
    };
    if (is({"export progress"})) gSliderBox.visible = 1, gFileThreadBusy = 1;  // with its "Cancel"
    if (is({"Voxel Mode", "export group", "export caption"})) gVoxelEngineOn = 1;
    if (is({"side length"})) gVoxelEngineOn = 1, gPanel.scaleMesh = 1;
    if (is({"status line"})) {
        // Longer than the panel: the status line keeps to its band.
        SetStatusText("%s", std::string(240, 'W').c_str());
    }
    if (is({"erase question"})) EnableButton(kButtonYes, true), EnableButton(kButtonNo, true);
    if (is({"shadow sampling share"})) gFastShadowUpdate = 1, gShadingSettings.shadowType = 0;
    if (is({"averaged occlusion share"})) gShadingSettings.occlusion[0] = 1;
    if (is({"per pixel occlusion share"})) gShadingSettings.occlusion[1] = 1;
    if (is({"resolution reminder"})) gPanel.renderSize[0] = 1000.0f;
    if (is({"symmetry notice"})) SetStatusText("Symmetry activated");
    if (is({"baseshape notice"})) SetStatusText("One Baseshape is out of the corners, use SCALE button");
    if (is({"light source label"})) gPanel.lightEditOn = 1, gPanel.objectToEdit = 1;
    if (is({"position box"})) gXFormsEditorOpen = 1, SetFractalType(2);
    if (is({"transformation number"})) gXFormsEditorOpen = 1;
    if (is({"baseshape number"})) gBaseShapeEditorOpen = 1;
    if (is({"parameter help", "parameter field"})) {
        gXFormsEditorOpen = 1, SetFractalType(3);
        UpdateControlPage();
        // The lowest of its four value rows picked.
        gParamHelpWindow.pickedParameter = 3;
        gParamHelpWindow.pickedRow = gParamHelpWindow.rows - 4;
        if (name == "parameter field") OpenPickedParameter();
    }
    if (is({"generator chain"})) {
        // Every block the chain can hold, the lowest chosen: the longest
        // connector and the longest readout.
        gXFormsEditorOpen = 1, SetFractalType(48);
        gXFormsEditor.editGeneratorsOn = 0;
        gXFormsEditor.blockTypeListOpen = 0;
        if (gGeneratorGroups == nullptr) EditTransformSet(3);
        const int t = gTransformEdit.selected;
        for (int k = 0; k < kMaxGeneratorBlocks && gGeneratorGroups[t].blockCount < kMaxGeneratorBlocks; ++k)
            gXFormsEditor.PostChainRequest(4, t);
        gTransformEdit.selectedBlock = gGeneratorGroups[t].blockCount - 1;
    }
    if (is({"rendering frame"})) gAnimationOn = 1, EnableActionButton(kActionRenderAnimation, false);
    if (is({"render mark"})) {
        // As a start leaves the buttons: the voxel engine on its page, a
        // render elsewhere.
        if (gCurrentTab == kTabVoxels) {
            gVoxelEngineOn = 1, gScreenState = kScreenVoxelBusy;
        } else {
            gScreenState = kScreenRenderOrtho, EnableButton(kButtonStop, true);
        }
        EnableButton(kButtonRender, false);
        EnableButton(kButtonContinue, false);
    }
}

void SettleFixtures()
{
    gSliderBox.visible = 0;
    gPanel.scaleMesh = 0;
    gFastShadowUpdate = 0;
    gShadingSettings.occlusion[0] = gShadingSettings.occlusion[1] = 0;
    gPanel.renderSize[0] = static_cast<float>(gImageWidth);
    gPanel.lightEditOn = 0;
    gAnimationOn = 0;
    EnableActionButton(kActionRenderAnimation, true);
    EnableButton(kButtonRender, true);
    EnableButton(kButtonContinue, false);
    EndTextInput();
    gInputBox.active = 0;
    SetStatusText("Talvoran");
}

// One thing a page draws: a control of a table or a fixture of the page.
struct Item {
    const Control* control = nullptr;
    const Fixture* fixture = nullptr;
    const char* Name() const { return control ? control->name : fixture->name; }
    bool Frame() const { return fixture != nullptr && fixture->look == FixtureLook::Frame; }
    void Arrange() const
    {
        if (control) {
            ::Arrange(control->name);
        } else {
            ArrangeFixture(fixture->name);
        }
    }
    bool Shown() const
    {
        if (fixture) return FixtureShown(*fixture);
        // A button is drawn only while it is enabled.
        if (ButtonOf(*control) != nullptr && control->HasValue() && control->Get(0) == 0.0f) return false;
        return ControlShown(*control);
    }
    int Rects(FixtureRects out) const
    {
        if (control) {
            ControlBounds(*control, out[0]);
            return 1;
        }
        return fixture->rects(out);
    }
    bool Owns(const Item& other) const
    {
        if (fixture == nullptr || fixture->owns == nullptr) return false;
        for (const char* const* n = fixture->owns; *n != nullptr; ++n)
            if (std::string(*n) == other.Name()) return true;
        return false;
    }
};

bool Overlap(const float* a, const float* b) { return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3]; }
bool Inside(const float* a, const float* frame)
{
    return a[0] > frame[0] && a[2] < frame[2] && a[1] > frame[1] && a[3] < frame[3];
}

// Solid things may not cover each other, nor come within 2 units (more than
// a pixel of the smallest window) unless they join: an edge shared on
// purpose reads as one border, a sliver between two edges as a collision. A
// frame's line may not run through anything: each lies inside it or outside.
constexpr float kSolidClearance = 2;
bool Join(const float* a, const float* b) { return a[2] == b[0] || b[2] == a[0] || a[3] == b[1] || b[3] == a[1]; }
bool Collide(const Item& a, const Item& b)
{
    if (a.Owns(b) || b.Owns(a)) return false;
    FixtureRects ra, rb;
    const int na = a.Rects(ra), nb = b.Rects(rb);
    const float k = a.Frame() || b.Frame() ? 0.0f : kSolidClearance;
    for (int i = 0; i < na; ++i) {
        for (int j = 0; j < nb; ++j) {
            const float near[4] = {ra[i][0] - k, ra[i][1] - k, ra[i][2] + k, ra[i][3] + k};
            if (!Overlap(ra[i], rb[j]) && (!Overlap(near, rb[j]) || Join(ra[i], rb[j]))) continue;
            if (a.Frame() && Inside(rb[j], ra[i])) continue;
            if (b.Frame() && Inside(ra[i], rb[j])) continue;
            return true;
        }
    }
    return false;
}

// Every page, every pair of things that can show together: controls,
// frames, captions and read-outs, the status line with a text longer than
// the panel, the erase question, the export progress, the "Zoom" slider and
// the parameter field. No two solid things share a place and no frame runs
// through anything. (Controls that take turns at one place, a colour panel
// or the presets, are never shown together.)
TEST_F(ProgramControls, NothingOverlaps)
{
    std::string overlaps;
    for (const PageState& p : AllPages()) {
        Settle();
        SettleFixtures();
        gProgram.GoTo(p.tab, p.page, p.materialTab);
        std::vector<Item> page;
        for (ControlTable table : ControlTables())
            for (const Control& c : table)
                if (OnPage(c, p) && ControlRows(c) > 0) page.push_back({&c, nullptr});
        for (const Fixture& f : PageFixtures())
            if ((f.tab == kEveryPage || f.tab == p.tab) && (f.page == kEveryPage || f.page == p.page))
                page.push_back({nullptr, &f});
        for (size_t i = 0; i < page.size(); ++i) {
            for (size_t j = i + 1; j < page.size(); ++j) {
                page[i].Arrange();
                page[j].Arrange();
                // What a frame would work out before drawing: the page, the
                // editor's widgets by type, every widget shown or hidden.
                UpdateControlPage();
                gXFormsEditor.UpdateWidgetStates();
                for (ControlTable table : ControlTables()) ShowControls(table);
                if (page[i].Shown() && page[j].Shown() && Collide(page[i], page[j])) {
                    overlaps += std::string("\n  tab ") + std::to_string(p.tab) + "/" + std::to_string(p.page) + "/" +
                                std::to_string(p.materialTab) + ": \"" + page[i].Name() + "\" and \"" +
                                page[j].Name() + "\"";
                }
                Settle();
                SettleFixtures();
                gProgram.GoTo(p.tab, p.page, p.materialTab);
            }
        }
    }
    EXPECT_EQ(overlaps, "");
}

// The fixed places of the transformation editor, the baseshape editor and
// the main panel, as the rectangle each widget takes (x0, y0, x1, y1: the
// place, width and rows of its builder; a drop box's and a check list's
// arrows 12 to the right). A widget stands there, or it stands elsewhere and
// its fixed place would cover what the row names.
struct FixedPlace {
    ControlTable (*table)();
    const char* name;  // a control, or a fixture of the page
    std::array<float, 4> place;
    std::vector<const char*> covered;  // empty: it stands at its place
};

bool RectOf(ControlTable table, const char* name, float* r)
{
    if (const Control* c = FindControl(table, name)) {
        ControlBounds(*c, r);
        return true;
    }
    for (const Fixture& f : PageFixtures()) {
        if (std::string(f.name) != name) continue;
        FixtureRects rects;
        f.rects(rects);
        std::copy(rects[0], rects[0] + 4, r);
        return true;
    }
    return false;
}

TEST_F(ProgramControls, FixedPlacesHoldOrWouldCoverANeighbour)
{
    const FixedPlace places[] = {
        {XFormsEditorControls, "TrackBall", {388, 112, 588, 312}, {}},
        {XFormsEditorControls, "Rot (Transformations)", {606, 164, 642, 284}, {}},  // 2 wider, for its texts
        {XFormsEditorControls, "Tr.", {338, 164, 374, 284}, {}},                    // as "Rot"
        {XFormsEditorControls, "Gradient Browser", {276, 130, 568, 284}, {}},
        {XFormsEditorControls, "Fractal Generator (Transformations)", {376, 740, 644, 932},
         {"Filter:", "Window (Transformations)", "New", "Delete", "Save (Transformations)", "Load (Transformations)"}},
        {XFormsEditorControls, "Variations", {48, 488, 348, 708}, {"Amounts"}},
        {XFormsEditorControls, "Amounts", {114, 488, 338, 708}, {"Variations"}},
        {XFormsEditorControls, "Uniform", {181, 290, 261, 308}, {"Scale (Transformations)"}},
        {XFormsEditorControls, "Fixed Rotation", {426, 48, 554, 108}, {}},  // its caption under the cells
        {XFormsEditorControls, "Filter:", {392, 774, 536, 840}, {}},
        {XFormsEditorControls, "Probability", {392, 704, 536, 748}, {}},
        {BaseShapeEditorControls, "baseshape number", {116, 854, 146, 884}, {"Open"}},
        {CameraControls, "Resolution presets", {32, 626, 260, 794}, {}},
        {CameraControls, "Symmetry", {40, 232, 268, 400}, {"symmetry notice"}},
        {WindowBottomControls, "render mark", {880, 40, 920, 80}, {"New Fractal"}},
        {WindowBottomControls, "Cancel", {1068, 72, 1168, 90}, {"Zoom"}},
    };
    for (const FixedPlace& p : places) {
        float r[4];
        ASSERT_TRUE(RectOf(p.table(), p.name, r)) << p.name;
        const std::array<float, 4> built = {r[0], r[1], r[2], r[3]};
        if (p.covered.empty()) {
            EXPECT_EQ(built, p.place) << p.name;
            continue;
        }
        EXPECT_NE(built, p.place) << p.name << " stands at its place: nothing to say why it would not";
        for (const char* other : p.covered) {
            float o[4];
            ASSERT_TRUE(RectOf(p.table(), other, o) || RectOf(EditorsControls(), other, o) ||
                        RectOf(BaseShapeEditorControls(), other, o))
                << other;
            EXPECT_TRUE(Overlap(p.place.data(), o)) << p.name << " at its place would not cover " << other;
        }
    }
    // Moved from its place, the recipe list keeps its width: every recipe
    // name fits in 256.
    float generator[4];
    ASSERT_TRUE(RectOf(XFormsEditorControls(), "Fractal Generator (Transformations)", generator));
    EXPECT_EQ(generator[2] - generator[0], 256 + 12);
    const Control* fresnel = FindControl(RenderControls(), "Fresnel Parameters");
    ASSERT_NE(fresnel, nullptr);
    EXPECT_EQ(fresnel->drawArg, 130) << "its values' column";
}

// "Projection" set to "Perspective" where it is drawn shows the angle's
// window; in the picture its value starts at 140 from the window's left,
// clear of the row's caption, and ends left of the wheel, which keeps
// inside the window.
TEST_F(ProgramControls, PerspectiveDrawsItsValueAtItsColumn)
{
    Settle();
    gProgram.GoTo(kTabCamera);
    Click("Projection", 1);  // the upper row
    ASSERT_TRUE(Shown("Perspective"));
    const Control* c = Find("Perspective");
    EXPECT_EQ(c->drawArg, 140) << "its values' column";
    gProgram.MoveTo(kQuietX, kQuietY);
    gProgram.Frames(2);
    const WindowPicture shot = Shot("camera_perspective");
    const SLWindow& w = gPerspectiveWindow;
    const int left = static_cast<int>(w.left), bottom = static_cast<int>(w.bottom);
    const int wheelLeft = left + static_cast<int>(w.halfWidth), right = static_cast<int>(w.right);
    // The letters' ink lies 3 to 13 units over the row's foot; the wheel's
    // skin is darker than the letters.
    const auto lit = [&](int x, int dark = 128) {
        for (int y = bottom + 4; y <= bottom + 12; ++y)
            if (std::max({shot.At(x, y)[0], shot.At(x, y)[1], shot.At(x, y)[2]}) > dark) return true;
        return false;
    };
    int first = -1, last = -1;
    for (int x = static_cast<int>(w.captionRight) + 2; x < wheelLeft; ++x) {
        if (!lit(x)) continue;
        if (first < 0) first = x;
        last = x;
    }
    EXPECT_NEAR(first, left + 140, 6) << "where its value starts";
    EXPECT_LT(last, wheelLeft - 2) << "the value ends left of the wheel";
    int wheel = 0;
    for (int x = wheelLeft; x <= right; ++x) wheel += lit(x, 24) ? 1 : 0;
    EXPECT_GT(wheel, (right - wheelLeft) / 2) << "the wheel fills the right half";
    EXPECT_FALSE(lit(right + 4, 24)) << "and ends inside the window";
}

// A test that ends in edit mode leaves the next one out of it.
TEST_F(ProgramControls, EditModeIsSetBackAfterATest)
{
    OpenTransformationEditor();
    ASSERT_TRUE(EditModeOn());
    TearDown();
    EXPECT_FALSE(EditModeOn());
    SetUp();
}

void Refresh()
{
    UpdateControlPage();
    gXFormsEditor.UpdateWidgetStates();
    for (ControlTable table : ControlTables()) ShowControls(table);
}

const Fixture& FixtureNamed(const char* name)
{
    for (const Fixture& f : PageFixtures())
        if (std::string(f.name) == name) return f;
    ADD_FAILURE() << "no fixture \"" << name << "\"";
    return PageFixtures()[0];
}

// Type 48 with its five blocks, the lowest chosen: the readout's last row
// ("l:") ends above "Tr." and the connector rises right of "Edit
// Generators"; the parameter field lies inside the parameter help.
TEST_F(ProgramControls, TransformationPageNeighboursStayFree)
{
    Settle();
    SettleFixtures();
    gProgram.GoTo(kTabEditors, kPageTransformations, 0);
    ArrangeFixture("generator chain");
    Refresh();
    const Fixture& chain = FixtureNamed("generator chain");
    ASSERT_TRUE(FixtureShown(chain));
    FixtureRects rects;
    EXPECT_GE(chain.rects(rects), 5 + 3 + 12) << "five rows, the connector and twelve readout rows";
    for (const char* name : {"Tr.", "Edit Generators"}) {
        const Control* c = FindControl(XFormsEditorControls(), name);
        ASSERT_TRUE(c != nullptr && ControlShown(*c)) << name;
        EXPECT_FALSE(Collide({nullptr, &chain}, {c, nullptr})) << name;
    }
    Settle();
    SettleFixtures();
    gProgram.GoTo(kTabEditors, kPageTransformations, 0);
    ArrangeFixture("parameter field");
    Refresh();
    const Fixture& field = FixtureNamed("parameter field");
    const Fixture& help = FixtureNamed("parameter help");
    ASSERT_TRUE(FixtureShown(field) && FixtureShown(help));
    FixtureRects a, b;
    field.rects(a);
    help.rects(b);
    EXPECT_TRUE(Inside(a[0], b[0]));
    Settle();
    SettleFixtures();
}

// Every caption a list or a check box draws stays inside its frame, and a
// slider window's values stand between its row captions and its wheel.
TEST_F(ProgramControls, CaptionsStayInsideTheirWidgets)
{
    std::string overflows;
    for (ControlTable table : ControlTables())
        for (const Control& c : table)
            if (c.ops->textsFit != nullptr && !c.ops->textsFit(c)) overflows += std::string(" \"") + c.name + "\"";
    EXPECT_EQ(overflows, "");
}

}  // namespace
