// Voxel mode as the render's stop and the voxels page share it: the lock
// and the cube count that keep a start, an end and the mesh export from
// crossing, and the end of the mode with its buttons (the page's actions are
// voxel_actions.h).
#pragma once

#include <cstdint>
#include <mutex>

// Held while voxel mode starts or ends and while the mesh export decides
// whether to restart the engine, so the two never cross.
extern std::mutex gVoxelModeMutex;
// Counts the cubes made by "Start the Voxel Engine" (under the mutex), so an
// export can tell its cube from one started afresh while it ran.
extern uint32_t gVoxelCubeGeneration;

// The voxel widgets hidden, "Fill Baseshapes when possible" shown, and the
// voxel buttons back to idle (the engine off).
void ResetVoxelPanel();

// Ends voxel mode for a stop: true when the render buffers are to be given
// back now. The render threads must be stopped.
bool EndVoxelMode();
