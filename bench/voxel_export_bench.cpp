// The voxel export's phases at N = 200 and N = 400, on a level-3 sponge of
// side 0.8 N sprinkled with isolated voxels (one in a thousand):
//
//   BM_Cleaning/N: both transposes, isolated voxels and hole filling.
//   BM_InteriorWall/N/d: the wall pass alone, thickness d = 1 and 8.
//   BM_Smoothing/N/M: the density planes of mode M (0 "Median 5X" .. 4 "Cubes").
//   BM_Marching/N: "Median 3X" planes and every cell's triangles, nothing written.
//   BM_Export/N/K: the whole export into a file: K = 0 STL, 1 OBJ, 2 RAW, 3 PNG slices.
//
// Costs should grow with N^3 (8x from 200 to 400), and the wall pass
// should not grow with d.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/random.h"
#include "files/marching_cubes.h"
#include "files/volumetric_field.h"
#include "files/voxel_grid_cleaning.h"
#include "files/voxel_smoothing.h"

namespace {

// The sponge in the export's layout (x fastest), made once per side.
const std::vector<uint8_t>& Sponge(int n)
{
    static std::map<int, std::vector<uint8_t>> grids;
    std::vector<uint8_t>& g = grids[n];
    if (!g.empty()) return g;
    g.assign(static_cast<size_t>(n) * n * n, 0);
    const int lo = n / 10, size = n - 2 * lo;
    RandomState random;
    SeedRandomState(random, 3);
    for (int z = 0; z < n; ++z)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                uint8_t& v = g[(static_cast<size_t>(z) * n + y) * n + x];
                if (RandomStep(random) % 1000 == 0) v = 1;
                if (x < lo || y < lo || z < lo || x >= lo + size || y >= lo + size || z >= lo + size) continue;
                int a = (x - lo) * 27 / size, b = (y - lo) * 27 / size, c = (z - lo) * 27 / size;
                bool solid = true;
                for (int level = 0; level < 3 && solid; ++level, a /= 3, b /= 3, c /= 3) {
                    solid = (a % 3 == 1) + (b % 3 == 1) + (c % 3 == 1) < 2;
                }
                v = solid;
            }
    return g;
}

// The sponge cleaned and x-major, as the writers get it.
std::vector<uint8_t> CleanXMajor(int n, VoxelBox* box)
{
    std::vector<uint8_t> x(Sponge(n).size());
    TransposeGrid(Sponge(n).data(), x.data(), n);
    *box = RemoveIsolatedVoxels(x.data(), n, {});
    FillHoles(x.data(), n, *box, {});
    return x;
}

void BM_Cleaning(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<uint8_t> grid, xMajor(Sponge(n).size());
    for (auto _ : state) {
        state.PauseTiming();
        grid = Sponge(n);
        state.ResumeTiming();
        TransposeGrid(grid.data(), xMajor.data(), n);
        const VoxelBox box = RemoveIsolatedVoxels(xMajor.data(), n, {});
        FillHoles(xMajor.data(), n, box, {});
        TransposeGrid(xMajor.data(), grid.data(), n);
    }
    state.SetItemsProcessed(state.iterations() * n * n * n);
}

void BM_InteriorWall(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    VoxelBox box;
    const std::vector<uint8_t> clean = CleanXMajor(n, &box);
    std::vector<uint8_t> grid;
    for (auto _ : state) {
        state.PauseTiming();
        grid = clean;
        state.ResumeTiming();
        HollowInterior(grid.data(), n, box, static_cast<int>(state.range(1)), {});
    }
    state.SetItemsProcessed(state.iterations() * n * n * n);
}

void BM_Smoothing(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    VoxelBox box;
    const std::vector<uint8_t> clean = CleanXMajor(n, &box);
    for (auto _ : state) {
        DensityPlanes planes;
        planes.Begin(clean.data(), n, static_cast<int>(state.range(1)), box.lo[1], box.hi[1], box.lo[2], box.hi[2]);
        std::vector<float> plane(static_cast<size_t>(planes.Width()) * planes.Height());
        for (int x = box.lo[0]; x <= box.hi[0]; ++x) planes.Compute(x, plane.data());
        benchmark::DoNotOptimize(plane.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n * n);
}

void BM_Marching(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    VoxelBox box;
    const std::vector<uint8_t> clean = CleanXMajor(n, &box);
    int64_t triangles = 0;
    for (auto _ : state) {
        DensityPlanes planes;
        planes.Begin(clean.data(), n, kSmoothingAverage3, box.lo[1], box.hi[1], box.lo[2], box.hi[2]);
        const size_t w = static_cast<size_t>(planes.Width()), size = w * planes.Height();
        std::vector<float> a(size), b(size);
        planes.Compute(box.lo[0], a.data());
        GridCell cell;
        MeshTriangle out[kMaxCellTriangles];
        triangles = 0;
        for (int x = box.lo[0]; x < box.hi[0]; ++x) {
            planes.Compute(x + 1, b.data());
            for (int y = box.lo[1]; y < box.hi[1]; ++y)
                for (int z = box.lo[2]; z < box.hi[2]; ++z) {
                    const size_t at = (y - box.lo[1]) * w + (z - box.lo[2]);
                    const MeshPoint origin{float(x), float(y), float(z)};
                    if (LoadPlaneCell(a.data(), b.data(), at, w, 0.5f, origin, cell)) {
                        triangles += PolygonizeCell(cell, 0.5f, out);
                    }
                }
            a.swap(b);
        }
    }
    state.counters["triangles"] = static_cast<double>(triangles);
    state.SetItemsProcessed(state.iterations() * n * n * n);
}

void BM_Export(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int kind = static_cast<int>(state.range(1));
    const std::string folder = "/tmp/talvoran_voxel_bench";
    std::filesystem::create_directories(folder);
    std::vector<uint8_t> grid;
    MeshExportStatus status;
    for (auto _ : state) {
        state.PauseTiming();
        grid = Sponge(n);
        VoxelMeshRequest request;
        request.voxels = grid.data();
        request.voxelBytes = grid.size();
        request.resolution = n;
        request.interpolation = kSmoothingAverage3;
        request.volume = kind >= 2;
        request.png = kind == 3;
        request.path = folder + "/sponge";
        state.ResumeTiming();
        status = kind == 1 ? gVolumetricField.ExportObj(request) : gVolumetricField.ExportStlRawPng(request);
    }
    if (status.result != MeshExportResult::kWritten) state.SkipWithError("the export wrote no file");
    state.counters["triangles"] = static_cast<double>(status.triangles);
    std::filesystem::remove_all(folder);
    state.SetItemsProcessed(state.iterations() * n * n * n);
}

}  // namespace

BENCHMARK(BM_Cleaning)->Arg(200)->Arg(400)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InteriorWall)->ArgsProduct({{200, 400}, {1, 8}})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Smoothing)->ArgsProduct({{200, 400}, {0, 1, 2, 3, 4}})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Marching)->Arg(200)->Arg(400)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->ArgsProduct({{200, 400}, {0, 1, 2, 3}})->Iterations(2)->Unit(benchmark::kMillisecond);
