// What the preview area shows: the values of gScreenState (the render
// workers read it too, so it lives with them) and what they mean.
#pragma once

#include <cstdint>

#include "render/render_threads.h"  // gScreenState

// Values of gScreenState.
enum ScreenState : uint8_t {
    kScreenRenderOrtho = 0,        // 0..3: render running (projection, + 2 without shadow updates)
    kScreenRenderPerspective = 1,
    kScreenRenderOrthoNoShadow = 2,
    kScreenRenderPerspectiveNoShadow = 3,
    kScreenExport = 4,
    kScreenPreview3D = 5,
    kScreenPointPreview = 6,
    kScreenSplash = 7,
    kScreenVoxelBusy = 8,
    kScreenInterfaceOnly = 20,
};

static_assert(kScreenPreview3D == kFirstPreviewScreen, "the point previews are the first preview screens");

// A render runs on screen (states 0..3).
inline bool RenderOnScreen(int state) { return state <= kScreenRenderPerspectiveNoShadow; }
