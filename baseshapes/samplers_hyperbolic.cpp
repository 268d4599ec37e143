#include "baseshapes/samplers_hyperbolic.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

constexpr float kFourPi = 12.566371f;

// Where a denominator passes through zero the surface runs off to infinity;
// points there are held at a finite distance instead.
constexpr double kSmallestDenominator = 1e-6;

inline double AwayFromZero(double d)
{
    if (d >= 0.0) return d < kSmallestDenominator ? kSmallestDenominator : d;
    return d > -kSmallestDenominator ? -kSmallestDenominator : d;
}

}  // namespace

// A spire twisted by p0 and stretched along y by p1 + 1; the cube of u2
// crowds points toward its foot.
void SampleBaseshapeSpire(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float a = u1 * kFourPi - kTwoPi;
    const float b = kTwoPi * u2 * u2 * u2;
    const float d = 1.0f / (std::cosh(a) * std::cosh(b) + 1.0f);
    const float s = point->size;
    const float arm = std::sinh(a) * d * s;
    point->x = std::cos(point->p[0] * b) * arm;
    point->z = std::sin(point->p[0] * b) * arm;
    point->y = std::sinh(b) * std::cosh(a) * d * (point->p[1] + 1.0f) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Ten layers of the bipolar map of (g, beta): a spiral winding into two
// foci, turn rates 0.1 to 1.0, heights shrinking to 0 for the last layer.
// Evaluated in double and divided through by cosh g, so a steep p3 gives
// the foci (+-size/2, 0) instead of inf/inf.
void SampleBaseshapeDoubleSpiral(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float layer = static_cast<float>(RandomStep(rs) % 10 + 1) * 0.1f;
    const float* p = point->p;
    const float a = u1 * kPi - kHalfPi;
    const float blend = (1.0f - std::cos(u2 * kPi)) * 0.5f;
    const double beta = ((1.0f - blend) * p[1] + blend * p[0]) * layer * p[3] * a;
    const double g = p[3] * a;
    const double s = point->size;
    const double ch = std::cosh(g);
    const double den = AwayFromZero(1.0 + std::cos(beta) / ch);
    point->x = static_cast<float>(std::tanh(g) / den * 0.5 * s);
    point->z = static_cast<float>(std::sin(beta) / ch / den * 0.5 * s);
    point->y = (2.0f * u2 - 1.0f) * p[2] * (1.0f - layer) * point->size;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A twisted hyperbolic surface. Divided through by cosh t so a wide p2
// cannot overflow; with p0 at or below -1 the denominator crosses zero and
// those points are held far out but finite.
void SampleBaseshapeWindSpinner(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* p = point->p;
    const float sAngle = kFourPi * u1 - kTwoPi;
    const double t = static_cast<double>(kTwoPi * u2 - kPi) * p[2];
    const double k = point->size / AwayFromZero(std::cosh(sAngle) + p[0] / std::cosh(t));
    const double spread = std::tanh(t) * k;
    point->x = static_cast<float>(std::cos(p[1] * sAngle) * spread);
    point->z = static_cast<float>(std::sin(p[1] * sAngle) * spread);
    point->y = static_cast<float>(std::sinh(1.1 * sAngle) * k);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
