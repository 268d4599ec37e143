#include "baseshapes/samplers_profiles.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_curves.h"

// Sections: [spindles] [domes] [mirrored splines] [entry points]

namespace {

constexpr float kInvPi = 0.31830987f;

// The filled twin's factor 1 - u^4 from one more draw; 1 on the surface.
template <bool Filled>
inline float InteriorFalloff(RandomState& rs)
{
    if constexpr (Filled) {
        return FilledFalloff(RandomUniform(rs));
    } else {
        return 1.0f;
    }
}

// [spindles] ---------------------------------------------------------------

// Mean of two cubic Bezier radii C1 = (0, p0, p1, p2) and C2 = (0, p3, p4, p5).
inline float SpindleRadius(const float* p, double t)
{
    const CubicWeights b = CubicBernstein(t);
    return static_cast<float>(0.5 * ((p[0] + p[3]) * b.b1 + (p[1] + p[4]) * b.b2 + (p[2] + p[5]) * b.b3));
}

// Each slice is a circle of radius r/2 centred at (r, r): the spindle leans
// away from the axis as it widens. Filled: the circle shrinks by 1 - u3^4.
template <bool Filled>
void Tornado(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float k = 0.5f * InteriorFalloff<Filled>(rs);
    const float r = SpindleRadius(p->p, u2);
    const float phi = u1 * kTwoPi;
    const float s = p->size;
    p->x = r * (1.0f + k * std::sin(phi)) * s;
    p->z = r * (1.0f + k * std::cos(phi)) * s;
    p->y = static_cast<float>((2.0 * u2 - 1.0) * s);
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// The Tornado's spindle upside down, each slice a diamond.
template <bool Filled>
void Sting(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float k = kInvPi * InteriorFalloff<Filled>(rs);
    const float r = SpindleRadius(p->p, u2);
    const float phi = u1 * kTwoPi;
    const float s = p->size;
    p->x = (1.0f + std::asin(std::sin(phi)) * k) * r * s;
    p->z = (1.0f + std::asin(std::cos(phi)) * k) * r * s;
    p->y = (1.0f - 2.0f * u2) * s;
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// [domes] ------------------------------------------------------------------

// A sphere cut from the pole down by the fraction p0 of a quarter turn and
// around by p1 turns. Filled: x and z pulled toward the axis by u3^(1/3),
// filling under the dome horizontally.
template <bool Filled>
void Dome(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float inward = 1.0f;
    if constexpr (Filled) inward = std::pow(RandomUniform(rs), 0.33333334f);
    const float b = u1 * kTwoPi * p->p[1];
    const float a = kHalfPi - u2 * p->p[0] * kHalfPi;
    const float s = p->size;
    const float ring = std::cos(a) * s * inward;
    p->x = std::cos(b) * ring;
    p->y = std::sin(a) * s;
    p->z = std::sin(b) * ring;
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// A dome over a regular n-gon (n = p0, 0 for a flat profile in x = 0): radius
// Bezier (p1, p2, p3, 0), height (0, p4, p5, 1). The first draw is not
// used but stays, so the draws after it keep their place in the sequence.
template <bool Filled>
void DomeII(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    RandomStep(rs);
    const float t = RandomUniform(rs);
    float inward = 1.0f;
    if constexpr (Filled) {
        const float g = RandomUniform(rs);
        inward = 1.0f - g * g;
    }
    const float sector = RandomUniform(rs);
    const float f = RandomUniform(rs);
    const int n = ParameterToInt(p->p[0], 0, kMaxPolygonSides);
    const CubicWeights b = CubicBernstein(t);
    const float radius = static_cast<float>(p->p[1] * b.b0 + p->p[2] * b.b1 + p->p[3] * b.b2);
    const float height = static_cast<float>(p->p[4] * b.b1 + p->p[5] * b.b2 + b.b3);
    const float d = n != 0 ? kTwoPi / static_cast<float>(n) : 0.0f;
    const float a0 = std::floor(sector * static_cast<float>(n)) * d;
    const float ex = f * std::sin(a0) + (1.0f - f) * std::sin(a0 + d);
    const float ez = f * std::cos(a0) + (1.0f - f) * std::cos(a0 + d);
    const float s = p->size;
    p->x = ex * s * radius * inward;
    p->z = ez * s * radius * inward;
    p->y = s * height;
    ApplyBaseshapeColorTail(p, f, t, slot);
}

// [mirrored splines] -------------------------------------------------------

// Radius Bezier (p0, p1, p2, 0), height (0, p3, p4, 1), turned about y and
// mirrored below y = 0 by a last draw. Filled: only the p2 term shrinks.
template <bool Filled>
void DoubleSplineR(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = InteriorFalloff<Filled>(rs);
    const float sign = RandomCoin(rs) ? 1.0f : -1.0f;
    const CubicWeights b = CubicBernstein(u2);
    const double radius = p->p[0] * b.b0 + p->p[1] * b.b1 + f * p->p[2] * b.b2;
    const float phi = u1 * kTwoPi;
    const float s = p->size;
    p->x = static_cast<float>(std::sin(phi) * radius * s);
    p->z = static_cast<float>(std::cos(phi) * radius * s);
    p->y = sign * static_cast<float>(s * (p->p[3] * b.b1 + p->p[4] * b.b2 + b.b3));
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// As "Double Spline R." with a polygonal section of p5 sides (at least 3).
template <bool Filled>
void PolSplineR(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = InteriorFalloff<Filled>(rs);
    const float sign = RandomCoin(rs) ? 1.0f : -1.0f;
    const CubicWeights b = CubicBernstein(u2);
    const double radius = p->p[0] * b.b0 + p->p[1] * b.b1 + f * p->p[2] * b.b2;
    const float a = u1 * kTwoPi;
    const double edge = PolygonRadius(ParameterToInt(p->p[5], 3, kMaxPolygonSides), a);
    const float s = p->size;
    p->x = static_cast<float>(std::sin(a) * radius * s * edge);
    p->z = static_cast<float>(std::cos(a) * radius * s * edge);
    p->y = sign * static_cast<float>((p->p[3] * b.b1 + p->p[4] * b.b2 + b.b3) * s);
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

}  // namespace

// [entry points] -----------------------------------------------------------

// A profile (p0, p1) .. (p6, p7) turned about y, its radius modulated by a
// triangle wave of p8 petals around base p9 with amplitude p10.
void SampleBaseshapeSplineFlowerII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* q = point->p;
    const CubicWeights b = CubicBernstein(u2);
    const double radius = q[0] * b.b0 + q[2] * b.b1 + q[4] * b.b2 + q[6] * b.b3;
    const double height = q[1] * b.b0 + q[3] * b.b1 + q[5] * b.b2 + q[7] * b.b3;
    const float theta = u1 * kTwoPi;
    const float petal = q[9] + 0.9f * q[10] * std::asin(std::sin(theta * q[8]));
    const float s = point->size;
    point->x = static_cast<float>(std::sin(theta) * radius * petal * s);
    point->z = static_cast<float>(std::cos(theta) * radius * petal * s);
    point->y = static_cast<float>(height * s);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeTornado(BaseshapePoint* point, uint8_t slot) { Tornado<false>(point, slot); }
void SampleBaseshapeTornadoFilled(BaseshapePoint* point, uint8_t slot) { Tornado<true>(point, slot); }
void SampleBaseshapeSting(BaseshapePoint* point, uint8_t slot) { Sting<false>(point, slot); }
void SampleBaseshapeStingFilled(BaseshapePoint* point, uint8_t slot) { Sting<true>(point, slot); }
void SampleBaseshapeDome(BaseshapePoint* point, uint8_t slot) { Dome<false>(point, slot); }
void SampleBaseshapeDomeFilled(BaseshapePoint* point, uint8_t slot) { Dome<true>(point, slot); }
void SampleBaseshapeDoubleSplineR(BaseshapePoint* point, uint8_t slot) { DoubleSplineR<false>(point, slot); }
void SampleBaseshapeDoubleSplineRFilled(BaseshapePoint* point, uint8_t slot) { DoubleSplineR<true>(point, slot); }
void SampleBaseshapeDomeII(BaseshapePoint* point, uint8_t slot) { DomeII<false>(point, slot); }
void SampleBaseshapeDomeIIFilled(BaseshapePoint* point, uint8_t slot) { DomeII<true>(point, slot); }
void SampleBaseshapePolSplineR(BaseshapePoint* point, uint8_t slot) { PolSplineR<false>(point, slot); }
void SampleBaseshapePolSplineRFilled(BaseshapePoint* point, uint8_t slot) { PolSplineR<true>(point, slot); }
