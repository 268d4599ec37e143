#include "engine/baseshape_seed_pick.h"

#include "engine/baseshape_generators.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"

int32_t gVoxelEngineOn = 0;
uint8_t gFillBaseshapesOption = 1;

namespace {

BaseshapePoint KeepBaseshapePoint(BaseshapePoint point, int32_t, uint8_t) { return point; }

}  // namespace

BaseshapeSampler gBaseshapeGenerators[2][kBaseshapeTableSize];
BaseshapePointMap gBaseshapeModifierMap = KeepBaseshapePoint;
BaseshapePointMap gBaseshapeArrayMap = KeepBaseshapePoint;

namespace {

inline constexpr int kBaseshapeKindSierpinski = 57;
inline constexpr int kRampFirst = 1;
inline constexpr int kRampSteps = 254;  // entries 1..254; 0 and 255 stay unused

// The record's baseshape index for the slot, kept inside the tables even if
// the pick never ran on this slot.
inline int SlotBaseshape(uint8_t slot)
{
    const int b = gSlotBaseshape[slot];
    return (b >= 0 && b < kMaxBaseshapes) ? b : 0;
}

inline int PickIndex(uint8_t slot)
{
    const int32_t count = gBaseshapeCount;
    if (count <= 1) return 0;
    const int32_t last = count < kMaxBaseshapes ? count - 1 : kMaxBaseshapes - 1;
    float u = RandomUniform(gSlotRandom[slot]);
    const float* probabilities = gSlotPickModel[slot].baseshapeProbabilities;
    for (int b = 0; b < last; ++b) {
        u -= probabilities ? probabilities[b] : gBaseshapes[b].probability;
        if (u < 0.0f) return b;
    }
    return last;  // the remainder, and the last baseshape's own share
}

// The slots' entries of the byte arrays share cache lines: a value that did
// not change is not stored again, so with one baseshape the lines stay shared
// instead of moving between the workers at every seed.
template <class T>
inline void StoreIfChanged(T& entry, T value)
{
    if (entry != value) entry = value;
}

}  // namespace

BaseshapeSeed PickBaseshapeSeed(uint8_t slot)
{
    const int b = PickIndex(slot);
    const BaseshapeRecord& rec = gBaseshapes[b];
    // Built in a local and stored once: the slots' working points share cache lines.
    BaseshapePoint point = gBaseshapePointTemplates[b];

    const uint8_t colorMode = rec.useTexture ? static_cast<uint8_t>((rec.smoothTexture ? 1 : 0) + 1) : 0;
    StoreIfChanged(gSlotColorMode[slot], colorMode);
    if (gColoringMode.load(std::memory_order_relaxed) >= 8) {
        point.red = point.green = point.blue = 0;
    } else {
        point.red = static_cast<uint8_t>(gBaseshapeColors.r[b]);
        point.green = static_cast<uint8_t>(gBaseshapeColors.g[b]);
        point.blue = static_cast<uint8_t>(gBaseshapeColors.b[b]);
    }
    StoreIfChanged(gSlotBaseshape[slot], static_cast<int8_t>(b));

    // A damaged record's kind falls back to kind 0 rather than leaving the table.
    int32_t kind = rec.shapeType;
    if (kind < 0 || kind >= kBaseshapeTableSize) kind = 0;
    // Kinds 0 and 57 continue from the slot's previous seed.
    if (kind == 0) {
        point.x = point.size * gSlotBaseshapePosition[slot][0];
        point.y = point.size * gSlotBaseshapePosition[slot][1];
        point.z = point.size * gSlotBaseshapePosition[slot][2];
    } else if (kind == kBaseshapeKindSierpinski) {
        point.x = gSlotBaseshapePosition[slot][0];
        point.y = gSlotBaseshapePosition[slot][1];
        point.z = gSlotBaseshapePosition[slot][2];
    }

    const bool filled = (gVoxelEngineOn && gFillBaseshapesOption) || rec.interior;
    gBaseshapeGenerators[filled ? 1 : 0][kind](&point, slot);
    if (rec.modifierOn) point = gBaseshapeModifierMap(point, gBaseshapeModifierType[b], slot);
    if (rec.arrayOn) point = gBaseshapeArrayMap(point, gBaseshapeArrayType[b], slot);

    gSlotBaseshapePoints[slot] = point;
    StoreIfChanged(gSlotSampleColor[slot][0], point.red);
    StoreIfChanged(gSlotSampleColor[slot][1], point.green);
    StoreIfChanged(gSlotSampleColor[slot][2], point.blue);

    // The current position is glMatrix 12..14: the record's position, or
    // where the baseshape animation has moved it.
    const float* m = rec.matrix;
    const float* at = rec.glMatrix + 12;
    const float x = point.x, y = point.y, z = point.z;
    float X = m[0] * x + m[1] * y + m[2] * z;
    const float Y = (m[3] * x + m[4] * y) + (m[5] * z + at[1]);
    float Z = m[6] * x + m[7] * y + m[8] * z;
    const int32_t type = gFractalType;
    const bool planar = type >= 0 && type < kFractalTypeCount && gPlanarFractalTypes[type];
    if (planar && rec.pointsPerRun != 0) {
        X = 20.0f * X + at[0];
        Z = 20.0f * Z + at[2];
    } else {
        X = X + at[0];
        Z = Z + at[2];
    }
    gSlotSeedPoint[slot][0] = gSlotBaseshapePosition[slot][0] = X;
    gSlotSeedPoint[slot][1] = gSlotBaseshapePosition[slot][1] = Y;
    gSlotSeedPoint[slot][2] = gSlotBaseshapePosition[slot][2] = Z;
    const uint8_t colorIndex = static_cast<uint8_t>(b + 1);
    StoreIfChanged(gSlotBaseshapeColorIndex[slot], colorIndex);
    return {X, Y, Z, colorIndex, static_cast<uint8_t>(b)};
}

void PickBaseshapePoint(uint8_t slot) { PickBaseshapeSeed(slot); }

void ColorBaseshapeRun(int32_t first, int32_t end, uint8_t slot)
{
    if (first > end) return;
    const int32_t stop = first == end ? first + 1 : end;
    const int b = SlotBaseshape(slot);
    const BaseshapeRecord& rec = gBaseshapes[b];
    const int mode = (rec.useTexture ? 1 : 0) + (rec.useGradient ? 2 : 0);

    if (mode < 2) {
        uint8_t r, g, bl;
        if (mode == 1) {
            r = gSlotSampleColor[slot][0];
            g = gSlotSampleColor[slot][1];
            bl = gSlotSampleColor[slot][2];
        } else if (gColoringMode.load(std::memory_order_relaxed) >= 8) {
            r = g = bl = 0;
        } else {
            r = static_cast<uint8_t>(gBaseshapeColors.r[b]);
            g = static_cast<uint8_t>(gBaseshapeColors.g[b]);
            bl = static_cast<uint8_t>(gBaseshapeColors.b[b]);
        }
        for (int32_t j = first; j < stop; ++j) {
            gPointColorR[j] = r;
            gPointColorG[j] = g;
            gPointColorB[j] = bl;
        }
        return;
    }

    const ColorRamp& ramp = gBaseshapeColorRamps[b];
    const int32_t blend = rec.blendMode;
    int k = kRampFirst;
    for (int32_t j = first; j < stop; ++j) {
        uint8_t c[6] = {ramp.r[k], ramp.g[k], ramp.b[k],
                        gSlotSampleColor[slot][0], gSlotSampleColor[slot][1], gSlotSampleColor[slot][2]};
        if (mode == 3) BlendColors(c, &blend);
        gPointColorR[j] = c[0];
        gPointColorG[j] = c[1];
        gPointColorB[j] = c[2];
        if (++k > kRampSteps) k = kRampFirst;
    }
}
