#include "baseshapes/samplers_swept_profiles.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/shape_profiles.h"

namespace {

// Cell centres (cx, cz) of the six cushions; the third column is unused.
constexpr float gHexagonCellCentres[6][3] = {{0.8660254f, 0.5f, 0.0f},  {-0.8660254f, 0.5f, 0.0f},
                                             {0.8660254f, -0.5f, 0.0f}, {-0.8660254f, -0.5f, 0.0f},
                                             {0.0f, 1.0f, 0.0f},        {0.0f, -1.0f, 0.0f}};

// A tyre with a rounded-square section, 32 grooves round the wheel and 16
// round the section; the filled twin makes the grooves shallower only.
template <bool Filled>
inline void Wheel(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float a = u1 * kTwoPi - kPi;
    const float b = u2 * kTwoPi - kPi;
    const double a1 = std::fabs(std::sin(16.0f * a)) - 0.325;
    const double a2 = std::fabs(std::sin(8.0f * b)) - 0.325;
    double t1 = a1 <= 0.0 ? 0.325 * a1 : 0.0;
    double t2 = a2 <= 0.0 ? 0.325 * a2 : 0.0;
    if (Filled) {
        const float f = FilledFalloff(RandomUniform(rs));
        t1 *= f;
        t2 *= f;
    }
    const float m = static_cast<float>(0.5 + t1 + t2);
    const float sb = std::sin(b);
    const float cb = std::cos(b);
    const double power = std::pow(std::fabs(static_cast<double>(sb)), 100.0) +
                         std::pow(std::fabs(static_cast<double>(cb)), 100.0);
    const float q = std::pow(static_cast<float>(power), -0.01f);
    const float s = point->size;
    point->y = q * s * 0.28125f * (m * sb);
    const float w = static_cast<float>((0.7125 * point->p[0] * (q * m * cb) + 0.75) * s);
    point->x = std::cos(a) * w;
    point->z = std::sin(a) * w;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A deltoid swept along a helix that shrinks from radius 1 to 0 while it
// climbs; parameter 2 sets turns (four per unit) and climb together.
template <bool Filled>
inline void HelicalTricorn(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float k = Filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const double p1 = point->p[0];
    const double p2 = point->p[1];
    const double s = point->size;
    const float t = u1 * 25.132742f * point->p[1];
    const double l = t * 0.039788735772973836;
    const float phi = u2 * kTwoPi - kPi;
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double c2 = std::cos(2.0f * phi), s2 = std::sin(2.0f * phi);
    const float r = static_cast<float>((1.0 - l - p1 * (0.5 * cp + 0.25 * c2) * k) * s);
    point->x = std::cos(t) * r;
    point->z = std::sin(t) * r;
    point->y = static_cast<float>((0.25 * p1 * (2.0 * sp - s2) * k + l - 0.5 * p2) * s);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

template <bool Filled>
inline void ToroidalBicorn(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const double k = Filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float beta = u1 * kTwoPi;
    const float alpha = u2 * kTwoPi - kPi;
    const double c = std::cos(alpha);
    const float n = std::sin(alpha);
    const double f = c * c * (k * c + 2.0) / (static_cast<double>(n) * n + 3.0);
    const float s = point->size;
    const float r = static_cast<float>((point->p[0] - f * point->p[1]) * s);
    point->x = std::cos(beta) * r;
    point->z = std::sin(beta) * r;
    point->y = s * n * point->p[1];
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// N touching spheres with centres on the unit circle: neighbouring centres
// are 2 sin(pi/N) apart, twice the pearl radius.
template <bool Filled>
inline void Pearls(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const uint32_t w3 = RandomStep(rs);
    const float g = Filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const int n = ParameterToInt(std::fmax(point->p[0], 3.0f), 3, kMaxRingCells);
    const float inv_n = 1.0f / static_cast<float>(n);
    const float r = std::sin(kPi * inv_n) * g;
    const float gamma = static_cast<float>(w3 % static_cast<uint32_t>(n)) * inv_n * kTwoPi;
    const float beta = u1 * kTwoPi;
    const float y0 = 2.0f * u2 - 1.0f;
    const float rho = std::cos(std::asin(y0));
    const float s = point->size;
    point->x = (rho * r * std::sin(beta) + std::sin(gamma)) * s;
    point->z = (rho * r * std::cos(beta) + std::cos(gamma)) * s;
    point->y = y0 * r * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Six hexagonal cushions round the origin; two runs in three take the
// latitude near the top or bottom, crowding points onto the flat faces. The
// filled twin's f pulls the point to its cell's centre line.
template <bool Filled>
inline void HexagonCushions(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const double psi = u1 * kTwoPi;
    double t;
    if (static_cast<double>(RandomUniform(rs)) > 0.666) {
        t = RandomUniform(rs);
    } else {
        const bool upper = RandomCoin(rs);
        t = 0.25 * RandomUniform(rs) + (upper ? 0.0 : 0.75);
    }
    const float* centre = gHexagonCellCentres[RandomStep(rs) % 6u];
    const double f = Filled ? RandomUniform(rs) : 1.0f;
    const double phi = t * kPi;
    const double g = 0.5 * std::tanh(4.0 * std::sin(phi)) * HexagonFactor(psi) * f;
    const double s = point->size;
    point->x = static_cast<float>((std::cos(psi) * g + centre[0]) * s);
    point->z = static_cast<float>((std::sin(psi) * g + centre[1]) * s);
    point->y = static_cast<float>(std::tanh(4.0 * std::cos(phi)) * s * f * 0.0625);
    ApplyBaseshapeColorTail(point, u1, static_cast<float>(t), slot);
}

}  // namespace

void SampleBaseshapeWheel(BaseshapePoint* point, uint8_t slot) { Wheel<false>(point, slot); }
void SampleBaseshapeWheelFilled(BaseshapePoint* point, uint8_t slot) { Wheel<true>(point, slot); }
void SampleBaseshapeHelicalTricorn(BaseshapePoint* point, uint8_t slot) { HelicalTricorn<false>(point, slot); }
void SampleBaseshapeHelicalTricornFilled(BaseshapePoint* point, uint8_t slot) { HelicalTricorn<true>(point, slot); }
void SampleBaseshapeToroidalBicorn(BaseshapePoint* point, uint8_t slot) { ToroidalBicorn<false>(point, slot); }
void SampleBaseshapeToroidalBicornFilled(BaseshapePoint* point, uint8_t slot) { ToroidalBicorn<true>(point, slot); }
void SampleBaseshapePearls(BaseshapePoint* point, uint8_t slot) { Pearls<false>(point, slot); }
void SampleBaseshapePearlsFilled(BaseshapePoint* point, uint8_t slot) { Pearls<true>(point, slot); }
void SampleBaseshapeHexagons157(BaseshapePoint* point, uint8_t slot) { HexagonCushions<false>(point, slot); }
void SampleBaseshapeHexagons157Filled(BaseshapePoint* point, uint8_t slot) { HexagonCushions<true>(point, slot); }

// A sphere squeezed into an N-gon outline, bent into blade-like lobes when
// parameter 2 is not pi/N. Its divisor can cross zero; it is kept from zero
// with its sign, which bounds the lobes instead of handing on infinities.
void SampleBaseshapePaperPropeller(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float theta = u1 * kTwoPi;
    const float y0 = 2.0f * u2 - 1.0f;
    const double rho = std::cos(std::asin(y0));
    const int n = ParameterToInt(std::fmax(point->p[0], 3.0f), 3, kMaxRingCells);
    const float inv_n = 1.0f / static_cast<float>(n);
    const float c1 = std::cos(kPi * inv_n);
    float c2 = std::cos(std::fmod(theta, kTwoPi * inv_n) - point->p[1]);
    if (!(std::fabs(c2) >= kPropellerMinDivisor)) c2 = c2 < 0.0f ? -kPropellerMinDivisor : kPropellerMinDivisor;
    const float s = point->size;
    const double f = static_cast<double>(s) * (c1 / c2);
    point->x = static_cast<float>(std::sin(static_cast<double>(theta)) * rho * f);
    point->z = static_cast<float>(std::cos(static_cast<double>(theta)) * rho * f);
    point->y = s * y0 * 0.5f;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
