// Points per second of a render at one thread on each type's own "New
// Fractal": the set New Fractal makes from seed 1 on the model of the
// editors' tests, then one render worker cycle per iteration (kernel,
// shadow-skip draw and the orthographic pass without shadow updates, indexed
// colour, as the program starts) into 512 x 512 buffers. The argument is
// the fractal type, or 100 + row for a "Fractal Generator" row of type 48;
// type 22 runs the tetrahedron script of the tests.
#include <benchmark/benchmark.h>

#include <string>

#include "editors/random_fractal.h"
#include "editors/support/random_fractal_setup.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/point_coloring.h"
#include "engine/transform_set.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"

namespace {

constexpr int kSize = 512;

void SetUpNewFractal(int code)
{
    ReplaceGeneratorGroups(nullptr, 0);
    SetUpRandomFractalModel(1u);
    gImageWidth = gImageHeight = kSize;
    AllocateRenderBuffers(kSize, kSize, false);
    if (code >= 100) gFractalGeneratorRow = code - 100;
    SetFractalType(code >= 100 ? 48 : code);
    if (code == 22) LoadTetrahedronScript();
    CreateRandomFractal();
    gRgbColoring = 0;
    gScreenState = 2;  // orthographic, "Shadows" "Off"
    ClearRenderBuffers();
}

void BM_NewFractalRender(benchmark::State& state, int code)
{
    SetUpNewFractal(code);
    for (auto _ : state) {
        RunRenderWorkerCycle(RenderWorkerKind::kOrtho, 0);
        benchmark::DoNotOptimize(gDepthBuffer[0]);
    }
    state.SetItemsProcessed(state.iterations() * kSlotBatchSize);
    state.SetLabel(code >= 100 ? gFractalGeneratorNames[code - 100] : kFractalTypes[code].name);
    ReplaceGeneratorGroups(nullptr, 0);
}

const bool kRegistered = [] {
    for (int code = 0; code < kFractalTypeCount + 100; ++code) {
        if (code == 48 || (code >= kFractalTypeCount && code < 100) || code >= 100 + kFractalGeneratorRowCount)
            continue;
        benchmark::RegisterBenchmark(("BM_NewFractalRender/" + std::to_string(code)).c_str(), BM_NewFractalRender,
                                     code);
    }
    return true;
}();

}  // namespace
