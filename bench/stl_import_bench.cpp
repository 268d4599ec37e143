// Importing a binary STL of 1,000,000 facets as a baseshape mesh: from the
// file on disk (read, parse, centre and scale, install), and the parse and
// normalisation alone on the bytes in memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/baseshape_model.h"
#include "files/stl_import.h"

namespace {

constexpr uint32_t kFacets = 1000000;

const std::vector<uint8_t>& FacetBytes()
{
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b(84 + size_t{50} * kFacets);
        std::memcpy(b.data() + 80, &kFacets, 4);
        for (uint32_t f = 0; f < kFacets; ++f) {
            float corners[9];
            for (int k = 0; k < 9; ++k) corners[k] = static_cast<float>((f * 7919u + k * 104729u) % 10007u) * 0.01f;
            std::memcpy(&b[84 + size_t{50} * f + 12], corners, sizeof corners);
        }
        return b;
    }();
    return bytes;
}

const std::string& FacetFile()
{
    static const std::string path = [] {
        const std::string p = "/tmp/talvoran_stl_import_bench.stl";
        FILE* f = std::fopen(p.c_str(), "wb");
        if (f) {
            std::fwrite(FacetBytes().data(), 1, FacetBytes().size(), f);
            std::fclose(f);
        }
        return p;
    }();
    return path;
}

void BM_ImportStlFile(benchmark::State& state)
{
    const std::string& path = FacetFile();
    for (auto _ : state) {
        if (!ImportStlFile(path.c_str(), 0)) state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(gBaseshapeMeshes[0].vertices);
    }
    state.SetItemsProcessed(state.iterations() * kFacets);
}
BENCHMARK(BM_ImportStlFile)->Unit(benchmark::kMillisecond);

void BM_ParseAndNormalise(benchmark::State& state)
{
    const std::vector<uint8_t>& bytes = FacetBytes();
    for (auto _ : state) {
        StlMesh mesh;
        ParseStl(bytes.data(), bytes.size(), &mesh, nullptr);
        NormalizeStlMesh(mesh.vertices.get(), mesh.triangleCount);
        benchmark::DoNotOptimize(mesh.vertices.get());
    }
    state.SetItemsProcessed(state.iterations() * kFacets);
}
BENCHMARK(BM_ParseAndNormalise)->Unit(benchmark::kMillisecond);

}  // namespace
