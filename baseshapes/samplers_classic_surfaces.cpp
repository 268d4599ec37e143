#include "baseshapes/samplers_classic_surfaces.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// The tractrix angle keeps inside (0, pi): at or past the ends tan(V/2)
// has no logarithm, so a height of pi/2 or more stretches the ends of the
// surface (at ln tan(0.0005), about -7.6) instead of making them infinite.
constexpr float kTractrixMargin = 0.001f;

void Pseudosphere(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float theta = kTwoPi * u1;
    float v = (2.0f * u2 - 1.0f) * point->p[0] + kHalfPi;
    v = std::fmin(std::fmax(v, kTractrixMargin), kPi - kTractrixMargin);
    const float s = point->size;
    const float ring = s * std::sin(v) * f;
    point->x = ring * std::cos(theta);
    point->z = ring * std::sin(theta);
    point->y = s * (std::cos(v) + std::log(std::tan(0.5f * v)));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The size enters twice, as the base radius and as the scale.
void SphericalHarmonics(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float theta = kTwoPi * u1;
    const float phi = kPi * u2 - kHalfPi;
    const float* p = point->p;
    float h = FinitePower(std::sin(p[0] * phi), p[1]) + FinitePower(std::cos(p[2] * phi), p[3]) +
              FinitePower(std::sin(p[4] * theta), p[5]) + FinitePower(std::cos(p[6] * theta), p[7]);
    // Four finite terms can still sum past the float range.
    h = std::fmin(std::fmax(h, -1e30f), 1e30f);
    const float s = point->size;
    const double rs2 = (static_cast<double>(s) + f * h) * s;
    const double cosPhi = std::cos(phi);
    point->x = static_cast<float>(rs2 * cosPhi * std::cos(theta));
    point->y = static_cast<float>(rs2 * cosPhi * std::sin(theta));
    point->z = static_cast<float>(rs2 * std::sin(phi));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

float FinitePower(float base, float exponent)
{
    const float v = std::pow(base, exponent);
    return std::isfinite(v) ? v : 0.0f;
}

// Waist radius s/2 at y = 0, height over [-pi/4, pi/4]*s.
void SampleBaseshapeCatenoid(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float theta = kTwoPi * u1;
    const float v = kTwoPi * u2 - kPi;
    const float s = point->size;
    const float rho = static_cast<float>(0.5 * s * std::cosh(0.5 * v));
    point->x = rho * std::cos(theta);
    point->z = rho * std::sin(theta);
    point->y = 0.25f * s * v;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// p1 = 3 is the classical surface. At exactly 0 the cubic terms go and the
// cross terms change sign: a different surface that users know by it.
void SampleBaseshapeEnnepersSurface(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float a = 4.0f * u1 - 2.0f;
    const float b = 4.0f * u2 - 2.0f;
    const float p1 = point->p[0];
    const float k = 0.5f * point->size;
    if (p1 != 0.0f) {
        // A width within 1e-30 of 0 would overflow the cubic terms.
        const float inverse = std::fmin(std::fmax(1.0f / p1, -1e30f), 1e30f);
        point->x = k * (a - a * a * a * inverse + a * b * b);
        point->y = k * (b - b * b * b * inverse + a * a * b);
    } else {
        point->x = k * (a - a * b * b);
        point->y = k * (b - a * a * b);
    }
    point->z = k * (a * a - b * b);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A twisted pseudosphere about y; its tangent is of V/16, which gives the
// shape its long stem.
void SampleBaseshapeDinisSurface(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float U = 32.0f * u1;
    const float V = 2.5f * u2 + 0.1f;
    const float k = 0.5f * point->size;
    point->x = k * std::sin(V) * std::cos(U);
    point->z = k * std::sin(V) * std::sin(U);
    const double v = V;
    point->y = static_cast<float>(k * (std::cos(v) + std::log(std::tan(0.0625 * v)) + 0.1 * U + 1.0));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapePseudosphere(BaseshapePoint* point, uint8_t slot) { Pseudosphere(point, slot, false); }
void SampleBaseshapePseudosphereFilled(BaseshapePoint* point, uint8_t slot) { Pseudosphere(point, slot, true); }
void SampleBaseshapeSphericalHarmonics(BaseshapePoint* point, uint8_t slot) { SphericalHarmonics(point, slot, false); }
void SampleBaseshapeSphericalHarmonicsFilled(BaseshapePoint* point, uint8_t slot)
{
    SphericalHarmonics(point, slot, true);
}

// u1 runs along the spiral of petals, u2 out from the centre.
void SampleBaseshapeNylandersRose(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float theta = 55.79469f * u1 - 7.0371675f;
    const float petal = 1.0f - std::fmod(std::fabs(3.6f * theta), kTwoPi) * 0.31830987f;
    const float bend = 1.25f * petal * petal - 0.25f;
    const float X = 1.0f - 0.5f * bend * bend;
    const float phi = static_cast<float>(1.5707963267948966 * std::exp(-theta * 0.039788735772973836));
    const float lift = 2.4982736f * u2 - 1.95653f;
    const float sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const float h = lift * lift * u2 * u2 * sinPhi;
    const float r = X * (u2 * sinPhi + h * cosPhi);
    const float s = point->size;
    point->x = s * r * std::sin(theta);
    point->y = s * r * std::cos(theta);
    point->z = s * X * (u2 * cosPhi - h * sinPhi);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
