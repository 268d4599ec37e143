#include "baseshapes/samplers_sphere_tori.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kPi = 3.1415927f;

// Point of the sphere of radius r for the draws u1, u2 (poles on y).
inline void SpherePoint(BaseshapePoint* point, float u1, float u2, float r)
{
    const float theta = kTwoPi * u1;
    const float t = 2.0f * u2 - 1.0f;
    const float c = std::sqrt(std::fmax(0.0f, 1.0f - t * t));  // cos(asin t)
    point->x = r * c * std::sin(theta);
    point->y = r * t;
    point->z = r * c * std::cos(theta);
}

// Torus about the z axis: centre-line radius s*s, tube radius tube*s.
inline void TorusIPoint(BaseshapePoint* point, float u1, float u2, float tube)
{
    const float s = point->size;
    const float b = kTwoPi * u1;
    const float a = kTwoPi * u2 + kPi;
    const float rho = (s + tube * std::cos(a)) * s;
    point->x = rho * std::cos(b);
    point->y = rho * std::sin(b);
    point->z = tube * s * std::sin(a);
}

// Octagonal tube section, half as high as wide; k scales the octagon.
inline void TorusIIPoint(BaseshapePoint* point, float u1, float u2, float scale)
{
    const float s = point->size;
    const float p1 = point->p[0];
    const float b = kTwoPi * u1;
    const float a = kTwoPi * u2 + kPi;
    // cos(pi/8) / cos(angle to the nearest edge middle): 1 at the corners.
    const float k = 0.9238795f / std::cos(std::fmod(a + 0.3926991f, 0.7853982f) - 0.3926991f) * scale;
    const float rho = (s + p1 * k * std::cos(a)) * s;
    point->x = rho * std::cos(b);
    point->y = rho * std::sin(b);
    point->z = 0.5f * k * s * p1 * std::sin(a);
}

}  // namespace

void SampleBaseshapeSphere(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    SpherePoint(point, u1, u2, point->size);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeSphereFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = FilledFalloff(RandomUniform(rs));
    SpherePoint(point, u1, u2, f * point->size);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeTorusI(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    TorusIPoint(point, u1, u2, point->p[0]);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeTorusIFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = FilledFalloff(RandomUniform(rs));
    TorusIPoint(point, u1, u2, f * point->p[0]);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeTorusII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    TorusIIPoint(point, u1, u2, 1.0f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeTorusIIFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = FilledFalloff(RandomUniform(rs));
    TorusIIPoint(point, u1, u2, f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
