// The voxel exports: the voxel engine's N x N x N grid (byte z N N + y N + x,
// 0 empty, 1 set) cleaned in place and written as a welded OBJ mesh, a
// binary STL mesh (both by marching cubes over a smoothed density), a RAW
// volume of N^3 bytes, or a stack of 8-bit grey PNG slices. (The voxel
// engine names the same byte x + z N + y N^2: its y is the export's z.)
//
// An export runs on the mesh export thread. It never asks the user
// anything: the shell takes gFileOperationBusy and asks for the path on
// the window thread first, and shows the box that the returned status
// calls for. Every file goes to a temporary name beside its target and is
// renamed over it only when it was written whole.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/random.h"
#include "files/marching_cubes.h"
#include "files/voxel_grid_cleaning.h"
#include "shading/image_files.h"

// ---- Resolution table ------------------------------------------------------------------
struct VoxelSide {
    int32_t resolution;  // gVoxelResolution
    uint32_t side;       // N of the export
    uint32_t halfSide;   // N / 2, the offset that centres the mesh
};
// 1600 exports a grid of side 1400.
inline constexpr VoxelSide kVoxelSides[] = {{200, 200, 100},   {400, 400, 200},   {600, 600, 300}, {800, 800, 400},
                                            {1000, 1000, 500}, {1200, 1200, 600}, {1600, 1400, 700}};
// The row of a resolution; null for one outside the table.
const VoxelSide* FindVoxelSide(int32_t resolution);

// ---- One export ---------------------------------------------------------------------
struct VoxelMeshRequest {
    uint8_t* voxels = nullptr;  // cleaned in place
    size_t voxelBytes = 0;      // at least side^3
    int interpolation = 1;      // smoothing mode, the "Interpolation Type" row counted from the bottom
    int resolution = 0;         // gVoxelResolution
    float threshold = 0.5f;     // "Density Threshold": iso level 1 - threshold
    // The three mode values: volume 0 STL; volume 1 RAW, or PNG slices with
    // png 1; obj is 1 for the OBJ export and plays no other part.
    uint8_t volume = 0, obj = 0, png = 0;
    float sideLength = 10.0f;   // "Side Length of the Voxel Volume:"
    uint8_t interiorWall = 0;
    int wallThickness = 0;      // voxels
    uint8_t scaleMesh = 0;      // "Scale the output Mesh"
    std::string path;           // chosen on the window thread; PNG slices add "_<k>.png"
    std::atomic<float>* progress = nullptr;     // percentage of the running phase
    void (*status)(const char* text) = nullptr; // the status line
};

enum class MeshExportResult : uint8_t {
    kWritten,      // every file written
    kEmpty,        // nothing to draw: an empty mesh file (STL count 0), or no slice at all
    kRefused,      // resolution outside the table, grid smaller than its cube, unknown mode: nothing written
    kNoMemory,     // nothing written
    kWriteFailed,  // the file could not be made, written or closed: nothing of it is left
    kSlicesFailed, // some PNG slices could not be written; the others were
};

struct MeshExportStatus {
    MeshExportResult result = MeshExportResult::kWritten;
    uint64_t triangles = 0;  // STL facets or OBJ faces written
    uint32_t slices = 0;     // PNG slices attempted
    uint32_t failedSlices = 0;
};

// True when the window is to show the "Warning" box for the file that
// could not be written.
bool MeshExportNeedsWarning(const MeshExportStatus& status);

// ---- The exporter ---------------------------------------------------------------------
inline constexpr int kObjBlock = 10;  // OBJ meshes are welded per 10 x 10 x 10 cells
inline constexpr int kObjBlockTriangles = kObjBlock * kObjBlock * kObjBlock * kMaxCellTriangles;
inline constexpr const char* kStlHeaderText = "Talvoran STL file";
inline constexpr int kStlHeaderSize = 84;  // 80 bytes of text and zeros, the uint32 facet count
inline constexpr int kStlFacetSize = 50;
inline constexpr const char* kSliceTextKey = "Talvoran Fractals";
inline constexpr const char* kSliceTextValue = "Voxel Slicer";

// The grid as the writers read it, after the cleaning.
struct CleanedGrid {
    const uint8_t* xMajor;  // byte (x N + y) N + z
    const uint8_t* grid;    // byte (z N + y) N + x
    int n;
    VoxelBox box;
    int mode;   // smoothing
    float iso;  // a corner is inside when its density is above it
    ExportProgress progress;
};

class VolumetricField {
public:
    VolumetricField();
    virtual ~VolumetricField();

    MeshExportStatus ExportObj(VoxelMeshRequest& request);
    // STL, RAW or PNG slices by the request's mode values.
    MeshExportStatus ExportStlRawPng(VoxelMeshRequest& request);

    // The smoothing modes at one grid point of a grid of side `side`.
    float Average5(const uint8_t* grid, int x, int y, int z) const;
    float Average3(const uint8_t* grid, int x, int y, int z) const;
    float Gaussian5(const uint8_t* grid, int x, int y, int z) const;
    float Neighbours26(const uint8_t* grid, int x, int y, int z) const;
    float IsInside(const uint8_t* grid, int x, int y, int z) const;

    // One cell: the OBJ variant appends its triangles to the block, the STL
    // one writes each at once; both return the number of triangles.
    int PolygonizeObj(const GridCell& cell, float iso);
    int PolygonizeStl(const GridCell& cell, float iso);
    // One facet: the unit normal, then the corners p0, p2, p1, all with y
    // and z exchanged; false once the file failed.
    bool WriteTriangle(const MeshTriangle& triangle);
    // Welds the block's n triangles and writes their vertices and faces.
    bool WriteObjMesh(uint32_t n);

    uint32_t side = 0;
    uint32_t halfSide = 0;
    uint32_t sideSquared = 0;
    uint8_t writeObjText = 0;
    float outputScale = 1.0f;  // voxel units to output units
    std::atomic<float>* progress = nullptr;
    ByteSink sink;
    uint64_t triangleCount = 0;
    uint32_t blockTriangleCount = 0;
    uint32_t maxBlockTriangles = 0;
    uint64_t objVertexBase = 0;
    // The block's corners in voxel units, three per triangle, and the
    // welding state; sized for the worst block.
    std::vector<MeshPoint> vertices;
    std::vector<uint8_t> keep;
    std::vector<int32_t> remap;
    RandomState weldRandom{};

private:
    MeshExportStatus Export(VoxelMeshRequest& request, int kind);
    MeshExportStatus WriteStl(const CleanedGrid& g, const std::string& path);
    MeshExportStatus WriteObj(const CleanedGrid& g, const std::string& path);
    MeshExportStatus WriteRaw(const CleanedGrid& g, const std::string& path);
    MeshExportStatus WritePngSlices(const CleanedGrid& g, const std::string& path);
    // Output goes through a buffer; false once the sink has failed.
    bool Emit(const void* data, size_t size);
    bool FlushOutput();
    void WeldBlock(uint32_t vertexCount);
    int32_t Resolve(int32_t vertex) const;

    std::vector<uint8_t> output_;
    bool failed_ = false;
    // The welding's spatial hash: per vertex its cell and the next vertex
    // of its bucket.
    std::vector<int32_t> bucketHead_, bucketNext_;
    std::vector<int64_t> cellKey_;
    std::vector<int32_t> number_;  // output number of each kept vertex
};

extern VolumetricField gVolumetricField;
