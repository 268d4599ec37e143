// The transformation editor driven as a user drives it: the whole program
// offscreen, every press where the control is drawn.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/control_tables.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "app/preview_timer.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "app/text_field.h"
#include "editors/xforms_editor.h"
#include "engine/escape_time_kernels.h"
#include "engine/file_dialogs.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "materials/color_maps.h"
#include "platform/asset_paths.h"
#include "platform/desktop/platform_events.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "ui/color_panels.h"
#include "ui/widget.h"

namespace fs = std::filesystem;

namespace {

// The "Edit" box off, pressed where the editor's page shows it.
void CloseEditor()
{
    if (gXFormsEditorOpen) Click("Edit (Transformations)");
    gProgram.Frames(1);
}

void SetType(int type) { SetFractalType(type); }

// The start-up set again: three halving maps towards the corners of a triangle.
void DefaultSet(int count = 3)
{
    gTransformCount = gPickTransformCount = count;
    gTransformEdit.selected = 0;
    for (int k = 0; k < count; ++k) {
        ResetTransformation(gTransformEdit.baseRotation, k);
        const float a = 2.0943952f * static_cast<float>(k);
        gTransforms[k].position[0] = std::sin(a);
        gTransforms[k].position[1] = std::cos(a);
        gTransforms[k].weight = 1.0f / static_cast<float>(count);
        ComposeTransformation(k);
    }
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
}

// The panel as a reference, the selected transformation in a fixed colour
// (start-up gives random colours).
void ExpectEditorPanelLooksLike(const char* name)
{
    const int t = gTransformEdit.selected;
    gTransformColors.r[t] = 255, gTransformColors.g[t] = 192, gTransformColors.b[t] = 32;
    ExpectPanelLooksLike(name);
}

class XFormsEditorProgram : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_xforms_");
        StartOnce();
    }
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        CloseEditor();
        gProgram.GoTo(kTabFractals);
        SetType(0);
        DefaultSet();
    }
};

TEST_F(XFormsEditorProgram, StartsWithThreeTransformationsAndShowsThem)
{
    // What start-up built, before SetUp's copy of it: the records match.
    EXPECT_EQ(gTransformCount, 3);
    const float expected[3][2] = {{0.0f, 1.0f}, {0.8660254f, -0.5f}, {-0.8660254f, -0.5f}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(gTransforms[k].position[0], expected[k][0], 1e-6f) << k;
        EXPECT_NEAR(gTransforms[k].position[1], expected[k][1], 1e-6f) << k;
        EXPECT_NEAR(gTransformWeights[k], 1.0f / 3.0f, 1e-7f) << k;
        for (int v = 0; v < 10; ++v) EXPECT_EQ(gTransforms[k].variationOn[v], v == 0 ? 1 : 0) << k << " " << v;
    }
    OpenTransformationEditor();
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    ExpectEditorPanelLooksLike("xforms_editor_default");
}

TEST_F(XFormsEditorProgram, ButtonsNewDeleteUndoWeightsAndReset)
{
    OpenTransformationEditor();
    Click("New");
    ASSERT_EQ(gTransformCount, 4);
    EXPECT_EQ(gTransformEdit.selected, 3);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(gTransformWeights[k], 4.0f / 15.0f, 1e-6f) << k;
    EXPECT_NEAR(gTransformWeights[3], 0.2f, 1e-6f);

    Click("# (Transformations)");
    Click("# (Transformations)");
    EXPECT_EQ(gTransformEdit.selected, 1);
    Click("Delete");
    EXPECT_EQ(gTransformCount, 3);
    EXPECT_NEAR(gTransforms[1].position[0], -0.8660254f, 1e-6f);  // the one above moved down
    Click("Undo");
    EXPECT_EQ(gTransformCount, 4);
    EXPECT_EQ(gTransformEdit.selected, 1);
    EXPECT_NEAR(gTransforms[1].position[0], 0.8660254f, 1e-6f);

    Click("Equal.");
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(gTransformWeights[k], 0.25f) << k;
    gTransforms[3].weight = 1.25f;
    Click("Norm.");
    EXPECT_NEAR(gTransforms[3].weight + gTransforms[0].weight, 1.25f / 2.0f + 0.25f / 2.0f, 1e-6f);

    gTransforms[1].scaleShear[0] = 2.0f;
    gTransforms[1].scaleShear[1] = 0.3f;
    Click("Reset (Transformations)");
    EXPECT_EQ(gTransforms[1].scaleShear[0], 0.5f);
    EXPECT_EQ(gTransforms[1].scaleShear[1], 0.0f);
    EXPECT_NEAR(gTransforms[1].position[0], 0.8660254f, 1e-6f);  // the position stays
}

TEST_F(XFormsEditorProgram, AWeightDragIsPublishedNormalisedAtTheRelease)
{
    DefaultSet(2);
    for (int k = 0; k < 2; ++k) gTransforms[k].weight = gTransformWeights[k] = 0.5f;
    OpenTransformationEditor();
    int x = 0, y = 0;
    ControlRowPoint(*Find("Probability"), 0, &x, &y);
    gProgram.Press(x, y);
    for (int step = 1; step <= 6; ++step) gProgram.MoveTo(x + 10 * step, y);
    const float dragged = gTransforms[0].weight;
    ASSERT_GT(dragged, 0.5f);
    EXPECT_EQ(gTransformWeights[1], 0.5f);  // not normalised before the release
    gProgram.Release(x + 60, y);
    EXPECT_EQ(gTransforms[0].weight, dragged);  // the records keep their values
    EXPECT_EQ(gTransforms[1].weight, 0.5f);
    EXPECT_NEAR(gTransformWeights[0], dragged / (dragged + 0.5f), 1e-6f);
    EXPECT_NEAR(gTransformWeights[1], 0.5f / (dragged + 0.5f), 1e-6f);
}

// What the tables by fractal type show is what a press can reach.
TEST_F(XFormsEditorProgram, WidgetsFollowTheFractalType)
{
    OpenTransformationEditor();
    SetType(2);
    EXPECT_TRUE(Shown("Variations") && Shown("Amounts") && Shown("New"));
    Click("Variations", 8);  // "Sinusoidal", the second row from the top
    EXPECT_EQ(gTransforms[0].variationOn[1], 1);
    EXPECT_EQ(gTransforms[0].variationCount, 2);

    SetType(10);
    EXPECT_FALSE(Shown("Probability") || Shown("New") || Shown("Delete") || Shown("Variations"));
    int x = 0, y = 0;
    ControlRowPoint(*Find("New"), 0, &x, &y);
    gProgram.Click(x, y);
    EXPECT_EQ(gTransformCount, 3);  // where "New" would be, nothing happens

    SetType(0);
    EXPECT_FALSE(Shown("Variations"));
    EXPECT_TRUE(Shown("Probability") && Shown("TrackBall") && Shown("Scale (Transformations)"));
    SetType(46);
    EXPECT_TRUE(Shown("Parameters (Picker)") && Shown("Zoom Type") && !Shown("TrackBall") && !Shown("Filter:"));
}

TEST_F(XFormsEditorProgram, ThePickerZoomsUnderThePointer)
{
    SetType(46);
    OpenTransformationEditor();
    gXFormsEditor.ResetPickerView();
    ExpectEditorPanelLooksLike("xforms_editor_picker");
    // The window's own timer would zoom too while the image is held: the test
    // gives the ticks itself.
    SetFrameTimer(0);
    gProgram.Pump();
    const int cx = kPickerLeft + 128, cy = kPickerBottom + 128;
    // "-" widens the picture's span by a tenth of "Zoom Speed"...
    Click("Zoom Type", 0);  // "-"
    ASSERT_EQ(gXFormsEditor.zoomTypeRow, 0);
    gProgram.Press(cx, cy);
    gProgram.MoveTo(cx, cy);
    OnTimer();
    gProgram.Release(cx, cy);
    EXPECT_NEAR(gMandelbrotScale, 1.01, 1e-9);
    // ... and "+" narrows it: a press zooms in.
    gXFormsEditor.ResetPickerView();
    Click("Zoom Type", 1);  // "+"
    ASSERT_EQ(gXFormsEditor.zoomTypeRow, 1);
    gProgram.Press(cx, cy);
    gProgram.MoveTo(cx, cy);
    OnTimer();  // the window's timer while the image is held
    gProgram.Release(cx, cy);
    EXPECT_NEAR(gMandelbrotScale, 0.99, 1e-9);
    // The pointer lands on the window's pixels, a unit off the centre at most.
    EXPECT_NEAR(gMandelbrotCentre[0], -0.75, 0.002);
    EXPECT_NEAR(gMandelbrotCentre[1], 0.0, 0.002);
    OnTimer();  // released: the picker rests
    EXPECT_NEAR(gMandelbrotScale, 0.99, 1e-9);

    // A wheel notch zooms and moves the centre a tenth of the way towards
    // the pointer: image point (64, 192) lies one scale left and up.
    gXFormsEditor.ResetPickerView();
    gProgram.Wheel(kPickerLeft + 64, kPickerBottom + 192, 1);
    EXPECT_NEAR(gMandelbrotScale, 0.99, 1e-9);
    EXPECT_NEAR(gMandelbrotCentre[0], -0.75 - 0.099, 0.003);
    EXPECT_NEAR(gMandelbrotCentre[1], 0.099, 0.003);
    SetFrameTimer(kPickerTimerIntervalMs);
}

// The picker's parameters start at 200, 0.05, 0.05 and 0.1, "Maxiter" shown
// as a whole number: it is the kernels' iteration limit, so it shows the
// limit in force (200 at start), not a number of its own. "Reset" applies the escape-time preset: eight unit
// maps and the view (-0.75, 0) at scale 1, zoomed once by the "+" step of
// its "Zoom Speed" 0.5, 1 - 0.1 x 0.5 = 0.95, with amount 0 = 2 / 0.95. The
// picker keeps that view.
TEST_F(XFormsEditorProgram, ThePickerStartsAtItsParametersAndResetsToThePresetsView)
{
    SetType(46);
    OpenTransformationEditor();
    const Control* parameters = Find("Parameters (Picker)");
    ASSERT_TRUE(parameters != nullptr && Shown("Parameters (Picker)"));
    STWindow& window = gXFormsEditor.pickerParameters;
    const float starts[4] = {200.0f, 0.05f, 0.05f, 0.1f};
    for (int r = 0; r < 4; ++r) EXPECT_EQ(window.initial[r], starts[r]) << r;
    gProgram.Frames(1);
    EXPECT_EQ(gEscapeIterationLimit, 200);
    EXPECT_STREQ(window.FormatValue(0), "200");
    Shot("picker_maxiter");

    Click("Zoom Type", 1);  // "+"
    gProgram.Wheel(kPickerLeft + 64, kPickerBottom + 192, 1);  // somewhere else first
    ASSERT_NE(gMandelbrotScale, 1.0);
    Click("Reset (Picker)");
    EXPECT_EQ(gTransformCount, 8);
    EXPECT_EQ(gXFormsEditor.pickerZoomSpeed, 0.5f);
    EXPECT_DOUBLE_EQ(gMandelbrotScale, 0.95);
    EXPECT_DOUBLE_EQ(gMandelbrotCentre[0], -0.75);
    EXPECT_DOUBLE_EQ(gMandelbrotCentre[1], 0.0);
    EXPECT_FLOAT_EQ(gTransforms[0].variationAmount[0], 2.0f / 0.95f);
    gProgram.Frames(2);
    EXPECT_DOUBLE_EQ(gMandelbrotScale, 0.95);
}

// At sensitivity 1 ("Normal") a drag across a window's width covers its
// range: "Filter:" is 144 wide over -1..2 with three transformations, so a
// unit of drag moves a row by 3 / 144 (48 units by 1), and past 2 it stops
// at 2; "Probability" is 144 wide over 0..4: 4 / 144 a unit. (The travel is
// the window's own, in units: the window's pixels may round a unit away.)
TEST_F(XFormsEditorProgram, WindowDragsCoverTheirRangeOverTheirWidth)
{
    gProgram.GoTo(kTabCamera);
    Click("Control Sensitivity", 6);  // "Normal"
    ASSERT_EQ(gControlSensitivity, 1.0f);
    OpenTransformationEditor();
    const auto drag = [](ThumbwheelWindow& w, const char* name, int units, float* travel) {
        int x = 0, y = 0;
        ControlRowPoint(*Find(name), 0, &x, &y);
        gProgram.Press(x, y);
        const int from = w.drag.pressX;
        gProgram.MoveTo(x + units, y);
        *travel = static_cast<float>(w.drag.pressX - from);
        EXPECT_NEAR(*travel, static_cast<float>(units), 1.0f) << name;
    };
    SliderWindow& filter = gXFormsEditor.pairWindow;
    float travel = 0;
    float expected = -1.0f;
    for (int pass = 0; pass < 2; ++pass) {
        drag(filter, "Filter:", 48, &travel);
        expected += travel * 3.0f / 144.0f;
        EXPECT_NEAR(filter.value[0], expected, 1e-5f) << pass;
        gProgram.Release(0, 0);
        EXPECT_EQ(gForbiddenSuccessors[0][0], static_cast<int>(expected)) << pass;
    }
    drag(filter, "Filter:", 60, &travel);
    gProgram.Release(0, 0);
    EXPECT_EQ(filter.value[0], 2.0f);
    EXPECT_EQ(gForbiddenSuccessors[0][0], 2);
    EXPECT_EQ(gForbiddenSuccessors[0][1], -1);

    drag(gXFormsEditor.weightWindow, "Probability", 18, &travel);
    EXPECT_NEAR(gTransforms[0].weight, 1.0f / 3.0f + travel * 4.0f / 144.0f, 1e-5f);
    gProgram.Release(0, 0);
}

// A generator block's parameter typed into its field: at Return the
// selected transformation's record takes the block again, so the editor's
// controls show the typed value ("Affine Trans" keeps the position in j, k,
// l).
TEST_F(XFormsEditorProgram, ATypedBlockParameterReachesTheSelectedRecord)
{
    Click("Send to Blocks");
    ASSERT_EQ(gFractalType, 48);
    OpenTransformationEditor();
    if (gXFormsEditor.editGeneratorsOn) Click("Edit Generators");
    ASSERT_EQ(gGeneratorGroups[0].blockTypes[0], 0);
    const int j = 9;  // " j:", the position's x
    int x = 0, y = 0;
    XFormsEditor::ReadoutRowPlace(j, &x, &y);
    gProgram.Click(x + 40, y + 8);
    ASSERT_TRUE(TextInputActive());
    float* p = GeneratorBlockParameters(0, 0, j + 1);
    ASSERT_EQ(gTextInput.target, p + j);
    for (int k = 0; k < 12; ++k) gProgram.Key(SDLK_BACKSPACE);
    gProgram.Type("0.75");
    gProgram.Key(SDLK_RETURN);
    EXPECT_FALSE(TextInputActive());
    EXPECT_EQ(p[j], 0.75f);
    EXPECT_EQ(gTransforms[0].position[0], 0.75f);
}

// The free view turns; the fixed views pan (a turn there would move a view
// that is not shown).
TEST_F(XFormsEditorProgram, TheViewListsKeepDragsVisible)
{
    OpenTransformationEditor();
    Click("Controls (Transformations)", 1);  // "Rotate"
    EXPECT_EQ(gXFormsEditor.windowRow, 3);   // "Camera"
    Click("Window (Transformations)", 1);    // "Left"
    EXPECT_EQ(gXFormsEditor.controlsRow, 0);  // "Pan"
    Click("Window (Transformations)", 2);    // "Front", as the editor starts
    EXPECT_EQ(gXFormsEditor.windowRow, 2);
}

TEST_F(XFormsEditorProgram, ChainsOfTheBlocksType)
{
    Click("Send to Blocks");
    ASSERT_EQ(gFractalType, 48);
    ASSERT_EQ(gGeneratorGroupCount, 3);
    OpenTransformationEditor();
    gXFormsEditor.editGeneratorsOn = 0;
    // "insert" under the one block, then the second block selected.
    gProgram.Click(44 + 32, 584 - 56 - 40 + 11 + 9);
    ASSERT_EQ(gGeneratorGroups[0].blockCount, 2);
    gProgram.Click(80, 584 - 56 - 20);
    EXPECT_EQ(gTransformEdit.selectedBlock, 1);
    gProgram.Click(280, 698);  // "Block Type" opens the list of types
    EXPECT_TRUE(Shown("Block Type"));
    Click("Block Type", 0);
    EXPECT_FALSE(Shown("Block Type"));
    EXPECT_EQ(gGeneratorGroups[0].blockTypes[1], gXFormsEditor.blockTypeChoice);
    gTransformEdit.selectedBlock = 0;
    SelectGeneratorBlock();
    ExpectEditorPanelLooksLike("xforms_editor_chain");
}

// Save and load through the dialogs: a refused file changes nothing.
TEST_F(XFormsEditorProgram, SaveAndLoadTransformationFiles)
{
    OpenTransformationEditor();
    const fs::path file = gDir / "three.tmf";
    gDialogs.QueueFile(file.string());
    Click("Save (Transformations)");
    ASSERT_TRUE(fs::exists(file));
    gTransforms[2].position[0] = 7.0f;
    gDialogs.QueueFile(file.string());
    Click("Load (Transformations)");
    EXPECT_NEAR(gTransforms[2].position[0], -0.8660254f, 1e-6f);

    const fs::path bad = gDir / "bad.tmf";
    std::ofstream(bad) << "66\n";
    gDialogs.QueueFile(bad.string());
    gDialogs.QueueAnswer(MessageAnswer::Ok);
    Click("Load (Transformations)");
    EXPECT_EQ(gTransformCount, 3);
    EXPECT_EQ(gDialogs.Prompts().back().message.caption, "Warning");
}

// "Save (Picker)" writes the escape colours as a ".map" file of 256 lines.
TEST_F(XFormsEditorProgram, ThePickerSavesItsColours)
{
    OpenTransformationEditor();
    SetType(46);
    const fs::path map = gDir / "escape.map";
    gDialogs.QueueFile(map.string());
    Click("Save (Picker)");
    std::ifstream in(map);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, std::to_string(gEscapeGradient.r[0]) + " " + std::to_string(gEscapeGradient.g[0]) + " " +
                         std::to_string(gEscapeGradient.b[0]));
    int lines = 1;
    for (std::string line; std::getline(in, line);) ++lines;
    EXPECT_EQ(lines, 256);
    EXPECT_EQ(gFileOperationBusy.load(), 0);
}

// The share of the render's pixels that one picture hits and the other not.
double Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    size_t differ = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) differ += a[i] != b[i] ? 1 : 0;
    return a.empty() ? 0.0 : static_cast<double>(differ) / static_cast<double>(a.size());
}

// Which pixels of the depth buffer a render from the "Render" button hit.
std::vector<uint8_t> Render()
{
    gProgram.GoTo(kTabFractals);
    Click("Render");
    if (ButtonEnabled(kButtonYes)) Click("Yes");  // the earlier render is erased
    gProgram.Frames(200);
    Click("Stop");
    gProgram.Frames(5);
    std::vector<uint8_t> hit(static_cast<size_t>(gImageWidth) * gImageHeight);
    for (size_t i = 0; i < hit.size(); ++i) hit[i] = gDepthBuffer[i] != 0.0f ? 1 : 0;
    return hit;
}

// Open the editor, add a transformation, drag it in the 3-D preview, render.
TEST_F(XFormsEditorProgram, AnEditedSetRendersAnotherPicture)
{
    const std::vector<uint8_t> before = Render();
    OpenTransformationEditor();
    Click("New");
    ASSERT_EQ(gTransformCount, 4);
    const float start[2] = {gTransforms[3].position[0], gTransforms[3].position[1]};
    gProgram.Drag(1116, 576, 1116 + 208, 576 + 104, 8);  // right and up in the front view
    EXPECT_NEAR(gTransforms[3].position[0] - start[0], 0.5f, 0.05f);
    EXPECT_NEAR(gTransforms[3].position[1] - start[1], 0.25f, 0.05f);
    CloseEditor();
    const std::vector<uint8_t> after = Render();
    EXPECT_GT(Difference(before, after), 0.01);
}

// A new user's first start (the fixture's fresh settings file and data
// folder) put the colour maps made with the program into the textures
// folder. Type 46 picked through "Fractal Type": the editor's "Gradient
// Browser" draws them in the folder's order, and a strip pressed where it
// is drawn becomes the escape-time colours.
TEST_F(XFormsEditorProgram, ANewUsersGradientBrowserShowsTheColourMapsItWasGiven)
{
    Keep(gEscapeGradient);
    const fs::path maps = fs::path(InstallFolder()) / "maps", textures = gTexturesPath;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(maps)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), static_cast<size_t>(kGradientRows));
    const auto bytes = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (const std::string& name : names) EXPECT_EQ(bytes(textures / name), bytes(maps / name)) << name;

    PickFractalType(46);
    ASSERT_EQ(gFractalType, 46);
    OpenTransformationEditor();
    ASSERT_TRUE(Shown("Gradient Browser"));
    gProgram.Frames(2);
    const WindowPicture shot = Shot("new_user_gradient_browser");
    const GSelector& browser = gXFormsEditor.gradientBrowser;
    EXPECT_EQ(browser.fileCount, kGradientRows);
    std::vector<ColorMap> files(names.size());
    for (int row = 0; row < kGradientRows; ++row) {
        SCOPED_TRACE(names[static_cast<size_t>(row)]);
        ColorMap& file = files[static_cast<size_t>(row)];
        ASSERT_TRUE(ReadColorMapFile((textures / names[static_cast<size_t>(row)]).string(), file));
        ColorMap shown;
        browser.CopyRow(row, shown);
        EXPECT_EQ(std::memcmp(&shown, &file, sizeof file), 0);
        // The strip's middle is drawn in the colours about entry 128.
        const uint8_t* p = shot.At(static_cast<int>(browser.left) + 128, browser.rowY[row] + 6);
        int nearest = 255;
        for (int i = 120; i <= 136; ++i) {
            nearest = std::min(nearest, std::max({std::abs(p[0] - file.red[i]), std::abs(p[1] - file.green[i]),
                                                  std::abs(p[2] - file.blue[i])}));
        }
        EXPECT_LE(nearest, 24) << "drawn " << int(p[0]) << " " << int(p[1]) << " " << int(p[2]);
    }
    const int row = 3;
    gProgram.Click(static_cast<int>(browser.left) + 100, browser.rowY[row] + 6);
    gProgram.Frames(2);
    EXPECT_EQ(browser.selectedRow, row);
    const ColorMap& picked = files[static_cast<size_t>(row)];
    EXPECT_EQ(std::memcmp(gEscapeGradient.r, picked.red, sizeof picked.red), 0);
    EXPECT_EQ(std::memcmp(gEscapeGradient.b, picked.blue, sizeof picked.blue), 0);
}

}  // namespace
