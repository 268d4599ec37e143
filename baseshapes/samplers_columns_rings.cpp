#include "baseshapes/samplers_columns_rings.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

// Sections: [column and temple] [helix, gear and segment] [moon and hook]

namespace {

float TanhD(float x) { return static_cast<float>(std::tanh(static_cast<double>(x))); }

// [column and temple] --------------------------------------------------------

// Parameters "Height", "Width" and "Freq." (of the flutes). The wall takes
// about H / (W + H) of the points, the two caps the rest.
template <bool Filled>
void SampleColumnIVT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float u3 = RandomUniform(rs);
    const float phi = kTwoPi * u1;
    const float H = std::fabs(point->p[0]);
    const float W = std::fabs(point->p[1]);
    const float freq = point->p[2];
    const float s = point->size;
    const float sx = std::tanh(2.0f * std::sin(phi));
    const float sz = std::tanh(2.0f * std::cos(phi));
    float R;
    if (Filled || u3 > W / (W + H + 0.000001f)) {
        const float t = 2.0f * u2 - 1.0f;
        const float flute = 1.0f - 0.125f * TanhD(2.5f * std::cos(kTwoPi * freq * t));
        R = flute * W * s;
        if (Filled) R *= 1.0f - u3 * u3;
        point->y = t * H * s;
    } else {
        R = (1.0f - 0.125f * TanhD(2.5f * std::cos(kTwoPi * freq))) * std::cos(std::asin(u2)) * W * s;
        point->y = RandomCoin(rs) ? H * s : -H * s;
    }
    point->x = sx * R;
    point->z = sz * R;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Parameters "Freq." (tiers), "Ampl." (their overhang), "Shape" (1 a circle,
// 0 a square on its corner) and parameter 4 (tier profile, square wave to
// triangle wave). The tower narrows linearly to a point at y = s.
template <bool Filled>
void SampleTempleIIIT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float phi = kTwoPi * u1;
    const float tau = kTwoPi * u2 - kPi;
    const float e = static_cast<float>(tau * 0.3183098861837907);
    const float S1 = std::sin(point->p[0] * tau);
    const float p4 = point->p[3];
    const float P = TanhD(3.0f * S1) * p4 - TriangleWave(S1) * (1.0f - p4);
    const float s = point->size;
    float R = (std::fabs(P * (1.0f - e)) * point->p[1] + (1.0f - u2)) * s;
    if (Filled) R *= FilledFalloff(RandomUniform(rs));
    const float round = point->p[2];
    const float sp = std::sin(phi), cp = std::cos(phi);
    point->x = (round * sp - TriangleWave(sp) * (1.0f - round)) * R;
    point->z = (round * cp - TriangleWave(cp) * (1.0f - round)) * R;
    point->y = s * e;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// [helix, gear and segment] --------------------------------------------------

// Parameters "TRadius", "IRad." (the centre circle), "Turns" and parameter 4
// (half the rise). The tube section is a rounded square.
template <bool Filled>
void SampleHelixIIT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float tube = point->p[0];
    if (Filled) {
        const float w = RandomUniform(rs);
        tube *= 1.0f - w * w;
    }
    const float beta = 2.0f * (kTwoPi * u1 * point->p[2]);
    const float alpha = kTwoPi * u2 + kPi;
    const float s = point->size;
    const float rho = (TanhD(3.0f * std::cos(alpha)) * tube + point->p[1]) * s;
    point->x = std::cos(beta) * rho;
    point->z = std::sin(beta) * rho;
    point->y = (TanhD(3.0f * std::sin(alpha)) * tube + (2.0f * u1 - 1.0f) * point->p[3]) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Parameters "TRadius", "Extrd." (tooth height) and "NTeeth". The centre
// line's radius is size times size.
template <bool Filled>
void SampleGearII143T(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float f = 1.0f;
    if (Filled) {
        const float w = RandomUniform(rs);
        f = 1.0f - w * w;
    }
    const float beta = kTwoPi * u1;
    const float alpha = kTwoPi * u2 + kPi;
    const float k = 1.0f + point->p[1] * std::tanh(10.0f * std::sin(point->p[2] * beta));
    const float tube = point->p[0];
    const float s = point->size;
    const float rho = (TanhD(3.0f * std::cos(alpha)) * tube * f * k + s) * s;
    point->x = std::cos(beta) * rho;
    point->z = std::sin(beta) * rho;
    point->y = TanhD(3.0f * std::sin(alpha)) * tube * k * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void PlaceAtAngle(BaseshapePoint* point, float a, float r, float y)
{
    point->x = r * std::sin(a);
    point->y = y;
    point->z = -r * std::cos(a);
}

// [moon and hook] ------------------------------------------------------------

// A half ring of crescent section (parameters "A" the inner arc's offset,
// "B" the centre circle, "C" and parameter 4 the section's scale); Hook
// swells towards one horn.
template <bool Hook, bool Filled>
void SampleCrescentT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    // Filled: the blend weight from the inner to the outer arc; surface: the coin
    // choosing the outer arc.
    const float last = Filled ? RandomUniform(rs) : (RandomCoin(rs) ? 1.0f : 0.0f);
    const float p1 = point->p[0], p2 = point->p[1], p3 = point->p[2], p4 = point->p[3];
    const float s = point->size;
    if (Hook && u2 == 0.0f) {
        // ln(0): the scale would be infinite times zero. The horn it tends to.
        point->x = 0.0f;
        point->y = -p2 * s;
        point->z = 0.0f;
        ApplyBaseshapeColorTail(point, u1, u2, slot);
        return;
    }
    const float t = 2.0f * u2 - 1.0f;
    const float a2 = t * kHalfPi;
    const float Q = std::hypot(p1, 1.0f);
    const float alpha0 = p1 != 0.0f ? static_cast<float>(std::atan(1.0 / p1)) : 0.0f;
    const double taper = 1.0 - static_cast<double>(t) * t;
    const float H = Hook ? static_cast<float>((1.0 - std::log(u2) * (static_cast<double>(p4) + 3.0)) * taper * p3)
                         : static_cast<float>(taper * p3 * (-2.0 - static_cast<double>(p4)));
    const float a1 = kPi * u1;
    const float m = (std::sin(a1) * H + p2) * s;
    const float zOut = H * std::cos(a1) * s;
    const float b = alpha0 + kHalfPi - 2.0f * u1 * alpha0;
    const float m2 = p1 >= 0.0f ? ((Q * std::sin(b) - p1) * H + p2) * s : (p2 - (Q * std::sin(b) + p1) * H) * s;
    const float zIn = H * Q * std::cos(b) * s;
    const float ca2 = std::cos(a2), sa2 = std::sin(a2);
    if (Filled) {
        const float w = last;
        point->x = (1.0f - w) * (ca2 * m2) + w * (ca2 * m);
        point->y = (1.0f - w) * (sa2 * m2) + w * (sa2 * m);
        point->z = (1.0f - w) * zIn + w * zOut;
    } else {
        const bool outer = last != 0.0f;
        point->x = ca2 * (outer ? m : m2);
        point->y = sa2 * (outer ? m : m2);
        point->z = outer ? zOut : zIn;
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeColumnIV(BaseshapePoint* point, uint8_t slot) { SampleColumnIVT<false>(point, slot); }
void SampleBaseshapeColumnIVFilled(BaseshapePoint* point, uint8_t slot) { SampleColumnIVT<true>(point, slot); }
void SampleBaseshapeTempleIII(BaseshapePoint* point, uint8_t slot) { SampleTempleIIIT<false>(point, slot); }
void SampleBaseshapeTempleIIIFilled(BaseshapePoint* point, uint8_t slot) { SampleTempleIIIT<true>(point, slot); }
void SampleBaseshapeHelixII(BaseshapePoint* point, uint8_t slot) { SampleHelixIIT<false>(point, slot); }
void SampleBaseshapeHelixIIFilled(BaseshapePoint* point, uint8_t slot) { SampleHelixIIT<true>(point, slot); }
void SampleBaseshapeGearII143(BaseshapePoint* point, uint8_t slot) { SampleGearII143T<false>(point, slot); }
void SampleBaseshapeGearII143Filled(BaseshapePoint* point, uint8_t slot) { SampleGearII143T<true>(point, slot); }

// Parameters "A" (the sector's half angle in half turns), "B" (height per
// radius) and "C" (inner radius per size). The six faces are picked with
// equal weight, not by area.
void SampleBaseshapeSegment(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const uint32_t face = RandomStep(rs) % 6;
    const float p1 = point->p[0], p2 = point->p[1];
    const float s = point->size;
    const float theta = (kTwoPi * u1 - kPi) * p1;
    const float Y = (2.0f * u2 - 1.0f) * p2;
    const float inner = point->p[2] * s;
    switch (face) {
    case 0: PlaceAtAngle(point, theta, s, Y * s); break;
    case 1: PlaceAtAngle(point, theta, inner, Y * inner); break;
    case 2:
    case 3: {
        const float r = (1.0f - u1) * s + u1 * inner;
        PlaceAtAngle(point, face == 2 ? -kPi * p1 : kPi * p1, r, r * Y);
        break;
    }
    default: {
        const float r = (1.0f - u2) * s + u2 * inner;
        PlaceAtAngle(point, theta, r, face == 4 ? r * p2 : -r * p2);
        break;
    }
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeSegmentFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float w = RandomUniform(rs);
    const float s = point->size;
    const float theta = (kTwoPi * u1 - kPi) * point->p[0];
    const float Y = (2.0f * u2 - 1.0f) * point->p[1];
    const float inner = point->p[2] * s;
    const float r = inner >= s ? s * (1.0f - w) + w * inner : s * w + (1.0f - w) * inner;
    PlaceAtAngle(point, theta, r, r * Y);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeMoon(BaseshapePoint* point, uint8_t slot) { SampleCrescentT<false, false>(point, slot); }
void SampleBaseshapeMoonFilled(BaseshapePoint* point, uint8_t slot) { SampleCrescentT<false, true>(point, slot); }
void SampleBaseshapeHook(BaseshapePoint* point, uint8_t slot) { SampleCrescentT<true, false>(point, slot); }
void SampleBaseshapeHookFilled(BaseshapePoint* point, uint8_t slot) { SampleCrescentT<true, true>(point, slot); }
