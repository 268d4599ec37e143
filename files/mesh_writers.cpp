// Sections: [output] [cells] [stl] [obj] [weld] [raw] [png slices].
//
// The writers of the cleaned grid. Mesh corners are kept in voxel units
// centred on the grid's middle and scaled only as they are written.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/file_replacement.h"
#include "files/volumetric_field.h"
#include "files/voxel_smoothing.h"
#include "render/render_buffers.h"

static_assert(std::endian::native == std::endian::little, "STL fields are written as they lie in memory");

namespace {

constexpr size_t kOutputChunk = size_t{1} << 16;
constexpr const char* kDoneText = "Talvoran";
constexpr const char* kNoTrianglesText = "Voxel Export: nothing is left to draw, the file holds no triangles";
constexpr const char* kNoSlicesText = "Voxel Export: the grid is empty, no slice was written";
constexpr const char* kNotWrittenText = "Voxel Export: the file could not be written";
constexpr const char* kProgressText = "Voxel Export: %2.2f Completed";

MeshExportStatus Ended(MeshExportResult result, const ExportProgress& progress, const char* text)
{
    progress.Say(text);
    MeshExportStatus status;
    status.result = result;
    return status;
}

}  // namespace

// ---- [output] ----------------------------------------------------------------------
bool VolumetricField::Emit(const void* data, size_t size)
{
    if (failed_) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    output_.insert(output_.end(), bytes, bytes + size);
    return output_.size() < kOutputChunk || FlushOutput();
}

bool VolumetricField::FlushOutput()
{
    if (!failed_ && !output_.empty() && !sink.Write(output_.data(), output_.size())) failed_ = true;
    output_.clear();
    return !failed_;
}

// ---- [stl] -------------------------------------------------------------------------
bool VolumetricField::WriteTriangle(const MeshTriangle& triangle)
{
    const MeshPoint& p0 = triangle.p[0];
    const MeshPoint& p1 = triangle.p[1];
    const MeshPoint& p2 = triangle.p[2];
    const float ux = p1.x - p0.x, uy = p1.y - p0.y, uz = p1.z - p0.z;
    const float vx = p2.x - p0.x, vy = p2.y - p0.y, vz = p2.z - p0.z;
    float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (length > 0.0f) {
        nx /= length;
        ny /= length;
        nz /= length;
    }
    // Exchanging y and z mirrors the mesh, so p1 and p2 change places to
    // keep the facets counter-clockwise seen from outside, as the normal says.
    const float s = outputScale;
    const float fields[12] = {nx,       nz,       ny,       p0.x * s, p0.z * s, p0.y * s,
                              p2.x * s, p2.z * s, p2.y * s, p1.x * s, p1.z * s, p1.y * s};
    uint8_t facet[kStlFacetSize] = {};
    std::memcpy(facet, fields, sizeof fields);
    if (triangleCount >= UINT32_MAX) failed_ = true;  // more than the count field holds
    ++triangleCount;
    return Emit(facet, sizeof facet);
}

int VolumetricField::PolygonizeStl(const GridCell& cell, float iso)
{
    MeshTriangle triangles[kMaxCellTriangles];
    const int count = PolygonizeCell(cell, iso, triangles);
    for (int i = 0; i < count; ++i) WriteTriangle(triangles[i]);
    return count;
}

MeshExportStatus VolumetricField::WriteStl(const CleanedGrid& g, const std::string& path)
{
    FileReplacement file;
    if (!file.Begin(path)) return Ended(MeshExportResult::kWriteFailed, g.progress, kNotWrittenText);
    sink = file.Sink();
    uint8_t header[kStlHeaderSize] = {};
    std::memcpy(header, kStlHeaderText, std::strlen(kStlHeaderText));
    Emit(header, sizeof header);

    const VoxelBox& b = g.box;
    DensityPlanes planes;
    if (!b.Empty()) {
        if (!planes.Begin(g.xMajor, g.n, g.mode, b.lo[1], b.hi[1], b.lo[2], b.hi[2])) {
            return Ended(MeshExportResult::kNoMemory, g.progress, kInsufficientMemoryText);
        }
        const int width = planes.Width();
        std::vector<float> at0(static_cast<size_t>(width) * planes.Height()), at1(at0.size());
        const float h = static_cast<float>(halfSide);
        planes.Compute(b.lo[0], at0.data());
        GridCell cell;
        for (int x = b.lo[0]; x < b.hi[0] && !failed_; ++x) {
            g.progress.Report("Mesh Export :  %2.2f Completed", 100.0 * (x + 1) / g.n);
            planes.Compute(x + 1, at1.data());
            for (int y = b.lo[1]; y < b.hi[1]; ++y) {
                for (int z = b.lo[2]; z < b.hi[2]; ++z) {
                    const size_t index = static_cast<size_t>(y - b.lo[1]) * width + static_cast<size_t>(z - b.lo[2]);
                    const MeshPoint origin{static_cast<float>(x) - h, static_cast<float>(y) - h, static_cast<float>(z) - h};
                    if (LoadPlaneCell(at0.data(), at1.data(), index, width, g.iso, origin, cell)) PolygonizeStl(cell, g.iso);
                }
            }
            at0.swap(at1);
        }
    }
    FlushOutput();
    const uint32_t count = static_cast<uint32_t>(triangleCount);
    if (failed_ || !file.WriteAt(80, &count, sizeof count) || !file.Commit()) {
        return Ended(MeshExportResult::kWriteFailed, g.progress, kNotWrittenText);
    }
    MeshExportStatus status = Ended(count ? MeshExportResult::kWritten : MeshExportResult::kEmpty, g.progress,
                                    count ? kDoneText : kNoTrianglesText);
    status.triangles = count;
    return status;
}

// ---- [obj] -------------------------------------------------------------------------
int VolumetricField::PolygonizeObj(const GridCell& cell, float iso)
{
    const size_t room = 3 * static_cast<size_t>(kObjBlockTriangles);
    if (vertices.size() < room) {
        vertices.resize(room);
        keep.resize(room);
        remap.resize(room);
    }
    MeshTriangle triangles[kMaxCellTriangles];
    const int count = PolygonizeCell(cell, iso, triangles);
    for (int i = 0; i < count; ++i) {
        // A block of 10 x 10 x 10 cells cannot fill the buffers; a caller
        // that hands in more gets a block written early, never an overrun.
        if (blockTriangleCount == kObjBlockTriangles) {
            WriteObjMesh(blockTriangleCount);
            blockTriangleCount = 0;
        }
        const uint32_t first = 3 * blockTriangleCount;
        for (uint32_t k = 0; k < 3; ++k) {
            vertices[first + k] = triangles[i].p[k];
            keep[first + k] = 1;
            remap[first + k] = static_cast<int32_t>(first + k);
        }
        ++blockTriangleCount;
    }
    maxBlockTriangles = std::max(maxBlockTriangles, blockTriangleCount);
    return count;
}

namespace {

char* AppendFloat(char* at, char* end, float value)
{
    *at++ = ' ';
    return std::to_chars(at, end, value, std::chars_format::fixed, 6).ptr;
}

char* AppendIndex(char* at, char* end, uint64_t value)
{
    *at++ = ' ';
    return std::to_chars(at, end, value).ptr;
}

}  // namespace

// Numbers go out in the C locale's form whatever locale the desktop set,
// so a decimal comma can never reach the file.
bool VolumetricField::WriteObjMesh(uint32_t n)
{
    const uint32_t m = 3 * n;
    WeldBlock(m);
    number_.resize(m);
    char line[192];
    char* const end = line + sizeof line;
    uint32_t written = 0;
    for (uint32_t i = 0; i < m; ++i) {
        if (!keep[i]) continue;
        number_[i] = static_cast<int32_t>(written++);
        char* at = line;
        *at++ = 'v';
        at = AppendFloat(at, end, vertices[i].x * outputScale);
        at = AppendFloat(at, end, vertices[i].y * outputScale);
        at = AppendFloat(at, end, vertices[i].z * outputScale);
        *at++ = '\n';
        Emit(line, static_cast<size_t>(at - line));
    }
    for (uint32_t t = 0; t < n; ++t) {
        const int32_t a = Resolve(static_cast<int32_t>(3 * t)), b = Resolve(static_cast<int32_t>(3 * t + 1)),
                      c = Resolve(static_cast<int32_t>(3 * t + 2));
        // Corners welded into one another leave no face to draw.
        if (a == b || b == c || a == c) continue;
        char* at = line;
        *at++ = 'f';
        for (int32_t corner : {a, b, c}) at = AppendIndex(at, end, objVertexBase + 1 + static_cast<uint64_t>(number_[corner]));
        *at++ = '\n';
        Emit(line, static_cast<size_t>(at - line));
        ++triangleCount;
    }
    objVertexBase += written;
    return !failed_;
}

MeshExportStatus VolumetricField::WriteObj(const CleanedGrid& g, const std::string& path)
{
    FileReplacement file;
    if (!file.Begin(path)) return Ended(MeshExportResult::kWriteFailed, g.progress, kNotWrittenText);
    sink = file.Sink();
    const VoxelBox& b = g.box;
    DensityPlanes planes;
    if (!b.Empty() && !planes.Begin(g.xMajor, g.n, g.mode, b.lo[1], b.hi[1], b.lo[2], b.hi[2])) {
        return Ended(MeshExportResult::kNoMemory, g.progress, kInsufficientMemoryText);
    }
    const int width = planes.Width();
    const size_t plane = static_cast<size_t>(width) * planes.Height();
    std::vector<float> slab(b.Empty() ? 0 : plane * (kObjBlock + 1));
    const float h = static_cast<float>(halfSide);
    GridCell cell;
    // Blocks in x, then y, then z, and cells in the same order inside each;
    // cells outside the box see no density and give nothing.
    for (int bx = 0; bx < g.n && !failed_; bx += kObjBlock) {
        g.progress.Report(kProgressText, 100.0 * (bx + 1) / g.n);
        const int x0 = std::max(bx, b.lo[0]), x1 = std::min(bx + kObjBlock, b.hi[0]);
        if (b.Empty() || x0 >= x1) continue;
        for (int x = x0; x <= x1; ++x) planes.Compute(x, slab.data() + static_cast<size_t>(x - x0) * plane);
        for (int by = 0; by < g.n; by += kObjBlock) {
            const int y0 = std::max(by, b.lo[1]), y1 = std::min(by + kObjBlock, b.hi[1]);
            for (int bz = 0; bz < g.n && y0 < y1; bz += kObjBlock) {
                const int z0 = std::max(bz, b.lo[2]), z1 = std::min(bz + kObjBlock, b.hi[2]);
                for (int x = x0; x < x1; ++x) {
                    const float* at0 = slab.data() + static_cast<size_t>(x - x0) * plane;
                    for (int y = y0; y < y1; ++y) {
                        for (int z = z0; z < z1; ++z) {
                            const size_t index = static_cast<size_t>(y - b.lo[1]) * width + static_cast<size_t>(z - b.lo[2]);
                            const MeshPoint origin{static_cast<float>(x) - h, static_cast<float>(y) - h, static_cast<float>(z) - h};
                            if (LoadPlaneCell(at0, at0 + plane, index, width, g.iso, origin, cell)) PolygonizeObj(cell, g.iso);
                        }
                    }
                }
                if (blockTriangleCount > 0) {
                    WriteObjMesh(blockTriangleCount);
                    blockTriangleCount = 0;
                }
            }
        }
    }
    FlushOutput();
    if (failed_ || !file.Commit()) return Ended(MeshExportResult::kWriteFailed, g.progress, kNotWrittenText);
    MeshExportStatus status;
    status.triangles = triangleCount;
    if (triangleCount == 0) status = Ended(MeshExportResult::kEmpty, g.progress, kNoTrianglesText);
    return status;
}

// ---- [weld] ------------------------------------------------------------------------
namespace {

constexpr double kWeldDistanceSquared = 1e-6;  // voxel units
constexpr double kWeldReach = 1.01e-3;          // a little past the weld distance
// Hash cells four weld distances wide, centred on the integers: two of a
// crossing point's coordinates are whole voxels, so its reach mostly stays
// in one cell on those axes.
constexpr double kWeldCellsPerVoxel = 250.0;
constexpr int kWeldRandomPasses = 100;
constexpr int64_t kKeyOffset = int64_t{1} << 20;

int64_t CellOf(double coordinate) { return static_cast<int64_t>(std::floor(coordinate * kWeldCellsPerVoxel + 0.5)); }

int64_t PackKey(int64_t x, int64_t y, int64_t z)
{
    return ((x + kKeyOffset) << 42) | ((y + kKeyOffset) << 21) | (z + kKeyOffset);
}

int64_t KeyOf(const MeshPoint& p) { return PackKey(CellOf(p.x), CellOf(p.y), CellOf(p.z)); }

double DistanceSquared(const MeshPoint& a, const MeshPoint& b)
{
    const double dx = static_cast<double>(a.x) - b.x, dy = static_cast<double>(a.y) - b.y,
                 dz = static_cast<double>(a.z) - b.z;
    return dx * dx + dy * dy + dz * dz;
}

}  // namespace

int32_t VolumetricField::Resolve(int32_t vertex) const
{
    while (!keep[vertex]) vertex = remap[vertex];
    return vertex;
}

// A vertex within the weld distance of a kept one is merged into it: first
// in 100 seeded random passes, each around a random vertex a, then for
// every vertex still kept in order. The pairs within reach are found
// through a hash of small cells, so a block costs its number of vertices,
// not its square. A random pass merges each vertex in
// reach of a with the chance that one of m draws among m vertices hits it.
void VolumetricField::WeldBlock(uint32_t m)
{
    if (m == 0) return;
    size_t buckets = 1;
    while (buckets < 2 * static_cast<size_t>(m)) buckets <<= 1;
    const int shift = 64 - std::countr_zero(buckets);
    bucketHead_.assign(buckets, -1);
    bucketNext_.resize(m);
    cellKey_.resize(m);
    auto bucketOf = [&](int64_t key) {
        return shift >= 64 ? size_t{0} : static_cast<size_t>((static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ull) >> shift);
    };
    for (uint32_t i = 0; i < m; ++i) {
        cellKey_[i] = KeyOf(vertices[i]);
        const size_t bucket = bucketOf(cellKey_[i]);
        bucketNext_[i] = bucketHead_[bucket];
        bucketHead_[bucket] = static_cast<int32_t>(i);
    }
    auto inReach = [&](uint32_t i, auto&& visit) {
        const MeshPoint& p = vertices[i];
        int64_t lo[3], hi[3];
        const double at[3] = {p.x, p.y, p.z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = CellOf(at[a] - kWeldReach);
            hi[a] = CellOf(at[a] + kWeldReach);
        }
        for (int64_t x = lo[0]; x <= hi[0]; ++x) {
            for (int64_t y = lo[1]; y <= hi[1]; ++y) {
                for (int64_t z = lo[2]; z <= hi[2]; ++z) {
                    const int64_t near = PackKey(x, y, z);
                    for (int32_t j = bucketHead_[bucketOf(near)]; j >= 0; j = bucketNext_[j]) {
                        if (cellKey_[j] != near || j == static_cast<int32_t>(i)) continue;
                        if (DistanceSquared(p, vertices[j]) < kWeldDistanceSquared) visit(j);
                    }
                }
            }
        }
    };
    const double hit = 1.0 - std::pow(1.0 - 1.0 / m, static_cast<double>(m));
    const auto threshold = static_cast<uint32_t>(hit * 4294967295.0);
    for (int pass = 0; pass < kWeldRandomPasses; ++pass) {
        const uint32_t a = RandomStep(weldRandom) % m;
        if (!keep[a]) continue;
        inReach(a, [&](int32_t b) {
            if (RandomStep(weldRandom) >= threshold) return;
            keep[b] = 0;
            remap[b] = static_cast<int32_t>(a);
        });
    }
    for (uint32_t i = 0; i < m; ++i) {
        if (!keep[i]) continue;
        inReach(i, [&](int32_t j) {
            if (!keep[j]) return;
            keep[j] = 0;
            remap[j] = static_cast<int32_t>(i);
        });
    }
}

// ---- [raw] -------------------------------------------------------------------------
MeshExportStatus VolumetricField::WriteRaw(const CleanedGrid& g, const std::string& path)
{
    FileReplacement file;
    if (!file.Begin(path)) return Ended(MeshExportResult::kWriteFailed, g.progress, kNotWrittenText);
    sink = file.Sink();
    const int n = g.n;
    DensityPlanes planes;
    if (!planes.Begin(g.xMajor, n, g.mode, 0, n - 1, 0, n - 1)) {
        return Ended(MeshExportResult::kNoMemory, g.progress, kInsufficientMemoryText);
    }
    const size_t side = static_cast<size_t>(n);
    std::vector<float> plane(side * side);
    std::vector<uint8_t> bytes(side * side);
    // Byte (x, y, z) at x N N + z N + y: each x plane goes out with y fastest.
    for (int x = 0; x < n && !failed_; ++x) {
        g.progress.Report(kProgressText, 100.0 * (x + 1) / n);
        planes.Compute(x, plane.data());
        for (size_t y = 0; y < side; ++y) {
            for (size_t z = 0; z < side; ++z) {
                const float v = std::clamp(plane[y * side + z] * 255.0f, 0.0f, 255.0f);
                bytes[z * side + y] = static_cast<uint8_t>(v);
            }
        }
        Emit(bytes.data(), bytes.size());
    }
    FlushOutput();
    if (failed_ || !file.Commit()) return Ended(MeshExportResult::kWriteFailed, g.progress, kNotWrittenText);
    return Ended(MeshExportResult::kWritten, g.progress, kDoneText);
}

// ---- [png slices] ------------------------------------------------------------------
MeshExportStatus VolumetricField::WritePngSlices(const CleanedGrid& g, const std::string& path)
{
    const VoxelBox& b = g.box;
    if (b.Empty()) return Ended(MeshExportResult::kEmpty, g.progress, kNoSlicesText);
    const int n = g.n, height = b.hi[1] - b.lo[1];
    MeshExportStatus status;
    for (int z = b.lo[2]; z < b.hi[2]; ++z) {
        g.progress.Report(kProgressText, 100.0 * (z - b.lo[2] + 1) / n);
        // The path as typed: "shape" gives shape_0.png, "shape.png" shape.png_0.png.
        const std::string name = path + "_" + std::to_string(z - b.lo[2]) + ".png";
        FileReplacement file;
        PngWriter png;
        bool ok = file.Begin(name) && OpenPngWriter(png, n, height, kPngGrey, file.Sink(), kSliceTextKey, kSliceTextValue);
        for (int row = 0; ok && row < height; ++row) {
            const uint8_t* voxels = g.grid + (static_cast<size_t>(z) * n + static_cast<size_t>(b.lo[1] + row)) * n;
            for (int x = 0; x < n; ++x) png.row[x] = voxels[x] ? 255 : 0;
            ok = WritePngRow(png);
        }
        ok = ClosePngWriter(png, ok) && ok;
        if (!(ok && file.Commit())) ++status.failedSlices;
        ++status.slices;
    }
    if (status.failedSlices == 0) {
        g.progress.Say(kDoneText);
        return status;
    }
    char text[96];
    std::snprintf(text, sizeof text, "Voxel Export: %u of %u PNG slices could not be written", status.failedSlices,
                  status.slices);
    g.progress.Say(text);
    status.result = MeshExportResult::kSlicesFailed;
    return status;
}
