#include "materials/skylight.h"

#include <cmath>

namespace {

// An overcast white of luminance 10000: mid-grey once the shading scales it.
constexpr float kStandInX = 0.3127f, kStandInY = 0.329f, kStandInLuminance = 10000.0f;

}  // namespace

void Skylight::SetSun(const float* direction, float t)
{
    for (int i = 0; i < 3; ++i) sunDirection[i] = direction[i];
    const float z = direction[2];
    sunZenith = 1.5707964f - std::asin(z > 1.0f ? 1.0f : (z < -1.0f ? -1.0f : z));
    turbidity = t;
}

void Skylight::SkyColor(float* sample) const
{
    if (sample[2] == 0.0f) sample[2] = 1e-6f;
    sample[3] = kStandInX;
    sample[4] = kStandInY;
    sample[5] = kStandInLuminance;
}

void Skylight::XyYToRgb(float* sample)
{
    for (int i = 3; i < 6; ++i) {
        if (sample[i] == 0.0f) sample[i] = 1e-6f;
    }
    const float x = sample[3], y = sample[4], Y = sample[5];
    const float X = Y * x / y;
    const float Z = (1.0f - x - y) * Y / y;
    sample[3] = 3.240479f * X - 1.53715f * Y - 0.498535f * Z;
    sample[4] = -0.969256f * X + 1.875991f * Y + 0.041556f * Z;
    sample[5] = 0.055648f * X - 0.204043f * Y + 1.057311f * Z;
}
