// The cleaning every voxel export runs before it writes: isolated voxels
// removed, one-voxel holes filled and, on request, the interior hollowed
// out to a wall of a given thickness. The passes run on an x-major copy of
// the grid (byte (x N + y) N + z), so that their sweeps, x outermost and z
// innermost, read memory in order.
#pragma once

#include <atomic>
#include <cstdint>

// Where a phase reports how far it is: the percentage that the export view
// shows and the status line text.
struct ExportProgress {
    std::atomic<float>* value = nullptr;
    void (*status)(const char* text) = nullptr;
    // format holds one "%2.2f" for the percentage.
    void Report(const char* format, double percent) const;
    void Say(const char* text) const;
};

// Half-open [lo, hi) on the axes x, y, z.
struct VoxelBox {
    int lo[3] = {0, 0, 0};
    int hi[3] = {0, 0, 0};
    bool Empty() const { return hi[0] <= lo[0] || hi[1] <= lo[1] || hi[2] <= lo[2]; }
};

// The grid with the first and last axis exchanged; its own inverse, so it
// turns the export's layout (x fastest) into the x-major one and back.
void TransposeGrid(const uint8_t* from, uint8_t* to, int n);

// Clears every set voxel that has no set neighbour among its 26 and returns
// the box around the voxels that stay, widened by 5 on each side and
// clamped to the grid (empty when none stays).
VoxelBox RemoveIsolatedVoxels(uint8_t* xMajor, int n, const ExportProgress& progress);

// One sweep over the box, x outermost and z innermost: an empty voxel with
// exactly 24 set voxels around it is set; a voxel set by the sweep counts
// for those after it.
void FillHoles(uint8_t* xMajor, int n, const VoxelBox& box, const ExportProgress& progress);

// Clears every voxel of the box shrunk to [lo + d, hi - d - 1) whose whole
// cube of half-width d is set, leaving a wall about d voxels thick; d = 0
// clears every set voxel of the shrunk box. The cost does not grow with d.
// False (grid unchanged) when memory runs out.
bool HollowInterior(uint8_t* xMajor, int n, const VoxelBox& box, int d, const ExportProgress& progress);
