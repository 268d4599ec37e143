// The teapot: ten bicubic patches mirrored into the whole pot.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

inline constexpr int kTeapotPatchCount = 10;
inline constexpr int kTeapotControlPointCount = 131;

// Patches of 16 control-point indices, row-major; patch roles: 0 rim, 1-2
// body, 3-4 lid, 5-6 handle, 7-8 spout, 9 bottom. The points are z-up.
extern const uint32_t gTeapotPatches[kTeapotPatchCount][16];
extern const float gTeapotControlPoints[kTeapotControlPointCount][3];

// One sampler for both tables: the pot has no filled form.
void SampleBaseshapeTeapot(BaseshapePoint* point, uint8_t slot);
