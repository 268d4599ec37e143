#include "shading/preview_helpers_stand_in.h"

#include <cmath>

#include "render/projection.h"
#include "render/render_buffers.h"
#include "render/shared_buffer.h"
#include "render/view_camera.h"
#include "shading/shadow_sampling.h"

namespace {
float* Copy(float* out, const float* colour)
{
    for (int i = 0; i < 3; ++i) out[i] = colour[i];
    return out;
}
}  // namespace

float* ColorGrainC(float* out, const float* colour, bool, uint8_t) { return Copy(out, colour); }
float* ColorGrainD(float* out, const float* colour, bool, uint8_t) { return Copy(out, colour); }
float* ColorGrainE(float* out, const float* colour, bool, uint8_t) { return Copy(out, colour); }
