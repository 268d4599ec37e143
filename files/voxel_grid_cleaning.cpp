// Sections: [progress] [transpose] [isolated voxels] [holes] [walls].
#include "files/voxel_grid_cleaning.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

// ---- [progress] --------------------------------------------------------------------
void ExportProgress::Report(const char* format, double percent) const
{
    if (value) value->store(static_cast<float>(percent));
    if (!status) return;
    char text[96];
    std::snprintf(text, sizeof text, format, percent);
    status(text);
}

void ExportProgress::Say(const char* text) const
{
    if (status) status(text);
}

// ---- [transpose] -------------------------------------------------------------------
namespace {

// Eight rows of eight bytes turned into eight columns, in registers.
inline void Transpose8x8(uint64_t r[8])
{
    for (int i = 0; i < 8; i += 2) {
        const uint64_t t = ((r[i] >> 8) ^ r[i + 1]) & 0x00FF00FF00FF00FFull;
        r[i + 1] ^= t;
        r[i] ^= t << 8;
    }
    for (int i : {0, 1, 4, 5}) {
        const uint64_t t = ((r[i] >> 16) ^ r[i + 2]) & 0x0000FFFF0000FFFFull;
        r[i + 2] ^= t;
        r[i] ^= t << 16;
    }
    for (int i = 0; i < 4; ++i) {
        const uint64_t t = ((r[i] >> 32) ^ r[i + 4]) & 0x00000000FFFFFFFFull;
        r[i + 4] ^= t;
        r[i] ^= t << 32;
    }
}

}  // namespace

void TransposeGrid(const uint8_t* from, uint8_t* to, int n)
{
    // Tiles of 64 x 64 walked through every middle index b, so that each of
    // the tile's rows is read and written as a stream; blocks of 8 x 8 bytes
    // go through registers. Every side of the resolution table is a multiple
    // of 8; other sides take the bytes one by one.
    constexpr int kTile = 64;
    const size_t side = static_cast<size_t>(n), slice = side * side;
    const bool blocks = n % 8 == 0;
    for (int a0 = 0; a0 < n; a0 += kTile) {
        for (int c0 = 0; c0 < n; c0 += kTile) {
            const int a1 = std::min(a0 + kTile, n), c1 = std::min(c0 + kTile, n);
            for (size_t b = 0; b < side; ++b) {
                const uint8_t* in = from + b * side;
                uint8_t* out = to + b * side;
                if (!blocks) {
                    for (int c = c0; c < c1; ++c)
                        for (int a = a0; a < a1; ++a) out[c * slice + a] = in[a * slice + c];
                    continue;
                }
                for (int c = c0; c < c1; c += 8) {
                    for (int a = a0; a < a1; a += 8) {
                        uint64_t r[8];
                        for (int k = 0; k < 8; ++k) std::memcpy(&r[k], in + (a + k) * slice + c, 8);
                        Transpose8x8(r);
                        for (int k = 0; k < 8; ++k) std::memcpy(out + (c + k) * slice + a, &r[k], 8);
                    }
                }
            }
        }
    }
}

namespace {

inline uint8_t* Row(uint8_t* grid, int n, int x, int y)
{
    return grid + (static_cast<size_t>(x) * n + static_cast<size_t>(y)) * static_cast<size_t>(n);
}

// ---- [isolated voxels] -------------------------------------------------------------
bool HasSetNeighbour(uint8_t* grid, int n, int x, int y, int z)
{
    for (int dx = -1; dx <= 1; ++dx) {
        if (x + dx < 0 || x + dx >= n) continue;
        for (int dy = -1; dy <= 1; ++dy) {
            if (y + dy < 0 || y + dy >= n) continue;
            const uint8_t* row = Row(grid, n, x + dx, y + dy);
            for (int dz = -1; dz <= 1; ++dz) {
                if (z + dz < 0 || z + dz >= n || (dx == 0 && dy == 0 && dz == 0)) continue;
                if (row[z + dz] != 0) return true;
            }
        }
    }
    return false;
}

// The first set byte of row[from, end), or end; eight bytes at a time.
int NextSet(const uint8_t* row, int from, int end)
{
    while (from + 8 <= end) {
        uint64_t word;
        std::memcpy(&word, row + from, sizeof word);
        if (word != 0) break;
        from += 8;
    }
    while (from < end && row[from] == 0) ++from;
    return from;
}

}  // namespace

VoxelBox RemoveIsolatedVoxels(uint8_t* grid, int n, const ExportProgress& progress)
{
    int lowest[3] = {n, n, n}, highest[3] = {-1, -1, -1};
    for (int x = 0; x < n; ++x) {
        progress.Report("Mesh Export :  Analizing %2.2f", 100.0 * x / n);
        for (int y = 0; y < n; ++y) {
            uint8_t* row = Row(grid, n, x, y);
            for (int z = NextSet(row, 0, n); z < n; z = NextSet(row, z + 1, n)) {
                if (!HasSetNeighbour(grid, n, x, y, z)) {
                    row[z] = 0;
                    continue;
                }
                const int at[3] = {x, y, z};
                for (int a = 0; a < 3; ++a) {
                    lowest[a] = std::min(lowest[a], at[a]);
                    highest[a] = std::max(highest[a], at[a]);
                }
            }
        }
    }
    VoxelBox box;
    if (highest[0] < 0) return box;
    for (int a = 0; a < 3; ++a) {
        box.lo[a] = std::max(lowest[a] - 5, 0);
        box.hi[a] = std::min(highest[a] + 5, n);
    }
    return box;
}

// ---- [holes] -----------------------------------------------------------------------
namespace {

// Exactly 24 of the 26 neighbours set means exactly two empty ones (a
// position outside the grid counts as empty); gives up at the third.
bool HasExactly24SetNeighbours(uint8_t* grid, int n, int x, int y, int z)
{
    int empty = 0;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            const bool rowInside = x + dx >= 0 && x + dx < n && y + dy >= 0 && y + dy < n;
            const uint8_t* row = rowInside ? Row(grid, n, x + dx, y + dy) : nullptr;
            for (int dz = -1; dz <= 1; ++dz) {
                if (dx == 0 && dy == 0 && dz == 0) continue;
                const bool set = row && z + dz >= 0 && z + dz < n && row[z + dz] != 0;
                if (!set && ++empty > 2) return false;
            }
        }
    }
    return empty == 2;
}

}  // namespace

void FillHoles(uint8_t* grid, int n, const VoxelBox& box, const ExportProgress& progress)
{
    if (box.Empty()) return;
    const size_t side = static_cast<size_t>(n);
    // Rows (x, y) holding any set voxel: a row beside an empty one can fill
    // nothing, since that gives three empty neighbours already.
    std::unique_ptr<uint8_t[]> rowSet(new (std::nothrow) uint8_t[side * side]);
    for (int x = 0; rowSet && x < n; ++x) {
        for (int y = 0; y < n; ++y) rowSet[x * side + y] = NextSet(Row(grid, n, x, y), 0, n) < n;
    }
    auto rowsAroundSet = [&](int x, int y) {
        if (!rowSet) return true;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (dx == 0 && dy == 0) continue;
                if (x + dx < 0 || x + dx >= n || y + dy < 0 || y + dy >= n) return false;
                if (!rowSet[(x + dx) * side + (y + dy)]) return false;
            }
        }
        return true;
    };
    for (int x = box.lo[0]; x < box.hi[0]; ++x) {
        progress.Report("Mesh Export :  Filling Holes %2.2f", 100.0 * x / n);
        for (int y = box.lo[1]; y < box.hi[1]; ++y) {
            if (!rowsAroundSet(x, y)) continue;
            uint8_t* row = Row(grid, n, x, y);
            for (int z = box.lo[2]; z < box.hi[2]; ++z) {
                if (row[z] != 0 || !HasExactly24SetNeighbours(grid, n, x, y, z)) continue;
                row[z] = 1;
                if (rowSet) rowSet[x * side + y] = 1;
            }
        }
    }
}

// ---- [walls] -----------------------------------------------------------------------
// A voxel is marked when its cube of half-width d is all set: a run of
// 2d + 1 set bytes along z, then 2d + 1 such runs along y, then 2d + 1 such
// planes along x, each counted with a running sum. Marks (2) still count as
// set, so marking a plane changes nothing that a later test reads.
bool HollowInterior(uint8_t* grid, int n, const VoxelBox& box, int d, const ExportProgress& progress)
{
    d = std::max(d, 0);
    int lo[3], hi[3];
    for (int a = 0; a < 3; ++a) {
        lo[a] = box.lo[a] + d;
        hi[a] = box.hi[a] - d - 1;
    }
    if (box.Empty() || hi[0] <= lo[0] || hi[1] <= lo[1] || hi[2] <= lo[2]) return true;
    const int width = 2 * d + 1;
    const size_t ny = static_cast<size_t>(hi[1] - lo[1]), nz = static_cast<size_t>(hi[2] - lo[2]);
    const size_t runRows = ny + 2 * static_cast<size_t>(d), plane = ny * nz;
    std::unique_ptr<uint8_t[]> runs(new (std::nothrow) uint8_t[runRows * nz]);
    std::unique_ptr<uint8_t[]> ring(new (std::nothrow) uint8_t[plane * static_cast<size_t>(width)]);
    std::unique_ptr<uint16_t[]> planes(new (std::nothrow) uint16_t[plane]());
    std::unique_ptr<uint16_t[]> columns(new (std::nothrow) uint16_t[nz]);
    if (!runs || !ring || !planes || !columns) return false;

    // Plane xs's voxels of the shrunk (y, z) box whose square of half-width d is set.
    auto fullSquares = [&](int xs, uint8_t* out) {
        for (size_t r = 0; r < runRows; ++r) {
            const uint8_t* row = Row(grid, n, xs, lo[1] - d + static_cast<int>(r));
            uint8_t* run = runs.get() + r * nz;
            int count = 0;
            for (int z = lo[2] - d; z <= lo[2] + d; ++z) count += row[z] != 0;
            for (int z = lo[2]; z < hi[2]; ++z) {
                run[z - lo[2]] = count == width;
                if (z + 1 < hi[2]) count += (row[z + d + 1] != 0) - (row[z - d] != 0);
            }
        }
        std::fill(columns.get(), columns.get() + nz, uint16_t{0});
        for (int r = 0; r < width; ++r) {
            for (size_t z = 0; z < nz; ++z) columns[z] += runs[r * nz + z];
        }
        for (size_t y = 0; y < ny; ++y) {
            for (size_t z = 0; z < nz; ++z) out[y * nz + z] = columns[z] == width;
            if (y + 1 == ny) break;
            const uint8_t* entering = runs.get() + (y + width) * nz;
            const uint8_t* leaving = runs.get() + y * nz;
            for (size_t z = 0; z < nz; ++z) columns[z] += entering[z] - leaving[z];
        }
    };

    const int first = lo[0] - d;
    for (int xs = first; xs < hi[0] + d; ++xs) {
        uint8_t* slot = ring.get() + static_cast<size_t>((xs - first) % width) * plane;
        if (xs - first >= width) {
            for (size_t i = 0; i < plane; ++i) planes[i] -= slot[i];
        }
        fullSquares(xs, slot);
        for (size_t i = 0; i < plane; ++i) planes[i] += slot[i];
        const int x = xs - d;
        if (x < lo[0]) continue;
        progress.Report("Mesh Export :  Calculating Walls %2.2f", 100.0 * x / n);
        for (size_t y = 0; y < ny; ++y) {
            uint8_t* row = Row(grid, n, x, lo[1] + static_cast<int>(y)) + lo[2];
            const uint16_t* count = planes.get() + y * nz;
            for (size_t z = 0; z < nz; ++z) {
                if (count[z] == width) row[z] = 2;
            }
        }
    }
    for (int x = lo[0]; x < hi[0]; ++x) {
        progress.Report("Mesh Export :  Creating Walls %2.2f", 100.0 * x / n);
        for (int y = lo[1]; y < hi[1]; ++y) {
            uint8_t* row = Row(grid, n, x, y);
            for (int z = lo[2]; z < hi[2]; ++z) {
                if (row[z] == 2) row[z] = 0;
            }
        }
    }
    return true;
}
