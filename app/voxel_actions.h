// The voxels page: "Start the Voxel Engine" runs the chaos game into an
// N x N x N cube that replaces the colour-index buffer, the four mesh
// buttons hand the cube to the mesh export thread (mesh_export_thread.h),
// and "Stop the Voxel Engine" gives the render buffers back. What a stop of
// the render also needs of voxel mode is voxel_mode.h.
#pragma once

#include "app/voxel_mode.h"

// Tests replace the cube allocation and the engine start.
extern bool (*gAllocateVoxelCube)();
extern bool (*gStartVoxelEngine)();

// The page's actions in the dispatcher's order; each clears its own pressed byte.
void StartVoxelEngineAction();
void MeshExportActions();
void StopVoxelEngineAction();
