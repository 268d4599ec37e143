#include "app/mesh_export_thread.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/panel_state.h"
#include "app/frame.h"
#include "app/pending_services.h"
#include "engine/status_line.h"
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
// runs out; *n is the cube's resolution.
uint8_t* CopyVoxelCube(int* n, size_t* bytes)
{
    std::lock_guard<std::mutex> lock(gVoxelModeMutex);
    *n = std::max(gVoxelResolution, 0);
    const size_t side = static_cast<size_t>(*n);
    *bytes = side * side * side;
    if (gVoxelEngineOn != 1 || !gColorIndexBuffer || gColorIndexBufferBytes < *bytes) return nullptr;
    auto* copy = static_cast<uint8_t*>(std::malloc(*bytes));
    if (copy) std::memcpy(copy, gColorIndexBuffer, *bytes);
    return copy;
}

// The writer's settings, taken from the widgets on the window thread.
VoxelMeshRequest TakeMeshRequest()
{
    const PanelState& w = gPanel;
    const float type = gMeshExportType.load();
    VoxelMeshRequest request{};
    request.interpolation = w.interpolation;
    request.threshold = w.density[0];
    request.flagA = type == kMeshExportRaw || type == kMeshExportPng;
    request.flagB = type == kMeshExportObj;
    request.flagC = type == kMeshExportPng;
    request.sideLength = w.sideLength;
    request.interiorWall = w.interiorWall;
    request.wallThickness = static_cast<int>(w.wallThickness[0]);
    request.scaleMesh = w.scaleMesh;
    request.progress = &gVoxelExportProgress;
    return request;
}

void ExportMesh(VoxelMeshRequest request)
{
    size_t bytes = 0;
    uint8_t* cube = CopyVoxelCube(&request.resolution, &bytes);
    if (cube) {
        request.voxels = cube;
        if (request.flagB) {
            gMeshWriters.obj(request);
        } else {
            gMeshWriters.stlRawPng(request);
        }
    } else if (bytes > 0) {
        SetStatusText("%s", kInsufficientMemoryText);
    }
    std::free(cube);
}

}  // namespace

void VoxelMeshExportThread() { RunMeshExport(TakeMeshRequest()); }

void RunMeshExport(const VoxelMeshRequest& request)
{
    StopRender();
    gScreenState = kScreenExport;
    gExportViewRunning = 1;
    gVoxelExportProgress = 0.0f;
    ExportMesh(request);
    gMeshExportType = kMeshExportStl;
    gExportViewRunning = 0;
    {
        // A stop during the export ended voxel mode: the engine stays off.
        std::lock_guard<std::mutex> lock(gVoxelModeMutex);
        if (gVoxelEngineOn == 1) StartVoxelEngineThreads();
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
    try {
        std::thread(RunMeshExport, TakeMeshRequest()).detach();
    } catch (const std::system_error&) {
        gMeshExportRunning = 0;
        SetStatusText("The mesh export could not be started.");
        return false;
    }
    return true;
}

void FinishMeshExportOnWindowThread()
{
    if (!gMeshExportEnded.exchange(0)) return;
    gExportProgress = -1;
    gPointPreviewValid = 0;
}

void OnExportFinished()
{
    gExportViewRunning = 0;
    FinishMeshExportOnWindowThread();
}
