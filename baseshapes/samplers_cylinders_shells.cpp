#include "baseshapes/samplers_cylinders_shells.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/samplers_sphere_tori.h"

namespace {

// Side wall and caps with equal odds whatever the height; cap radii 1 - a*b
// crowd toward the rim. The filled twin fills the wall only.
void Cylinder(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float k = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float phi = kTwoPi * u1;
    const float s = point->size;
    const float height = point->p[0];
    float v = u2;
    if (RandomCoin(rs)) {
        point->x = s * std::sin(phi) * k;
        point->y = s * (2.0f * u2 - 1.0f) * height;
        point->z = s * std::cos(phi) * k;
    } else {
        const float a = RandomUniform(rs);
        const float b = RandomUniform(rs);
        const float rho = (1.0f - a * b) * s;
        point->x = rho * std::sin(phi);
        point->z = rho * std::cos(phi);
        const bool top = RandomCoin(rs);
        point->y = top ? height * s : -height * s;
        v = top ? 1.0f : 0.0f;
    }
    ApplyBaseshapeColorTail(point, u1, v, slot);
}

// Twelve boxes; each of the six faces holds one coordinate (radial, height,
// angle) at +-p3 and spans the other two with p1 and p2 in that order.
void RingI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float A = 2.0f * u1 - 1.0f;
    const float B = 2.0f * u2 - 1.0f;
    const float* p = point->p;
    const float p3 = filled ? RandomUniform(rs) * p[2] : p[2];
    int face = static_cast<int>(static_cast<float>(RandomStep(rs)) * 1.3969839e-9f);  // 6 * 2^-32
    if (face > 5) face = 5;
    // Radial offset, height and angular offset per face: +-1 takes B * p1,
    // 2 takes A * p2, +-3 takes p3.
    constexpr int8_t kFaces[6][3] = {{1, 2, -3}, {1, 2, 3}, {1, -3, 2}, {1, 3, 2}, {3, 1, 2}, {-3, 1, 2}};
    const float values[3] = {B * p[0], A * p[1], p3};
    const int8_t* code = kFaces[face];
    float offsets[3];
    for (int i = 0; i < 3; ++i) offsets[i] = code[i] < 0 ? -values[-code[i] - 1] : values[code[i] - 1];
    const float rho = offsets[0], y = offsets[1], alpha = offsets[2];
    const float boxIndex = std::floor(static_cast<float>(RandomStep(rs)) * 2.7939677e-9f);  // 12 * 2^-32
    const float theta = boxIndex * 0.52359879f + alpha;
    const float r = (1.0f + rho) * point->size;
    point->x = std::sin(theta) * r;
    point->y = y * point->size;
    point->z = std::cos(theta) * r;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The pattern sum of the two patterned spheres: a band term in t and one
// about the axis in phi.
inline float PatternSum(const float* p, float phi, float t)
{
    const float around = std::pow(std::sin(phi * p[4]), p[5]) + std::pow(std::cos(phi * p[6]), p[7]);
    const float along = std::pow(std::cos(t * p[2]), p[3]) + std::pow(std::sin(t * p[0]), p[1]);
    return around + along;
}

inline void SpherePoint(BaseshapePoint* point, float phi, float t, float radius)
{
    const float c = std::sqrt(std::fmax(0.0f, 1.0f - t * t));  // cos(asin t)
    point->x = radius * c * std::sin(phi);
    point->y = radius * t;
    point->z = radius * c * std::cos(phi);
}

// The pattern masks the sphere: holes where it falls below pi/2. Parameters
// that leave no hole-free spot would loop forever, so the search is
// bounded and then keeps the last point drawn.
void FutureSphereI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    float u1 = 0.0f, u2 = 0.0f, phi = 0.0f, t = 0.0f;
    for (int attempt = 0; attempt < kFutureSphereTries; ++attempt) {
        u1 = RandomUniform(rs);
        u2 = RandomUniform(rs);
        phi = kTwoPi * u1;
        t = 2.0f * u2 - 1.0f;
        if (PatternSum(point->p, phi, t) >= kHalfPi) break;  // NaN is rejected too
    }
    float radius = point->size;
    if (filled) {
        const float w = RandomUniform(rs);
        radius *= 1.0f - 0.25f * w * w * w * w;
    }
    SpherePoint(point, phi, t, radius);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The pattern sets the radius, clamped to [pi/4, pi/2].
void FutureSphereII(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float phi = kTwoPi * u1;
    const float t = 2.0f * u2 - 1.0f;
    float m = PatternSum(point->p, phi, t);
    m = std::isnan(m) ? kHalfPi : std::fmax(std::fmin(m, kHalfPi), 0.7853982f);
    float radius = point->size * m;
    if (filled) radius *= FilledFalloff(RandomUniform(rs));
    SpherePoint(point, phi, t, radius);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void Heart(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float a = kTwoPi * u1 - kPi;
    const float t = 2.0f * u2 - 1.0f;
    // The float sine of pi is a little negative, and its non-whole power NaN.
    const float base = std::fmax(std::sin(std::fabs(a)), 0.0f);
    float f = std::pow(base, std::fabs(a)) * std::sqrt(std::fmax(0.0f, 1.0f - t * t));
    f *= point->size;
    const float z = 0.25f * t * point->size;
    const float k = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    point->x = std::sin(a) * f * k;
    point->y = -std::cos(a) * f * k;
    point->z = z * k;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void ShellI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* p = point->p;
    const float tube = filled ? FilledFalloff(RandomUniform(rs)) * p[1] : p[1];
    const float t = (1.0f - u2 * u2) * p[2];
    const float a = kTwoPi * u1 + t;
    const float s = point->size;
    const float r = (p[0] + tube * std::cos(a)) * 0.15f * t * s;
    point->x = r * std::cos(t);
    point->y = r * std::sin(t);
    point->z = (0.15f * tube * t * std::sin(a) + p[3] * t) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Four horns whose radius grows from 0 to 0.5 along half circles of radius
// 2, set on four sides of an octagonal torus that takes a fifth of the
// points.
void Horned(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float h = 0.5f * u1;
    const float theta = kTwoPi * RandomUniform(rs);
    const float side = RandomCoin(rs) ? -1.0f : 1.0f;
    const float u4 = RandomUniform(rs);
    float X, Y, Z;
    if (static_cast<double>(u4) < 0.2) {
        const float k = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
        BaseshapePoint torus{};
        torus.size = 1.0f;
        torus.p[0] = 0.78f * k;
        SampleBaseshapeTorusII(&torus, slot);
        X = 1.5f * torus.x;
        Y = 1.5f * torus.z - 1.0f;
        Z = 1.5f * torus.y;
    } else {
        const bool swap = RandomCoin(rs);
        const float k = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
        const float R = 2.0f + k * h * std::cos(theta);
        const float L = h * std::sin(theta);
        Y = R * std::cos(kPi * u1) + u1;
        const float D = side * (R * std::sin(kPi * u1) + 2.0f);
        X = swap ? D : L;
        Z = swap ? L : D;
    }
    const float s = point->size;
    point->x = 0.2f * s * X;
    point->y = 0.5f * s * Y;
    point->z = 0.2f * s * Z;
}

}  // namespace

void SampleBaseshapeCylinder(BaseshapePoint* point, uint8_t slot) { Cylinder(point, slot, false); }
void SampleBaseshapeCylinderFilled(BaseshapePoint* point, uint8_t slot) { Cylinder(point, slot, true); }
void SampleBaseshapeRingI(BaseshapePoint* point, uint8_t slot) { RingI(point, slot, false); }
void SampleBaseshapeRingIFilled(BaseshapePoint* point, uint8_t slot) { RingI(point, slot, true); }
void SampleBaseshapeFutureSphereI(BaseshapePoint* point, uint8_t slot) { FutureSphereI(point, slot, false); }
void SampleBaseshapeFutureSphereIFilled(BaseshapePoint* point, uint8_t slot) { FutureSphereI(point, slot, true); }
void SampleBaseshapeFutureSphereII(BaseshapePoint* point, uint8_t slot) { FutureSphereII(point, slot, false); }
void SampleBaseshapeFutureSphereIIFilled(BaseshapePoint* point, uint8_t slot) { FutureSphereII(point, slot, true); }
void SampleBaseshapeHeart(BaseshapePoint* point, uint8_t slot) { Heart(point, slot, false); }
void SampleBaseshapeHeartFilled(BaseshapePoint* point, uint8_t slot) { Heart(point, slot, true); }
void SampleBaseshapeShellI(BaseshapePoint* point, uint8_t slot) { ShellI(point, slot, false); }
void SampleBaseshapeShellIFilled(BaseshapePoint* point, uint8_t slot) { ShellI(point, slot, true); }
void SampleBaseshapeHorned(BaseshapePoint* point, uint8_t slot) { Horned(point, slot, false); }
void SampleBaseshapeHornedFilled(BaseshapePoint* point, uint8_t slot) { Horned(point, slot, true); }
