#include "materials/skylight.h"

#include <cmath>

namespace {

float Clamp(float v, float lo, float hi) { return v > lo ? (v < hi ? v : hi) : lo; }

// exp(B / cos(theta)) with the exponent capped (see kSkyExponentLimit).
float Perez(const float* k, float cosTheta, float gamma, float cosGamma)
{
    const float e = std::fmin(k[1] / cosTheta, kSkyExponentLimit);
    return (1.0f + k[0] * std::exp(e)) * (1.0f + k[2] * std::exp(k[3] * gamma) + k[4] * cosGamma * cosGamma);
}

// A divisor kept at least 1e-6 away from 0 (with its sign): the zenith value
// of the distribution crosses 0 at some turbidities.
float Divisor(float d) { return std::fabs(d) >= 1e-6f ? d : (d < 0.0f ? -1e-6f : 1e-6f); }

}  // namespace

void Skylight::SetSun(const float* direction, float t)
{
    float d[3] = {direction[0], direction[1], direction[2]};
    const float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (len > 0.0f && std::isfinite(len)) {
        for (float& c : d) c /= len;
    } else {
        d[0] = d[1] = 0.0f;
        d[2] = 1.0f;
    }
    for (int i = 0; i < 3; ++i) sunDirection[i] = d[i];
    const float T = std::isnan(t) ? 1.0f : Clamp(t, kSkyMinTurbidity, kSkyMaxTurbidity);
    const float theta = 1.5707964f - std::asin(Clamp(d[2], -1.0f, 1.0f));
    sunZenith = theta;
    turbidity = T;

    const float chi = (0.4444f - T * 0.008333334f) * (3.1415927f - 2.0f * theta);
    float yz = std::tan(chi) * (4045.3f * T - 4971.0f) - 215.5f * T + 2419.2f;
    if (!(yz > 0.0f)) yz = 1e-11f;
    zenithLuminance = yz;

    const float t2 = T * T, th = theta, th2 = th * th, th3 = th2 * th;
    zenithX = t2 * (0.00166f * th3 - 0.00375f * th2 + 0.00209f * th) +
              T * (-0.02903f * th3 + 0.06377f * th2 - 0.03202f * th + 0.00394f) +
              (0.11693f * th3 - 0.21196f * th2 + 0.06052f * th + 0.25886f);
    zenithY = t2 * (0.00275f * th3 - 0.0061f * th2 + 0.00317f * th) +
              T * (-0.04214f * th3 + 0.0897f * th2 - 0.04153f * th + 0.00516f) +
              (0.15346f * th3 - 0.26756f * th2 + 0.0667f * th + 0.26688f);

    const float y[5] = {0.1787f * T - 1.463f, -0.3554f * T + 0.4275f, -0.0227f * T + 5.3251f, 0.1206f * T - 2.5771f,
                        -0.067f * T + 0.3703f};
    const float x[5] = {-0.0193f * T - 0.2592f, -0.0665f * T + 0.0008f, -0.0004f * T + 0.2125f,
                        -0.0641f * T - 0.8989f, -0.0033f * T + 0.0452f};
    const float yc[5] = {-0.0167f * T - 0.2608f, -0.095f * T + 0.0092f, -0.0079f * T + 0.2102f,
                         -0.0441f * T - 1.6537f, -0.0109f * T + 0.0529f};
    for (int i = 0; i < 5; ++i) {
        perezY[i] = y[i];
        perezX[i] = x[i];
        perezYChroma[i] = yc[i];
    }
    normX = zenithX / Divisor(Perez(perezX, 1.0f, theta, d[2]));
    normY = zenithY / Divisor(Perez(perezYChroma, 1.0f, theta, d[2]));
    normLuminance = yz / Divisor(Perez(perezY, 1.0f, theta, d[2]));
}

void Skylight::SkyColor(float* sample) const
{
    if (sample[2] == 0.0f) sample[2] = 1e-6f;
    const float* v = sample;
    const float cosGamma =
        Clamp(sunDirection[0] * v[0] + sunDirection[1] * v[1] + sunDirection[2] * v[2] - 1e-7f, -1.0f, 1.0f);
    const float gamma = std::acos(cosGamma);
    const float cosTheta = v[2];
    sample[3] = normX * Perez(perezX, cosTheta, gamma, cosGamma);
    sample[4] = normY * Perez(perezYChroma, cosTheta, gamma, cosGamma);
    sample[5] = normLuminance * Perez(perezY, cosTheta, gamma, cosGamma);
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
