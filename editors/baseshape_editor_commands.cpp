// What the baseshape editor's buttons, lists and drags do to the baseshapes:
// every edit takes the one-level undo copy first, changes the records, and
// lets the preview follow.
//
// Sections: [common] [selection] [set] [files] [shape] [placement] [colours]
//           [3-D preview]
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "baseshapes/generator_table.h"
#include "editors/baseshape_editor.h"
#include "editors/baseshape_editor_services.h"
#include "editors/baseshape_type_parameters.h"
#include "engine/baseshape_hooks.h"
#include "engine/baseshape_images.h"
#include "engine/color_map.h"
#include "engine/point_coloring.h"
#include "engine/status_line.h"
#include "files/baseshape_file_dialogs.h"
#include "files/baseshape_image_files.h"
#include "ui/file_services.h"
#include "ui/widget.h"

// ---- [common] -------------------------------------------------------------------------

namespace {

int Current() { return std::clamp(gCurrentBaseshape, 0, kMaxBaseshapes - 1); }
BaseshapeRecord& Record() { return gBaseshapes[Current()]; }
int Type() { return Record().shapeType; }

void RefreshColoring() { SetColoringMode(gColoringMode.load()); }
void Redraw() { CallBaseshapeHook(gBaseshapeHooks.restartPreview); }

constexpr float kTwoPi = 6.2831855f;

}  // namespace

void BaseShapeEditor::Snapshot() { SaveBaseshapeUndo(undo, applyToAll); }

void BaseShapeEditor::Edited(bool compose)
{
    if (compose) ComputeBaseshapeMatrix(Current());
    Redraw();
    // A wheel notch or a button has no drag to wait for.
    if (gDragGroup == 0 && hooks.buildPointCloud) {
        hooks.buildPointCloud();
    } else {
        pointPreviewDirty = 1;
    }
}

bool BaseShapeEditor::FinishPress()
{
    if (!pointPreviewDirty) return false;
    pointPreviewDirty = 0;
    if (hooks.buildPointCloud) hooks.buildPointCloud();
    return true;
}

void BaseShapeEditor::Undo()
{
    RestoreBaseshapeUndo(undo);
    applyToAll = undo.editorSetting;
    Select(gCurrentBaseshape);
    ShowWidgets();
    if (gBaseshapeCount == 0) HideWidgets();
    Edited(false);
}

// ---- [selection] ----------------------------------------------------------------------

// Select, which the panel's hooks call, is the panel's (baseshape_editor.cpp).

void BaseShapeEditor::Previous()
{
    if (gCurrentBaseshape <= 0) return;
    Redraw();
    Select(gCurrentBaseshape - 1);
    ShowWidgets();
}

void BaseShapeEditor::Next()
{
    if (gCurrentBaseshape >= gBaseshapeCount - 1) return;
    Redraw();
    Select(gCurrentBaseshape + 1);
    ShowWidgets();
}

void BaseShapeEditor::Open()
{
    if (gBaseshapeCount < 1) return;
    Select(gCurrentBaseshape);
    ShowWidgets();
}

// ---- [set] --------------------------------------------------------------------------------

namespace {

// The selector's page and cell of a kind, as the record keeps them.
void PlacePicker(BaseshapeRecord& r, int type, const TSelector& selector)
{
    int first = selector.first, cell = selector.cell;
    if (first + cell != type) {
        first = KindPickerPageFirst(type);
        cell = type - first;
    }
    r.pickerFirst = first;
    r.pickerCell = cell;
    r.pickerX = selector.left + 64.0f * static_cast<float>(cell % 5);
    r.pickerY = selector.bottom + 64.0f * static_cast<float>(2 - cell / 5);
}

}  // namespace

void BaseShapeEditor::NewBaseshape()
{
    // The panel's commands stop one below the records' number.
    if (gBaseshapeCount < 0 || gBaseshapeCount >= kMaxBaseshapes - 1) return;
    Snapshot();
    const int n = ++gBaseshapeCount;
    InitNewBaseshape(defaults, n - 1);
    // The new baseshape takes the kind last chosen in the selector.
    const int chosen = shapeSelector.selected;
    const int type = chosen >= 0 && chosen < kBaseshapeKinds ? chosen : 1;
    BaseshapeRecord& r = gBaseshapes[n - 1];
    r.shapeType = type;
    PlacePicker(r, type, shapeSelector);
    gUseBaseshapes = 1;
    ApplyShapeTypeDefaults(n - 1);
    if (type < kBaseshapeTableSize && !gBaseshapeTextureOk[type]) r.useTexture = 0;
    ComputeBaseshapeMatrix(n - 1);
    Select(n - 1);
    ShowWidgets();
    ResetBaseshapeWeights();
    RefreshColoring();
    Edited(false);
}

void BaseShapeEditor::DeleteBaseshape()
{
    if (gBaseshapeCount < 1) return;
    Snapshot();
    const int count = std::min(gBaseshapeCount, kMaxBaseshapes);
    // Every baseshape below moves up one place with its images, mesh and
    // colour table; the slot left over gets the default images.
    for (int j = Current(); j < count - 1; ++j) CopyBaseshape(j + 1, j);
    ResetBaseshapeDMap(count - 1, 1);
    ClearBaseshapeTexture(count - 1);
    gBaseshapeCount = count - 1;
    int current = std::min(Current(), gBaseshapeCount - 1);
    if (gBaseshapeCount == 0) {
        current = 0;
        gUseBaseshapes = 0;
        HideWidgets();
        BaseshapeRecord& r = gBaseshapes[0];
        r.useTexture = r.useGradient = r.modifierOn = r.arrayOn = 0;
        gBaseshapeModifierType[0] = gBaseshapeArrayType[0] = 0;
    }
    Select(current);
    ResetBaseshapeWeights();
    RefreshColoring();
    Edited(false);
}

bool BaseShapeEditor::CloneBaseshape()
{
    if (gBaseshapeCount < 1 || gBaseshapeCount + 1 >= kMaxBaseshapes) return false;
    const int n = gBaseshapeCount, c = Current();
    const BaseshapeRecord& s = gBaseshapes[c];
    BaseshapeRecord& t = gBaseshapes[n];
    const uint8_t blendMode = t.blendMode;
    t = s;
    t.blendMode = blendMode;
    gBaseshapeEditPoints[n].size = gBaseshapeEditPoints[c].size;
    std::memcpy(gBaseshapeEditPoints[n].p, gBaseshapeEditPoints[c].p, sizeof gBaseshapeEditPoints[n].p);
    gBaseshapePointTemplates[n] = gBaseshapeEditPoints[n];

    if (ShapeTypeUsesDMap(s.shapeType)) CopyBaseshapeImage(gBaseshapeDMaps[n], gBaseshapeDMaps[c], 1);
    if (s.shapeType == 58 || s.shapeType == 60) CopyBaseshapeMesh(gBaseshapeMeshes[n], gBaseshapeMeshes[c]);
    if (s.useTexture) CopyBaseshapeImage(gBaseshapeTextures[n], gBaseshapeTextures[c], 3);
    if (s.useGradient) {
        gBaseshapeColorRamps[n] = gBaseshapeColorRamps[c];
        if (s.useTexture) t.blendMode = s.blendMode;
    }
    gBaseshapeModifierType[n] = s.modifierOn ? gBaseshapeModifierType[c] : 0;
    gBaseshapeModifierAmount[n] = s.modifierOn ? gBaseshapeModifierAmount[c] : 0.0f;
    gBaseshapeArrayType[n] = s.arrayOn ? gBaseshapeArrayType[c] : 0;
    gBaseshapeArrayCount[n] = s.arrayOn ? gBaseshapeArrayCount[c] : 8;
    gBaseshapeArrayAngle[n] = s.arrayOn ? gBaseshapeArrayAngle[c] : 0.7853982f;
    gBaseshapeArrayPivotX[n] = s.arrayOn ? gBaseshapeArrayPivotX[c] : 0.0f;
    gBaseshapeArrayPivotY[n] = s.arrayOn ? gBaseshapeArrayPivotY[c] : 0.0f;
    gBaseshapeArrayPivotZ[n] = s.arrayOn ? gBaseshapeArrayPivotZ[c] : 0.0f;
    gBaseshapeNeonColor.r[n] = s.neonOn ? gBaseshapeNeonColor.r[c] : 255;
    gBaseshapeNeonColor.g[n] = s.neonOn ? gBaseshapeNeonColor.g[c] : 0;
    gBaseshapeNeonColor.b[n] = s.neonOn ? gBaseshapeNeonColor.b[c] : 0;
    gBaseshapeNeonStrength[n] = s.neonOn ? gBaseshapeNeonStrength[c] : 2.0f;
    if (s.animationStored) {
        std::memcpy(gBaseshapeSpin[n], gBaseshapeSpin[c], sizeof gBaseshapeSpin[n]);
        std::memcpy(gBaseshapeMoveDirection[n], gBaseshapeMoveDirection[c], sizeof gBaseshapeMoveDirection[n]);
        std::memcpy(gBaseshapeMoveWave[n], gBaseshapeMoveWave[c], sizeof gBaseshapeMoveWave[n]);
        gBaseshapeWaveType[n] = gBaseshapeWaveType[c];
    } else {
        const float spin[4] = {0, 1, 0, 0}, up[3] = {0, 1, 0}, still[3] = {0, 0, 0};
        std::memcpy(gBaseshapeSpin[n], spin, sizeof spin);
        std::memcpy(gBaseshapeMoveDirection[n], up, sizeof up);
        std::memcpy(gBaseshapeMoveWave[n], still, sizeof still);
        gBaseshapeWaveType[n] = 3;
        t.animationStored = 1;
    }
    gBaseshapeColors.r[n] = gBaseshapeColors.r[c];
    gBaseshapeColors.g[n] = gBaseshapeColors.g[c];
    gBaseshapeColors.b[n] = gBaseshapeColors.b[c];
    gBaseshapeCount = n + 1;
    ResetBaseshapeWeights();
    SetStatusText("Talvoran :  Baseshape %d Cloned", c);
    return true;
}

void BaseShapeEditor::Clone()
{
    if (gBaseshapeCount < 1) return;
    Snapshot();
    if (CloneBaseshape()) Edited(false);
}

// ---- [files] ------------------------------------------------------------------------------

void BaseShapeEditor::SaveAll()
{
    if (gBaseshapeCount > 0) SaveBaseshapeFile(false);
}

void BaseShapeEditor::SaveCurrent()
{
    if (gBaseshapeCount > 0) SaveBaseshapeFile(true);
}

// The file's probabilities stay as they were stored.
void BaseShapeEditor::LoadFile()
{
    if (!LoadBaseshapeFile()) return;
    Select(0);
    Edited(false);
}

void BaseShapeEditor::AppendFile()
{
    if (gBaseshapeCount < 1) {
        LoadFile();
        return;
    }
    if (!AppendBaseshapeFile()) return;
    ShowWidgets();
    Edited(false);
}

// ---- [shape] ------------------------------------------------------------------------------

void BaseShapeEditor::ChooseShapeType(int type)
{
    if (type < 0 || type >= kBaseshapeKinds || type == Type()) return;
    Snapshot();
    const int i = Current();
    BaseshapeRecord& r = gBaseshapes[i];
    r.shapeType = type;
    r.interior = 0;
    PlacePicker(r, type, shapeSelector);
    ApplyShapeTypeDefaults(i);
    if (!gBaseshapeTextureOk[type]) r.useTexture = 0;
    page = 0;
    rangesFor = -1;
    ShowWidgets();
    RefreshColoring();
    UploadDMapPreview(i);
    Edited(true);
}

void BaseShapeEditor::Commit()
{
    Snapshot();
    ComputeBaseshapeMatrix(Current());
    HideWidgets();
    Edited(false);
}

void BaseShapeEditor::Randomize()
{
    Snapshot();
    const int i = Current(), type = Type();
    BaseshapePoint& point = gBaseshapeEditPoints[i];
    float p[kShapeParameters];
    std::memcpy(p, point.p, sizeof p);
    RandomizeBaseshape(type, p);
    // Whole-number rows keep whole numbers, as a drag stores them.
    for (int k = 0; k < kShapeParameters; ++k) point.p[k] = ShapeParameterRange(type, k).integer ? std::trunc(p[k]) : p[k];
    gBaseshapePointTemplates[i] = point;
    Edited(false);
}

void BaseShapeEditor::LoadDMap()
{
    const int type = Type();
    const int border = type == 49 || type == 50 ? 1 : type == 77 ? 2 : 0;
    if (PickBaseshapeDMap(border, Current())) Edited(false);
}

void BaseShapeEditor::LoadMesh()
{
    const int type = Type();
    if ((type == 58 || type == 60) && ImportStlMesh(Current())) Edited(false);
}

void BaseShapeEditor::ClearMesh()
{
    ClearBaseshapeMesh(Current());
    Edited(false);
}

void BaseShapeEditor::StartTextureJob(int kind)
{
    textureJobKind = kind;
    if (hooks.startTextureJob && hooks.startTextureJob(kind)) Edited(false);
}

void BaseShapeEditor::NewPresets()
{
    if (hooks.regeneratePresets) hooks.regeneratePresets();
    Edited(false);
}

// ---- [placement] --------------------------------------------------------------------------

void BaseShapeEditor::ResetScaleAndShear()
{
    Snapshot();
    float* s = Record().scaleShear;
    std::memset(s, 0, sizeof Record().scaleShear);
    s[0] = s[4] = s[8] = 1.0f;
    Edited(true);
}

void BaseShapeEditor::ApplyFixedRotation(int row)
{
    Snapshot();
    float* rotation = Record().rotation;
    if (const float* m = BaseshapeFixedRotation(row)) {
        std::memcpy(rotation, m, sizeof Record().rotation);
    } else {
        for (int k = 0; k < 9; ++k) rotation[k] = -rotation[k];
    }
    Edited(true);
}

void BaseShapeEditor::ResetRotation()
{
    Snapshot();
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::memcpy(Record().rotation, identity, sizeof identity);
    Edited(true);
}

void BaseShapeEditor::MoveToOrigin()
{
    Snapshot();
    const int i = Current();
    float* p = gBaseshapes[i].position;
    std::memcpy(rememberedPosition, p, sizeof rememberedPosition);
    p[0] = p[1] = p[2] = 0.0f;
    ComputeBaseshapeMatrix(i);
    // "Move All": the others keep their places relative to this one.
    if (moveAll) {
        for (int j = 0; j < std::min(gBaseshapeCount, kMaxBaseshapes); ++j) {
            if (j == i) continue;
            for (int k = 0; k < 3; ++k) {
                gBaseshapes[j].position[k] -= rememberedPosition[k];
                gBaseshapes[j].glMatrix[12 + k] -= rememberedPosition[k];
            }
        }
    }
    Edited(false);
}

void BaseShapeEditor::ModifierChosen()
{
    const int i = Current();
    if (gBaseshapeModifierType[i] <= 0) gBaseshapeModifierAmount[i] = 0.0f;
    gBaseshapes[i].modifierOn = gBaseshapeModifierType[i] > 0 ? 1 : 0;
    Edited(false);
}

void BaseShapeEditor::ArrayChosen()
{
    const int i = Current();
    if (gBaseshapeArrayType[i] <= 0) {
        gBaseshapeArrayCount[i] = 8;
        gBaseshapeArrayAngle[i] = kTwoPi / 8.0f;
        gBaseshapeArrayPivotX[i] = gBaseshapeArrayPivotY[i] = gBaseshapeArrayPivotZ[i] = 0.0f;
    }
    gBaseshapes[i].arrayOn = gBaseshapeArrayType[i] > 0 ? 1 : 0;
    Edited(false);
}

void BaseShapeEditor::ApplyAxisPreset(int row, float* vector)
{
    BaseshapeAxisPreset(row, Record().rotation, vector);
    Edited(true);
}

// ---- [colours] ----------------------------------------------------------------------------

void BaseShapeEditor::LoadTexture()
{
    if (PickBaseshapeTexture(Current())) Edited(false);
}

void BaseShapeEditor::ClearTexture()
{
    ClearBaseshapeTexture(Current());
    UploadTexturePreview(Current());
    Edited(false);
}

void BaseShapeEditor::LoadGradient()
{
    if (PickBaseshapeColorMap(Current())) Edited(false);
}

void BaseShapeEditor::RandomGradient()
{
    ResetBaseshapeColorTable(Current());
    Edited(false);
}

void BaseShapeEditor::GradientPicked()
{
    ColorMap map;
    gradientBrowser.CopyRow(gradientBrowser.selectedRow, map);
    ColorRamp& ramp = gBaseshapeColorRamps[Current()];
    std::memcpy(ramp.r, map.red, sizeof ramp.r);
    std::memcpy(ramp.g, map.green, sizeof ramp.g);
    std::memcpy(ramp.b, map.blue, sizeof ramp.b);
    Edited(false);
}

// The colour table as a ".map" file, through the application's colour-map
// save (a failed write leaves no partial file behind).
bool BaseShapeEditor::SaveGradient()
{
    const ColorRamp& ramp = gBaseshapeColorRamps[Current()];
    ColorMap map;
    std::memcpy(map.red, ramp.r, sizeof map.red);
    std::memcpy(map.green, ramp.g, sizeof map.green);
    std::memcpy(map.blue, ramp.b, sizeof map.blue);
    if (!gInterfaceFileServices.saveColorMap || !gInterfaceFileServices.saveColorMap(map)) return false;
    Edited(false);
    return true;
}

// ---- [3-D preview] ------------------------------------------------------------------------

void BaseShapeEditor::DragInPreview(float across, float up, const float* view)
{
    const int count = std::min(gBaseshapeCount, kMaxBaseshapes);
    if (count < 1) return;
    // Rows 0 and 1 of the view rotation are the screen's right and up in the model.
    float step[3];
    for (int k = 0; k < 3; ++k) step[k] = across * view[k] + up * view[3 + k];
    for (int j = 0; j < count; ++j) {
        if (j != Current() && !moveAll) continue;
        for (int k = 0; k < 3; ++k) gBaseshapes[j].position[k] += step[k];
        ComputeBaseshapeMatrix(j);
    }
    pointPreviewDirty = 1;
    Redraw();
}

// ---- [shell services] -------------------------------------------------------------------

bool StoreBaseshapeEditorUndo()
{
    gBaseShapeEditor.Snapshot();
    return true;
}

bool FinishBaseshapeEditorPress() { return gBaseShapeEditor.FinishPress(); }
