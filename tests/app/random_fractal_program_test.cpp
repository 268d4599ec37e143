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

#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "editors/random_fractal.h"
#include "editors/xforms_editor.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
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
// another; both stay bounded and light the preview.
TEST_F(RandomFractalProgram, PickingATypeAndNewFractalMakeABoundedSet)
{
    for (int type : {2, 8, 12, 21, 33, 44}) {
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

}  // namespace
