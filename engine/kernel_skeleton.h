// The loop every chaos-game kernel shares: run seeding from baseshapes, run
// lengths, the show-first-point rule, run colouring, the per-point hash step
// and successor, the colouring step. A fractal type supplies only its map,
// inlined into the loop, so the hot loop makes no dispatch on the type.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"

// map(slot, t, x, y, z) replaces (x, y, z) by its image under transformation t.
template <class Map>
inline void RunChaosGameKernel(uint8_t slot, Map map)
{
    int32_t i = gSlotBatchStart[slot];
    const int32_t end = gSlotBatchEnd[slot];
    float x = gSlotPoint.x[slot];
    float y = gSlotPoint.y[slot];
    float z = gSlotPoint.z[slot];
    uint8_t k = gPointColorIndex[gSlotBatchLast[slot]];
    int32_t t = gSlotTransform[slot];
    if (t < 0 || t >= kMaxTransforms) t = 0;
    const bool useBaseshapes = gUseBaseshapes != 0;
    // The hash lives in a register for the whole call: the 24 slots' words
    // share a cache line, and stepping them in memory makes the workers
    // invalidate each other's line at every point.
    uint32_t hash = gSlotHash[slot];

    do {
        int32_t e = end;
        if (useBaseshapes) {
            const BaseshapeSeed seed = PickBaseshapeSeed(slot);
            x = seed.x;
            y = seed.y;
            z = seed.z;
            k = seed.colorIndex;
            const BaseshapeRecord& rec = gBaseshapes[seed.baseshape];
            const uint32_t n = rec.pointsPerRun;
            if (n == 0) {
                // The baseshape itself is drawn: one seed point, no iteration.
                ColorBaseshapeRun(i, i, slot);
                gPointX[i] = x;
                gPointY[i] = y;
                gPointZ[i] = z;
                gPointColorIndex[i] = k;
                ++i;
                continue;
            }
            const int64_t length =
                rec.randomRunLength ? 1 + static_cast<int64_t>(StepSlotHash(hash) % n) : int64_t{n};
            e = static_cast<int32_t>(std::min<int64_t>(end, i + length));
            ColorBaseshapeRun(i, e, slot);
            if (rec.showBaseshape && i + 1 < end && e + 1 < end) {
                gPointX[i] = x;
                gPointY[i] = y;
                gPointZ[i] = z;
                gPointColorIndex[i] = k;
                ++i;
                ++e;
                ColorBaseshapeRun(i, e, slot);
            }
        }
        gSlotColorStart[slot].load(std::memory_order_relaxed)(slot);
        for (int32_t j = i; j < e; ++j) {
            gPointColorIndex[j] = k;
            const uint32_t h = StepSlotHash(hash);
            t = static_cast<int32_t>(gTransformTransitions[t][h & 255u]);
            // Reloaded per point: a first step replaces itself.
            gSlotColorStep[slot].load(std::memory_order_relaxed)(slot, t, j);
            map(slot, t, x, y, z);
            gPointX[j] = x;
            gPointY[j] = y;
            gPointZ[j] = z;
        }
        i = e;
    } while (useBaseshapes && i != end);

    gSlotHash[slot] = hash;
    gSlotTransform[slot] = t;
    gSlotPoint.x[slot] = x;
    gSlotPoint.y[slot] = y;
    gSlotPoint.z[slot] = z;
}

// The affine step of transformation t, in single precision.
inline void ApplyAffineTransform(int32_t t, float& x, float& y, float& z)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const float nx = c.m00[t] * x + c.m01[t] * y + c.m02[t] * z + c.tx[t];
    const float ny = c.m10[t] * x + c.m11[t] * y + c.m12[t] * z + c.ty[t];
    const float nz = c.m20[t] * x + c.m21[t] * y + c.m22[t] * z + c.tz[t];
    x = nx;
    y = ny;
    z = nz;
}
