// Iteration kernels: one free function per fractal type fills a render
// slot's 1000 batch points (gSlotBatchStart[slot] .. gSlotBatchEnd[slot] - 1)
// per call. Callers (render workers, tuner, camera fit, voxel engine,
// previews) loop on the current kernel:
//
//     gFractalTypeKernel.load(std::memory_order_relaxed)(slot);
//
// then read the slot's slice gSlotBatchStart[slot] .. gSlotBatchLast[slot]
// of gPointX/Y/Z, gPointColorIndex and gPointColorR/G/B. Everything carried
// from one call to the next lives in per-slot arrays, so one kernel serves
// all slots without locks.
#pragma once

#include <atomic>
#include <cstdint>

using FractalKernel = void (*)(uint8_t slot);

inline constexpr int kFractalTypeCount = 50;

// Swapped by the window thread while workers run; a worker picks up the new
// kernel at its following call.
extern std::atomic<FractalKernel> gFractalTypeKernel;

// The "Function" row of the transformation editor (types 46 and 49 only):
// 0 "Standard (DE)" .. 4 "Hexagons", 5 "Scales" (the Alt kernels).
extern int32_t gEscapeFunction;
extern int32_t gEscapeIterationLimit;  // 200 at start

// 1 for the planar types 7, 8, 9, 13, 14, 16, 17, 25 and 31.
extern const uint8_t gPlanarFractalTypes[kFractalTypeCount];

// One row per fractal type, in type order. altKernel is set only for the
// escape-time types 46 and 49 (installed when gEscapeFunction is 5).
struct FractalTypeRow {
    int32_t type;
    const char* name;  // entry of the "Fractal Type" list
    FractalKernel kernel;
    FractalKernel altKernel;
};
extern const FractalTypeRow kFractalTypes[kFractalTypeCount];

// Installs the kernel of gFractalType; a type outside 0..49 keeps the
// current kernel.
void SelectFractalTypeKernel();

// The one way the fractal type changes: gFractalType and its kernel together
// (the list's pick with its fresh fractal, "Send to Blocks", the files that
// bring a type all come through here). A type outside 0..49 changes nothing
// (false).
bool SetFractalType(int32_t type);

// The kernel the table holds for a type and escape function (null outside
// 0..49).
FractalKernel FractalTypeKernelFor(int32_t type, int32_t escapeFunction);
