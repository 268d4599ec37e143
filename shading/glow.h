// The glow shader's maps: the bright parts of the preview image averaged
// into 256 x 256 cells and blurred, then looked up bilinearly for every
// export pixel. The export thread builds the maps before its shading
// workers start; the workers only read them.
#pragma once

#include <cstdint>

inline constexpr int kGlowMapSize = 256;
inline constexpr int kGlowKernelRadius = 5;

// Red, green, blue, then the per-cell counts (scratch while blurring).
extern float gGlowMaps[4][kGlowMapSize * kGlowMapSize];
// Cells per export pixel times 2: 512 / W (0.25 for the start-up width 2048).
extern float gGlowCellScale;

// Weight of the 11 x 11 blur at offset (dx, dy); 0 outside the kernel.
float GlowKernelWeight(int dx, int dy);

void SetGlowParameters(int passes, float threshold);
// "Smoothing Steps" as a pass count: truncated toward zero; not a number and
// negative values give 0, huge ones the most passes that are run.
int GlowPassesFromSteps(float steps);
// Rebuilds the maps from the 832 x 832 corner of an RGB image with a row
// stride of 1024 pixels (the preview image), and takes the cell scale from
// the current render width. With a mask (832 x 832, row stride 832), only
// the pixels it marks can glow.
void BuildGlowMap(const uint8_t* previewImage, float intensity, const uint8_t* onlyWhere = nullptr);
// The same from gPreviewImage, as the export builds it after reshading the preview.
void BuildGlowMap(float intensity);
// Bilinear glow colour (R, G, B) at an export pixel; rows and columns
// outside the map take its nearest cell.
float* SampleGlowMap(float* out, int column, int row);
