// Marching cubes over one cell of the voxel density: the eight corners in
// the usual order (0,0,0), (1,0,0), (1,1,0), (0,1,0), (0,0,1), (1,0,1),
// (1,1,1), (0,1,1), corner i counting as inside when its value is above the
// iso level, and the twelve edges 0-1, 1-2, 2-3, 3-0, 4-5, 5-6, 6-7, 7-4,
// 0-4, 1-5, 2-6, 3-7.
//
// The triangle table is built from one rule for every cube face: where a
// face has two inside corners on a diagonal, each is cut off on its own.
// Two cells that share a face therefore always cut it the same way, so the
// surface has no cracks, and every triangle winds counter-clockwise seen
// from outside (from the lower density).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct MeshPoint {
    float x, y, z;
};

struct MeshTriangle {
    MeshPoint p[3];
};

struct GridCell {
    MeshPoint corner[8];
    float value[8];
};

inline constexpr int kCellCorners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                           {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
inline constexpr int kCellEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                          {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

// The most triangles one cell can give, and the table row length (three
// edges per triangle, then -1).
inline constexpr int kMaxCellTriangles = 5;
inline constexpr int kTriangleRow = 3 * kMaxCellTriangles + 1;

// Bit e set when edge e crosses the iso level.
extern const std::array<uint16_t, 256> kEdgeTable;
// Edges of each triangle, three at a time, -1 after the last.
extern const std::array<std::array<int8_t, kTriangleRow>, 256> kTriangleTable;

// Bit i of the case index set when corner i's value is above iso.
int CellCase(const float value[8], float iso);

// The point where the density crosses iso on the edge from p (value a) to
// q (value b); an end whose value is within 1e-5 of iso is taken as it is,
// and so is p when the two values are that close.
MeshPoint InterpolateVertex(float iso, MeshPoint p, MeshPoint q, float a, float b);

// The triangles of one cell into triangles (room for kMaxCellTriangles);
// returns their number. Each edge is interpolated from its lower corner, so
// cells sharing an edge get the same point bit for bit.
int PolygonizeCell(const GridCell& cell, float iso, MeshTriangle* triangles);

// The cell whose lowest corner is at `index` in the density planes of x
// and x + 1 (rows of `width` values, z along a row, y across rows), its
// corners at origin + (dx, dy, dz); false, with no corners set, when every
// value is on the same side of iso, as in most cells.
inline bool LoadPlaneCell(const float* at0, const float* at1, size_t index, size_t width, float iso, MeshPoint origin,
                          GridCell& cell)
{
    const size_t up = index + width;
    float* v = cell.value;
    v[0] = at0[index], v[1] = at1[index], v[2] = at1[up], v[3] = at0[up];
    v[4] = at0[index + 1], v[5] = at1[index + 1], v[6] = at1[up + 1], v[7] = at0[up + 1];
    int inside = 0;
    for (int i = 0; i < 8; ++i) inside += v[i] > iso;
    if (inside == 0 || inside == 8) return false;
    for (int i = 0; i < 8; ++i) {
        const int* c = kCellCorners[i];
        cell.corner[i] = {origin.x + static_cast<float>(c[0]), origin.y + static_cast<float>(c[1]),
                          origin.z + static_cast<float>(c[2])};
    }
    return true;
}
