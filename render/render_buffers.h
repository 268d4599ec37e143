// The render buffers of the render size W x H and their encodings, the
// preview buffers the shading reads beside them, and the voxel grid that
// reuses the colour-index buffer while the voxel engine runs.
//
// Encodings (written by the projection passes, read by the shading):
// - depth: (z' + 1) x 32767 of the nearest point; 0 = empty, larger = nearer;
// - colour index: the colour index byte of that point;
// - sub-pixel: byte 2p = x fraction x 255, byte 2p + 1 = y fraction x 255;
// - colour planes: R, G, B of that point (RGB colouring only);
// - shadow map: W x W u16 light-view depth, larger = nearer the light;
// - fog samples: u16 count of lit fog samples in front of the surface,
//   saturating at 65534 (the same storage the depth-of-field passes use).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kDefaultRenderSize = 2048;
inline constexpr int kPreviewSize = 832;
inline constexpr uint16_t kFogSampleLimit = 65534;
inline constexpr const char* kInsufficientMemoryText = "Insufficient System Memory!";

extern int32_t gImageWidth;        // W
extern int32_t gImageHeight;       // H
extern int32_t gImageWidthLast;    // W - 1
extern int32_t gImageHeightLast;   // H - 1
extern float gHalfImageWidth;      // W / 2
extern uint8_t gAntiAlias2x;       // the size was doubled for 2X anti-aliasing

extern float* gDepthBuffer;         // W x H
extern uint8_t* gColorIndexBuffer;  // W x H (N^3 while the voxel engine runs)
extern uint8_t* gSubPixelBuffer;    // 2 x W x H
extern uint8_t* gPointColorPlanes[3];  // R, G, B planes, W x H each
extern uint16_t* gShadowMap;        // W x W, row stride W
extern uint16_t* gFogSampleBuffer;  // W x H
extern uint16_t*& gDofDepthBuffer;  // the shading's name for the fog-sample storage
extern uint8_t* gExportRowPairs[4]; // R, G, B, A rows of one row pair, 2 x W each
extern size_t gColorIndexBufferBytes;  // current size of gColorIndexBuffer

extern float gPreviewDepth[kPreviewSize * kPreviewSize];
extern uint8_t gPreviewPlanes[4][kPreviewSize * kPreviewSize];  // R, G, B, colour index

// ---- Who holds the buffers ---------------------------------------------------------
// Threads other than the render workers that read the render buffers hold
// them while they read: the image export from its start on the window thread
// to its end, the mesh export while it copies the voxel cube. (The tuner runs
// inside the render coordinator and the procedural texture thread reads no
// render buffer: stopping the render covers them.) While the buffers are
// held, no resize, clear or reallocation happens: each of the functions
// below refuses, and the actions that would change them ask first.
enum class BufferReader : uint8_t { ImageExport, MeshExport };
void HoldRenderBuffers(BufferReader reader);
void ReleaseRenderBuffers(BufferReader reader);
// The reader holding the buffers ("the image export"), or nullptr.
const char* RenderBuffersReader();
// True when the buffers may be changed now; otherwise the status line says
// which reader holds them, and false.
bool RenderBuffersChangeable();

// Stops the render (or voxel) threads, then gives every render buffer the
// size W x H (each doubled when antiAlias2x), all zeroed. A new size is
// allocated whole before the old buffers are given back; the same size
// keeps the buffers and clears them. Returns false when the size is not
// positive, the byte counts overflow or memory runs out: the buffers, their
// size and what they hold are then as they were (the caller shows
// kInsufficientMemoryText), except for the same size after the voxel
// engine, whose colour-index buffer could not be had again: then no buffers
// are left and the size is 0. False, nothing changed, while a reader holds
// them.
bool AllocateRenderBuffers(int32_t width, int32_t height, bool antiAlias2x);

// Stops the render (or voxel) threads and releases every render buffer;
// the sizes become 0. False, nothing changed, while a reader holds them.
bool FreeRenderBuffers();

// The voxel engine leaves its N^3 grid in the colour-index buffer; a render
// needs W x H bytes there again. Replaces a smaller buffer by a cleared one
// of W x H bytes; false when memory runs out (the grid is then kept) or a
// reader holds the buffers. The render threads must be stopped.
bool RestoreImageColorIndexBuffer();

// Zeroes the render buffers and the preview depth and colour-index plane
// (the three preview colour planes are kept). Render threads must be stopped.
// False, nothing cleared, while a reader holds them.
bool ClearRenderBuffers();

// True when every render buffer of the current size exists (the colour-index
// buffer holding at least W x H bytes).
bool RenderBuffersReady();
