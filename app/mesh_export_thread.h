// The voxel cube written as a mesh, raw volume or PNG slices on a thread of
// its own. The window thread takes gFileOperationBusy and asks for the file
// before the thread starts; the thread pauses the voxel engine, hands a
// copy of the cube to the chosen writer and, if voxel mode is still on,
// puts the cleaned copy back and restarts the engine. The box the writer's result calls for is shown by the
// window thread once the thread has ended. One export at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "files/volumetric_field.h"

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

// The running phase's progress, 0 to 100, which the export view shows.
extern std::atomic<float> gVoxelExportProgress;

// The writers the thread calls; tests replace them.
struct MeshWriters {
    MeshExportStatus (*stlRawPng)(VoxelMeshRequest& request);
    MeshExportStatus (*obj)(VoxelMeshRequest& request);
};
extern const MeshWriters kVolumetricFieldWriters;  // gVolumetricField's exports
extern MeshWriters gMeshWriters;

// Window thread: asks for the file of gMeshExportType and starts the
// thread; false while another export or file operation runs, when the
// dialog is cancelled or the thread cannot be made (with a status text).
bool StartMeshExport();

// What the status line says of an export's result: every outcome, the
// written file included, is reported.
std::string MeshExportReport(const MeshExportStatus& status);

// The window thread's share of an export's end: the main window's vertical
// slider comes back, the status line reports the result and a file that
// could not be written gets its "Warning" box. Called by the frame and the
// dispatcher.
void FinishMeshExportOnWindowThread();

// The export view at 100 %: clears the running byte.
void OnExportFinished();

// The thread's procedure, with the settings and the path the window
// thread took.
void VoxelMeshExportThread(VoxelMeshRequest request);
