#include "engine/baseshape_record.h"

#include <cstring>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_images.h"
#include "engine/point_coloring.h"
#include "engine/vector_math.h"

BaseshapePoint gBaseshapeEditPoints[kMaxBaseshapes];
int32_t gCurrentBaseshape = 0;
float gBaseshapeSpin[kMaxBaseshapes][4];
float gBaseshapeMoveDirection[kMaxBaseshapes][3];
float gBaseshapeMoveWave[kMaxBaseshapes][3];
uint8_t gBaseshapeWaveType[kMaxBaseshapes];
BaseshapeHooks gBaseshapeHooks;

const uint8_t kBaseshapeColorWheel[16][3] = {
    {255, 0, 106}, {255, 21, 0},   {255, 115, 0}, {255, 209, 0}, {209, 255, 0}, {115, 255, 0},
    {21, 255, 0},  {0, 255, 72},   {0, 255, 166}, {0, 251, 255}, {0, 157, 255}, {0, 64, 255},
    {29, 0, 255},  {123, 0, 255},  {217, 0, 255}, {255, 0, 200}};

namespace {

bool IsBaseshapeIndex(int i) { return i >= 0 && i < kMaxBaseshapes; }

void CopyPointToTemplate(int i) { gBaseshapePointTemplates[i] = gBaseshapeEditPoints[i]; }

void SetBaseColorWhite(int i)
{
    gBaseshapeColors.r[i] = gBaseshapeColors.g[i] = gBaseshapeColors.b[i] = 255;
}

}  // namespace

bool ShapeTypeUsesDMap(int shapeType)
{
    switch (shapeType) {
    case 49: case 50: case 51: case 52: case 53: case 54: case 55: case 73:
    case 77: case 84: case 85: case 86: case 87: case 90: case 94:
        return true;
    default:
        return false;
    }
}

void InitNewBaseshape(const BaseshapeDefaults& defaults, int i)
{
    if (!IsBaseshapeIndex(i)) return;
    BaseshapeRecord& r = gBaseshapes[i];
    std::memcpy(r.rotation, defaults.rotation, sizeof r.rotation);
    std::memset(r.scaleShear, 0, sizeof r.scaleShear);
    r.scaleShear[0] = r.scaleShear[4] = r.scaleShear[8] = 1.0f;
    std::memset(r.matrix, 0, sizeof r.matrix);
    r.position[0] = r.position[1] = r.position[2] = 0.0f;
    r.shapeType = 1;
    r.probability = 0.5f;
    r.pickerX = defaults.pickerX;
    r.pickerY = defaults.pickerY;
    r.pickerFirst = defaults.pickerFirst;
    r.pickerCell = defaults.pickerCell;
    r.pointsPerRun = 0;
    r.material = 0;
    r.showBaseshape = r.useTexture = r.randomRunLength = r.useGradient = 0;
    r.modifierOn = r.arrayOn = r.neonOn = r.interior = 0;
    std::memset(r.reserved, 0, sizeof r.reserved);
    r.smoothTexture = 1;
    r.animationStored = 1;

    gBaseshapeEditPoints[i].size = 0.5f;
    gBaseshapeEditPoints[i].p[0] = 0.5f;
    CopyPointToTemplate(i);

    ResetBaseshapeDMap(i, 1);
    for (int k = 0; k < 256; ++k) {
        gBaseshapeColorRamps[i].r[k] = kBaseshapeColorWheel[k % 16][0];
        gBaseshapeColorRamps[i].g[k] = kBaseshapeColorWheel[k % 16][1];
        gBaseshapeColorRamps[i].b[k] = kBaseshapeColorWheel[k % 16][2];
    }
    r.blendMode = 7;

    gBaseshapeModifierType[i] = 0;
    gBaseshapeModifierAmount[i] = 0.0f;
    gBaseshapeArrayType[i] = 0;
    gBaseshapeArrayCount[i] = 8;
    gBaseshapeArrayAngle[i] = 0.7853982f;
    gBaseshapeArrayPivotX[i] = gBaseshapeArrayPivotY[i] = gBaseshapeArrayPivotZ[i] = 0.0f;
    const float spin[4] = {0, 1, 0, 0};
    std::memcpy(gBaseshapeSpin[i], spin, sizeof spin);
    const float up[3] = {0, 1, 0};
    std::memcpy(gBaseshapeMoveDirection[i], up, sizeof up);
    gBaseshapeMoveWave[i][0] = gBaseshapeMoveWave[i][1] = gBaseshapeMoveWave[i][2] = 0.0f;
    gBaseshapeWaveType[i] = 3;
    gBaseshapeNeonColor.r[i] = 255;
    gBaseshapeNeonColor.g[i] = 0;
    gBaseshapeNeonColor.b[i] = 0;
    gBaseshapeNeonStrength[i] = 2.0f;
    SetBaseColorWhite(i);
}

void ApplyShapeTypeDefaults(int i)
{
    if (!IsBaseshapeIndex(i)) return;
    BaseshapePoint& point = gBaseshapeEditPoints[i];
    std::memset(point.p, 0, sizeof point.p);
    point.x = point.y = point.z = 0.0f;
    point.size = 0.5f;
    if (const ShapeTypeDefaultsRow* row = FindShapeTypeDefaults(gBaseshapes[i].shapeType)) {
        std::memcpy(point.p, row->p, sizeof point.p);
        point.size = row->size;
        if (row->dmapBorder >= 0) ResetBaseshapeDMap(i, row->dmapBorder);
        if (row->resetMesh) ClearBaseshapeMesh(i);
    }
    CopyPointToTemplate(i);
    SetBaseColorWhite(i);
}

void ComputeBaseshapeMatrix(int i)
{
    if (!IsBaseshapeIndex(i)) return;
    BaseshapeRecord& r = gBaseshapes[i];
    MultiplyMatrix3(r.rotation, r.scaleShear, r.matrix);
    AffineToColumnMajor(r.matrix, r.position, r.glMatrix);
}

void CopyBaseshape(int from, int to)
{
    if (!IsBaseshapeIndex(from) || !IsBaseshapeIndex(to) || from == to) return;
    gBaseshapes[to] = gBaseshapes[from];

    // Every shape parameter travels, so a delete that closes the gap with
    // copies keeps P9..P12 of the baseshapes that move down.
    const BaseshapePoint& src = gBaseshapeEditPoints[from];
    BaseshapePoint& dst = gBaseshapeEditPoints[to];
    dst.size = src.size;
    std::memcpy(dst.p, src.p, sizeof dst.p);
    gBaseshapePointTemplates[to] = src;

    CopyBaseshapeImage(gBaseshapeDMaps[to], gBaseshapeDMaps[from], 1);
    CopyBaseshapeImage(gBaseshapeTextures[to], gBaseshapeTextures[from], 3);
    CopyBaseshapeMesh(gBaseshapeMeshes[to], gBaseshapeMeshes[from]);

    gBaseshapeColorRamps[to] = gBaseshapeColorRamps[from];
    gBaseshapeModifierType[to] = gBaseshapeModifierType[from];
    gBaseshapeModifierAmount[to] = gBaseshapeModifierAmount[from];
    gBaseshapeArrayType[to] = gBaseshapeArrayType[from];
    gBaseshapeArrayCount[to] = gBaseshapeArrayCount[from];
    gBaseshapeArrayAngle[to] = gBaseshapeArrayAngle[from];
    gBaseshapeArrayPivotX[to] = gBaseshapeArrayPivotX[from];
    gBaseshapeArrayPivotY[to] = gBaseshapeArrayPivotY[from];
    gBaseshapeArrayPivotZ[to] = gBaseshapeArrayPivotZ[from];
    std::memcpy(gBaseshapeSpin[to], gBaseshapeSpin[from], sizeof gBaseshapeSpin[to]);
    std::memcpy(gBaseshapeMoveDirection[to], gBaseshapeMoveDirection[from], sizeof gBaseshapeMoveDirection[to]);
    std::memcpy(gBaseshapeMoveWave[to], gBaseshapeMoveWave[from], sizeof gBaseshapeMoveWave[to]);
    gBaseshapeWaveType[to] = gBaseshapeWaveType[from];
    gBaseshapeNeonColor.r[to] = gBaseshapeNeonColor.r[from];
    gBaseshapeNeonColor.g[to] = gBaseshapeNeonColor.g[from];
    gBaseshapeNeonColor.b[to] = gBaseshapeNeonColor.b[from];
    gBaseshapeNeonStrength[to] = gBaseshapeNeonStrength[from];
    gBaseshapeColors.r[to] = gBaseshapeColors.r[from];
    gBaseshapeColors.g[to] = gBaseshapeColors.g[from];
    gBaseshapeColors.b[to] = gBaseshapeColors.b[from];
}

void ResetBaseshapeWeights()
{
    const int n = gBaseshapeCount > kMaxBaseshapes ? kMaxBaseshapes : gBaseshapeCount;
    if (n <= 0) return;
    const float p = 1.0f / static_cast<float>(n);
    for (int b = 0; b < n; ++b) gBaseshapes[b].probability = p;
}

void SaveBaseshapeUndo(BaseshapeUndo& undo, uint8_t editorSetting)
{
    std::memcpy(undo.records, gBaseshapes, sizeof undo.records);
    std::memcpy(undo.editPoints, gBaseshapeEditPoints, sizeof undo.editPoints);
    undo.current = gCurrentBaseshape;
    undo.count = gBaseshapeCount;
    undo.editorSetting = editorSetting;
    undo.useBaseshapes = gUseBaseshapes;
}

void RestoreBaseshapeUndo(const BaseshapeUndo& undo)
{
    std::memcpy(gBaseshapes, undo.records, sizeof gBaseshapes);
    std::memcpy(gBaseshapeEditPoints, undo.editPoints, sizeof gBaseshapeEditPoints);
    std::memcpy(gBaseshapePointTemplates, undo.editPoints, sizeof gBaseshapePointTemplates);
    gBaseshapeCount = undo.count < 0 ? 0 : (undo.count > kMaxBaseshapes ? kMaxBaseshapes : undo.count);
    gCurrentBaseshape = undo.current < 0 ? 0 : (undo.current >= kMaxBaseshapes ? kMaxBaseshapes - 1 : undo.current);
    gUseBaseshapes = undo.useBaseshapes;
    SetColoringMode(gColoringMode.load());
    ResetBaseshapeWeights();
}
