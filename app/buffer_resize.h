// Reallocation of every buffer whose size follows the render size W x H:
// at "Change" (a new render resolution), when the voxel engine gives the
// buffers back, and from the fractal loader. Memory that runs out never
// leaves the program without buffers it can use.
#pragma once

#include <cstdint>

// The settling pauses of a resize: 250 ms after each of the first two
// buffers and 150 ms after each of the ten others.
inline constexpr uint32_t kResizeSettleMs = 2000;

// Tests replace the pause and the allocation.
extern void (*gResizeSleep)(uint32_t ms);
extern bool (*gResizeAllocate)(int32_t width, int32_t height, bool antiAlias2x);

// Mode 0 takes the size from "Render Resolution:" and "Enable 2X AA." (the
// size doubled with it); any other mode keeps W and H and only reallocates.
// A size that does not fit falls back to the old one, then to the start-up
// sizes down to 512; with none, "Render" and "Continue" stay disabled.
// Either way the derived values, the buffers and the preview start afresh.
// While a reader holds the buffers (render/render_buffers.h) nothing
// changes, the status line says why, and the result is false.
bool ResizeRenderBuffers(int mode);

// The buffers made width x height (each doubled with 2X anti-aliasing) for a
// loaded file, without the settling pauses; false when the memory was not
// there or a reader holds them, and then buffers that were kept as they were
// are left untouched.
bool ResizeRenderBuffersTo(int32_t width, int32_t height, bool antiAlias2x);
