// The window thread's share of one frame of the interface: the program
// started offscreen (SDL_VIDEODRIVER=offscreen), one page of each tab on
// screen, the interface drawn as every frame draws it (title, panels,
// captions, controls, status line) with glFinish, so the software driver's
// work on this thread is counted.
//
//   BM_InterfaceFrame/<tab>: DrawInterface alone, tab 0 .. 6 in the order of
//     the tab strip (Fractals, Render, Camera, Editors, About, Voxels,
//     Animation), on each tab's first page.
//   BM_MainViewFrame: the whole frame of the main view as a render draws it
//     (interface, preview picture, busy mark).
//   BM_DirtyPointPreviewFrame: the whole frame of the point preview just
//     after a change (interface, 256 batches of points into the preview's
//     target, the target shown).
#include <benchmark/benchmark.h>

#include <string>

#include "app/create_interface.h"
#include "app/frame.h"
#include "app/interface_drawing.h"
#include "app/program_entry.h"
#include "ui/panel_pages.h"
#include "platform/desktop/gl_api.h"
#include "support/offscreen_program.h"

namespace {

// Out of line, so that a profiler can count these alone.
[[gnu::noinline]] void InterfaceOnce()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    DrawInterface();
    glFinish();
}

[[gnu::noinline]] void FrameOnce()
{
    DrawFrame();
    glFinish();
}

void BM_InterfaceFrame(benchmark::State& state)
{
    std::string error;
    if (!StartOffscreenProgramOnce(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    gCurrentTab = static_cast<int>(state.range(0));
    for (int i = 0; i < 3; ++i) RunMessageLoopPass();
    for (auto _ : state) InterfaceOnce();
    gCurrentTab = kTabFractals;
}
BENCHMARK(BM_InterfaceFrame)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// Whole frames of one screen; a dirty one has its preview gathered afresh
// before each frame, as just after a change.
void ScreenFrames(benchmark::State& state, uint8_t screen, bool dirty)
{
    std::string error;
    if (!StartOffscreenProgramOnce(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const uint8_t before = gScreenState.load();
    gScreenState = screen;
    for (auto _ : state) {
        if (dirty) gPreviewRefresh = 1;
        FrameOnce();
    }
    gScreenState = before;
}

void BM_MainViewFrame(benchmark::State& state) { ScreenFrames(state, kScreenRenderOrtho, false); }
BENCHMARK(BM_MainViewFrame)->Unit(benchmark::kMillisecond);

void BM_DirtyPointPreviewFrame(benchmark::State& state) { ScreenFrames(state, kScreenPointPreview, true); }
BENCHMARK(BM_DirtyPointPreviewFrame)->Unit(benchmark::kMillisecond);

}  // namespace
