#include "baseshapes/samplers_shells.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/shape_profiles.h"

namespace {

// The spiral point shared by both shells, before the tube radius is known.
struct SpiralDraw {
    float u1;
    float alpha;  // section angle: a quarter turn from parameter 4
    float beta;   // spiral angle
    float growth;
};

// g = 1 - u^3 crowds points towards the wide end of the shell.
inline SpiralDraw DrawSpiral(RandomState& rs, const BaseshapePoint* point)
{
    SpiralDraw d;
    d.u1 = RandomUniform(rs);
    const float w2 = static_cast<float>(RandomStep(rs));
    d.alpha = d.u1 * kHalfPi + point->p[3];
    const float g = 1.0f - w2 * w2 * w2 * 1.2621774e-29f;
    d.beta = (1.0f - g * g) * point->p[0] * -kTwoPi;
    d.growth = 0.02f * std::pow(0.9557f, -164.0f * g);
    return d;
}

inline void FinishShell(BaseshapePoint* point, const SpiralDraw& d, float r, uint8_t slot)
{
    const float s = point->size;
    const float tube = point->p[1];
    const float height = point->p[2];
    point->x = std::cos(d.beta) * r;
    point->z = std::sin(d.beta) * r;
    point->y = ((std::sin(d.alpha) * tube - height) * 0.02f * d.growth + 0.25f * height) * s;
    const float u = std::fmod(std::fabs(d.beta), 2.3999631f) * 0.41667306f;
    ApplyBaseshapeColorTail(point, u, d.u1, slot);
}

}  // namespace

// Ribs on the half of the points whose coin is true.
void SampleBaseshapeAmmonites(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const SpiralDraw d = DrawSpiral(rs, point);
    const float rib = RandomCoin(rs) ? 1.0f - std::fabs(ArcsineSawtooth(10.0f * d.beta)) : 1.0f;
    const float r = (std::cos(d.alpha) * point->p[1] * d.growth * rib + d.growth) * 0.02f * point->size;
    FinishShell(point, d, r, slot);
}

void SampleBaseshapeVenus(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const SpiralDraw d = DrawSpiral(rs, point);
    const float wave = 0.02f - std::sin(20.0f * d.beta) * 0.002f;
    const float r = (std::cos(d.alpha) * wave * point->p[1] * d.growth + d.growth * 0.02f) * point->size;
    FinishShell(point, d, r, slot);
}
