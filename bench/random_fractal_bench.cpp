// "New Fractal" for each fractal type (the type is the argument), seeds
// changing from one iteration to the next, and preset 46's capped search
// for a bounded Moebius pair.
#include <benchmark/benchmark.h>

#include "editors/random_fractal.h"
#include "editors/support/random_fractal_setup.h"
#include "editors/transformation_presets.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"

namespace {

void BM_CreateRandomFractal(benchmark::State& state)
{
    const int type = static_cast<int>(state.range(0));
    uint32_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        SetUpRandomFractalModel(seed++);
        SetFractalType(type);
        if (type == 22) LoadTetrahedronScript();
        state.ResumeTiming();
        CreateRandomFractal();
        benchmark::DoNotOptimize(gTransformCount);
    }
    ReplaceGeneratorGroups(nullptr, 0);
}
BENCHMARK(BM_CreateRandomFractal)->DenseRange(0, kFractalTypeCount - 1)->Unit(benchmark::kMillisecond);

void BM_MobiusPairSearch(benchmark::State& state)
{
    uint32_t seed = 1;
    for (auto _ : state) {
        SetUpRandomFractalModel(seed++);
        ApplyTransformationPreset(46);
        benchmark::DoNotOptimize(gTransformCoefficients.m00[0]);
    }
}
BENCHMARK(BM_MobiusPairSearch)->Unit(benchmark::kMillisecond);

}  // namespace
