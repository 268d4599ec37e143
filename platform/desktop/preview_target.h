// The off-screen target of the point preview: a 1024 by 1024 framebuffer
// object with an RGBA8 colour texture and a 24-bit depth renderbuffer. The
// preview draws into its lower left 832 by 832 pixels; shown as a texture
// they span texture coordinates 0 to 0.8125.
#pragma once

#include <cstdint>

inline constexpr int kPreviewTargetSize = 1024;
inline constexpr int kPreviewTargetDrawn = 832;

// 1 exactly when the target is complete and usable; every point-preview path
// tests it.
extern uint8_t gPreviewTargetAvailable;
// Width, height, colour bits, depth bits, stencil bits.
extern int gPreviewTargetFormat[5];
// The colour texture (nearest filtering, decal environment), 0 when absent.
extern unsigned gPreviewTargetTexture;

// Makes the target on the current context. Leaves gPreviewTargetAvailable at 0 on
// any failure (missing extension, incomplete framebuffer) without a message.
// Leaves texturing enabled and the target's texture bound, and the window
// framebuffer active.
bool CreatePreviewTarget();
void DestroyPreviewTarget();

// Switches drawing to the target with the state the preview relies on
// (viewport 832 by 832, its own orthographic projection, depth test and
// writes on) and saves the window's state; EndPreviewTarget restores it.
// On a display each waits for the drawing queued before it to finish
// (glFinish), so the software GL driver frees what the points took.
// Calls must pair; nothing happens while the target is unavailable.
void BeginPreviewTarget();
void EndPreviewTarget();
// Without a display they wait only when this is on: for the tests and
// benchmarks that measure what a window on a display holds.
void FinishPreviewDrawingHeadless(bool on);

// Clears the target's colour (to transparent black), depth and stencil;
// nothing happens while the target is unavailable.
void ClearPreviewTarget();
