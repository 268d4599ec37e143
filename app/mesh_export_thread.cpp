#include "app/mesh_export_thread.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "app/create_interface.h"
#include "app/panel_state.h"
#include "engine/file_dialogs.h"
#include "app/frame.h"
#include "shading/export_image.h"
#include "engine/status_line.h"
#include "app/voxel_mode.h"
#include "engine/baseshape_seed_pick.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/voxel_engine.h"

namespace {

MeshExportStatus WriteStlRawPng(VoxelMeshRequest& request) { return gVolumetricField.ExportStlRawPng(request); }
MeshExportStatus WriteObj(VoxelMeshRequest& request) { return gVolumetricField.ExportObj(request); }

}  // namespace

std::atomic<float> gMeshExportType{kMeshExportStl};
std::atomic<float> gVoxelExportProgress{0.0f};
std::atomic<uint8_t> gMeshExportRunning{0};
std::atomic<uint8_t> gExportViewRunning{0};
const MeshWriters kVolumetricFieldWriters = {WriteStlRawPng, WriteObj};
MeshWriters gMeshWriters = kVolumetricFieldWriters;

namespace {

// Set by the thread as it ends (the status first), taken by the window thread.
std::atomic<uint8_t> gMeshExportEnded{0};
MeshExportStatus gMeshExportOutcome;

constexpr const char* kExportBusyText = "A mesh export is already in progress..";

// The save dialog of each export: file kind and start folder (1 "Buffers",
// 0 "Images").
struct MeshFileDialog {
    float type;
    int kind;
    int folder;
};
constexpr MeshFileDialog kMeshFileDialogs[] = {
    {kMeshExportStl, 9, 1}, {kMeshExportRaw, 11, 1}, {kMeshExportObj, 10, 1}, {kMeshExportPng, 14, 0}};

bool AskForMeshFile(float type, std::string* path)
{
    for (const MeshFileDialog& d : kMeshFileDialogs) {
        if (d.type != type) continue;
        if (!ShowSaveFileDialog(d.kind, d.folder, gDialogDefaultFolderFlags[d.kind])) return false;
        DialogFolderChosen(gDialogDefaultFolderFlags[d.kind]);
        *path = gFilePath;
        return true;
    }
    return false;
}

void ShowExportStatus(const char* text) { SetStatusText("%s", text); }

// The preview's "Zoom" slider is hidden while the export view shows the
// export's progress, and back after it (unless the 3-D view's own shows).
// Window thread only: the export thread leaves the widgets alone.
void ShowZoomSlider(bool on) { gZoomSlider.visible = on && gZoom3DSlider.visible == 0 ? 1 : 0; }

// The cube as it stands, so that no stop or restart of the engine changes
// or frees what the writer reads (and cleans). Null when the engine is off
// or memory runs out; *generation tells this cube from a later one.
uint8_t* CopyVoxelCube(VoxelMeshRequest* request, uint32_t* generation)
{
    std::lock_guard<std::mutex> lock(gVoxelModeMutex);
    request->resolution = gVoxelResolution;
    *generation = gVoxelCubeGeneration;
    const size_t side = static_cast<size_t>(std::max(gVoxelResolution, 0));
    request->voxelBytes = side * side * side;
    if (gVoxelEngineOn != 1 || !gColorIndexBuffer || gColorIndexBufferBytes < request->voxelBytes) return nullptr;
    HoldRenderBuffers(BufferReader::MeshExport);
    auto* copy = static_cast<uint8_t*>(std::malloc(request->voxelBytes));
    if (copy) std::memcpy(copy, gColorIndexBuffer, request->voxelBytes);
    ReleaseRenderBuffers(BufferReader::MeshExport);
    return copy;
}

// The writer's settings, taken from the widgets on the window thread.
VoxelMeshRequest TakeMeshRequest()
{
    const PanelState& w = gPanel;
    const float type = gMeshExportType.load();
    VoxelMeshRequest request;
    request.interpolation = w.interpolation;
    request.threshold = w.density[0];
    request.volume = type == kMeshExportRaw || type == kMeshExportPng;
    request.obj = type == kMeshExportObj;
    request.png = type == kMeshExportPng;
    request.sideLength = w.sideLength;
    request.interiorWall = w.interiorWall;
    request.wallThickness = static_cast<int>(w.wallThickness[0]);
    request.scaleMesh = w.scaleMesh;
    request.progress = &gVoxelExportProgress;
    request.status = ShowExportStatus;
    return request;
}

MeshExportStatus ExportMesh(VoxelMeshRequest& request)
{
    MeshExportStatus status;
    status.result = MeshExportResult::kNoMemory;
    if (request.voxels) {
        status = request.obj ? gMeshWriters.obj(request) : gMeshWriters.stlRawPng(request);
    } else if (request.voxelBytes > 0) {
        SetStatusText("%s", kInsufficientMemoryText);
    }
    return status;
}

}  // namespace

void VoxelMeshExportThread(VoxelMeshRequest request)
{
    StopRender();
    gScreenState = kScreenExport;
    gExportViewRunning = 1;
    gVoxelExportProgress = 0.0f;
    uint32_t generation = 0;
    uint8_t* cube = CopyVoxelCube(&request, &generation);
    request.voxels = cube;
    gMeshExportOutcome = ExportMesh(request);
    gMeshExportType = kMeshExportStl;
    gExportViewRunning = 0;
    {
        // A stop during the export ended voxel mode: the engine stays off.
        std::lock_guard<std::mutex> lock(gVoxelModeMutex);
        if (gVoxelEngineOn == 1) {
            // The cleaning stays in the cube the engine goes on filling (it
            // was stopped all along), unless a new cube was started meanwhile.
            if (cube && generation == gVoxelCubeGeneration && gColorIndexBuffer &&
                gColorIndexBufferBytes >= request.voxelBytes) {
                std::memcpy(gColorIndexBuffer, cube, request.voxelBytes);
            }
            StartVoxelEngineThreads();
        }
    }
    std::free(cube);
    EndFileOperation();
    gMeshExportEnded = 1;
    gMeshExportRunning = 0;
}

bool StartMeshExport()
{
    // The report of an earlier export is shown before another can end.
    FinishMeshExportOnWindowThread();
    uint8_t idle = 0;
    if (!gMeshExportRunning.compare_exchange_strong(idle, 1)) {
        SetStatusText("%s", kExportBusyText);
        return false;
    }
    // Held from before the dialog until the thread has written the file.
    if (!TryBeginFileOperation()) {
        gMeshExportRunning = 0;
        return false;
    }
    VoxelMeshRequest request = TakeMeshRequest();
    if (!AskForMeshFile(gMeshExportType.load(), &request.path)) {
        EndFileOperation();
        gMeshExportRunning = 0;
        return false;
    }
    ShowZoomSlider(false);
    try {
        std::thread(VoxelMeshExportThread, std::move(request)).detach();
    } catch (const std::system_error&) {
        ShowZoomSlider(true);
        EndFileOperation();
        gMeshExportRunning = 0;
        SetStatusText("The mesh export could not be started.");
        return false;
    }
    return true;
}

std::string MeshExportReport(const MeshExportStatus& status)
{
    char text[160];
    switch (status.result) {
    case MeshExportResult::kWritten:
        if (status.slices > 0)
            std::snprintf(text, sizeof text, "Mesh export done: %u PNG slices written.", status.slices);
        else if (status.triangles > 0)
            std::snprintf(text, sizeof text, "Mesh export done: %llu triangles written.",
                          static_cast<unsigned long long>(status.triangles));
        else
            std::snprintf(text, sizeof text, "Mesh export done.");
        break;
    case MeshExportResult::kEmpty:
        std::snprintf(text, sizeof text, "The voxel cube holds nothing above the density: the file is empty.");
        break;
    case MeshExportResult::kRefused:
        std::snprintf(text, sizeof text, "The mesh export was refused: nothing was written.");
        break;
    case MeshExportResult::kNoMemory: std::snprintf(text, sizeof text, "%s", kInsufficientMemoryText); break;
    case MeshExportResult::kWriteFailed:
        std::snprintf(text, sizeof text, "The mesh file could not be written.");
        break;
    case MeshExportResult::kSlicesFailed:
        std::snprintf(text, sizeof text, "%u of %u PNG slices could not be written.", status.failedSlices,
                      status.slices);
        break;
    }
    return text;
}

void FinishMeshExportOnWindowThread()
{
    if (!gMeshExportEnded.exchange(0)) return;
    ShowZoomSlider(true);
    gExportProgress = -1;
    gPointPreviewValid = 0;
    SetStatusText("%s", MeshExportReport(gMeshExportOutcome).c_str());
    // The "Warning" box for a file that could not be written.
    if (MeshExportNeedsWarning(gMeshExportOutcome)) CheckWritable(nullptr);
}

void OnExportFinished()
{
    gExportViewRunning = 0;
    FinishMeshExportOnWindowThread();
}
