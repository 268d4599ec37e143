#include "baseshapes/samplers_sphere_tori.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// Each shape is placed from its two angle draws and a filled factor f (1 on
// the surface) that scales the radius, or the tube of a torus.

// Poles on y.
inline void SpherePoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float r = f * point->size;
    const float theta = kTwoPi * u1;
    const float t = 2.0f * u2 - 1.0f;
    const float c = std::sqrt(std::fmax(0.0f, 1.0f - t * t));  // cos(asin t)
    point->x = r * c * std::sin(theta);
    point->y = r * t;
    point->z = r * c * std::cos(theta);
}

// Ring about the z axis: centre-line radius s*s, tube radius p1*s.
inline void TorusIPoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float s = point->size;
    const float tube = f * point->p[0];
    const float b = kTwoPi * u1;
    const float a = kTwoPi * u2 + kPi;
    const float rho = (s + tube * std::cos(a)) * s;
    point->x = rho * std::cos(b);
    point->y = rho * std::sin(b);
    point->z = tube * s * std::sin(a);
}

// Octagonal tube section, half as high as wide.
inline void TorusIIPoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float s = point->size;
    const float p1 = point->p[0];
    const float b = kTwoPi * u1;
    const float a = kTwoPi * u2 + kPi;
    // cos(pi/8) / cos(angle to the nearest edge middle): 1 at the corners.
    const float k = 0.9238795f / std::cos(std::fmod(a + 0.3926991f, 0.7853982f) - 0.3926991f) * f;
    const float rho = (s + p1 * k * std::cos(a)) * s;
    point->x = rho * std::cos(b);
    point->y = rho * std::sin(b);
    point->z = 0.5f * k * s * p1 * std::sin(a);
}

using PlaceFn = void (*)(BaseshapePoint*, float, float, float);

template <PlaceFn Place>
inline void SampleSurface(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Place(point, u1, u2, 1.0f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The surface twin's draws, then one for the depth.
template <PlaceFn Place>
inline void SampleFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Place(point, u1, u2, FilledFalloff(RandomUniform(rs)));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeSphere(BaseshapePoint* point, uint8_t slot) { SampleSurface<SpherePoint>(point, slot); }
void SampleBaseshapeSphereFilled(BaseshapePoint* point, uint8_t slot) { SampleFilled<SpherePoint>(point, slot); }
void SampleBaseshapeTorusI(BaseshapePoint* point, uint8_t slot) { SampleSurface<TorusIPoint>(point, slot); }
void SampleBaseshapeTorusIFilled(BaseshapePoint* point, uint8_t slot) { SampleFilled<TorusIPoint>(point, slot); }
void SampleBaseshapeTorusII(BaseshapePoint* point, uint8_t slot) { SampleSurface<TorusIIPoint>(point, slot); }
void SampleBaseshapeTorusIIFilled(BaseshapePoint* point, uint8_t slot) { SampleFilled<TorusIIPoint>(point, slot); }
