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
// True when the buffers have the size asked for; the derived values, the
// buffers and the preview then start afresh, with nothing to continue or
// erase. A size memory cannot hold is refused with kInsufficientMemoryText
// and changes nothing: the render keeps its size, its buffers and what they
// hold, "Continue" and its being there to erase. Only where no render is
// kept (nothing rendered, or the voxel engine had the buffers) does a
// refusal start afresh: at the old size, else at the start-up sizes down to
// 512, and with none "Render" and "Continue" stay disabled; the status line
// says the render is lost. While a reader holds the buffers
// (render/render_buffers.h) nothing changes, and the status line says why.
bool ResizeRenderBuffers(int mode);

// The buffers made width x height (each doubled with 2X anti-aliasing) for a
// loaded file, the same way without the settling pauses. False when the size
// was not had; the status line then says why.
bool ResizeRenderBuffersTo(int32_t width, int32_t height, bool antiAlias2x);
