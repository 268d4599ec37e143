#include "baseshapes/samplers_knots_mobius_klein.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// 8*pi*u - 4*pi straight from the word: four turns of the curve.
inline float FourTurnsFromWord(uint32_t word) { return static_cast<float>(word) * 5.8516725e-9f - 12.566371f; }

void TrefoilKnotI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float t = FourTurnsFromWord(RandomStep(rs));
    float r = point->p[0];
    if (filled) r *= FilledFalloff(RandomUniform(rs));
    const uint32_t phiWord = RandomStep(rs);
    float offset[3], k[3];
    SphereOffsetFromWords(phiWord, RandomStep(rs), r, offset);
    TrefoilCurve(t, 2.0f * t, 3.0f * t, k);
    const float s = point->size;
    point->x = (k[0] + offset[0]) * s;
    point->y = (k[1] + offset[1]) * s;
    point->z = (k[2] + offset[2]) * s;
}

// A (2, 3) torus knot with a tube in the meridian plane.
void TrefoilKnotII(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float theta3 = 18.849556f * u1;
    const float theta2 = 12.566371f * u1;
    const float psi = kTwoPi * u2 - kPi;
    float tube = 0.2857143f * point->p[1];
    if (filled) tube *= FilledFalloff(RandomUniform(rs));
    const float s = point->size;
    const float rho = point->p[0] + tube * std::cos(theta3) + tube * std::cos(psi);
    point->x = rho * std::cos(theta2) * s;
    point->y = rho * std::sin(theta2) * s;
    point->z = tube * (std::sin(theta3) + std::sin(psi)) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The trefoil run six times with a ring that turns pi*p2 per radian.
void TrefoilKnotIII(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float r = point->p[0];
    if (filled) r *= FilledFalloff(RandomUniform(rs));
    const float t = 37.699112f * u1;
    const float psi = kTwoPi * u2;
    const float phi = 118.43526f * u1 * point->p[1];
    float k[3];
    TrefoilCurve(t, 2.0f * t, 113.09734f * u1, k);
    const float s = point->size;
    const float ring = r * std::cos(psi);
    point->x = (k[0] + ring * std::cos(phi)) * s;
    point->y = (k[1] + ring * std::sin(phi)) * s;
    point->z = (k[2] + r * std::sin(psi)) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Edge and body points; the centre angle t + o against the cross direction
// at t shears half the body into a second strip, which users see as the
// shape's look.
void MobiusStrip(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float t = FourTurnsFromWord(RandomStep(rs));
    const bool edge = RandomStep(rs) <= 0x80000000u;
    float width = point->p[0];
    if (filled) width *= FilledFalloff(RandomUniform(rs));
    float o, v;
    if (edge) {
        o = RandomUniform(rs);
        v = RandomStep(rs) <= 0x80000000u ? 2.0f * width : -2.0f * width;
    } else {
        o = RandomStep(rs) <= 0x80000000u ? 1.0f : 0.0f;
        v = 2.0f * (2.0f * RandomUniform(rs) - 1.0f) * width;
    }
    if (v > width) v -= width;
    if (v < -width) v += width;
    const float s = point->size;
    const float cross = v * std::cos(0.5f * t);
    point->x = (std::cos(t + o) + cross * std::cos(t)) * s;
    point->y = (std::sin(t + o) + cross * std::sin(t)) * s;
    point->z = v * std::sin(0.5f * t) * s;
}

// The figure-eight immersion.
void Klein(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float k = filled ? point->size * FilledFalloff(RandomUniform(rs)) : point->size;
    const float u = kTwoPi * u1;
    const float v = kTwoPi * u2;
    const float ch = std::cos(0.5f * u), sh = std::sin(0.5f * u);
    const float sv = std::sin(v), s2v = std::sin(2.0f * v);
    const float r = point->p[0] + sv * ch - 0.5f * s2v * sh;
    point->x = r * std::cos(u) * k;
    point->y = r * std::sin(u) * k;
    point->z = (0.5f * s2v * ch + sv * sh) * k;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The centre line winds about y with sigma and about the core circle of a
// torus of major radius p4 with phi; the tube section lies in the plane of
// y and the radius.
void TorusKnotII(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* p = point->p;
    const float sigma = (2.0f * u1 - 1.0f) * p[4];
    const float theta = kTwoPi * u2 - kPi;
    float tube = p[0];
    if (filled) tube *= FilledFalloff(RandomUniform(rs));
    float phi = p[2] != 0.0f ? sigma * p[1] / p[2] : 0.0f;
    if (!std::isfinite(phi)) phi = 0.0f;  // a tiny Q overflows the winding
    const float s = point->size;
    const float rho = std::cos(phi) + p[3] + tube * std::cos(theta);
    point->x = rho * std::cos(sigma) * s;
    point->y = (std::sin(phi) + tube * std::sin(theta)) * s;
    point->z = rho * std::sin(sigma) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void TrefoilCurve(float t, float t2, float t3, float* out)
{
    const float c1 = std::cos(t), s1 = std::sin(t);
    const float c2 = std::cos(t2), s2 = std::sin(t2);
    const float c3 = std::cos(t3), s3 = std::sin(t3);
    // Weights over 113, a weight of 113 being a factor 1.
    out[0] =
        0.36283186f * c1 - 0.15929204f * s1 - 0.7345133f * c2 - 0.7345133f * s2 - 0.097345136f * c3 + 0.23893805f * s3;
    out[1] = 0.31858408f * c1 + 0.23893805f * s1 - c2 + 0.26548672f * s2 + 0.097345136f * c3 - 0.23893805f * s3;
    out[2] = 0.39823008f * s1 - 0.26548672f * c2 + s2 - 0.097345136f * c3 + 0.23893805f * s3;
}

void SphereOffsetFromWords(uint32_t phiWord, uint32_t lambdaWord, float r, float* out)
{
    const float phi = static_cast<float>(phiWord) * 8.7775085e-9f - 18.849556f;
    const float lambda = static_cast<float>(lambdaWord) * 4.3887542e-9f - 9.424778f;
    const float cl = r * std::cos(lambda);
    out[0] = cl * std::cos(phi);
    out[1] = cl * std::sin(phi);
    out[2] = r * std::sin(lambda);
}

void SampleBaseshapeTrefoilKnotI(BaseshapePoint* point, uint8_t slot) { TrefoilKnotI(point, slot, false); }
void SampleBaseshapeTrefoilKnotIFilled(BaseshapePoint* point, uint8_t slot) { TrefoilKnotI(point, slot, true); }
void SampleBaseshapeTrefoilKnotII(BaseshapePoint* point, uint8_t slot) { TrefoilKnotII(point, slot, false); }
void SampleBaseshapeTrefoilKnotIIFilled(BaseshapePoint* point, uint8_t slot) { TrefoilKnotII(point, slot, true); }
void SampleBaseshapeTrefoilKnotIII(BaseshapePoint* point, uint8_t slot) { TrefoilKnotIII(point, slot, false); }
void SampleBaseshapeTrefoilKnotIIIFilled(BaseshapePoint* point, uint8_t slot) { TrefoilKnotIII(point, slot, true); }
void SampleBaseshapeMobiusStrip(BaseshapePoint* point, uint8_t slot) { MobiusStrip(point, slot, false); }
void SampleBaseshapeMobiusStripFilled(BaseshapePoint* point, uint8_t slot) { MobiusStrip(point, slot, true); }
void SampleBaseshapeKlein(BaseshapePoint* point, uint8_t slot) { Klein(point, slot, false); }
void SampleBaseshapeKleinFilled(BaseshapePoint* point, uint8_t slot) { Klein(point, slot, true); }
void SampleBaseshapeTorusKnotII(BaseshapePoint* point, uint8_t slot) { TorusKnotII(point, slot, false); }
void SampleBaseshapeTorusKnotIIFilled(BaseshapePoint* point, uint8_t slot) { TorusKnotII(point, slot, true); }
