// Export pixels per second on one worker, 2048 x 2048 buffers holding a
// sphere over a floor (orthographic, light from the upper left, the shadow
// map the scene seen from the light's side).
//
//   BM_ExportShading/0: the interface's start settings.
//   BM_ExportShading/1: "Occluded" shadows and "Every Pixel" occlusion.
//   BM_ExportShading/2: a material spread of 1 (40 samples) and reflections.
// One iteration shades 8 row pairs of 2048 columns; items are pixels.
#include <benchmark/benchmark.h>

#include "support/export_scene.h"

#include <cmath>
#include <mutex>

#include "engine/random.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "shading/export_pixel.h"

namespace {

constexpr int kSize = kExportSceneSize;

void SetUpScene() { SetUpExportScene(); }

void BM_ExportShading(benchmark::State& state)
{
    SetUpScene();
    const float light[3] = {-0.4f, 0.5f, 0.75f};
    for (int c = 0; c < 3; ++c) gLightTrackBallA[c] = light[c];
    ExportShadingSettings settings = ReadExportShadingSettings(false);
    gOcclusionSettings.everyPixel = 0;
    gShader.ambientRoughness[0] = 0.0f;
    switch (state.range(0)) {
    case 1:
        settings.shadowsOn = 1;
        settings.shadowType = kShadowOccluded;
        gOcclusionSettings.everyPixel = 1;
        break;
    case 2:
        gShader.ambientRoughness[0] = 1.0f;
        settings.reflectionsOn = 1;
        break;
    default: break;
    }
    PrepareExportShading(settings);
    int row = 0;
    for (auto _ : state) {
        for (int pair = 0; pair < 8; ++pair) {
            for (int column = 0; column < kSize; ++column) ShadeRowPairColumn(column, row, 0);
            row = (row + 2) % (kSize - 1);
        }
        benchmark::DoNotOptimize(gExportRowPairs[0][0]);
    }
    state.SetItemsProcessed(state.iterations() * 8 * 2 * kSize);
}
BENCHMARK(BM_ExportShading)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
