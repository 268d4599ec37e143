// The preview shading passes: the render buffers (ShadeProgressive) or the
// point preview (ShadeFull) become the lit, fogged 832 x 832 picture in
// gPreviewImage. They run on the main thread (the export runs mode 2 on its
// own), read the render buffers while workers write them (relaxed atomic
// loads: stale, never undefined, values) and never touch GL: they set
// gPreviewUploadPending and the frame uploads.
//
// Sections of preview_passes.cpp:
//   [positions]  depth getters, pixel positions, shadow test
//   [lights]     the ten point lights at a pixel
//   [pixel]      the shared per-pixel shading and the drawing stage
//   [passes]     ShadeFull, ShadeProgressive, RestartPreview
#pragma once

#include <cstdint>

#include "render/render_buffers.h"

// Accumulation of the double-density modes, one cell per preview pixel.
extern float gExportPreviewSums[kPreviewSize * kPreviewSize * 3];
extern uint16_t gExportPreviewCounts[kPreviewSize * kPreviewSize];
// 1 where the last pass found a surface at a preview pixel (at any of its
// samples in the double-density modes), 0 where it showed the background.
extern uint8_t gPreviewCovered[kPreviewSize * kPreviewSize];
extern int64_t gLastPreviewUpload;  // whole seconds of the last timed pass
extern int64_t gPreviewStartTime;   // whole seconds at start-up
extern uint8_t gExportViewShown;    // while set, ShadeFull does nothing
extern int gPreviewImageTop;        // preview rows the picture covers
extern int gPreviewImageBottom;
// The whole-second clock of mode 1; tests set their own.
extern int64_t (*gPreviewClockSeconds)();
// The point preview's zoom and pan, as the interactive preview sets them.
extern float gPointPreviewZoom;
extern float gPointPreviewPanX, gPointPreviewPanY;

// The triangle whose normal the progressive pass takes from the depth
// neighbours; start-up sets its corners (1, 0, 0), (1, 1, 0), (0, 1, 0).
extern float gTriangleScratch[3][3];
void SetPreviewTriangle();
// Unit normal of the scratch triangle.
float* GlobalTriangleNormal(float* out);

// ---- [positions] ----
float GetDepthValue(int x, int y);        // raw, 0 outside the image
float GetLinearDepthValue(int x, int y);  // perspective-linearised; 0 empty
float GetDofDepthValue(int x, int y);
float GetPreviewDepthValue(int x, int y);
float* ComputeDepthPixelPosition(float* out, int x, int y);
float* ComputePreviewPixelPosition(float* out, uint32_t x, uint32_t y);
// True when the depth-buffer pixel lies in shadow.
bool TestShadowMap(int x, int y);

// ---- [lights] ---- summed light of the enabled lights at a pixel with normal n.
float* ShadeDepthPixel(float* out, uint32_t x, uint32_t y, const float* n);
float* ShadePreviewPixel(float* out, uint32_t x, uint32_t y, const float* n);

// colour = f colour + (1 - f) B, B the background of preview pixel (x, y)
// when "Enable Background" is on, else the fog colour at f.
float* BlendWithBackgroundA(float* out, int x, int y, float f, float* colour);

// The line drawings' value of a gradient g' (types 1 and 4): white below
// 254, black above 414, a ramp between that joins both without a step.
float DrawingLineValue(float g);

// ---- [passes] ----
void ShadeFull();
// 0 direct; 1 timed (at most once a second), double density; 2 double density.
void ShadeProgressive(int mode);
// Clears the preview and shades it afresh.
void RestartPreview();
// The point preview's part of a restart: the pick weights the re-plot
// draws with.
void RebuildPointPreview();
