// Stand-ins for per-pixel helpers that the export shading calls: the
// per-slot grain (colour unchanged). The depth-pixel helpers are the
// preview shading's (preview_passes.h).
#pragma once

#include <cstdint>

float* ColorGrainC(float* out, const float* colour, bool covered, uint8_t slot);
float* ColorGrainD(float* out, const float* colour, bool covered, uint8_t slot);
float* ColorGrainE(float* out, const float* colour, bool covered, uint8_t slot);
