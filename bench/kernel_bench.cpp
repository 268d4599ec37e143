// Points per second of the type-0 kernel on one slot with four
// transformations: without baseshapes (one orbit) and with sphere seeds
// every 100 points; colouring mode 0 (weighted interpolation, float work per
// point) and 6 (integer sums); four slots on four threads at once; and every
// landed kernel by type on the same four transformations, with its ratio to
// type 0 (vs_type0, type 0 timed once at start), and every baseshape
// sampler with its ratio to 10 M points per second (vs_10M), so one run
// reports every type and every kind.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "baseshapes/generator_table.h"
#include "baseshapes/kind_table.h"
#include "engine/baseshape_model.h"
#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/fractal_type_00.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/kernels_generator_chains.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "engine/script_program.h"
#include "render/symmetry_modes.h"

namespace {

void SetUpModel(bool baseshapes, int coloringMode)
{
    InitGlobalState();
    SeedStartupRandomStates(1234u, BuildBaseshapeGeneratorTables);
    gTransformCount = gPickTransformCount = 4;
    const float shift[4][3] = {{0, 0, 0}, {0.5f, 0, 0}, {0, 0.5f, 0}, {0, 0, 0.5f}};
    for (int t = 0; t < 4; ++t) {
        TransformCoefficients& c = gTransformCoefficients;
        c.m00[t] = c.m11[t] = c.m22[t] = 0.5f;
        c.m01[t] = c.m02[t] = c.m10[t] = c.m12[t] = c.m20[t] = c.m21[t] = 0.0f;
        c.tx[t] = shift[t][0];
        c.ty[t] = shift[t][1];
        c.tz[t] = shift[t][2];
        gTransformWeights[t] = 0.25f;
        gTransformColors.r[t] = 60 * t;
        gTransformColors.g[t] = 255 - 60 * t;
        gTransformColors.b[t] = 128;
    }
    BuildTransformPickTable();

    gUseBaseshapes = baseshapes ? 1 : 0;
    gBaseshapeCount = 1;
    BaseshapeRecord& rec = gBaseshapes[0];
    rec = BaseshapeRecord{};
    rec.matrix[0] = rec.matrix[4] = rec.matrix[8] = 1.0f;
    rec.probability = 1.0f;
    rec.shapeType = 1;  // sphere
    rec.pointsPerRun = 100;
    gBaseshapePointTemplates[0].size = 1.0f;
    ResetColoringTables();
    SetColoringMode(coloringMode);
}

void BM_RunFractalType00(benchmark::State& state)
{
    SetUpModel(state.range(0) != 0, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        RunFractalType00(0);
        benchmark::DoNotOptimize(gPointX[999]);
    }
    state.SetItemsProcessed(state.iterations() * kSlotBatchSize);
    state.SetLabel(state.range(0) ? "baseshape seeds" : "one orbit");
}
BENCHMARK(BM_RunFractalType00)->ArgNames({"seeds", "colour"})->ArgsProduct({{0, 1}, {0, 6}});

// Four workers on slots 0..3 at once: one orbit each, baseshape seeds every
// 10 points and seeds only, where the per-run writes of neighbouring slots meet.
void SetUpOrbitWorkers(const benchmark::State&) { SetUpModel(false, 0); }
void SetUpShortRunWorkers(const benchmark::State&)
{
    SetUpModel(true, 0);
    gBaseshapes[0].pointsPerRun = 10;
}

// Points per run 0, the editor's default: every point is a fresh seed.
void SetUpSeedOnlyWorkers(const benchmark::State&)
{
    SetUpModel(true, 0);
    gBaseshapes[0].pointsPerRun = 0;
}

void BM_RunFractalType00Workers(benchmark::State& state)
{
    const uint8_t slot = static_cast<uint8_t>(state.thread_index());
    for (auto _ : state) {
        RunFractalType00(slot);
        benchmark::DoNotOptimize(gPointX[kSlotBatchSize * slot + kSlotBatchSize - 1]);
    }
    state.SetItemsProcessed(state.iterations() * kSlotBatchSize);
}
BENCHMARK(BM_RunFractalType00Workers)->Name("BM_RunFractalType00Workers/one orbit")->Setup(SetUpOrbitWorkers)
    ->Threads(4)->UseRealTime();
BENCHMARK(BM_RunFractalType00Workers)->Name("BM_RunFractalType00Workers/seeds every 10")
    ->Setup(SetUpShortRunWorkers)->Threads(1)->Threads(4)->UseRealTime();
BENCHMARK(BM_RunFractalType00Workers)->Name("BM_RunFractalType00Workers/seeds only")
    ->Setup(SetUpSeedOnlyWorkers)->Threads(1)->Threads(4)->UseRealTime();

// The symmetry step the workers add after each batch: one group mode and
// the per-point loxodrome.
void BM_ApplySymmetry(benchmark::State& state)
{
    SetUpModel(false, 8);
    RunFractalType00(0);
    gSymmetryMode = static_cast<int32_t>(state.range(0));
    gSymmetrySeparation = 0.0f;
    SetSymmetryCopyWeights();
    for (auto _ : state) {
        ApplySymmetry(0);
        benchmark::DoNotOptimize(gPointX[0]);
    }
    state.SetItemsProcessed(state.iterations() * (kSlotBatchSize - 1));
}
BENCHMARK(BM_ApplySymmetry)->ArgName("mode")->Arg(3)->Arg(6)->Arg(10);

// Points per second of one type's kernel on SetUpModel's four
// transformations: one orbit, colouring mode 6; types needing data of their
// own set it up in PrepareType. Every chaos-game type but 48, which is
// benchmarked with its chains below; 46 and 49 by row below.
const int kBenchedTypes[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                             17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33,
                             34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 47};

// Four tforms of scale and translate, the affine set of SetUpModel.
void SetUpAffineScript()
{
    ScriptProgram& p = gScriptProgram;
    p = ScriptProgram{};
    p.tformCount = 4;
    const float shift[4][3] = {{0, 0, 0}, {0.5f, 0, 0}, {0, 0.5f, 0}, {0, 0, 0.5f}};
    for (int t = 0; t < 4; ++t) {
        p.tformWeight[t] = 0.25f;
        p.tformFirstOperation[t] = static_cast<uint8_t>(2 * t);
        p.tformOperationCount[t] = 2;
        p.operationCode[2 * t] = kScriptScale;
        p.operationFirstParameter[2 * t] = static_cast<uint8_t>(6 * t);
        p.operationCode[2 * t + 1] = kScriptTranslate;
        p.operationFirstParameter[2 * t + 1] = static_cast<uint8_t>(6 * t + 3);
        for (int k = 0; k < 3; ++k) {
            p.parameters[6 * t + k] = 0.5f;
            p.parameters[6 * t + 3 + k] = shift[t][k];
        }
    }
}

void PrepareType(int type)
{
    if (type == 3 || type == 19) ComputeTransformCoefficients({1.91f, 0.05f}, {1.91f, -0.05f});
    // Flames: the affine step plus "Swirl3D" on every transformation.
    for (int t = 0; t < 4 && (type == 2 || type == 15 || type == 23); ++t) {
        gTransforms[t].variationOn[0] = gTransforms[t].variationOn[3] = 1;
        gTransforms[t].variationAmount[0] = 1.0f;
        gTransforms[t].variationAmount[3] = 0.1f;
    }
    if (type == 22) SetUpAffineScript();
}

// Points per second of type 0 on SetUpModel's transformations, colouring
// mode 6, timed over about 0.2 s the first time it is asked for.
double Type0Rate()
{
    static const double rate = [] {
        SetUpModel(false, 6);
        gFractalType = 0;
        const auto start = std::chrono::steady_clock::now();
        int64_t calls = 0;
        double seconds = 0.0;
        do {
            for (int i = 0; i < 1000; ++i) RunFractalType00(0);
            calls += 1000;
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        } while (seconds < 0.2);
        return static_cast<double>(calls) * kSlotBatchSize / seconds;
    }();
    return rate;
}

// Wall time of a measured loop, so that ratios print as plain numbers.
struct LoopClock {
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    double Seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

void SetTypeRatio(benchmark::State& state, const LoopClock& clock)
{
    const double points = static_cast<double>(state.iterations()) * kSlotBatchSize;
    state.counters["vs_type0"] = points / clock.Seconds() / Type0Rate();
}

void BM_FractalType(benchmark::State& state, int type)
{
    Type0Rate();
    const FractalKernel kernel = kFractalTypes[type].kernel;
    SetUpModel(false, 6);
    gFractalType = type;
    PrepareType(type);
    const LoopClock clock;
    for (auto _ : state) {
        kernel(0);
        benchmark::DoNotOptimize(gPointX[999]);
    }
    SetTypeRatio(state, clock);
    state.SetItemsProcessed(state.iterations() * kSlotBatchSize);
    state.SetLabel(kFractalTypes[type].name);
}

// The escape-time types by "Function" row (5 runs the Alt kernel), sampling
// the neck of the set where counts spread over the whole limit.
void BM_EscapeTimeType(benchmark::State& state, int type, int row)
{
    Type0Rate();
    SetUpModel(false, 6);
    gFractalType = type;
    gEscapeFunction = row;
    gMandelbrotCentre[0] = -0.75;
    gMandelbrotCentre[1] = 0.1;
    gMandelbrotScale = 1.0;
    gTransforms[0].variationAmount[0] = 1.0f;
    gTransforms[0].variationAmount[4] = 0.5f;
    gTransforms[0].variationAmount[5] = 0.25f;
    const FractalKernel kernel = FractalTypeKernelFor(type, row);
    const LoopClock clock;
    for (auto _ : state) {
        kernel(0);
        benchmark::DoNotOptimize(gPointX[999]);
    }
    SetTypeRatio(state, clock);
    state.SetItemsProcessed(state.iterations() * kSlotBatchSize);
    state.SetLabel(kFractalTypes[type].name);
    gEscapeFunction = 0;
}

const bool kTypesRegistered = [] {
    for (int type : kBenchedTypes) {
        benchmark::RegisterBenchmark(("BM_FractalType/" + std::to_string(type)).c_str(), BM_FractalType, type);
    }
    for (int type : {46, 49}) {
        for (int row = 0; row <= 5; ++row) {
            benchmark::RegisterBenchmark(
                ("BM_FractalType/" + std::to_string(type) + "/row:" + std::to_string(row)).c_str(), BM_EscapeTimeType,
                type, row);
        }
    }
    return true;
}();

// Type 48 with every transformation's chain of n blocks: "Affine Trans"
// holding the transformation, then warps "(+) Sin" and "(+) Swirl I" in turn.
void BM_FractalType48(benchmark::State& state)
{
    Type0Rate();
    SetUpModel(false, 6);
    const int32_t blocks = static_cast<int32_t>(state.range(0));
    ReplaceGeneratorGroups(NewGeneratorGroupArray(4), 4);
    for (int t = 0; t < 4; ++t) {
        AllocateGeneratorGroup(t, 0.25f, blocks, 0, 31, 33, 31, 33);
        const TransformCoefficients& c = gTransformCoefficients;
        const float q[12] = {c.m00[t], c.m01[t], c.m02[t], c.m10[t], c.m11[t], c.m12[t],
                             c.m20[t], c.m21[t], c.m22[t], c.tx[t],  c.ty[t],  c.tz[t]};
        for (int e = 0; e < 12; ++e) gGeneratorGroups[t].parameters[0][e] = q[e];
        for (int32_t k = 1; k < blocks; ++k) SetGeneratorValues3(t, k, 0.05f, 0.05f, 0.05f);
    }
    const LoopClock clock;
    for (auto _ : state) {
        RunFractalType48(0);
        benchmark::DoNotOptimize(gPointX[999]);
    }
    SetTypeRatio(state, clock);
    state.SetItemsProcessed(state.iterations() * kSlotBatchSize);
    ReplaceGeneratorGroups(nullptr, 0);
}
BENCHMARK(BM_FractalType48)->ArgName("blocks")->Arg(1)->Arg(3)->Arg(5);

// One baseshape sampler on slot 0 with every parameter 0.35: points per
// second and the ratio to 10 M points per second.
void BM_Sampler(benchmark::State& state, BaseshapeSampler sampler)
{
    BuildBaseshapeGeneratorTables();
    gBaseshapeRandom[0].Seed(7);
    gSlotBaseshape[0] = 0;
    gSlotColorMode[0] = 0;
    BaseshapePoint shape{};
    shape.size = 1.0f;
    for (float& v : shape.p) v = 0.35f;
    const LoopClock clock;
    for (auto _ : state) {
        BaseshapePoint p = shape;
        sampler(&p, 0);
        benchmark::DoNotOptimize(p);
    }
    state.counters["vs_10M"] = static_cast<double>(state.iterations()) / clock.Seconds() / 1e7;
    state.SetItemsProcessed(state.iterations());
}

const bool kKindsRegistered = [] {
    for (const BaseshapeKind& row : gBaseshapeKindTable) {
        const std::string name = "BM_Kind/" + std::to_string(row.kind) + "/" + row.name;
        benchmark::RegisterBenchmark((name + "/surface").c_str(), BM_Sampler, row.surface);
        if (row.filled) benchmark::RegisterBenchmark((name + "/filled").c_str(), BM_Sampler, row.filled);
    }
    return true;
}();

}  // namespace
