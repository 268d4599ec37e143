// Points per second of every built baseshape sampler (both twins), and of the
// modifier and array modes.
#include <benchmark/benchmark.h>

#include <string>

#include "baseshapes/generator_table.h"
#include "baseshapes/kind_table.h"
#include "engine/random.h"

namespace {

constexpr uint8_t kSlot = 0;

BaseshapePoint BenchPoint()
{
    BaseshapePoint p{};
    p.size = 1.0f;
    for (float& v : p.p) v = 0.35f;
    return p;
}

void BM_Sampler(benchmark::State& state, BaseshapeSampler sampler)
{
    BuildBaseshapeGeneratorTables();
    gBaseshapeRandom[kSlot].Seed(7);
    gSlotBaseshape[kSlot] = 0;
    gSlotColorMode[kSlot] = 0;
    const BaseshapePoint shape = BenchPoint();
    BaseshapePoint p = shape;
    for (auto _ : state) {
        p = shape;
        sampler(&p, kSlot);
        benchmark::DoNotOptimize(p);
    }
    state.SetItemsProcessed(state.iterations());
}

// A point off the axes for the modifiers and arrays of baseshape 0.
BaseshapePoint PrepareStage()
{
    SeedRandomState(gSlotRandom[kSlot], 7);
    gSlotBaseshape[kSlot] = 0;
    gBaseshapeModifierAmount[0] = 0.3f;
    gBaseshapeArrayCount[0] = 6;
    gBaseshapeArrayAngle[0] = 1.0471976f;
    BaseshapePoint p = BenchPoint();
    p.x = 0.3f, p.y = -0.2f, p.z = 0.5f;
    return p;
}

void BM_Modifier(benchmark::State& state)
{
    const int32_t mode = static_cast<int32_t>(state.range(0));
    const BaseshapePoint p = PrepareStage();
    for (auto _ : state) benchmark::DoNotOptimize(ApplyBaseshapeModifier(p, mode, kSlot));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Modifier)->DenseRange(1, 11);

void BM_Array(benchmark::State& state)
{
    const int32_t mode = static_cast<int32_t>(state.range(0));
    const BaseshapePoint p = PrepareStage();
    for (auto _ : state) benchmark::DoNotOptimize(ApplyBaseshapeArray(p, mode, kSlot));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Array)->DenseRange(1, 9);

// One benchmark per sampler.
const bool gRegistered = [] {
    for (const BaseshapeKind& row : gBaseshapeKindTable) {
        const std::string name = "Kind" + std::to_string(row.kind) + "/" + row.name;
        benchmark::RegisterBenchmark((name + "/surface").c_str(), BM_Sampler, row.surface);
        if (row.filled) benchmark::RegisterBenchmark((name + "/filled").c_str(), BM_Sampler, row.filled);
    }
    return true;
}();

}  // namespace
