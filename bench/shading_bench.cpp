// The preview passes on the main thread, on the sphere-over-floor scene of
// their tests (a frame at 60 Hz has 16.7 ms).
//
//   BM_ShadeFull/<extras>: the 832 x 832 point preview.
//   BM_ShadeProgressive/<mode>/<extras>: a 2048 x 2048 render buffer; mode 0
//     one sample per preview pixel, mode 2 four (double density).
// extras 0: start-up settings; 1: shadows on, a spread of 20 degrees on the
// material and one extra light.
#include <benchmark/benchmark.h>

#include "materials/shader.h"
#include "render/render_threads.h"
#include "shading/preview_passes.h"
#include "shading/support/preview_scene.h"

namespace {

void Extras(bool on)
{
    gFastShadowUpdate = on ? 1 : 0;
    gShader.ambientRoughness[0] = on ? 2.0f : 0.0f;
    LightSource& light = gShader.lights[1];
    light.enabled = on ? 1 : 0;
    light.position[2] = 1.2f;
    light.radius = 0.6f;
}

void BM_ShadeFull(benchmark::State& state)
{
    SetUpSpherePointPreview();
    Extras(state.range(0) != 0);
    for (auto _ : state) ShadeFull();
    Extras(false);
}
BENCHMARK(BM_ShadeFull)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ShadeProgressive(benchmark::State& state)
{
    SetUpSphereScene(2048, 2048);
    Extras(state.range(1) != 0);
    const int mode = static_cast<int>(state.range(0));
    for (auto _ : state) ShadeProgressive(mode);
    Extras(false);
}
BENCHMARK(BM_ShadeProgressive)->Args({0, 0})->Args({0, 1})->Args({2, 0})->Args({2, 1})->Unit(benchmark::kMillisecond);

}  // namespace
