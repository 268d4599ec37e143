// Procedural textures made from presets drawn with a fixed seed.
//
//   BM_GenerateProceduralTexture/<size>/<mode>: one full image, 1024 with the
//     five-sampled dome (a background) and 512 with the five-sampled UV
//     mapping (a surface texture or light gel).
//   BM_RegenerateMaterialPresets: the 15 material-texture presets with their
//     128 x 128 thumbnails and brightness retries, as "New Set" makes them.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/random_helpers.h"
#include "materials/shader.h"

namespace {

void BM_GenerateProceduralTexture(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int mode = static_cast<int>(state.range(1));
    auto shader = std::make_unique<Shader>();
    SeedGlobalRandomA(2026);
    shader->RegenerateTexturePresets(15, 16, 4);
    std::vector<uint8_t> pixels(static_cast<size_t>(n) * n * 3);
    for (auto _ : state) {
        shader->GenerateProceduralTexture(pixels.data(), n, mode, 15);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_GenerateProceduralTexture)->Args({1024, 2})->Args({512, 3})->Unit(benchmark::kMillisecond);

void BM_RegenerateMaterialPresets(benchmark::State& state)
{
    auto shader = std::make_unique<Shader>();
    for (auto _ : state) {
        SeedGlobalRandomA(2026);
        shader->RegenerateTexturePresets(0, 15, 0);
        benchmark::DoNotOptimize(shader->thumbnailBuffer);
    }
}
BENCHMARK(BM_RegenerateMaterialPresets)->Unit(benchmark::kMillisecond);

}  // namespace
