#include "app/mesh_export_thread.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/action_widgets.h"
#include "app/frame.h"
#include "app/pending_services.h"
#include "app/status_line.h"
#include "app/voxel_actions.h"
#include "engine/baseshape_seed_pick.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/voxel_engine.h"

std::atomic<float> gMeshExportType{kMeshExportStl};
std::atomic<float> gVoxelExportProgress{0.0f};
std::atomic<uint8_t> gMeshExportRunning{0};
std::atomic<uint8_t> gExportViewRunning{0};
MeshWriters gMeshWriters = {ExportStlRawPng, ExportObj};

namespace {

// Set by the thread as it ends, taken by the window thread.
std::atomic<uint8_t> gMeshExportEnded{0};

constexpr const char* kExportBusyText = "A mesh export is already in progress..";

// The cube as it stands, so that no stop or restart of the engine changes
// or frees what the writer reads. Null when the engine is off or memory
// runs out.
uint8_t* CopyVoxelCube(size_t* bytes)
{
    std::lock_guard<std::mutex> lock(gVoxelModeMutex);
    const size_t n = static_cast<size_t>(std::max(gVoxelResolution, 0));
    *bytes = n * n * n;
    if (gVoxelEngineOn != 1 || !gColorIndexBuffer || gColorIndexBufferBytes < *bytes) return nullptr;
    auto* copy = static_cast<uint8_t*>(std::malloc(*bytes));
    if (copy) std::memcpy(copy, gColorIndexBuffer, *bytes);
    return copy;
}

void WriteMesh(const uint8_t* cube, float type)
{
    const ActionWidgets& w = gActionWidgets;
    VoxelMeshRequest request{cube,
                             w.interpolationSelection,
                             gVoxelResolution,
                             w.densityThreshold,
                             0,
                             0,
                             0,
                             w.sideLength,
                             w.interiorWall,
                             static_cast<int>(w.wallThickness),
                             w.scaleMesh,
                             &gVoxelExportProgress};
    if (type == kMeshExportRaw) {
        request.flagA = 1;
        gMeshWriters.stlRawPng(request);
    } else if (type == kMeshExportObj) {
        request.flagB = 1;
        gMeshWriters.obj(request);
    } else if (type == kMeshExportPng) {
        request.flagA = request.flagC = 1;
        gMeshWriters.stlRawPng(request);
    } else {
        gMeshWriters.stlRawPng(request);
    }
}

}  // namespace

void VoxelMeshExportThread()
{
    StopRender();
    gScreenState = kScreenExport;
    gExportViewRunning = 1;
    gVoxelExportProgress = 0.0f;

    size_t bytes = 0;
    uint8_t* cube = CopyVoxelCube(&bytes);
    if (cube) {
        WriteMesh(cube, gMeshExportType.load());
    } else if (bytes > 0) {
        SetStatusText("%s", kInsufficientMemoryText);
    }
    std::free(cube);

    gMeshExportType = kMeshExportStl;
    gExportViewRunning = 0;
    {
        // A stop during the export ended voxel mode: the engine stays off.
        std::lock_guard<std::mutex> lock(gVoxelModeMutex);
        if (gVoxelEngineOn == 1) {
            gScreenState = kScreenVoxelBusy;
            StartVoxelEngineThreads();
        }
    }
    gMeshExportEnded = 1;
    gMeshExportRunning = 0;
}

bool StartMeshExport()
{
    uint8_t idle = 0;
    if (!gMeshExportRunning.compare_exchange_strong(idle, 1)) {
        SetStatusText("%s", kExportBusyText);
        return false;
    }
    gActionWidgets.ySliderShown = 0;
    try {
        std::thread(VoxelMeshExportThread).detach();
    } catch (const std::system_error&) {
        gMeshExportRunning = 0;
        gActionWidgets.ySliderShown = 1;
        SetStatusText("The mesh export could not be started.");
        return false;
    }
    return true;
}

void FinishMeshExportOnWindowThread()
{
    if (!gMeshExportEnded.exchange(0)) return;
    gActionWidgets.ySliderShown = 1;
    gExportProgress = -1;
    gPointPreviewValid = 0;
}

void OnExportFinished()
{
    gExportViewRunning = 0;
    FinishMeshExportOnWindowThread();
}
