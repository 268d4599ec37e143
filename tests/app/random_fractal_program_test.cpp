// New Fractal driven as a user drives it: a type picked in the "Fractal
// Type" list where it is drawn, then "New Fractal" under the preview; for
// the generator type a "Fractal Generator" row on the "Fractals" page and
// in the transformation editor. The model changes to a bounded set and the
// preview lights pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "editors/random_fractal.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/random.h"
#include "engine/transform_set.h"
#include "ui/panel_pages.h"
#include "render/render_threads.h"

namespace fs = std::filesystem;

namespace {

// The share of lit pixels in the preview; the window kept in gDir as keep
// when a name is given.
double LitShareOfScreen(const char* keep)
{
    const WindowPicture screen = Shot();
    if (keep) screen.Write(gDir / keep);
    return LitShare(screen.Preview(), 40);
}

// The preview's share of lit pixels once it has had time to fill: on a
// loaded machine the point batches of 30 frames may not have filled it yet,
// so it gets up to ten times as long before the share counts.
double PreviewLitShare(const char* keep)
{
    double share = 0.0;
    for (int round = 0; round < 10 && share < 0.01; ++round) {
        gProgram.Frames(30);
        share = LitShareOfScreen(nullptr);
    }
    LitShareOfScreen(keep);
    return share;
}

// Positions, scales and weights of the records in use.
std::vector<float> SetFingerprint()
{
    std::vector<float> v{static_cast<float>(gTransformCount)};
    for (int t = 0; t < gTransformCount; ++t) {
        v.insert(v.end(), gTransforms[t].position, gTransforms[t].position + 3);
        v.insert(v.end(), gTransforms[t].matrix, gTransforms[t].matrix + 9);
        v.push_back(gTransformWeights[t]);
    }
    return v;
}

class RandomFractalProgram : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_new_fractal_");
        StartOnce();
    }
};

// Each type picked in the list gets a set of its own, and "New Fractal"
// another; both stay bounded and light the preview. The draws are seeded:
// a type of few recipes (21 has two) may draw the same one twice.
TEST_F(RandomFractalProgram, PickingATypeAndNewFractalMakeABoundedSet)
{
    for (int type : {2, 8, 12, 21, 33, 44}) {
        SeedRandomState(gGlobalRandomB, static_cast<uint32_t>(type));
        const std::vector<float> before = SetFingerprint();
        PickFractalType(type);
        ASSERT_EQ(gFractalType, type);
        EXPECT_NE(SetFingerprint(), before) << type;
        EXPECT_TRUE(RandomFractalOrbitBounded()) << type;
        const std::vector<float> picked = SetFingerprint();
        gProgram.ClickControl(WindowBottomControls(), "New Fractal");
        gProgram.Frames(2);
        EXPECT_NE(SetFingerprint(), picked) << type;
        EXPECT_TRUE(RandomFractalOrbitBounded()) << type;
        const std::string shot = "type" + std::to_string(type) + ".png";
        EXPECT_GT(PreviewLitShare(type == 2 || type == 44 ? shot.c_str() : nullptr), 0.003) << type;
    }
}

// The type changes by one route: "Send to Blocks" and the "Fractal Type"
// list both install the type with its kernel, and the list and the buttons
// that follow the type show it: "RND" and "CLR" (type 3 has none, 48 both),
// "Send to Blocks", "Fractal Generator", and "Kavrolin" (the scene export
// takes type 48 and a cube, not type 3). The editors close on the way to
// the list, also while "Panel" shows the points: the type changes at once.
TEST_F(RandomFractalProgram, SendToBlocksAndTheTypeListChangeTheTypeOneWay)
{
    Keep(gBaseshapeCount), Keep(gBaseshapes[0].shapeType);
    gBaseshapeCount = 1, gBaseshapes[0].shapeType = 1;  // a cube
    const auto shows = [](int type, bool typeButtons, bool blocks, bool generator, bool kavrolin) {
        gProgram.GoTo(kTabFractals);
        gProgram.Frames(1);
        EXPECT_EQ(gFractalType, type);
        EXPECT_EQ(gFractalTypeKernel.load(), FractalTypeKernelFor(type, gEscapeFunction)) << type;
        EXPECT_EQ(gFractalTypeBox.GetSelected(), type);
        EXPECT_EQ(ActionButtonEnabled(kActionRandomSuccessors), typeButtons) << type;
        EXPECT_EQ(ActionButtonEnabled(kActionClearSuccessors), typeButtons) << type;
        EXPECT_EQ(Shown("Send to Blocks"), blocks) << type;
        EXPECT_EQ(Shown("Fractal Generator"), generator) << type;
        EXPECT_EQ(Shown("Kavrolin"), kavrolin) << type;
    };
    PickFractalType(3);
    shows(3, false, true, false, false);
    Click("Send to Blocks");
    shows(48, true, false, true, true);
    Shot("send_to_blocks");
    PickFractalType(3);
    shows(3, false, true, false, false);

    OpenTransformationEditor();
    Click("Panel", 0);  // "Points"
    PickFractalType(0);
    EXPECT_FALSE(gXFormsEditorOpen) << "the tab change closed the editor";
    shows(0, true, true, false, true);
}

// The generator type: a row of its list on the "Fractals" page makes a new
// fractal of that row at once.
TEST_F(RandomFractalProgram, AGeneratorRowOnTheFractalsPageAppliesItsRecipe)
{
    PickFractalType(48);
    ASSERT_EQ(gFractalType, 48);
    gProgram.GoTo(kTabFractals);
    PickGeneratorRow(FractalsControls(), "Fractal Generator", gFractalGeneratorList, 30);  // "Spirals III"
    EXPECT_EQ(gFractalGeneratorRow, 30);
    ASSERT_EQ(gTransformCount, 3);
    EXPECT_EQ(gGeneratorGroupCount, 3);
    EXPECT_FLOAT_EQ(gTransformWeights[1], 10.0f / 12.0f);
    EXPECT_GT(PreviewLitShare("type48_spirals3.png"), 0.01);
}

// In the transformation editor, with "Edit Generators" on, a row applies its
// preset: "Apollonian I" puts sphere inversions on a polyhedron's vertices.
TEST_F(RandomFractalProgram, AGeneratorRowInTheEditorAppliesItsPreset)
{
    PickFractalType(48);
    OpenTransformationEditor();
    if (!gXFormsEditor.editGeneratorsOn) gProgram.ClickControl(XFormsEditorControls(), "Edit Generators");
    gProgram.Frames(1);
    ASSERT_EQ(gXFormsEditor.editGeneratorsOn, 1);
    PickGeneratorRow(XFormsEditorControls(), "Fractal Generator (Transformations)", gXFormsEditor.generatorList, 6);
    EXPECT_EQ(gFractalGeneratorRow, 6);
    ASSERT_GE(gTransformCount, 4);
    ASSERT_EQ(gGeneratorGroupCount, gTransformCount);
    for (int t = 0; t < gTransformCount; ++t) EXPECT_EQ(gGeneratorGroups[t].blockTypes[0], 4) << t;
    EXPECT_TRUE(RandomFractalOrbitBounded());
    Shot().Write(gDir / "editor_generator_row.png");
    gProgram.ClickControl(XFormsEditorControls(), "Edit Generators");
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    gProgram.Frames(1);
}

// Word k (from 1) of gGlobalRandomB after the seed.
uint32_t Word(uint32_t seed, int k)
{
    RandomState s{};
    SeedRandomState(s, seed);
    uint32_t w = 0;
    for (int i = 0; i < k; ++i) w = RandomStep(s);
    return w;
}

constexpr uint32_t kHalfWord = 2147483648u;

// The editor's "Fractal Generator" with "Edit Generators" on (type 48).
BoolBox& EditorGeneratorList()
{
    PickFractalType(48);
    OpenTransformationEditor();
    if (!gXFormsEditor.editGeneratorsOn) gProgram.ClickControl(XFormsEditorControls(), "Edit Generators");
    gProgram.Frames(1);
    EXPECT_EQ(gXFormsEditor.editGeneratorsOn, 1);
    return gXFormsEditor.generatorList;
}

void LeaveEditor()
{
    gProgram.ClickControl(XFormsEditorControls(), "Edit Generators");
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    gProgram.Frames(1);
}

constexpr const char* kEditorList = "Fractal Generator (Transformations)";

// "Mobius" (row 9, preset 44): New Fractal's draw of the count, the row's
// coin, then a word w gives n =
// w mod 5 + 3 circles of radius rho = 2 sin(pi / n) about (x, 0, z) = 2
// (sin(2 pi i / n), 0, cos(2 pi i / n)), and circle i's inversion is a = (z,
// x) / rho, b = (rho - 4 / rho, 0), d = (-z, x) / rho: for n = 3 rho = sqrt 3
// and circle 1 about (sqrt 3, 0, -1); for n = 6 rho = 1 and circle 1 about
// (sqrt 3, 0, 1).
TEST_F(RandomFractalProgram, MobiusRowInvertsInTheRingOfCircles)
{
    BoolBox& list = EditorGeneratorList();
    const struct {
        int n;
        Complex a0, d0, a1, d1, b;
    } cases[] = {
        {3, {1.1547005f, 0}, {-1.1547005f, 0}, {-0.57735027f, 1.0f}, {0.57735027f, 1.0f}, {-0.57735027f, 0}},
        {6, {2.0f, 0}, {-2.0f, 0}, {1.0f, 1.7320508f}, {-1.0f, 1.7320508f}, {-3.0f, 0}},
    };
    for (const auto& c : cases) {
        uint32_t seed = 1;
        while (static_cast<int>(Word(seed, 3) % 5u) + 3 != c.n) ++seed;
        PickGeneratorRow(XFormsEditorControls(), kEditorList, list, 0);  // a row pressed again does nothing
        PickGeneratorRow(XFormsEditorControls(), kEditorList, list, 9, seed);
        ASSERT_EQ(gFractalGeneratorRow, 9);
        ASSERT_TRUE(gTransformCount == c.n || gTransformCount == c.n + 1) << gTransformCount;  // + a centre
        const MobiusCoefficients& m = gMobiusCoefficients;
        const TransformCoefficients& k = gTransformCoefficients;
        for (int t = 0; t < 2; ++t) {
            const Complex a = t == 0 ? c.a0 : c.a1, d = t == 0 ? c.d0 : c.d1;
            EXPECT_NEAR(m.a[t].re, a.re, 1e-5f) << c.n << " " << t;
            EXPECT_NEAR(m.a[t].im, a.im, 1e-5f) << c.n << " " << t;
            EXPECT_NEAR(m.d[t].re, d.re, 1e-5f) << c.n << " " << t;
            EXPECT_NEAR(m.d[t].im, d.im, 1e-5f) << c.n << " " << t;
            EXPECT_NEAR(m.b[t].re, c.b.re, 1e-5f) << c.n << " " << t;
        }
        // Published as m00, m01 (a) and m20, m21 (d); the selected
        // transformation 0 shows its block in the editor instead.
        EXPECT_EQ(k.m00[1], m.a[1].re);
        EXPECT_EQ(k.m01[1], m.a[1].im);
        EXPECT_EQ(k.m20[1], m.d[1].re);
        EXPECT_EQ(k.m21[1], m.d[1].im);
    }
    LeaveEditor();
}

// "Planes II" (row 4) on its coin runs preset 8, whose makers give every
// plane weight 1 and, when their closing coin appends one more at (0, y, 0),
// weight 1 to that one too: the tail leaves 1 / count each (0.1 for the grid
// of nine and the appended plane).
TEST_F(RandomFractalProgram, PlanesRowWeighsTheAppendedPlaneLikeTheOthers)
{
    BoolBox& list = EditorGeneratorList();
    bool grid = false, ring = false;
    for (uint32_t seed = 1; seed < 2000 && !(grid && ring); ++seed) {
        // New Fractal's draw of the count, the row's coin, then the maker: a word above half the range the
        // grid (08A), else a draw below 0.75 the ring (08B).
        if (Word(seed, 2) <= kHalfWord) continue;
        const bool isGrid = Word(seed, 3) > kHalfWord;
        if (!isGrid && static_cast<float>(Word(seed, 4)) * 2.3283064e-10f >= 0.75f) continue;
        if ((isGrid && grid) || (!isGrid && ring)) continue;
        PickGeneratorRow(XFormsEditorControls(), kEditorList, list, 3);
        PickGeneratorRow(XFormsEditorControls(), kEditorList, list, 4, seed);
        const int n = gTransformCount;
        const float* last = gTransforms[n - 1].position;
        if (last[0] != 0.0f || last[2] != 0.0f) continue;  // nothing appended
        (isGrid ? grid : ring) = true;
        const float* first = gTransforms[0].position;
        if (isGrid) {
            EXPECT_TRUE(n == 10 || n == 19) << seed;
            EXPECT_NE(first[2], 1.0f) << seed;
        } else {
            EXPECT_TRUE(first[0] == 0.0f && first[1] == 0.0f && first[2] == 1.0f) << seed;  // (sin 0, 0, cos 0)
        }
        for (int t = 0; t < n; ++t) EXPECT_FLOAT_EQ(gTransformWeights[t], 1.0f / static_cast<float>(n)) << seed << " " << t;
    }
    EXPECT_TRUE(grid && ring);
    LeaveEditor();
}

}  // namespace
