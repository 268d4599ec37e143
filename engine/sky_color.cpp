#include "engine/sky_color.h"

#include <cmath>

#include "engine/vector_math.h"

float* ComputeSkyColor(float* out, float* d, const float* sunDirection, const float* upper, const float* sun,
                       const float* horizon, const float* ground, const float* p, bool horizonFade,
                       float verticalScale)
{
    (void)ground;
    Vec3Pack(d, verticalScale * d[0], verticalScale * d[1], d[2]);
    Vec3Normalize(d, d);
    float fade = 1.0f;
    if (horizonFade && d[1] <= 0.0001f) {
        d[1] = std::sqrt(std::fabs(d[1] + 0.0001f)) * 0.85f;
        fade = 1.0f - d[1];
    }
    Vec3Normalize(d, d);

    const float h = std::fmax(d[1], 0.0f);
    const float a = std::exp(-9.0f * h);
    const float b = 1.0f - std::exp(-8.0f * h);
    const float c = std::exp(-0.9f * h);
    const float e = 0.15f * std::exp(-h * p[1]);
    const float m = std::fmax(Vec3DotP(d, sunDirection), 0.0f);
    const float sunTerm = std::pow(m, p[2]);
    const float halo = 0.15f * std::pow(m, p[0]);

    const float r = halo + sun[0] * sunTerm + (b * upper[0] * c + a * horizon[0]) * 1.2f;
    const float g = halo + sun[1] * sunTerm + ((horizon[1] - e) * a + b * upper[1] * c) * 1.2f;
    const float bl = halo + sun[2] * sunTerm + (a * horizon[2] + b * upper[2] * c) * 1.2f;
    Vec3Pack(out, ClampF(r, 0.0f, 1.0f), ClampF(g, 0.0f, 1.0f), ClampF(bl, 0.0f, 1.0f));
    if (horizonFade) Vec3Scale(out, out, fade);
    return out;
}
