// The transformation editor's panel: its widgets and places, the default
// fractal it starts with, the texts and pictures of each frame, and the
// tables that switch its widgets by fractal type.
//
// Sections: [places] [build] [states] [readout]
#include "editors/xforms_editor.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "engine/color_conversion.h"
#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/transform_record.h"
#include "engine/transform_set.h"
#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"

XFormsEditor gXFormsEditor;
uint8_t gXFormsEditorOpen = 0;

XFormsEditor::~XFormsEditor() = default;

// ---- [places] -----------------------------------------------------------------------

namespace {

constexpr int kZ = 30;
// Drag groups of the panel's draggable widgets.
constexpr int kSliderGroup = 2, kScaleGroup = 3, kBallGroup = 6, kShearGroup = 15, kColorGroup = 70;

struct ButtonPlace {
    int x, y, width, height;
    const char* caption;
};

// In build order (XfButton).
constexpr ButtonPlace kButtonPlaces[] = {
    {180, 876, 64, 22, "#"},     {252, 876, 64, 22, "$"},    {474, 676, 64, 22, "Equal."},
    {324, 876, 64, 22, "New"},   {396, 876, 64, 22, "Delete"}, {392, 676, 64, 22, "Norm."},
    {324, 848, 64, 22, "Save"},  {396, 848, 64, 22, "Load"}, {252, 848, 64, 22, "Undo"},
    {146, 46, 58, 20, "Reset"},
};
constexpr ButtonPlace kPickerButtonPlaces[] = {
    {98, 104, 50, 22, "Load"}, {206, 104, 50, 22, "Rnd"}, {152, 104, 50, 22, "Save"}, {466, 502, 60, 22, "Reset"}};

// Rows: minimum, maximum, start, clamp low, clamp high, whole numbers.
const char* const kPairCaptions[] = {"Filter:", "", ""};
// The pair rows' maximum follows the transformations in use (UpdateWidgetStates).
const float kPairRows[] = {-1, 2, -1, 1, 1, 1, -1, 2, -1, 1, 1, 1};
const char* const kWeightCaptions[] = {"Probability", ""};
const float kWeightRows[] = {0, 4, 0.333f, 1, 1, 0};
const char* const kAmountCaptions[] = {"", "", "", "", "", "", "", "", "", "", ""};
const char* const kScaleCaptions[] = {"Scale", "X", "Y", "Z"};
const char* const kShearCaptions[] = {"Shear", "XY", "XZ", "YX", "YZ", "ZX", "ZY"};
const char* const kPickerCaptions[] = {"Parameters", "Maxiter", "Height", "Width", "Zoom Speed"};
const float kPickerRows[] = {1, 1000, 200, 1, 1, 1, -10, 10, 0.05f, 1, 1, 0,
                             0, 10, 0.05f, 1, 1, 0, 0, 1, 0.1f, 1, 1, 0};

const char* const kVariationNames[] = {"Linear", "Sinusoidal", "Spherical", "Swirl3D", "Sin4",
                                       "Hyper",  "FishEye",    "Horns",     "RadSin",  "QSqrt"};
const char* const kWindowRows[] = {"Camera", "Front", "Left", "Top"};
const char* const kControlsRows[] = {"Rotate", "Pan"};
const char* const kRotRows[] = {"T", "X", "Y", "Z", "0"};
const char* const kTransRows[] = {"F", "X", "Y", "Z", "0"};
const char* const kZoomRows[] = {"+", "-"};
const char* const kFunctionRows[] = {"Standard (DE)", "Waves I", "Waves II", "Tiles", "Hexagons", "Scales"};
const char* const kFixedRows[] = {"-z", "-y", "-x", "z", "y", "x"};

template <int N>
void BuildList(ListBox& list, int x, int y, int width, const char* caption, const char* const (&rows)[N], int row)
{
    list.Build(x, y, kZ, width, 20, N, caption, rows);
    list.selected = list.previous = row;
    list.selectedFromTop = N - 1 - row;
}

void BuildCheck(OptionsBox& box, int x, int y, int width, int rowH, const char* caption)
{
    const char* labels[] = {caption};
    box.Build(x, y, kZ, width, rowH, 1, caption, labels);
}

}  // namespace

const float* FixedRotationMatrix(int cell)
{
    // Items are given from the right: cell i shows kFixedRows[5 - i].
    static const float kMatrices[6][9] = {
        {1, 0, 0, 0, 0, -1, 0, 1, 0},   // "-z"
        {0, 0, -1, 0, 1, 0, 1, 0, 0},   // "-y"
        {0, -1, 0, 1, 0, 0, 0, 0, 1},   // "-x"
        {1, 0, 0, 0, 0, -1, 0, -1, 0},  // "z"
        {0, 0, -1, 0, -1, 0, 1, 0, 0},  // "y"
        {0, 1, 0, 1, 0, 0, 0, 0, 1},    // "x"
    };
    if (cell < 0 || cell > 5) return nullptr;
    return kMatrices[5 - cell];
}

// ---- [build] ------------------------------------------------------------------------

void XFormsEditor::BuildPanel()
{
    for (int i = 0; i < 256; ++i) {
        int rgb[3];
        HueWheel255(rgb, i);
        gEscapeGradient.r[i] = static_cast<uint8_t>(rgb[0]);
        gEscapeGradient.g[i] = static_cast<uint8_t>(rgb[1]);
        gEscapeGradient.b[i] = static_cast<uint8_t>(rgb[2]);
    }
    gTransformEdit.selectedBlock = gTransformEdit.blockParamOffset = 0;
    gTransformEdit.pending = 0;
    pointPreviewDirty = 0;

    for (int b = 0; b <= kXfButtonReset; ++b) {
        const ButtonPlace& p = kButtonPlaces[b];
        buttons[b].Build(p.x, p.y, kZ, p.width, p.height, p.caption, b, 0, 0);
    }
    for (int b = 0; b <= kXfPickerReset; ++b) {
        const ButtonPlace& p = kPickerButtonPlaces[b];
        pickerButtons[b].Build(p.x, p.y, kZ, p.width, p.height, p.caption, b, 0, 0);
    }
    blockButtons[0].Build(208, 686, kZ, 152, 24, "Block Type", 0);
    blockButtons[1].Build(44, 0, kZ, 64, 18, "insert", 1);
    BuildCheck(editBox, 32, 876, 64, 24, "Edit");
    // At (181, 290) it would cover the title bar of "Scale"; 84 wide, not 80,
    // so that "Uniform" keeps off its right edge.
    BuildCheck(uniformBox, 181, 312, 84, 18, "Uniform");
    BuildCheck(editGeneratorsBox, 40, 592, 168, 20, "Edit Generators");
    // At (48, 488), 300 wide, it would lie under the amount window.
    variationList.Build(24, 488, kZ, 116, 20, 10, "Variations", kVariationNames);
    {
        float rows[60];
        for (int r = 0; r < 10; ++r) {
            const float def[6] = {-4, 4, 0, 1, 1, 0};
            std::memcpy(rows + 6 * r, def, sizeof def);
        }
        // At x 114 it would cover the labels of "Variations".
        amountWindow.Build(146, 488, kZ, 224, 20, 10, kAmountCaptions, rows, kSliderGroup);
    }
    {
        float rows[18], shear[36];
        for (int r = 0; r < 3; ++r) {
            const float def[6] = {-4, 4, 0.5f, 1, 1, 0};
            std::memcpy(rows + 6 * r, def, sizeof def);
        }
        for (int r = 0; r < 6; ++r) {
            const float def[6] = {-4, 4, 0, 1, 1, 0};
            std::memcpy(shear + 6 * r, def, sizeof def);
        }
        scaleWindow.Build(48, 228, kZ, 212, 20, 3, kScaleCaptions, rows, kScaleGroup);
        shearWindow.Build(48, 72, kZ, 212, 20, 6, kShearCaptions, shear, kShearGroup);
    }
    weightWindow.Build(392, 704, kZ, 144, 22, 1, kWeightCaptions, kWeightRows, kSliderGroup);
    pairWindow.Build(392, 774, kZ, 144, 22, 2, kPairCaptions, kPairRows, kSliderGroup, 0);
    pickerParameters.Build(178, 330, kZ, 300, 20, 4, kPickerCaptions, kPickerRows, kSliderGroup);
    {
        const float steps[4] = {1.0f, 0.01f, 0.01f, 0.01f};
        pickerParameters.SetValueList(4, steps);
    }
    BuildList(windowList, 574, 732, 78, "Window", kWindowRows, windowRow);
    BuildList(controlsList, 574, 664, 78, "Controls", kControlsRows, controlsRow);
    // "Rot", "Tr." and "Function" 2 wider than given (34, 34, 128), so that
    // their texts keep off the right edge.
    BuildList(rotList, 606, 164, 36, "Rot", kRotRows, rotRow);
    // Left of the trackball, under the chain readout of type 48 (which ends
    // at y 442); the gradient browser that shares its place shows only for
    // types 46 and 49, which turn "Tr." off.
    BuildList(transList, 338, 164, 36, "Tr.", kTransRows, transRow);
    BuildList(zoomTypeList, 466, 532, 80, "Zoom Type", kZoomRows, zoomTypeRow);
    BuildList(functionList, 66, 532, 130, "Function", kFunctionRows, 5);  // shown from gEscapeFunction
    // Its caption under the cells: above them it would cover the trackball's frame.
    fixedRotation.Build(426, 68, kZ, 128, 20, 6, "Fixed Rotation", kFixedRows, false);
    {
        const float up[3] = {0, 0, 1};
        trackBall.Build(388, 112, kZ, 200, 200, up, kBallGroup);
    }
    numberBox.Build(156, 854, kZ, 30, 16, "  ");  // blanks: room for two digits
    colorPanel.Build(32, 758, kZ, "Color    R       G       B ", kColorGroup);
    blockTypeList.Build(208, 542, kZ, 160, 24, kGeneratorBlockTypes, 7, "Block Type", gGeneratorBlockNames.data());
    gradientBrowser.Build(280, 132, kZ);
    // At (376, 740), 256 wide, it would cover "Filter:", "Window" and the
    // buttons "New", "Delete", "Save" and "Load".
    generatorList.Build(40, 330, kZ, 256, 24, 7, kFractalGeneratorRowCount, "Fractal Generator",
                        gFractalGeneratorNames);
    generatorList.SetSelected(gFractalGeneratorRow);

    // The base rotation: the ball turned to face (0, 0, 1).
    const float facing[3] = {0, 0, 1};
    trackBall.SetRotation(facing);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) gTransformEdit.baseRotation[3 * r + c] = trackBall.rotation[r][c];

    std::memset(enabled, 1, sizeof enabled);
    for (int32_t& v : gForbiddenSuccessors[0]) v = -1;

    // The default fractal: three maps halving towards the corners of a triangle.
    gTransformCount = gPickTransformCount = 1;
    ResetTransformation(gTransformEdit.baseRotation, 0);
    DisableEditorWidgetsForType();
    gTransformCount = gPickTransformCount = 3;
    gTransformEdit.selected = 0;
    for (int k = 0; k < 3; ++k) {
        ResetTransformation(gTransformEdit.baseRotation, k);
        const float angle = 120.0f * static_cast<float>(k) * 0.017453292f;
        gTransforms[k].position[0] = std::sin(angle);
        gTransforms[k].position[1] = std::cos(angle);
        gTransforms[k].position[2] = 0.0f;
        gTransforms[k].weight = 1.0f / 3.0f;
        ComposeTransformation(k);
    }
    EnableEditorWidgets();
    ::SnapshotTransformations(undo, gTransformEdit.selected);
    if (hooks.buildPickTable) hooks.buildPickTable();
    built = 1;
}

// ---- [states] -----------------------------------------------------------------------

namespace {

bool TypeIn(int type, std::initializer_list<int> types)
{
    for (int t : types)
        if (t == type) return true;
    return false;
}

bool TypeWithin(int type, int low, int high) { return type >= low && type <= high; }

}  // namespace

void XFormsEditor::EnableEditorWidgets()
{
    const int type = gFractalType;
    for (XfWidget w : {kXfReset, kXfPair, kXfNew, kXfDelete, kXfSave, kXfLoad, kXfPrevious, kXfNext, kXfTrackBall,
                       kXfScale, kXfUniform, kXfShear, kXfWeight, kXfNormalize, kXfEqualize, kXfRot,
                       kXfFixedRotation, kXfTrans})
        enabled[w] = 1;
    const uint8_t variations = type != 0 && type != 7 ? 1 : 0;
    enabled[kXfVariations] = enabled[kXfAmounts] = variations;
    const auto off = [this](std::initializer_list<XfWidget> widgets) {
        for (XfWidget w : widgets) enabled[w] = 0;
    };
    if (TypeIn(type, {0, 7, 11, 24, 27, 28, 29, 42, 44, 47}) || TypeWithin(type, 32, 36)) off({kXfAmounts, kXfVariations});
    if (TypeIn(type, {3, 5, 6, 8, 9, 13, 14, 45}) || TypeWithin(type, 16, 19)) off({kXfNew, kXfDelete});
    if (TypeIn(type, {10, 26, 30, 38, 41}))
        off({kXfWeight, kXfAmounts, kXfPrevious, kXfNext, kXfEqualize, kXfNew, kXfDelete, kXfNormalize, kXfVariations});
    if (TypeIn(type, {12, 21})) off({kXfAmounts, kXfShear, kXfFixedRotation, kXfTrackBall, kXfRot, kXfVariations});
    if (type == 20) {
        off({kXfReset, kXfNew, kXfDelete, kXfSave, kXfLoad, kXfPrevious, kXfNext, kXfTrackBall, kXfScale, kXfUniform,
             kXfShear, kXfWeight, kXfNormalize, kXfEqualize, kXfRot, kXfFixedRotation, kXfVariations, kXfAmounts,
             kXfUndo});
    }
    if (TypeIn(type, {25, 31, 39})) {
        off({kXfWeight, kXfAmounts, kXfEqualize, kXfNew, kXfDelete, kXfNormalize, kXfReset, kXfScale, kXfShear,
             kXfFixedRotation, kXfTrackBall, kXfRot, kXfTrans, kXfVariations, kXfUniform});
    }
    if (TypeIn(type, {31, 39})) off({kXfPrevious, kXfNext});
    if (TypeIn(type, {37, 40, 43}))
        off({kXfAmounts, kXfReset, kXfShear, kXfFixedRotation, kXfTrackBall, kXfRot, kXfVariations, kXfUniform});
    if (TypeIn(type, {46, 49})) off({kXfPickerButtons, kXfZoomType, kXfFunction});
    if (TypeWithin(type, 24, 43)) enabled[kXfUndo] = 1;
}

void XFormsEditor::DisableEditorWidgetsForType()
{
    const int type = gFractalType;
    const auto set = [this](std::initializer_list<XfWidget> widgets, uint8_t on) {
        for (XfWidget w : widgets) enabled[w] = on;
    };
    set({kXfAmounts, kXfScale, kXfUniform, kXfTrackBall, kXfShear, kXfRot, kXfFixedRotation, kXfReset, kXfTrans,
         kXfVariations, kXfWeight, kXfNormalize, kXfEqualize},
        0);
    set({kXfPrevious, kXfNext}, 1);
    if (TypeIn(type, {3, 5, 6, 8, 9, 13, 14, 25, 26, 45, 46, 49}) || TypeWithin(type, 16, 20)) set({kXfNew, kXfDelete}, 0);
    if (TypeIn(type, {16, 46, 49})) set({kXfPrevious, kXfNext}, 0);
    if (type == 22) {
        set({kXfPrevious, kXfNext, kXfEqualize, kXfNew, kXfDelete, kXfNormalize, kXfSave, kXfLoad, kXfUndo}, 0);
    }
    if (type == 26) set({kXfTrackBall, kXfScale, kXfRot, kXfFixedRotation, kXfTrans, kXfUniform}, 1);
    if (type == 8) set({kXfTrans}, 1);
    if (TypeIn(type, {46, 49})) {
        set({kXfAmounts, kXfColor, kXfPair}, 0);
        set({kXfPickerParameters, kXfPickerButtons, kXfZoomType, kXfFunction}, 1);
    }
    if (type != 48) {
        blockTypeListOpen = 0;
        return;
    }
    set({kXfEditGenerators}, 1);
    if (editGeneratorsOn) {
        blockTypeListOpen = 0;
        return;
    }
    set({kXfNew, kXfDelete, kXfNormalize, kXfEqualize, kXfWeight}, 1);
    int block = -1;
    const int t = gTransformEdit.selected, b = gTransformEdit.selectedBlock;
    if (gGeneratorGroups && t >= 0 && t < gGeneratorGroupCount && b >= 0 && b < gGeneratorGroups[t].blockCount)
        block = gGeneratorGroups[t].blockTypes[b];
    if (block == 0 || block == 23) {
        set({kXfScale, kXfTrans, kXfUniform, kXfReset, kXfTrackBall, kXfFixedRotation, kXfRot, kXfShear}, 1);
    }
    if (block == 1) set({kXfUniform, kXfScale}, 1);
    if (block == 2) set({kXfTrackBall, kXfFixedRotation, kXfRot}, 1);
    if (block == 3 || block == 21) set({kXfTrans}, 1);
    if (block == 4) set({kXfTrans, kXfScale}, 1);
    if (TypeIn(block, {5, 6, 24})) set({kXfTrans, kXfUniform, kXfScale}, 1);
    if (TypeWithin(block, 30, 48)) set({kXfScale, kXfUniform}, 1);
}

// Each time from the widgets' full set, so what shows follows from the type
// alone (the types of the second table start from the first's states).
void XFormsEditor::UpdateWidgetStates()
{
    const int type = gFractalType;
    enabled[kXfUndo] = enabled[kXfColor] = 1;
    EnableEditorWidgets();
    if (TypeIn(type, {1, 3, 4, 5, 6, 8, 9, 13, 14, 16, 17, 18, 19, 22, 45, 46, 48, 49})) DisableEditorWidgetsForType();
    // The picker belongs to the escape-time types, the chain switch to the
    // chains.
    if (type != 46 && type != 49) {
        for (XfWidget w : {kXfPickerParameters, kXfPickerButtons, kXfZoomType, kXfFunction}) enabled[w] = 0;
    }
    if (type != 48) enabled[kXfEditGenerators] = 0;
    // The pair rows name transformations in use.
    const float last = static_cast<float>(TransformCountInUse() - 1);
    if (pairWindow.maximum)
        for (int r = 0; r < pairWindow.rows; ++r)
            if (pairWindow.maximum[r] != last) pairWindow.SetRange(r, pairWindow.minimum[r], last);
}

bool XFormsEditor::Enabled(XfWidget w)
{
    UpdateWidgetStates();
    return enabled[w] != 0;
}

// ---- [readout] ----------------------------------------------------------------------

namespace {

void DrawSwatchGrid()
{
    glDisable(GL_TEXTURE_2D);
    ColorSwatchGrid(gEscapeGradient.r, gEscapeGradient.g, gEscapeGradient.b, 116.0f, 252.0f, kZ);
}

}  // namespace

void XFormsEditor::DrawReadout()
{
    UpdateWidgetStates();
    if (!gXFormsEditorOpen) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor3f(1, 1, 1);
    DrawText(32, 856, "Transformation:", 1);
    numberBox.SetNumber(gTransformEdit.selected);
    numberBox.visible = 1;
    numberBox.Draw();
    const int t = gTransformEdit.selected;
    if (enabled[kXfShear] && gFractalType != 48 && t >= 0 && t < kMaxTransforms) {
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.25f, 0.25f, 0.25f);
        OutlineQuad(48, 348, 182, 412, kZ);
        glColor3f(1, 1, 1);
        DrawText(52, 396, "Position:", 1);
        const char* axes[3] = {"X", "Y", "Z"};
        for (int k = 0; k < 3; ++k) {
            DrawText(60, 380 - 16 * k, axes[k], 1);
            DrawFloatText(94, 380 - 16 * k, gTransforms[t].position[k]);
        }
    }
    if (enabled[kXfPickerParameters]) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, pickerTexture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDisable(GL_BLEND);
        glColor3f(1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex3f(kPickerLeft, kPickerBottom, kZ);
        glTexCoord2f(1, 0);
        glVertex3f(kPickerLeft + kPickerSize, kPickerBottom, kZ);
        glTexCoord2f(1, 1);
        glVertex3f(kPickerLeft + kPickerSize, kPickerBottom + kPickerSize, kZ);
        glTexCoord2f(0, 1);
        glVertex3f(kPickerLeft, kPickerBottom + kPickerSize, kZ);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.5f, 0.5f, 0.5f);
        OutlineQuad(kPickerLeft, kPickerBottom, kPickerLeft + kPickerSize, kPickerBottom + kPickerSize, kZ);
        DrawSwatchGrid();
        glEnable(GL_BLEND);
        glColor3f(1, 1, 1);
        DrawText(200, 760, "How to use:", 1);
        DrawText(200, 744, "Change the Panel preview  to Point and click", 1);
        DrawText(200, 728, "over the above image of the Mandelbrot  set.", 1);
    }
    glPopAttrib();
}
