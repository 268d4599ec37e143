#include "app/buffer_resize.h"

#include <cstring>

#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/interface_panel.h"
#include "shading/preview_image.h"
#include "app/create_interface.h"
#include "app/point_preview.h"
#include "app/render_control.h"
#include "app/render_size.h"
#include "app/startup_init.h"
#include "app/view_zoom.h"
#include "engine/status_line.h"
#include "platform/desktop/platform_events.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "render/transform_probabilities.h"
#include "render/view_camera.h"

void (*gResizeSleep)(uint32_t ms) = SleepMs;
bool (*gResizeAllocate)(int32_t width, int32_t height, bool antiAlias2x) = AllocateRenderBuffers;

namespace {

// The render allocator already falls back to the old size; a failure that
// also lost the old buffers tries the start-up sizes.
bool AllocateWithFallback(int32_t width, int32_t height, bool antiAlias2x)
{
    if (gResizeAllocate(width, height, antiAlias2x)) return true;
    SetStatusText("%s", kInsufficientMemoryText);
    if (RenderBuffersReady()) return false;
    for (int size : kStartupRenderSizes)
        if (gResizeAllocate(size, size, false)) return false;
    return false;
}

void FollowNewSize(int32_t oldHeight)
{
    DeriveRenderSizeValues();
    if (oldHeight > 0 && gImageHeight > 0) {
        const float k = static_cast<float>(gImageHeight) / static_cast<float>(oldHeight);
        gPanX *= k;
        gPanY *= k;
    }
    const float halfW = static_cast<float>(gImageWidth / 2), halfH = static_cast<float>(gImageHeight / 2);
    gImageOffsetX = halfW + gPanX;
    gImageOffsetY = halfH + gPanY;
    gImageScale = (gImageWidth <= gImageHeight ? halfW : halfH) * gZoom;
}

}  // namespace

namespace {

// Everything that follows a new size: derived values, buttons, cleared
// buffers and previews.
void AfterResize(int32_t oldHeight)
{
    FollowNewSize(oldHeight);
    gContinueAllowed = 0;
    gRenderExists = 0;
    // Without buffers nothing can be rendered; once they are back, Render is.
    static bool buffersMissing = false;
    if (!RenderBuffersReady()) {
        EnableButton(kButtonRender, false);
        EnableButton(kButtonContinue, false);
        SetStatusText("%s", kInsufficientMemoryText);
        buffersMissing = true;
    } else if (buffersMissing) {
        EnableButton(kButtonRender, true);
        buffersMissing = false;
    }
    ClearPreviewTarget();
    ClearRenderBuffers();
    ClearPreviewPlanes();
    std::memset(gPreviewImage, 0, sizeof gPreviewImage);
    gPreviewUploadPending = 1;
    UpdateTransformProbabilities();
    BuildGridOverlays(gImageWidth, gImageHeight);
}

}  // namespace

bool ResizeRenderBuffers(int mode)
{
    if (!RenderBuffersChangeable()) return false;
    const int32_t oldHeight = gImageHeight;
    int32_t width = gImageWidth, height = gImageHeight;
    bool antiAlias2x = gAntiAlias2x != 0;
    if (mode == 0) {
        const RenderResolution wanted = gReadRenderResolution();
        width = wanted.width;
        height = wanted.height;
        antiAlias2x = wanted.antiAlias2x;
    } else if (antiAlias2x) {
        // The allocator doubles the size again.
        width /= 2;
        height /= 2;
    }
    AllocateWithFallback(width, height, antiAlias2x);
    gResizeSleep(kResizeSettleMs);
    AfterResize(oldHeight);
    return true;
}

bool ResizeRenderBuffersTo(int32_t width, int32_t height, bool antiAlias2x)
{
    if (!RenderBuffersChangeable()) return false;
    const int32_t oldWidth = gImageWidth, oldHeight = gImageHeight;
    const bool hadBuffers = RenderBuffersReady();
    if (AllocateWithFallback(width, height, antiAlias2x)) {
        AfterResize(oldHeight);
        return true;
    }
    // Buffers kept as they were stay untouched; others start afresh.
    if (!hadBuffers || !RenderBuffersReady() || gImageWidth != oldWidth || gImageHeight != oldHeight)
        AfterResize(oldHeight);
    return false;
}
