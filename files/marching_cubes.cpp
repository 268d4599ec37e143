#include "files/marching_cubes.h"

#include <cmath>

namespace {

// The six faces, each with its corners counter-clockwise seen from outside
// the cell.
constexpr int kFaces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}};

// The corner each edge is interpolated from: the one nearer the origin.
constexpr int kEdgeLow[12] = {0, 1, 3, 0, 4, 5, 7, 4, 0, 1, 2, 3};
constexpr int kEdgeHigh[12] = {1, 2, 2, 3, 5, 6, 6, 7, 4, 5, 6, 7};

constexpr int EdgeBetween(int a, int b)
{
    for (int e = 0; e < 12; ++e) {
        if ((kCellEdges[e][0] == a && kCellEdges[e][1] == b) || (kCellEdges[e][0] == b && kCellEdges[e][1] == a)) {
            return e;
        }
    }
    return -1;
}

struct CubeTables {
    std::array<uint16_t, 256> edges = {};
    std::array<std::array<int8_t, kTriangleRow>, 256> triangles = {};
    int mostTriangles = 0;
};

// On each face a cut starts where the boundary, walked counter-clockwise,
// enters the inside and ends where it next leaves it; the cuts of all faces
// chain into closed loops, and each loop becomes a fan of triangles.
constexpr CubeTables BuildCubeTables()
{
    CubeTables t;
    for (int c = 0; c < 256; ++c) {
        auto inside = [c](int corner) { return ((c >> corner) & 1) != 0; };
        for (int e = 0; e < 12; ++e) {
            if (inside(kCellEdges[e][0]) != inside(kCellEdges[e][1])) t.edges[c] |= static_cast<uint16_t>(1u << e);
        }
        int next[12] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        for (const auto& face : kFaces) {
            for (int k = 0; k < 4; ++k) {
                if (inside(face[k]) || !inside(face[(k + 1) % 4])) continue;
                for (int j = 1; j < 4; ++j) {
                    const int u = face[(k + j) % 4], v = face[(k + j + 1) % 4];
                    if (inside(u) && !inside(v)) {
                        next[EdgeBetween(face[k], face[(k + 1) % 4])] = EdgeBetween(u, v);
                        break;
                    }
                }
            }
        }
        int count = 0;
        bool used[12] = {};
        for (int first = 0; first < 12; ++first) {
            if (!((t.edges[c] >> first) & 1) || used[first]) continue;
            int loop[12] = {};
            int length = 0;
            for (int e = first; e >= 0 && !used[e]; e = next[e]) {
                used[e] = true;
                loop[length++] = e;
            }
            for (int i = 1; i + 1 < length; ++i) {
                t.triangles[c][3 * count] = static_cast<int8_t>(loop[0]);
                t.triangles[c][3 * count + 1] = static_cast<int8_t>(loop[i]);
                t.triangles[c][3 * count + 2] = static_cast<int8_t>(loop[i + 1]);
                ++count;
            }
        }
        for (int i = 3 * count; i < kTriangleRow; ++i) t.triangles[c][i] = -1;
        if (count > t.mostTriangles) t.mostTriangles = count;
    }
    return t;
}

constexpr CubeTables kCubeTables = BuildCubeTables();
static_assert(kCubeTables.mostTriangles == kMaxCellTriangles, "the buffers are sized for the table's worst cell");
static_assert(kCubeTables.edges[1] == 0x109 && kCubeTables.edges[255] == 0, "the edge table is the usual one");

}  // namespace

const std::array<uint16_t, 256> kEdgeTable = kCubeTables.edges;
const std::array<std::array<int8_t, kTriangleRow>, 256> kTriangleTable = kCubeTables.triangles;

int CellCase(const float value[8], float iso)
{
    int index = 0;
    for (int i = 0; i < 8; ++i) {
        if (value[i] > iso) index |= 1 << i;
    }
    return index;
}

MeshPoint InterpolateVertex(float iso, MeshPoint p, MeshPoint q, float a, float b)
{
    if (std::fabs(iso - a) < 1e-5f) return p;
    if (std::fabs(iso - b) < 1e-5f) return q;
    if (std::fabs(a - b) < 1e-5f) return p;
    const float t = (iso - a) / (b - a);
    return {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y), p.z + t * (q.z - p.z)};
}

int PolygonizeCell(const GridCell& cell, float iso, MeshTriangle* triangles)
{
    const int index = CellCase(cell.value, iso);
    const uint16_t mask = kEdgeTable[index];
    if (mask == 0) return 0;
    MeshPoint points[12];
    for (int e = 0; e < 12; ++e) {
        if (!((mask >> e) & 1)) continue;
        const int lo = kEdgeLow[e], hi = kEdgeHigh[e];
        points[e] = InterpolateVertex(iso, cell.corner[lo], cell.corner[hi], cell.value[lo], cell.value[hi]);
    }
    const int8_t* row = kTriangleTable[index].data();
    int count = 0;
    for (; row[3 * count] >= 0; ++count) {
        for (int k = 0; k < 3; ++k) triangles[count].p[k] = points[row[3 * count + k]];
    }
    return count;
}
