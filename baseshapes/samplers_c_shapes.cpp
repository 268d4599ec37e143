#include "baseshapes/samplers_c_shapes.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// Parameters "C. Rad.", "Petals", "Length" and parameter 4 (the height). A
// negative "Petals" keeps only the half of the profile with sin a >= 0.
template <bool Filled>
void SampleCFlowerT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float petals = point->p[1];
    float a = (1.0f - u2) * kPi;
    if (petals >= 0.0f && RandomCoin(rs)) a = -a;
    const double g = std::sin(static_cast<double>(kTwoPi * u1 * std::fabs(petals)));
    const float root = static_cast<float>(std::sqrt(std::fabs(g)));
    const float sigma = g > 0.0 ? root : (g < 0.0 ? -root : 0.0f);
    const float s = point->size;
    float R = (point->p[2] * (sigma + 1.0f) + point->p[0]) * std::tanh(1.75f * std::sin(a)) * s;
    if (Filled) R *= std::pow(RandomUniform(rs), 0.33333334f);
    const float b = kTwoPi * u1;
    point->x = std::cos(b) * R;
    point->y = std::sin(b) * R;
    point->z = std::tanh(1.75f * std::cos(a)) * point->p[3] * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Tip at y = s, blunt end at y = -s.
template <bool Filled>
void SampleTearT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float a = (1.0f - u2) * kPi;
    const float b = kTwoPi * u1;
    const float s = point->size;
    float h = std::sin(a) * (1.0f - std::cos(a)) * 0.5f * s;
    if (Filled) h *= std::sqrt(RandomUniform(rs));
    point->x = std::cos(b) * h;
    point->y = s * std::cos(a);
    point->z = std::sin(b) * h;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Two half-turn angles a, b; the filled twins scale each factor by sqrt(u3).
template <bool Filled, bool Rounded>
void SampleCTetraT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float k = Filled ? std::sqrt(RandomUniform(rs)) : 1.0f;
    const float a = kPi * u1 - kHalfPi;
    const float b = kPi * u2 - kHalfPi;
    const float s = point->size;
    if (Rounded) {
        const float T1 = std::tanh(3.0f * std::cos(a)) * k, T2 = std::tanh(3.0f * std::cos(b)) * k;
        const float T3 = std::tanh(3.0f * std::sin(a)) * k, T4 = std::tanh(3.0f * std::sin(b)) * k;
        point->x = T4 * T2 * T1 * s;
        point->y = T4 * T2 * T3 * s;
        point->z = T2 * T2 * T3 * T1 * s;
    } else {
        const float sa = std::sin(a) * k, ca = std::cos(a) * k, sb = std::sin(b) * k, cb = std::cos(b) * k;
        const float twoS = 2.0f * s;
        point->x = twoS * ca * cb * sb;
        point->y = twoS * sa * cb * sb;
        point->z = twoS * sa * ca * cb * cb;
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeCFlower(BaseshapePoint* point, uint8_t slot) { SampleCFlowerT<false>(point, slot); }
void SampleBaseshapeCFlowerFilled(BaseshapePoint* point, uint8_t slot) { SampleCFlowerT<true>(point, slot); }
void SampleBaseshapeTear(BaseshapePoint* point, uint8_t slot) { SampleTearT<false>(point, slot); }
void SampleBaseshapeTearFilled(BaseshapePoint* point, uint8_t slot) { SampleTearT<true>(point, slot); }
void SampleBaseshapeCTetraI(BaseshapePoint* point, uint8_t slot) { SampleCTetraT<false, false>(point, slot); }
void SampleBaseshapeCTetraIFilled(BaseshapePoint* point, uint8_t slot) { SampleCTetraT<true, false>(point, slot); }
void SampleBaseshapeCTetraII(BaseshapePoint* point, uint8_t slot) { SampleCTetraT<false, true>(point, slot); }
void SampleBaseshapeCTetraIIFilled(BaseshapePoint* point, uint8_t slot) { SampleCTetraT<true, true>(point, slot); }
