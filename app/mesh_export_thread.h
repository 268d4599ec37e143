// The voxel cube written as a mesh, raw volume or PNG slices on a thread of
// its own: it pauses the voxel engine, writes a copy of the cube through the
// chosen writer (which asks for the file) and restarts the engine if voxel
// mode is still on. One export at a time.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/pending_services.h"  // VoxelMeshRequest

// The export asked for: -1 STL, -2 RAW, -3 OBJ, -4 PNG slices; -1 again
// once an export has finished.
inline constexpr float kMeshExportStl = -1.0f;
inline constexpr float kMeshExportRaw = -2.0f;
inline constexpr float kMeshExportObj = -3.0f;
inline constexpr float kMeshExportPng = -4.0f;
extern std::atomic<float> gMeshExportType;

// 1 from the start of an export until its thread is done.
extern std::atomic<uint8_t> gMeshExportRunning;
// The export view's running byte: set while the export view shows a mesh
// export; the view clears it at 100 % (OnExportFinished).
extern std::atomic<uint8_t> gExportViewRunning;

// The voxel field's progress, 0 to 100, which the export view shows.
extern std::atomic<float> gVoxelExportProgress;

// The writers the thread calls; tests replace them.
struct MeshWriters {
    bool (*stlRawPng)(const VoxelMeshRequest& request);
    bool (*obj)(const VoxelMeshRequest& request);
};
extern MeshWriters gMeshWriters;

// Starts the thread for gMeshExportType; false (with a status text) while
// another export runs or the thread cannot be made.
bool StartMeshExport();

// The window thread's share of an export's end: the main window's vertical
// slider comes back. Called by the frame and the dispatcher.
void FinishMeshExportOnWindowThread();

// The export view at 100 %: clears the running byte.
void OnExportFinished();

// The thread's procedure for gMeshExportType and the voxel widgets; the
// thread itself runs RunMeshExport with the settings the window thread took.
void VoxelMeshExportThread();
void RunMeshExport(const VoxelMeshRequest& request);
