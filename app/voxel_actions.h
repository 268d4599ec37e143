// The voxels page: "Start the Voxel Engine" runs the chaos game into an
// N x N x N cube that replaces the colour-index buffer, the four mesh
// buttons hand the cube to the mesh export thread (mesh_export_thread.h),
// and "Stop the Voxel Engine" gives the render buffers back.
#pragma once

#include <cstdint>
#include <mutex>

// Held while voxel mode starts or ends and while the mesh export decides
// whether to restart the engine, so the two never cross.
extern std::mutex gVoxelModeMutex;
// Counts the cubes made by "Start the Voxel Engine" (under the mutex), so an
// export can tell its cube from one started afresh while it ran.
extern uint32_t gVoxelCubeGeneration;

// Tests replace the cube allocation and the engine start.
extern bool (*gAllocateVoxelCube)();
extern bool (*gStartVoxelEngine)();

// The page's actions in the dispatcher's order; each clears its own pressed byte.
void StartVoxelEngineAction();
void MeshExportActions();
void StopVoxelEngineAction();

// The voxel widgets hidden, "Fill Baseshapes when possible" shown, and the
// voxel buttons back to idle (the engine off).
void ResetVoxelPanel();

// Ends voxel mode for a stop: true when the render buffers are to be given
// back now. The render threads must be stopped.
bool EndVoxelMode();
