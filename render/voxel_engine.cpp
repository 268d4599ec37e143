#include "render/voxel_engine.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "render/probability_tuner.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "engine/shared_access.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

int32_t gVoxelResolution = 400;
int32_t gVoxelCentreOffset = 200;
int32_t gVoxelSliceSize = 400 * 400;
int32_t gVoxelLimit = 400 - 3;

namespace {

size_t GridBytes(int32_t n) { return static_cast<size_t>(n) * static_cast<size_t>(n) * static_cast<size_t>(n); }

bool GridReady()
{
    return gVoxelResolution > 3 && gColorIndexBuffer && gColorIndexBufferBytes >= GridBytes(gVoxelResolution);
}

// The preview depth is read by the window thread while slot 0 writes it.
void KeepLarger(float& cell, float value)
{
    if (value > SharedLoad(cell)) SharedStore(cell, value);
}

}  // namespace

void SetVoxelResolution(int32_t selection)
{
    if (selection == 0) {
        gVoxelResolution = 400;
        gVoxelCentreOffset = 200;
    } else if (selection == 1) {
        gVoxelResolution = 200;
        gVoxelCentreOffset = 100;
    }
    gVoxelSliceSize = gVoxelResolution * gVoxelResolution;
    gVoxelLimit = gVoxelResolution - 3;
}

bool AllocateVoxelGrid()
{
    if (gVoxelResolution <= 3) return false;
    StopRender();  // no worker may mark the buffer it replaces
    uint8_t* grid = static_cast<uint8_t*>(std::calloc(GridBytes(gVoxelResolution), 1));
    if (!grid) return false;
    std::free(gColorIndexBuffer);
    gColorIndexBuffer = grid;
    gColorIndexBufferBytes = GridBytes(gVoxelResolution);
    return true;
}

int64_t VoxelIndex(float vx, float vy, float vz, int32_t n)
{
    const float limit = static_cast<float>(n - 3);
    if (!(vx > 0.0f && vx < limit && vy > 0.0f && vy < limit && vz > 0.0f && vz < limit)) return -1;
    const int64_t nn = n;
    return static_cast<int32_t>(vx) + static_cast<int32_t>(vy) * nn * nn + static_cast<int32_t>(vz) * nn;
}

void RunVoxelWorkerCycle(uint8_t slot)
{
    gFractalTypeKernel.load(std::memory_order_relaxed)(slot);
    if (gSymmetryOn.load(std::memory_order_relaxed)) ApplySymmetry(slot);
    if (!GridReady()) return;

    const int32_t n = gVoxelResolution;
    const float g = static_cast<float>(gVoxelCentreOffset);
    const float t = g * gViewScale * gPerspectiveFocal;
    const float w = gImageWidth > 0 ? static_cast<float>(gImageWidth) : 1.0f;
    const float panX = static_cast<float>(n) * gPanX / w;
    const float panY = static_cast<float>(n) * gPanY / w;
    const float cx = gViewCentre[0], cy = gViewCentre[1], cz = gViewCentre[2];
    const float* m = gCameraMatrix;
    const float k = 256.0f / static_cast<float>(n);
    uint8_t* const grid = gColorIndexBuffer;
    float* const preview = gPreviewDepth;

    const int first = gSlotBatchStart[slot] + 1;
    const int end = gSlotBatchLast[slot] - 1;
    for (int j = first; j < end; ++j) {
        const float dx = gPointX[j] - cx, dy = gPointY[j] - cy, dz = gPointZ[j] - cz;
        const float vx = t * (m[0] * dx + m[1] * dy + m[2] * dz) + g + panX;
        const float vy = t * (m[3] * dx + m[4] * dy + m[5] * dz) + g + panY;
        const float vz = t * (m[6] * dx + m[7] * dy + m[8] * dz) + g;
        const int64_t voxel = VoxelIndex(vx, vy, vz, n);
        if (voxel < 0) continue;
        if (slot == 0) {
            const int32_t ix = std::min(static_cast<int32_t>(vx * k), 255);
            const int32_t iy = std::min(static_cast<int32_t>(vy * k), 255);
            const int32_t iz = std::min(static_cast<int32_t>(vz * k), 255);
            constexpr int32_t r = kVoxelPreviewRow;
            KeepLarger(preview[r * iy + ix], static_cast<float>(iz));
            KeepLarger(preview[r * (513 - ix) - iz], static_cast<float>(iy));
            KeepLarger(preview[r * (iy + 1) - iz], static_cast<float>(ix));
            KeepLarger(preview[r * (iy + 256) + iz], static_cast<float>(256 - ix));
        }
        SharedStore(grid[voxel], 1);
    }
}

void VoxelWorkerThread(int index) { RunWorkerLoop(index, RunVoxelWorkerCycle); }

void RandomizeVoxelWeights()
{
    // Held while the pick table is rebuilt, so no worker reads half a table.
    if (!PauseRenderWorkers()) {
        ResumeRenderWorkers();
        return;
    }
    DrawNormalisedWeights(gGlobalRandomA, gTransformWeights, std::clamp(gPickTransformCount, 0, kMaxTransforms));
    BuildTransformPickTable();
    ResumeRenderWorkers();
}

void VoxelCoordinatorThread(int)
{
    uint32_t tick = 0;
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (++tick > kTuningInterval) {
            RandomizeVoxelWeights();
            tick = 0;
        }
    } while (gRenderRunFlag.load() == 1);
    JoinRenderWorkers();
    gRenderActive.store(0);
}

bool StartVoxelEngineThreads()
{
    StopRender();
    if (!GridReady()) return false;
    gScreenState.store(8);
    return StartThreadSet(VoxelCoordinatorThread, VoxelWorkerThread);
}
