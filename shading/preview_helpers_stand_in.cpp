#include "shading/preview_helpers_stand_in.h"

#include <cmath>

#include "render/projection.h"
#include "render/render_buffers.h"
#include "render/shared_buffer.h"
#include "render/view_camera.h"
#include "shading/shadow_sampling.h"

float* ComputeDepthPixelPosition(float* out, int x, int y)
{
    const bool inside = x >= 0 && y >= 0 && x < gImageWidth && y < gImageHeight;
    const float v = inside ? SharedLoad(gDepthBuffer[static_cast<int64_t>(y) * gImageWidth + x]) : 0.0f;
    const float z = NormalisedDepth(v);
    const float dx = x - gImageOffsetX, dy = y - gImageOffsetY;
    const float f = gPerspectiveOn ? (gPerspectiveEye - z) / (gPerspectiveFocal * gImageScale) : 1.0f / gImageScale;
    out[0] = dx * f;
    out[1] = dy * f;
    out[2] = z;
    return out;
}

bool TestShadowMap(int x, int y)
{
    float p[3];
    ComputeDepthPixelPosition(p, x, y);
    const float* m = gLightViewMatrix;
    const float q = 32767.0f * (p[2] * m[8] - p[0] * m[6] - p[1] * m[7]) + 32767.0f;
    if (!(q <= 65530.0f && q >= 0.0f)) return true;
    const float u = gShadowOffsetX - gShadowScale * (p[2] * m[2] - p[0] * m[0] - p[1] * m[1]);
    const float v = gShadowOffsetY - gShadowScale * (p[2] * m[5] - p[0] * m[3] - p[1] * m[4]);
    const float last = static_cast<float>(gImageWidth - 1);
    if (!(u >= 2.0f && u < last && v >= 2.0f && v < last)) return false;
    const int iu = static_cast<int>(u), iv = static_cast<int>(v);
    return q <= 0.99f * SharedLoad(gShadowMap[static_cast<int64_t>(iv) * gImageWidth + iu]);
}

float* ShadeDepthPixel(float* out, uint32_t, uint32_t, const float*)
{
    out[0] = out[1] = out[2] = 0.0f;
    return out;
}

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
