#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "engine/random.h"
#include "files/marching_cubes.h"
#include "files/volumetric_field.h"
#include "files/voxel_grid_cleaning.h"
#include "files/voxel_smoothing.h"

namespace {

// An x-major grid, as the cleaning passes take it.
struct XMajor {
    explicit XMajor(int side) : n(side), bytes(static_cast<size_t>(side) * side * side) {}
    uint8_t& At(int x, int y, int z) { return bytes[(static_cast<size_t>(x) * n + y) * n + z]; }
    int n;
    std::vector<uint8_t> bytes;
};

VoxelBox Whole(int n) { return VoxelBox{{0, 0, 0}, {n, n, n}}; }

// A 3 x 3 x 3 block around an empty centre, with some of its 26 set.
TEST(VoxelCleaning, HoleFillingNeedsExactly24SetNeighbours)
{
    const int corners[3][3] = {{4, 4, 4}, {6, 6, 6}, {4, 6, 4}};
    for (int removed = 0; removed <= 3; ++removed) {
        XMajor g(11);
        for (int i = 0; i < 27; ++i) g.At(4 + i % 3, 4 + i / 3 % 3, 4 + i / 9) = 1;
        g.At(5, 5, 5) = 0;
        for (int k = 0; k < removed; ++k) g.At(corners[k][0], corners[k][1], corners[k][2]) = 0;
        FillHoles(g.bytes.data(), g.n, Whole(g.n), {});
        EXPECT_EQ(g.At(5, 5, 5), removed == 2 ? 1 : 0) << 26 - removed << " set neighbours";
    }
    // b has 24 set neighbours only once a, before it in the sweep, is filled.
    XMajor g(10);
    for (int i = 0; i < 36; ++i) g.At(2 + i % 4, 3 + i / 4 % 3, 3 + i / 12) = 1;
    const int empty[5][3] = {{3, 4, 4}, {4, 4, 4}, {2, 3, 3}, {5, 3, 3}, {5, 5, 5}};
    for (const auto& p : empty) g.At(p[0], p[1], p[2]) = 0;
    FillHoles(g.bytes.data(), g.n, Whole(g.n), {});
    EXPECT_EQ(g.At(3, 4, 4), 1);
    EXPECT_EQ(g.At(4, 4, 4), 1);
}

// The running sums clear exactly the voxels whose whole (2d + 1)^3 cube is
// set, for every thickness, as the cube test voxel by voxel does.
TEST(VoxelCleaning, InteriorWallsMatchTheCubeTest)
{
    RandomState random;
    SeedRandomState(random, 7);
    XMajor solid(26);
    for (int x = 0; x < solid.n; ++x)
        for (int y = 0; y < solid.n; ++y)
            for (int z = 0; z < solid.n; ++z) {
                const int r2 = (x - 12) * (x - 12) + (y - 13) * (y - 13) + (z - 12) * (z - 12);
                solid.At(x, y, z) = r2 < 110 && RandomStep(random) % 40 != 0;
            }
    for (int d = 0; d <= 3; ++d) {
        XMajor wall = solid;
        ASSERT_TRUE(HollowInterior(wall.bytes.data(), wall.n, Whole(wall.n), d, {}));
        for (int x = 0; x < solid.n; ++x)
            for (int y = 0; y < solid.n; ++y)
                for (int z = 0; z < solid.n; ++z) {
                    bool full = x >= d && y >= d && z >= d && x < solid.n - d - 1 && y < solid.n - d - 1 &&
                                z < solid.n - d - 1;
                    for (int i = 0; full && i < (2 * d + 1) * (2 * d + 1) * (2 * d + 1); ++i) {
                        const int w = 2 * d + 1;
                        full = solid.At(x - d + i % w, y - d + i / w % w, z - d + i / (w * w)) != 0;
                    }
                    ASSERT_EQ(wall.At(x, y, z), full ? 0 : solid.At(x, y, z)) << d << ": " << x << " " << y << " " << z;
                }
    }
}

// Every mode: 1 inside a full grid (the Gaussian's weights sum to 1), 0
// where it would read outside, and the plane filter gives the point values.
TEST(VoxelSmoothing, EveryModeByPointAndByPlane)
{
    EXPECT_NEAR(std::accumulate(std::begin(kGaussianWeights), std::end(kGaussianWeights), 0.0f), 1.0f, 1e-6f);
    using Point = float (VolumetricField::*)(const uint8_t*, int, int, int) const;
    const struct {
        int mode;
        Point point;
        int radius;
    } modes[] = {{kSmoothingAverage5, &VolumetricField::Average5, 2},   {kSmoothingAverage3, &VolumetricField::Average3, 1},
                 {kSmoothingGaussian5, &VolumetricField::Gaussian5, 2}, {kSmoothingNeighbours26, &VolumetricField::Neighbours26, 1},
                 {kSmoothingIsInside, &VolumetricField::IsInside, 0}};
    constexpr int n = 14;
    VolumetricField field;
    field.side = n;
    std::vector<uint8_t> full(n * n * n, 1), grid(n * n * n), xMajor(n * n * n);
    RandomState random;
    SeedRandomState(random, 11);
    for (uint8_t& b : grid) b = RandomStep(random) % 3 == 0;
    TransposeGrid(grid.data(), xMajor.data(), n);
    for (const auto& m : modes) {
        EXPECT_NEAR((field.*m.point)(full.data(), 7, 6, 7), 1.0f, 1e-5f) << m.mode;
        EXPECT_EQ((field.*m.point)(full.data(), m.radius > 0 ? m.radius - 1 : 0, 7, 7), 0.0f) << m.mode;
        EXPECT_EQ((field.*m.point)(full.data(), 7, n - m.radius, 7), 0.0f) << m.mode;
        DensityPlanes planes;
        ASSERT_TRUE(planes.Begin(xMajor.data(), n, m.mode, 0, n, 0, n));
        std::vector<float> plane((n + 1) * (n + 1));
        for (int x = 0; x <= n; ++x) {
            planes.Compute(x, plane.data());
            for (int y = 0; y <= n; ++y)
                for (int z = 0; z <= n; ++z) {
                    const float expected = x < n && y < n && z < n ? (field.*m.point)(grid.data(), x, y, z) : 0.0f;
                    ASSERT_NEAR(plane[y * (n + 1) + z], expected, 1e-5f) << m.mode << ": " << x << " " << y << " " << z;
                }
        }
    }
}

TEST(MarchingCubes, InterpolationAndEveryCaseUsesItsCrossingEdges)
{
    const MeshPoint p{0, 0, 0}, q{1, 0, 0};
    const struct {
        float iso, a, b, x;
    } edges[] = {{0.5f, 0.0f, 1.0f, 0.5f}, {0.2f, 0.0f, 0.25f, 0.8f}, {0.5f, 0.500001f, 1.0f, 0.0f},
                 {0.5f, 0.0f, 0.499995f, 1.0f}, {0.5f, 0.3f, 0.300001f, 0.0f}};
    for (const auto& e : edges) EXPECT_NEAR(InterpolateVertex(e.iso, p, q, e.a, e.b).x, e.x, 1e-6f) << e.a << " " << e.b;
    for (int c = 0; c < 256; ++c) {
        uint16_t crossing = 0, used = 0;
        for (int e = 0; e < 12; ++e) {
            if (((c >> kCellEdges[e][0]) & 1) != ((c >> kCellEdges[e][1]) & 1)) crossing |= 1 << e;
        }
        for (int i = 0; kTriangleTable[c][i] >= 0; ++i) used |= 1 << kTriangleTable[c][i];
        EXPECT_EQ(used, crossing) << c;
        EXPECT_EQ(kEdgeTable[c], crossing) << c;
    }
}

}  // namespace
