// Puts the model into a small known state for kernel, seed-pick and colouring
// tests: batch bounds, transformations, one baseshape, colouring reset.
#pragma once

#include <cstring>

#include "engine/baseshape_generators.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"

namespace test_support {

// Transformation t: uniform scale s about the origin, then (tx, ty, tz).
inline void SetAffine(int t, float s, float tx, float ty, float tz)
{
    TransformCoefficients& c = gTransformCoefficients;
    c.m00[t] = s, c.m01[t] = 0, c.m02[t] = 0, c.tx[t] = tx;
    c.m10[t] = 0, c.m11[t] = s, c.m12[t] = 0, c.ty[t] = ty;
    c.m20[t] = 0, c.m21[t] = 0, c.m22[t] = s, c.tz[t] = tz;
}

// n transformations picked in turn by the low byte of the hash (entry e of
// every row is e mod n), coloured (40 t + 10, 255 - 30 t, 7 t).
inline void SetTransforms(int n)
{
    gTransformCount = gPickTransformCount = n;
    for (int t = 0; t < n; ++t) {
        SetAffine(t, 0.5f, t == 1 ? 0.5f : 0.0f, t == 2 ? 0.5f : 0.0f, t == 3 ? 0.5f : 0.0f);
        gTransformColors.r[t] = 40 * t + 10;
        gTransformColors.g[t] = 255 - 30 * t;
        gTransformColors.b[t] = 7 * t;
        gTransformWeights[t] = 1.0f / static_cast<float>(n);
        for (int e = 0; e < 256; ++e) gTransformTransitions[t][e] = static_cast<uint32_t>(e % n);
    }
    for (int e = 0; e < 256; ++e) gTransformPickTable[e] = static_cast<uint8_t>(e % n);
}

// Fresh slot tables and batch, with fixed hash and generator seeds.
inline void ResetSlots()
{
    InitGlobalState();
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        gSlotHash[s] = 0x12345u + 77u * static_cast<uint32_t>(s);
        SeedRandomState(gSlotRandom[s], 1000u + static_cast<uint32_t>(s));
        gBaseshapeRandom[s].Seed(2000u + static_cast<uint32_t>(s));
    }
}

inline void SetIdentityBaseshape(int b)
{
    BaseshapeRecord& r = gBaseshapes[b];
    r = BaseshapeRecord{};
    const float id[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::memcpy(r.matrix, id, sizeof id);
    r.probability = 1.0f;
    r.shapeType = 1;
    r.blendMode = 7;
    gBaseshapePointTemplates[b] = BaseshapePoint{};
    gBaseshapePointTemplates[b].size = 1.0f;
    gBaseshapeModifierType[b] = 0;
    gBaseshapeArrayType[b] = 0;
}

// One baseshape of kind 1 with the identity placement, colour (11, 22, 33).
inline void ResetModel(int transforms)
{
    ResetSlots();
    SetTransforms(transforms);
    gFractalType = 0;
    gUseBaseshapes = 0;
    gBaseshapeCount = 1;
    for (int b = 0; b < kMaxBaseshapes; ++b) SetIdentityBaseshape(b);
    gBaseshapeColors.r[0] = 11;
    gBaseshapeColors.g[0] = 22;
    gBaseshapeColors.b[0] = 33;
    ResetColoringTables();
    gColoringMode = 8;
}

// Puts `surface` and `filled` in every entry of the two generator tables for
// the life of the object.
class ScopedSamplers {
public:
    ScopedSamplers(BaseshapeSampler surface, BaseshapeSampler filled)
    {
        std::memcpy(saved_, gBaseshapeGenerators, sizeof saved_);
        for (int k = 0; k < kBaseshapeTableSize; ++k) {
            gBaseshapeGenerators[0][k] = surface;
            gBaseshapeGenerators[1][k] = filled;
        }
    }
    ~ScopedSamplers() { std::memcpy(gBaseshapeGenerators, saved_, sizeof saved_); }
    ScopedSamplers(const ScopedSamplers&) = delete;
    ScopedSamplers& operator=(const ScopedSamplers&) = delete;

private:
    BaseshapeSampler saved_[2][kBaseshapeTableSize];
};

}  // namespace test_support
