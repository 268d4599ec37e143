#include "baseshapes/samplers_loxodromes.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// Four copies of a strand a quarter turn apart, by the word's low two bits.
inline float StrandOffset(uint32_t word)
{
    constexpr float kOffsets[4] = {1.5707964f, -1.5707964f, kPi, 0.0f};
    return kOffsets[word & 3u];
}

}  // namespace

void SampleBaseshapeLoxodromeI(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float t = 12.566371f * u1 - kTwoPi;
    const float q = 12.566371f * u2 - kTwoPi;
    const float coshQ = std::cosh(q);
    const float k = point->size / (std::cosh(t) * coshQ + 1.0f);
    point->x = std::cos(5.0f * t) * std::sinh(q) * k;
    point->z = std::sin(5.0f * t) * std::sinh(q) * k;
    point->y = std::sinh(t) * coshQ * k;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeLoxodromeII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* p = point->p;
    const float t = (kTwoPi * u1 - kPi) * p[1];
    const float longitude = t + u2 * p[2] + StrandOffset(RandomStep(rs) % 4u);
    const float latitude = std::atan(p[0] * t);
    const float s = point->size;
    point->x = std::cos(longitude) * std::cos(latitude) * s;
    point->z = std::sin(longitude) * std::cos(latitude) * s;
    point->y = -std::sin(latitude) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Bands reaching inward from the sphere by the fraction p3 of the radius.
void SampleBaseshapeLoxodromeIII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float* p = point->p;
    const float sigma = (kTwoPi * u1 - kPi) * p[1];
    const float u2 = RandomUniform(rs);
    const float theta = sigma + StrandOffset(RandomStep(rs));
    const float latitude = std::atan(sigma * p[0]);
    const float r = point->size * (1.0f - u2 * p[2]);
    point->x = std::cos(theta) * std::cos(latitude) * r;
    point->y = -std::sin(latitude) * r;
    point->z = std::sin(theta) * std::cos(latitude) * r;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Bands running sideways over an angle p3; every point on x² + z² - y² = s².
void SampleBaseshapeHyperLoxodromeI(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float* p = point->p;
    const float sigma = (kTwoPi * u1 - kPi) * p[1];
    const float u2 = RandomUniform(rs);
    const float theta = sigma + u2 * p[2] + StrandOffset(RandomStep(rs));
    const float lambda = std::atan(sigma * p[0]);
    const float s = point->size;
    const float c = std::cosh(lambda) * s;
    point->x = std::cos(theta) * c;
    point->y = -std::sinh(lambda) * s;
    point->z = std::sin(theta) * c;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
