#include "engine/random_helpers.h"

#include <cmath>

#include "engine/vector_math.h"

float* RandomVectorOnSphere(float* out, float r, RandomState& s)
{
    const uint32_t w1 = RandomStep(s);
    const float y = RandomSignedUniform(s);
    const float phi = static_cast<float>(w1) * 1.4629181e-9f;  // 2 pi / 2^32
    const float c = std::cos(std::asin(y));
    return Vec3Pack(out, std::sin(phi) * c * r, y * r, std::cos(phi) * c * r);
}

float* RandomVectorOnSphere(float* out, float r) { return RandomVectorOnSphere(out, r, gGlobalRandomA); }

float* RandomUnitVector(float* out) { return RandomVectorOnSphere(out, 1.0f, gGlobalRandomA); }

float* RandomDirectionInCone(float* out, const float* v, float t, uint8_t slot)
{
    float k[3];
    RandomVectorOnSphere(k, 1.0f, gSlotRandom[slot]);
    return RotateAroundAxis(out, v, k, t);
}

float* RandomDirectionInConeB(float* out, const float* v, float t) { return RandomDirectionInCone(out, v, t, 0); }
