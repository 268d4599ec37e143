// The export's common start: the resolution table, the output scale, the
// cleaning of the grid, then the writer of the chosen format
// (mesh_writers.cpp).
#include "files/volumetric_field.h"

#include <memory>
#include <new>

#include "files/voxel_smoothing.h"
#include "render/render_buffers.h"

VolumetricField gVolumetricField;

namespace {
enum ExportKind { kExportStl, kExportRaw, kExportPng, kExportObj };
constexpr uint32_t kWeldSeed = 20240601u;
}  // namespace

const VoxelSide* FindVoxelSide(int32_t resolution)
{
    for (const VoxelSide& row : kVoxelSides) {
        if (row.resolution == resolution) return &row;
    }
    return nullptr;
}

bool MeshExportNeedsWarning(const MeshExportStatus& status)
{
    return status.result == MeshExportResult::kWriteFailed || status.result == MeshExportResult::kSlicesFailed;
}

VolumetricField::VolumetricField() = default;
VolumetricField::~VolumetricField() = default;

MeshExportStatus VolumetricField::ExportObj(VoxelMeshRequest& request) { return Export(request, kExportObj); }

MeshExportStatus VolumetricField::ExportStlRawPng(VoxelMeshRequest& request)
{
    return Export(request, request.volume == 0 ? kExportStl : request.png ? kExportPng : kExportRaw);
}

MeshExportStatus VolumetricField::Export(VoxelMeshRequest& request, int kind)
{
    MeshExportStatus status;
    const ExportProgress progress{request.progress, request.status};
    this->progress = request.progress;
    const VoxelSide* row = FindVoxelSide(request.resolution);
    const size_t cube = row ? static_cast<size_t>(row->side) * row->side * row->side : 0;
    // A resolution outside the table would leave no side to export (and a
    // half side of 0 to divide by).
    if (!row || !request.voxels || request.voxelBytes < cube || request.interpolation < 0 ||
        request.interpolation >= kSmoothingModeCount) {
        progress.Say("Voxel Export: this voxel grid cannot be exported");
        status.result = MeshExportResult::kRefused;
        return status;
    }
    side = row->side;
    halfSide = row->halfSide;
    sideSquared = side * side;
    writeObjText = kind == kExportObj;
    outputScale = request.scaleMesh ? static_cast<float>(static_cast<double>(request.sideLength) * 0.5 / halfSide) : 1.0f;
    const int n = static_cast<int>(side);

    std::unique_ptr<uint8_t[]> xMajor(new (std::nothrow) uint8_t[cube]);
    if (!xMajor) {
        progress.Say(kInsufficientMemoryText);
        status.result = MeshExportResult::kNoMemory;
        return status;
    }
    TransposeGrid(request.voxels, xMajor.get(), n);
    const VoxelBox box = RemoveIsolatedVoxels(xMajor.get(), n, progress);
    FillHoles(xMajor.get(), n, box, progress);
    if (request.interiorWall && !HollowInterior(xMajor.get(), n, box, request.wallThickness, progress)) {
        progress.Say(kInsufficientMemoryText);
        status.result = MeshExportResult::kNoMemory;
        return status;
    }
    // The cleaning stays in the grid, as the engine goes on adding to it.
    TransposeGrid(xMajor.get(), request.voxels, n);

    const CleanedGrid grid{xMajor.get(), request.voxels, n, box, request.interpolation, 1.0f - request.threshold,
                           progress};
    failed_ = false;
    output_.clear();
    triangleCount = 0;
    switch (kind) {
    case kExportStl: return WriteStl(grid, request.path);
    case kExportRaw: return WriteRaw(grid, request.path);
    case kExportPng: return WritePngSlices(grid, request.path);
    default:
        blockTriangleCount = maxBlockTriangles = 0;
        objVertexBase = 0;
        // Seeded, so that one grid always gives the same file.
        SeedRandomState(weldRandom, kWeldSeed);
        return WriteObj(grid, request.path);
    }
}
