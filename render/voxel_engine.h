// The voxel engine: the render's chaos game run into a cube of N x N x N
// bytes (the colour-index buffer reused as the grid) instead of an image.
// Voxel (x, y, z) is byte x + z N + y N^2; 1 = marked. Worker 0 also keeps
// four maximum projections of the cube in gPreviewDepth (rows of 512).
#pragma once

#include <cstdint>

inline constexpr int32_t kVoxelPreviewRow = 512;

extern int32_t gVoxelResolution;    // N, 400 until the shell chooses
extern int32_t gVoxelCentreOffset;  // G = N / 2
extern int32_t gVoxelSliceSize;     // N^2
extern int32_t gVoxelLimit;         // N - 3

// The engine's resolution list: selection 0 gives 400, 1 gives 200, any
// other keeps the current resolution.
void SetVoxelResolution(int32_t selection);

// Stops the render (or voxel) threads and replaces the colour-index buffer
// by a cleared N^3 grid. False (and the buffer unchanged) when memory runs
// out.
bool AllocateVoxelGrid();

// The voxel index of a cube position, or -1 unless 0 < v < N - 3 on every
// axis (positions that are not numbers included).
int64_t VoxelIndex(float vx, float vy, float vz, int32_t n);

// Starts the voxel coordinator and workers with the render's start
// sequence, gScreenState 8. False when the grid is missing or too small.
bool StartVoxelEngineThreads();

void VoxelCoordinatorThread(int argument);
void VoxelWorkerThread(int index);

// One worker cycle on a slot (kernel, symmetry, marking).
void RunVoxelWorkerCycle(uint8_t slot);

// The coordinator's new weight set: gPickTransformCount uniforms from
// gGlobalRandomA, normalised, and the pick table rebuilt, with the workers
// held meanwhile.
void RandomizeVoxelWeights();
