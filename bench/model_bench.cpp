// The per-point costs of the chaos game's random side: the slot hash, the
// multiply-with-carry uniform and the successor lookup in a transition row.
#include <benchmark/benchmark.h>

#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/random.h"

namespace {

void BM_StepSlotHash(benchmark::State& state)
{
    uint32_t h = 12345;
    for (auto _ : state) benchmark::DoNotOptimize(StepSlotHash(h));
}
BENCHMARK(BM_StepSlotHash);

void BM_RandomUniform(benchmark::State& state)
{
    RandomState s{};
    SeedRandomState(s, 45);
    for (auto _ : state) benchmark::DoNotOptimize(RandomUniform(s));
}
BENCHMARK(BM_RandomUniform);

// Per-point draws of several workers, each from its own slot state; the
// clobber makes every draw reach memory, as in kernels that write their batch
// between draws.
void BM_SlotRandomDrawsPerThread(benchmark::State& state)
{
    const int slot = state.thread_index();
    SeedRandomState(gSlotRandom[slot], 100u + static_cast<uint32_t>(slot));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RandomUniform(gSlotRandom[slot]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SlotRandomDrawsPerThread)->ThreadRange(1, 8)->UseRealTime();

// One hash step and one row lookup per point, the successor feeding the
// next lookup as in the kernels.
void BM_TransitionLookup(benchmark::State& state)
{
    SeedRandomState(gGlobalRandomA, 1);
    gPickTransformCount = static_cast<int32_t>(state.range(0));
    for (int t = 0; t < gPickTransformCount; ++t) gTransformWeights[t] = 1.0f / gPickTransformCount;
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    gForbiddenSuccessors[0][0] = 0;
    BuildTransformPickTable();
    uint32_t h = 99;
    uint32_t previous = 0;
    for (auto _ : state) {
        previous = gTransformTransitions[previous][StepSlotHash(h) & 255u];
        benchmark::DoNotOptimize(previous);
    }
}
BENCHMARK(BM_TransitionLookup)->Arg(4)->Arg(65);

void BM_BuildTransformPickTable(benchmark::State& state)
{
    SeedRandomState(gGlobalRandomA, 1);
    gPickTransformCount = 65;
    for (int t = 0; t < 65; ++t) gTransformWeights[t] = 1.0f / 65.0f;
    for (auto _ : state) {
        BuildTransformPickTable();
        benchmark::DoNotOptimize(gTransformTransitions[64][255]);
    }
}
BENCHMARK(BM_BuildTransformPickTable);

}  // namespace
