// The transformation editor's commands on the model, without its widgets.
#include "editors/xforms_editor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"

namespace {

class XFormsEditorCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        gFractalType = 0;
        gTransformEdit = TransformEditState{};
        Set(3);
    }
    static void Set(int n)
    {
        gTransformCount = gPickTransformCount = n;
        for (int t = 0; t < n; ++t) {
            ResetTransformation(gTransformEdit.baseRotation, t);
            gTransforms[t].position[0] = static_cast<float>(t);
            gTransforms[t].weight = 1.0f / static_cast<float>(n);
            ComposeTransformation(t);
        }
        for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    }
    XFormsEditor& editor = gXFormsEditor;
};

TEST_F(XFormsEditorCommands, NewDeleteAndUndo)
{
    editor.NewTransformation();
    ASSERT_EQ(gTransformCount, 4);
    EXPECT_EQ(gTransformEdit.selected, 3);
    const float expected[4] = {4.0f / 15, 4.0f / 15, 4.0f / 15, 1.0f / 5};
    for (int t = 0; t < 4; ++t) EXPECT_NEAR(gTransformWeights[t], expected[t], 1e-6f) << t;

    // Deleting transformation 1: the pair that named it names none, the one
    // that named 3 names 2.
    gForbiddenSuccessors[0][0] = 1;
    gForbiddenSuccessors[0][1] = 3;
    gTransformEdit.selected = 1;
    editor.DeleteTransformation();
    EXPECT_EQ(gTransformCount, 3);
    EXPECT_EQ(gTransforms[1].position[0], 2.0f);
    EXPECT_EQ(gForbiddenSuccessors[0][0], -1);
    EXPECT_EQ(gForbiddenSuccessors[0][1], 2);
    editor.Undo();
    EXPECT_EQ(gTransformCount, 4);
    EXPECT_EQ(gTransformEdit.selected, 1);
    EXPECT_EQ(gTransforms[1].position[0], 1.0f);

    Set(1);
    editor.DeleteTransformation();  // the only one: reset, not removed
    EXPECT_EQ(gTransformCount, 1);
    EXPECT_EQ(gTransforms[0].position[0], 0.0f);
    EXPECT_EQ(gTransformWeights[0], 1.0f);
    gTransformCount = 64;
    editor.NewTransformation();  // one below the records' number, no more
    EXPECT_EQ(gTransformCount, 64);
    gTransformCount = gPickTransformCount = 0;  // a file of no transformations
    editor.NewTransformation();
    EXPECT_EQ(gTransformCount, 1);
    EXPECT_EQ(gTransforms[0].weight, 1.0f);
}

TEST_F(XFormsEditorCommands, WeightsOnReleaseAndByButton)
{
    Set(2);
    gTransforms[0].weight = 1.5f;  // the drag's last value
    gTransformWeights[0] = 1.5f;
    editor.weightDragged = 1;
    editor.UpdateWeightSum();
    EXPECT_FLOAT_EQ(gTransformWeights[0], 0.75f);
    EXPECT_FLOAT_EQ(gTransformWeights[1], 0.25f);
    EXPECT_EQ(gTransforms[0].weight, 1.5f);
    EXPECT_EQ(gTransforms[1].weight, 0.5f);

    gTransforms[0].weight = gTransforms[1].weight = 0.0f;  // a sum of 0 divides nothing
    editor.NormalizeWeights();
    EXPECT_EQ(gTransformWeights[1], 0.5f);
    Set(5);
    gTransforms[2].weight = 3.0f;
    editor.EqualizeWeights();
    for (int t = 0; t < 5; ++t) EXPECT_FLOAT_EQ(gTransforms[t].weight, 0.2f) << t;
}

TEST_F(XFormsEditorCommands, ResetKeepsRotationAndPosition)
{
    TransformRecord& r = gTransforms[2];
    gTransformEdit.selected = 2;
    r.rotation[1] = 0.5f;
    r.scaleShear[0] = 3.0f;
    r.scaleShear[5] = 0.2f;
    editor.ResetScaleAndShear();
    EXPECT_EQ(r.rotation[1], 0.5f);
    EXPECT_EQ(r.position[0], 2.0f);
    EXPECT_EQ(r.scaleShear[0], 0.5f);
    EXPECT_EQ(r.scaleShear[5], 0.0f);
    EXPECT_FLOAT_EQ(gTransformCoefficients.m00[2], 0.5f);
}

// What the panel shows by fractal type and block type.
TEST_F(XFormsEditorCommands, WidgetTablesByType)
{
    struct Case {
        int type;
        std::initializer_list<XfWidget> on, off;
    };
    const Case cases[] = {
        {0, {kXfNew, kXfWeight, kXfTrackBall, kXfScale, kXfUndo, kXfColor}, {kXfVariations, kXfAmounts, kXfZoomType}},
        {2, {kXfVariations, kXfAmounts, kXfShear}, {kXfPickerParameters, kXfEditGenerators}},
        {10, {kXfScale, kXfTrackBall}, {kXfWeight, kXfNew, kXfPrevious, kXfNormalize, kXfVariations}},
        {12, {kXfScale, kXfUniform}, {kXfTrackBall, kXfShear, kXfRot}},
        {20, {kXfTrans, kXfPair}, {kXfUndo, kXfSave, kXfScale}},
        {22, {kXfPair, kXfColor}, {kXfPrevious, kXfUndo, kXfSave, kXfLoad, kXfReset}},
        {46, {kXfPickerParameters, kXfPickerButtons, kXfZoomType, kXfFunction}, {kXfColor, kXfPair, kXfNew}},
        {48, {kXfEditGenerators, kXfNew, kXfWeight}, {kXfTrackBall, kXfVariations}},
    };
    for (const Case& c : cases) {
        gFractalType = c.type;
        editor.UpdateWidgetStates();
        for (XfWidget w : c.on) EXPECT_TRUE(editor.enabled[w]) << c.type << " " << w;
        for (XfWidget w : c.off) EXPECT_FALSE(editor.enabled[w]) << c.type << " " << w;
    }
}

TEST_F(XFormsEditorCommands, PickerColoursAndZoom)
{
    const int colours[][2] = {{0, 0}, {255, 255}, {256, 1}, {300, 45}, {510, 0}};
    for (const auto& c : colours) EXPECT_EQ(PickerColorIndex(c[0]), c[1]) << c[0];
    EXPECT_EQ(PickerEscapeCount(0.0, 0.0, 200), -1);    // the cardioid
    EXPECT_EQ(PickerEscapeCount(-1.0, 0.1, 200), -1);   // the period-2 bulb
    EXPECT_EQ(PickerEscapeCount(2.0, 2.0, 200), 3);     // 2+2i, 2+10i, -94+42i: out
    EXPECT_EQ(PickerEscapeCount(0.3, 0.5, 3), -1);      // not out within the limit

    // "-" widens the span, "+" narrows it (zooms in).
    editor.pickerZoomSpeed = 0.1f;
    editor.ResetPickerView();
    editor.zoomTypeRow = 0;  // "-"
    editor.RenderMandelbrotPicker(128, 128, false);
    EXPECT_NEAR(gMandelbrotScale, 1.01, 1e-9);
    editor.ResetPickerView();
    editor.zoomTypeRow = 1;  // "+"
    editor.RenderMandelbrotPicker(128, 128, false);
    EXPECT_NEAR(gMandelbrotScale, 0.99, 1e-9);
    EXPECT_EQ(gMandelbrotCentre[0], -0.75);
    EXPECT_EQ(gMandelbrotCentre[1], 0.0);
    EXPECT_NEAR(gTransforms[0].variationAmount[0], 2.0 / 0.99, 1e-5);
    // The image: black inside, the gradient's colour of the count outside.
    const uint8_t* centre = editor.pickerImage.data() + 3 * 128 + 3 * kPickerSize * 128;
    EXPECT_EQ(centre[0] + centre[1] + centre[2], 0);
    const int n = PickerEscapeCount(2.0 * (0 / 128.0 - 1.0) * 0.99 - 0.75, 2.0 * (0 / 128.0 - 1.0) * 0.99, 200);
    EXPECT_EQ(editor.pickerImage[0], gEscapeGradient.r[PickerColorIndex(n)]);
}

TEST_F(XFormsEditorCommands, EditDragsMoveAlongTheView)
{
    gTransformEdit.selected = 1;
    const float top[9] = {1, 0, 0, 0, 0, 1, 0, -1, 0};  // right is x, up is z
    editor.DragInPreview(0.25f, 0.5f, top);
    EXPECT_EQ(gTransforms[1].position[0], 1.25f);
    EXPECT_EQ(gTransforms[1].position[2], 0.5f);
    EXPECT_EQ(gTransformCoefficients.tz[1], 0.5f);
    EXPECT_EQ(editor.pointPreviewDirty, 1);
}

}  // namespace
