#include "baseshapes/samplers_spiral_shells.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_curves.h"

namespace {

// Parameters: p0 turns, p1 section radius (relative to the spiral's), p2
// drop, p3 ribbing depth, p4..p11 frequency and exponent pairs of the four
// ribbing terms. Squared sections take tanh(2.5 cos t), tanh(2.5 sin t).
template <bool Filled, bool Squared>
void Shell(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float tube = p->p[1];
    if constexpr (Filled) {
        const float u3 = RandomUniform(rs);
        tube *= 1.0f - 0.25f * u3 * u3;
    }
    const float* q = p->p;
    const float t = kTwoPi * u1;
    const float along = 1.0f - u2 * u2 * u2;  // the cube crowds points toward the mouth
    const float spiral = -kTwoPi * q[0] * (1.0f - along * along);
    const float growth = 0.02f * std::pow(0.9557f, -164.0f * along);
    const double ribs = ParameterPower(std::cos(q[6] * spiral + growth), q[7]) +
                        ParameterPower(std::sin(q[4] * spiral + growth), q[5]) +
                        ParameterPower(std::cos(q[10] * t), q[11]) + ParameterPower(std::sin(q[8] * t), q[9]);
    const double c = Squared ? std::tanh(2.5 * std::cos(t)) : std::cos(t);
    const double sn = Squared ? std::tanh(2.5 * std::sin(t)) : std::sin(t);
    const double s = p->size;
    auto place = [&](float ribbing) {
        const double radius = (c * tube * ribbing * growth + growth) * 0.02 * s;
        p->x = static_cast<float>(std::cos(spiral) * radius * ribbing);
        p->z = static_cast<float>(std::sin(spiral) * radius * ribbing);
        p->y = static_cast<float>(((sn * tube * ribbing - q[2]) * 0.02 * growth + 0.25 * q[2]) * s);
    };
    place(static_cast<float>(1.0 - ribs * q[3]));
    // A ribbing term that overflows (a zero base to a negative power) would
    // make the point non-finite: the section is then drawn without ribbing.
    if (!(std::isfinite(p->x) && std::isfinite(p->y) && std::isfinite(p->z))) place(1.0f);
    ApplyBaseshapeColorTail(p, u1, along, slot);
}

}  // namespace

void SampleBaseshapeShellII(BaseshapePoint* point, uint8_t slot) { Shell<false, false>(point, slot); }
void SampleBaseshapeShellIIFilled(BaseshapePoint* point, uint8_t slot) { Shell<true, false>(point, slot); }
void SampleBaseshapeSQShellII(BaseshapePoint* point, uint8_t slot) { Shell<false, true>(point, slot); }
void SampleBaseshapeSQShellIIFilled(BaseshapePoint* point, uint8_t slot) { Shell<true, true>(point, slot); }
