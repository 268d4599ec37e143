#include "app/voxel_mode.h"

#include "app/action_buttons.h"
#include "engine/baseshape_seed_pick.h"

std::mutex gVoxelModeMutex;
uint32_t gVoxelCubeGeneration = 0;

void ResetVoxelPanel()
{
    EnableActionButton(kActionStartVoxelEngine, true);
    for (ActionButtonId id : {kActionStlMesh, kActionObjMesh, kActionRawFile, kActionPngSlices, kActionStopVoxelEngine}) {
        EnableActionButton(id, false);
    }
}

bool EndVoxelMode()
{
    std::lock_guard<std::mutex> lock(gVoxelModeMutex);
    if (gVoxelEngineOn != 1) return false;
    gVoxelEngineOn = 0;
    return true;
}
