// The one entry point of the transformation presets: the table of makers by
// index, the five small presets it carries out itself, and the common tail
// that normalises the weights and shows transformation 0.
//
// Sections: [inline presets] [table] [tail]
#include <cmath>
#include <cstring>

#include "editors/transformation_presets.h"
#include "editors/transformation_preset_steps.h"
#include "editors/xforms_editor.h"
#include "engine/escape_time_kernels.h"
#include "engine/pick_table.h"
#include "engine/transform_set.h"

using namespace preset;

// ---- [inline presets] -----------------------------------------------------------------

namespace {

// One transformation at half a random unit vector, tilted by 10 to 45 degrees.
void OneTilted()
{
    Counts(1);
    Reset(0);
    Weight(0, 1.0f);
    float v[3], axis[3];
    UnitVector(v);
    Place(0, 0.5f * v[0], 0.5f * v[1], 0.5f * v[2]);
    float* s = gTransforms[0].scaleShear;
    std::memset(s, 0, 9 * sizeof(float));
    Scale(0, 0.25f + 0.65f * U());
    UnitVector(axis);
    Rotate(0, axis, 0.17453292f + 0.61086f * U());
    Compose(0);
}

// Two quarter-size transformations scattered in the ground plane.
void TwoInThePlane()
{
    Counts(2);
    for (int i = 0; i < 2; ++i) {
        Reset(i);
        float u[4];
        for (float& v : u) v = U();
        Place(i, 1.5f * u[2] - 1.5f * u[3] - 0.25f, 0.0f, 1.5f * u[0] - 1.5f * u[1]);
        Scale(i, 0.25f);
        Compose(i);
    }
}

// One unit-scale transformation on the unit sphere, turned by whole degrees.
void OneOnTheSphere()
{
    Counts(1);
    Reset(0);
    Weight(0, 1.0f);
    float v[3], axis[3];
    UnitVector(v);
    Place(0, v[0], v[1], v[2]);
    Scale(0, 1.0f);
    UnitVector(axis);
    Rotate(0, axis, static_cast<float>(W() % 360u) * kDegree);
    Compose(0);
}

// "Planes II": the grid of planes, except for type 44, or a ring.
void ChoosePlanes()
{
    if (gFractalType != 44 && W() > kHalfWord) {
        MakeTransformationPreset08A();
    } else if (U() >= 0.75f) {
        MakeTransformationPreset84();
    } else {
        MakeTransformationPreset08B();
    }
}

// Appends one transformation above the others, which take the plain affine
// step. A full set takes none.
void AppendAbove()
{
    const int n = gPickTransformCount;
    if (n < 1 || n >= kMaxTransforms) return;
    for (int i = 0; i < gTransformCount && i < kMaxTransforms; ++i) gTransforms[i].variationOn[0] = 1;
    Counts(n + 1);
    Reset(n);
    Scale(n, 0.436f);
    Place(n, 0.0f, 1.33f, 0.0f);
    gTransforms[n].variationOn[0] = 0;
    Weight(n, 0.5f);
    Compose(n);
}

// Eight unit maps standing twice at (+-1, 0, +-1), and the start view of
// the Mandelbrot picker in the amounts of transformation 0.
void PickerStartView()
{
    int i = 0;
    for (int r = 0; r < 2; ++r) {
        for (float x : {-1.0f, 1.0f}) {
            for (float z : {-1.0f, 1.0f}) {
                Reset(i);
                Place(i, x, 0.0f, z);
                Scale(i, 1.0f);
                Compose(i);
                Weight(i, 1.0f);
                ++i;
            }
        }
    }
    const float amounts[8] = {2.0f, 1.0f, -0.75f, 0.0f, 0.1f, 0.0f, 0.95f, 200.0f};
    std::memcpy(gTransforms[0].variationAmount, amounts, sizeof amounts);
    Counts(8);
    XFormsEditor& editor = gXFormsEditor;
    editor.pickerZoomSpeed = 0.5f;
    gMandelbrotCentre[0] = amounts[2];
    gMandelbrotCentre[1] = amounts[3];
    gMandelbrotScale = amounts[1];
    // The picture exists once the panel is built.
    if (editor.built) editor.RenderMandelbrotPicker(128, 128, false);
}

}  // namespace

// ---- [table] --------------------------------------------------------------------------

namespace {

using PresetMaker = void (*)();

// Index -> maker; null: no preset, the tail alone.
constexpr PresetMaker kPresetMakers[kTransformationPresetCount] = {
    MakeTransformationPreset00, MakeTransformationPreset01, OneTilted,                  // 0..2
    MakeTransformationPreset03, TwoInThePlane,              MakeTransformationPreset05,  // 3..5
    MakeTransformationPreset06, MakeTransformationPreset07, ChoosePlanes,              // 6..8
    OneOnTheSphere,             MakeTransformationPreset10, MakeTransformationPreset11,  // 9..11
    MakeTransformationPreset12, MakeTransformationPreset13, MakeTransformationPreset14,  // 12..14
    MakeTransformationPreset15, MakeTransformationPreset16, MakeTransformationPreset17,  // 15..17
    MakeTransformationPreset18, MakeTransformationPreset19, MakeTransformationPreset20,  // 18..20
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,   // 21..29
    MakeTransformationPreset30, nullptr,                    MakeTransformationPreset32,  // 30..32
    nullptr, nullptr, nullptr, nullptr, nullptr,                                       // 33..37
    MakeTransformationPreset38, nullptr,                    MakeTransformationPreset40,  // 38..40
    nullptr,                    AppendAbove,                MakeTransformationPreset43,  // 41..43
    MakeTransformationPreset44, PickerStartView,            MakeTransformationPreset46,  // 44..46
    MakeTransformationPreset47, MakeTransformationPreset48, MakeTransformationPreset49,  // 47..49
    MakeTransformationPreset50, MakeTransformationPreset51, MakeTransformationPreset52,  // 50..52
    MakeTransformationPreset53,                                                        // 53
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,  // 54..63
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,  // 64..73
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,                              // 74..79
    MakeTransformationPreset80, MakeTransformationPreset81, MakeTransformationPreset82,  // 80..82
    MakeTransformationPreset83, MakeTransformationPreset84,                            // 83..84
};

}  // namespace

void ApplyTransformationPreset(int index)
{
    if (index >= 0 && index < kTransformationPresetCount && kPresetMakers[index]) kPresetMakers[index]();
    FinishTransformationPreset();
}

// ---- [tail] ---------------------------------------------------------------------------

void FinishTransformationPreset()
{
    const int n = TransformCountInUse();
    gTransformCount = n;
    if (gPickTransformCount < 1 || gPickTransformCount > kMaxTransforms) gPickTransformCount = n;
    float sum = 0.0f;
    for (int i = 0; i < n; ++i) sum += gTransforms[i].weight;
    // A set whose weights cannot be divided by their sum gets equal weights.
    const bool divisible = sum != 0.0f && std::isfinite(sum);
    for (int i = 0; i < n; ++i) {
        const float w = divisible ? gTransforms[i].weight / sum : 1.0f / static_cast<float>(n);
        gTransforms[i].weight = gTransformWeights[i] = w;
    }
    if (n == 1) gTransforms[0].weight = gTransformWeights[0] = 1.0f;
    gXFormsEditor.pointPreviewDirty = 1;
    if (gXFormsEditor.hooks.buildPickTable) {
        gXFormsEditor.hooks.buildPickTable();
    } else {
        BuildTransformPickTable();
    }
    gTransformEdit.selected = 0;
    gTransformEdit.selectedBlock = 0;
}
