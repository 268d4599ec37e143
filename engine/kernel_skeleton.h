// The loop every chaos-game kernel shares: run seeding from baseshapes, run
// lengths, the show-first-point rule, run colouring, the per-point hash step
// and successor, the colouring step. A fractal type supplies only its map,
// inlined into the loop, so the hot loop makes no dispatch on the type.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"

// Where the orbit resumes at the start of a call and is saved at its end.
enum class OrbitSource : uint8_t {
    kSlotPoint,        // gSlotPoint, read on entry and written on exit
    kLastBatchPoint,   // the slot's last batch point; gSlotPoint untouched
    kQuaternionPoint,  // gSlotQuaternionPoint, saved with w = 0
};

// What the value t handed to the colouring step and the map is.
enum class TransformPick : uint8_t {
    kTransitionRow,   // the successor in the previous transformation's row
    kHashModulo,      // hash word mod pickModulus; the previous transformation stays
    kTransitionFlag,  // 1 when the row entry is not 0, else 0; the previous transformation stays
    kNone,            // no hash step and no colouring step; the map gets t = 0
};

// The variants of the one loop, fixed at compile time per fractal type. The
// map's arguments grow with the options: (slot, t, x, y, z), then
// (sx, sy, sz) with storesWorkPoint, then (hash) with mapStepsHash, then the
// batch index j with mapTakesIndex. With seedHook the map object also has
// Seed(slot, x, y, z, hash), run on every seed before it is stored or
// iterated; it may move the seed and draw hash words.
struct KernelOptions {
    OrbitSource orbit = OrbitSource::kSlotPoint;
    TransformPick pick = TransformPick::kTransitionRow;
    uint32_t pickModulus = 1;
    bool coloring = true;         // colouring start and step calls
    bool runAwayReset = false;    // a saved point beyond radius 100 restarts the orbit
    bool mapStepsHash = false;    // the map draws further hash words itself
    bool mapMayEndRun = false;    // the map returns false: the run ends, nothing stored
    bool storesWorkPoint = false; // the map writes the stored point apart from the orbit
    bool mapTakesIndex = false;   // the map gets the batch index it is about to write
    bool seedHook = false;        // map.Seed(slot, x, y, z, hash) after each seed pick
};

// Where a restarted orbit begins: a run-away or non-finite point at call entry.
inline constexpr float kOrbitRestart[3] = {0.162f, 0.21f, 0.141f};
// Escapes in a row at one batch index before the seed itself is stored.
inline constexpr int kMaxStalledSeeds = 64;

namespace kernel_detail {

template <KernelOptions O, class Map>
inline bool CallMap(Map& map, uint8_t slot, int32_t t, float& x, float& y, float& z, float* store,
                    uint32_t& hash, int32_t j)
{
    auto withIndex = [&](auto&&... extra) {
        if constexpr (O.mapTakesIndex) return map(extra..., j);
        else return map(extra...);
    };
    auto call = [&](auto&&... extra) {
        if constexpr (O.storesWorkPoint) {
            return withIndex(slot, t, x, y, z, store[0], store[1], store[2], extra...);
        } else {
            return withIndex(slot, t, x, y, z, extra...);
        }
    };
    if constexpr (O.mapStepsHash) {
        if constexpr (O.mapMayEndRun) return call(hash);
        else call(hash);
    } else {
        if constexpr (O.mapMayEndRun) return call();
        else call();
    }
    return true;
}

}  // namespace kernel_detail

// map replaces (x, y, z) by its image under t (see KernelOptions for the
// arguments the options add). A map object passed as an lvalue is used in
// place, so a kernel reads the state it carried (orbits of its own) after
// the call.
template <KernelOptions O = KernelOptions{}, class Map>
inline void RunChaosGameKernel(uint8_t slot, Map&& map)
{
    static_assert(O.pick != TransformPick::kHashModulo || O.pickModulus > 0, "a hash pick needs a modulus");
    int32_t i = gSlotBatchStart[slot];
    const int32_t end = gSlotBatchEnd[slot];
    float x, y, z;
    if constexpr (O.orbit == OrbitSource::kSlotPoint) {
        x = gSlotPoint.x[slot];
        y = gSlotPoint.y[slot];
        z = gSlotPoint.z[slot];
    } else if constexpr (O.orbit == OrbitSource::kLastBatchPoint) {
        const int32_t last = gSlotBatchLast[slot];
        x = gPointX[last];
        y = gPointY[last];
        z = gPointZ[last];
    } else {
        x = gSlotQuaternionPoint[slot].x;
        y = gSlotQuaternionPoint[slot].y;
        z = gSlotQuaternionPoint[slot].z;
    }
    uint8_t k = gPointColorIndex[gSlotBatchLast[slot]];
    int32_t t = gSlotTransform[slot];
    if (t < 0 || t >= kMaxTransforms) t = 0;
    // A NaN fails every comparison, so the run-away test also catches it.
    const bool restart = O.runAwayReset ? !(x * x + y * y + z * z <= 10000.0f)
                                        : !(std::isfinite(x) && std::isfinite(y) && std::isfinite(z));
    if (restart) {
        x = kOrbitRestart[0];
        y = kOrbitRestart[1];
        z = kOrbitRestart[2];
        if constexpr (O.orbit == OrbitSource::kSlotPoint) {
            gSlotPoint.x[slot] = x;
            gSlotPoint.y[slot] = y;
            gSlotPoint.z[slot] = z;
        }
        if constexpr (O.runAwayReset) {
            t = 0;
            gSlotTransform[slot] = 0;
        }
    }
    const bool useBaseshapes = gUseBaseshapes != 0;
    // The hash lives in a register for the whole call: the 24 slots' words
    // share a cache line, and stepping them in memory makes the workers
    // invalidate each other's line at every point.
    uint32_t hash = gSlotHash[slot];
    const SlotPickModel& model = gSlotPickModel[slot];
    const uint32_t (*const transitions)[256] = model.transitions;
    float store[3] = {0.0f, 0.0f, 0.0f};
    int stalledSeeds = 0;
    bool callEnded = false;

    do {
        int32_t e = end;
        if (useBaseshapes) {
            const BaseshapeSeed seed = PickBaseshapeSeed(slot);
            x = seed.x;
            y = seed.y;
            z = seed.z;
            k = seed.colorIndex;
            if constexpr (O.seedHook) map.Seed(slot, x, y, z, hash);
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
            const uint8_t randomLength =
                model.runLengthFlags ? model.runLengthFlags[seed.baseshape] : rec.randomRunLength;
            const int64_t length =
                randomLength ? 1 + static_cast<int64_t>(StepSlotHash(hash) % n) : int64_t{n};
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
        if constexpr (O.coloring) gSlotColorStart[slot].load(std::memory_order_relaxed)(slot);
        // The run's points, with or without the colouring step. The call
        // makes the compiler keep x, y and z on the stack around it, so a
        // step that does nothing (checked once a run, after the start, which
        // may swap the step) is left out altogether.
        auto runPoints = [&]<bool kColorStep>() {
            for (int32_t j = i; j < e; ++j) {
                gPointColorIndex[j] = k;
                int32_t pick = 0;
                if constexpr (O.pick != TransformPick::kNone) {
                    const uint32_t h = StepSlotHash(hash);
                    if constexpr (O.pick == TransformPick::kTransitionRow) {
                        t = static_cast<int32_t>(transitions[t][h & 255u]);
                        pick = t;
                    } else if constexpr (O.pick == TransformPick::kHashModulo) {
                        pick = static_cast<int32_t>(h % O.pickModulus);
                    } else {
                        pick = transitions[t][h & 255u] != 0 ? 1 : 0;
                    }
                    // Reloaded per point: a first step replaces itself.
                    if constexpr (kColorStep) gSlotColorStep[slot].load(std::memory_order_relaxed)(slot, pick, j);
                }
                if (!kernel_detail::CallMap<O>(map, slot, pick, x, y, z, store, hash, j)) {
                    // The orbit escaped: with baseshapes a new run starts at j, and
                    // an orbit that escapes at once every time ends as its seed.
                    e = j;
                    if (useBaseshapes && j == i && ++stalledSeeds >= kMaxStalledSeeds) {
                        gPointX[j] = x;
                        gPointY[j] = y;
                        gPointZ[j] = z;
                        e = j + 1;
                        stalledSeeds = 0;
                    }
                    callEnded = !useBaseshapes;
                    return;
                }
                stalledSeeds = 0;
                if constexpr (O.storesWorkPoint) {
                    gPointX[j] = store[0];
                    gPointY[j] = store[1];
                    gPointZ[j] = store[2];
                } else {
                    gPointX[j] = x;
                    gPointY[j] = y;
                    gPointZ[j] = z;
                }
            }
        };
        if constexpr (O.coloring && O.pick != TransformPick::kNone) {
            if (gSlotColorStep[slot].load(std::memory_order_relaxed) != ColorStepNone) {
                runPoints.template operator()<true>();
            } else {
                runPoints.template operator()<false>();
            }
        } else {
            runPoints.template operator()<false>();
        }
        i = e;
    } while (useBaseshapes && i != end && !callEnded);

    gSlotHash[slot] = hash;
    if constexpr (O.pick == TransformPick::kTransitionRow) gSlotTransform[slot] = t;
    if constexpr (O.orbit == OrbitSource::kSlotPoint) {
        gSlotPoint.x[slot] = x;
        gSlotPoint.y[slot] = y;
        gSlotPoint.z[slot] = z;
    } else if constexpr (O.orbit == OrbitSource::kQuaternionPoint) {
        gSlotQuaternionPoint[slot] = {x, y, z, 0.0f};
    }
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

// The linear part of transformation t (no translation).
inline void ApplyLinearTransform(int32_t t, float& x, float& y, float& z)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const float nx = c.m00[t] * x + c.m01[t] * y + c.m02[t] * z;
    const float ny = c.m10[t] * x + c.m11[t] * y + c.m12[t] * z;
    const float nz = c.m20[t] * x + c.m21[t] * y + c.m22[t] * z;
    x = nx;
    y = ny;
    z = nz;
}
