// Stand-ins for per-pixel helpers that the preview shading provides and the
// export shading calls: depth-pixel position, the shadow-map test of a depth
// pixel, the extra lights (none) and the per-slot grain (colour unchanged).
// They go when the preview shading lands.
#pragma once

#include <cstdint>

float* ComputeDepthPixelPosition(float* out, int x, int y);
bool TestShadowMap(int x, int y);
float* ShadeDepthPixel(float* out, uint32_t x, uint32_t y, const float* normal);
float* ColorGrainC(float* out, const float* colour, bool covered, uint8_t slot);
float* ColorGrainD(float* out, const float* colour, bool covered, uint8_t slot);
float* ColorGrainE(float* out, const float* colour, bool covered, uint8_t slot);
