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
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/status_line.h"
#include "platform/desktop/platform_events.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "render/transform_probabilities.h"
#include "render/view_camera.h"

void (*gResizeSleep)(uint32_t ms) = SleepMs;
bool (*gResizeAllocate)(int32_t width, int32_t height, bool antiAlias2x) = AllocateRenderBuffers;

namespace {

// What became of the buffers.
enum class Resized : uint8_t {
    kNewSize,   // the size asked for
    kKept,      // refused: the render as it was, untouched
    kOldSize,   // refused, nothing rendered to keep: fresh buffers of the old size
    kFallBack,  // refused, and the old buffers gone: a start-up size, or none
};

// A render is kept through a refused resize: the allocator has the new
// buffers before it gives back the old. Only with nothing rendered to keep
// do the old buffers go first, so that a large size has the memory to
// itself as it always had.
Resized AllocateWithFallback(int32_t width, int32_t height, bool antiAlias2x)
{
    const int32_t oldWidth = gImageWidth, oldHeight = gImageHeight;
    const bool oldAntiAlias = gAntiAlias2x != 0;
    if (gResizeAllocate(width, height, antiAlias2x)) return Resized::kNewSize;
    const bool hadBuffers = RenderBuffersReady();
    if (hadBuffers && (gRenderExists || gContinueAllowed)) return Resized::kKept;
    FreeRenderBuffers();
    if (gResizeAllocate(width, height, antiAlias2x)) return Resized::kNewSize;
    const int32_t f = oldAntiAlias ? 2 : 1;
    if (hadBuffers && gResizeAllocate(oldWidth / f, oldHeight / f, oldAntiAlias)) return Resized::kOldSize;
    for (int size : kStartupRenderSizes)
        if (gResizeAllocate(size, size, false)) break;
    return Resized::kFallBack;
}

void SayWhyRefused(Resized r)
{
    if (r == Resized::kKept || r == Resized::kOldSize) {
        SetStatusText("%s", kInsufficientMemoryText);
    } else if (RenderBuffersReady()) {
        SetStatusText("%s The render is lost: render size %d x %d.", kInsufficientMemoryText, gImageWidth, gImageHeight);
    } else {
        SetStatusText("%s The render is lost, and no render size fits in memory.", kInsufficientMemoryText);
    }
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

// Everything that follows new buffers: derived values, buttons, cleared
// buffers and previews. Nothing is left to continue or erase.
void AfterResize(int32_t oldHeight)
{
    FollowNewSize(oldHeight);
    gContinueAllowed = 0;
    gRenderExists = 0;
    EnableButton(kButtonContinue, false);
    // Without buffers nothing can be rendered; once they are back, Render is.
    static bool buffersMissing = false;
    if (!RenderBuffersReady()) {
        EnableButton(kButtonRender, false);
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
    const Resized r = AllocateWithFallback(width, height, antiAlias2x);
    if (r != Resized::kNewSize) SayWhyRefused(r);
    if (r == Resized::kKept) {
        // "Change" turned "Continue" off before it asked; the render it
        // would continue is still there (an editor's "Edit" box keeps it
        // off until the box closes).
        if (!gBaseShapeEditorOpen && !gXFormsEditorOpen) EnableButton(kButtonContinue, gContinueAllowed != 0);
        return false;
    }
    gResizeSleep(kResizeSettleMs);
    AfterResize(oldHeight);
    return r == Resized::kNewSize;
}

bool ResizeRenderBuffersTo(int32_t width, int32_t height, bool antiAlias2x)
{
    if (!RenderBuffersChangeable()) return false;
    const int32_t oldHeight = gImageHeight;
    const Resized r = AllocateWithFallback(width, height, antiAlias2x);
    if (r == Resized::kKept) return false;
    if (r != Resized::kNewSize) SayWhyRefused(r);
    AfterResize(oldHeight);
    return r == Resized::kNewSize;
}
