// Stand-ins for per-pixel helpers that the preview shading provides and the
// export shading calls: depth-pixel position, the shadow-map test of a depth
// pixel and the extra lights (none). They go when the preview passes land.
#pragma once

#include <cstdint>

float* ComputeDepthPixelPosition(float* out, int x, int y);
bool TestShadowMap(int x, int y);
float* ShadeDepthPixel(float* out, uint32_t x, uint32_t y, const float* normal);
