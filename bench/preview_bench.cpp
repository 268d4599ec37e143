// One frame of the point preview on the window thread: 256 kernel batches of
// slot 0 (type 0, the 4 maps of a Sierpinski tetrahedron), each projected and
// plotted. Needs a GL context (SDL_VIDEODRIVER=offscreen headless).
//
//   BM_PreviewFrame/1: dirty, GL points into the off-screen target, shown as
//     one quad (glFinish included, so the driver's work is counted).
//   BM_PreviewFrame/0: settled, points into the CPU planes (the shading of
//     every 41st frame included).
#include <benchmark/benchmark.h>

#include "app/frame.h"
#include "app/point_preview.h"
#include "app/render_size.h"
#include "engine/random.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

namespace {

void BM_PreviewFrame(benchmark::State& state)
{
    GlTestContext gl;
    if (!gl.ok()) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    CreatePreviewTarget();
    CreatePreviewTexture();
    InitGlobalState();
    SeedStartupRandomStates(12345u, nullptr);
    InstallSierpinskiTetrahedron();
    gImageWidth = gImageHeight = 2048;
    DeriveRenderSizeValues();
    gCameraAngleX = 30.0f;
    gCameraAngleY = 40.0f;
    UpdateCameraMatrix();
    FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
    const bool dirty = state.range(0) != 0;
    for (auto _ : state) {
        gPreviewRefresh = dirty ? 1 : 0;
        DrawPointPreview();
        glFinish();
    }
    state.counters["points_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kPreviewBatchCount[1] * kPreviewPointsPerBatch,
        benchmark::Counter::kIsRate);
    DeletePreviewTexture();
    DestroyPreviewTarget();
}
BENCHMARK(BM_PreviewFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
