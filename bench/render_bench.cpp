// Points per second through kernel and projection, the render's hot path:
// type 0 ("IFS") with the 4 maps of a Sierpinski tetrahedron, no baseshapes,
// indexed colour, 2048 x 2048 buffers, 1 to 8 worker threads.
//
//   BM_RenderCycle/<projection>/<shadows>: one worker cycle per iteration
//     (kernel, shadow-skip draw, passes); projection 0 orthographic, 1
//     perspective; shadows 1 "On" (the map updated in ~5 % of the cycles),
//     0 "Off".
//   BM_ProjectionPass/<case>: the pass alone on a refilled slice.
//   BM_TunerScoring: the probability tuner's trials (kernel and count).
//   BM_TunerHold/workers:N: one whole tuning call (20 trials of 40,480
//     batches) with N render workers held meanwhile: how long the render
//     stands still.
//   BM_ResidentMemory: resident memory of this process (rss_MB, from
//     /proc/self/status) after a clear of the 2048 x 2048 buffers and 2000
//     render cycles, what "Render" does to the buffers.
//   BM_PlainLoop: hash step, transition lookup, affine map and a
//     depth-tested write, the ceiling to approach.
// per_thread is points per second per thread.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "render/probability_tuner.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

namespace {

constexpr int kSize = 2048;

void SetUpScene()
{
    static std::once_flag once;
    std::call_once(once, [] {
        InitGlobalState();
        SeedStartupRandomStates(12345u, nullptr);
        AllocateRenderBuffers(kSize, kSize, false);
        gImageScale = kSize / 2.0f;
        gImageOffsetX = gImageOffsetY = kSize / 2.0f;
        InstallSierpinskiTetrahedron();
        gCameraAngleX = 30.0f;
        gCameraAngleY = 40.0f;
        UpdateCameraMatrix();
        gLightTrackBallA[0] = 0.3f;
        UpdateLightViewMatrix();
        FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
        FitViewToFractal(&gShadowOffsetX, &gShadowOffsetY, &gShadowOffsetZ, &gShadowScale, kFitLightView);
        gPerspectiveEye = 3.0f;
        gPerspectiveFocal = 3.0f;
    });
}

void SetPerThreadCounter(benchmark::State& state)
{
    const double points = static_cast<double>(state.iterations()) * kSlotBatchSize;
    state.counters["per_thread"] = benchmark::Counter(points, benchmark::Counter::kAvgThreadsRate);
    state.counters["total"] = benchmark::Counter(points, benchmark::Counter::kIsRate);
}

void BM_RenderCycle(benchmark::State& state)
{
    SetUpScene();
    const int32_t projection = static_cast<int32_t>(state.range(0));
    const bool shadows = state.range(1) != 0;
    if (state.thread_index() == 0) {
        gProjectionSelector = projection;
        gFastShadowUpdate = shadows ? 1 : 0;
        gScreenState.store(static_cast<uint8_t>(shadows ? projection : projection + 2));
        gVolumetricFogOn.store(0);
    }
    const RenderWorkerKind kind = projection == 0 ? RenderWorkerKind::kOrtho : RenderWorkerKind::kPerspective;
    const uint8_t slot = static_cast<uint8_t>(state.thread_index());
    for (auto _ : state) RunRenderWorkerCycle(kind, slot);
    SetPerThreadCounter(state);
}
BENCHMARK(BM_RenderCycle)
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->ArgNames({"persp", "shadow"})
    ->ThreadRange(1, 8)
    ->UseRealTime();

void BM_ProjectionPass(benchmark::State& state)
{
    SetUpScene();
    const ProjectionCaseRow* row = FindProjectionCase(static_cast<int32_t>(state.range(0)));
    const uint8_t slot = static_cast<uint8_t>(state.thread_index());
    gFractalTypeKernel.load()(slot);
    for (auto _ : state) row->main(slot);
    SetPerThreadCounter(state);
}
BENCHMARK(BM_ProjectionPass)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->ThreadRange(1, 8)->UseRealTime();

void BM_Kernel(benchmark::State& state)
{
    SetUpScene();
    const uint8_t slot = static_cast<uint8_t>(state.thread_index());
    for (auto _ : state) gFractalTypeKernel.load()(slot);
    SetPerThreadCounter(state);
}
BENCHMARK(BM_Kernel)->ThreadRange(1, 8)->UseRealTime();

// One tuning call with 50 scoring batches a trial: 20 x 50 x 999 points.
void BM_TunerScoring(benchmark::State& state)
{
    SetUpScene();
    gRenderRunFlag.store(1);
    for (auto _ : state) RunProbabilityTuning(50);
    gRenderRunFlag.store(0);
    state.counters["per_thread"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 20 * 50 * 999, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TunerScoring)->Unit(benchmark::kMillisecond);

void HeldCycle(uint8_t) {}

void BM_TunerHold(benchmark::State& state)
{
    SetUpScene();
    gRenderRunFlag.store(1);
    std::vector<std::thread> held;
    for (int i = 0; i < state.range(0); ++i) held.emplace_back(RunWorkerLoop, i, HeldCycle);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (auto _ : state) TuneTransformProbabilities();
    gRenderRunFlag.store(0);
    for (auto& t : held) t.join();
}
BENCHMARK(BM_TunerHold)
    ->ArgName("workers")
    ->Arg(1)
    ->Arg(2)
    ->Arg(8)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

double ResidentMegabytes()
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0.0;
    char line[256];
    double kb = 0.0;
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::atof(line + 6);
    }
    std::fclose(f);
    return kb / 1024.0;
}

void BM_ResidentMemory(benchmark::State& state)
{
    SetUpScene();
    gScreenState.store(0);
    gFastShadowUpdate = 1;
    for (auto _ : state) {
        ClearRenderBuffers();
        for (int i = 0; i < 2000; ++i) RunRenderWorkerCycle(RenderWorkerKind::kOrtho, 0);
    }
    state.counters["rss_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_ResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PlainLoop(benchmark::State& state)
{
    SetUpScene();
    uint32_t hash = 0x9e3779b9u * static_cast<uint32_t>(state.thread_index() + 1);
    int32_t t = 0;
    float x = 0.1f, y = 0.2f, z = 0.3f;
    float* depth = gDepthBuffer;
    const TransformCoefficients& c = gTransformCoefficients;
    const float k = gViewScale * kSize / 2.0f;
    for (auto _ : state) {
        for (int i = 0; i < kSlotBatchSize; ++i) {
            hash = HashStep(hash);
            t = static_cast<int32_t>(gTransformTransitions[t][hash & 255u]);
            const float nx = c.m00[t] * x + c.m01[t] * y + c.m02[t] * z + c.tx[t];
            const float ny = c.m10[t] * x + c.m11[t] * y + c.m12[t] * z + c.ty[t];
            const float nz = c.m20[t] * x + c.m21[t] * y + c.m22[t] * z + c.tz[t];
            x = nx, y = ny, z = nz;
            const float fx = x * k + kSize / 2.0f, fy = y * k + kSize / 2.0f;
            if (!(fx >= 1.0f && fx < kSize && fy >= 1.0f && fy < kSize)) continue;
            const int p = static_cast<int>(fy) * kSize + static_cast<int>(fx);
            const float d = (z + 1.0f) * 32767.0f;
            if (d > depth[p]) depth[p] = d;
        }
    }
    SetPerThreadCounter(state);
}
BENCHMARK(BM_PlainLoop)->ThreadRange(1, 8)->UseRealTime();

}  // namespace
