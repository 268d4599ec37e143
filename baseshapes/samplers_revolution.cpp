#include "baseshapes/samplers_revolution.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// Rounds a unit circle towards a square.
inline float Squared(float c) { return std::tanh(2.0f * c); }

// A denominator that may cross zero, moved out to the least magnitude with
// its sign (zero and NaN count as positive).
inline float AwayFromZero(float d)
{
    if (std::fabs(d) >= kSinusoidalMinDenominator) return d;
    return d < 0.0f ? -kSinusoidalMinDenominator : kSinusoidalMinDenominator;
}

struct Sinusoid {
    float a, big_a, d1, d2;
};

// Both sinusoidal kinds: angles of 12 pi and 4 pi turns over the two draws.
inline Sinusoid SinusoidFrom(float u1, float u2, float t)
{
    Sinusoid q;
    q.a = u1 * 37.699112f - 18.849556f;
    const float b = u2 * 37.699112f - 18.849556f;
    q.big_a = (u1 * kTwoPi - kPi) + (u1 * kTwoPi) - kPi;
    const float big_b = (u2 * kTwoPi - kPi) + (u2 * kTwoPi) - kPi;
    q.d1 = AwayFromZero(std::cos(b) * t + 1.4142135f);
    q.d2 = AwayFromZero(std::cos(big_b) * t + 1.4142135f);
    return q;
}

}  // namespace

void SampleBaseshapeSquaredSpring(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const float tube = point->p[0];
    const float inner = point->p[1];
    const float turns = point->p[2];
    const float height = point->p[3];
    const float theta = 2.0f * (u1 * kTwoPi * turns);
    const float alpha = u2 * kTwoPi + kPi;
    const float r = (Squared(std::cos(alpha)) * tube + inner) * s;
    point->x = Squared(std::cos(theta)) * r;
    point->z = Squared(std::sin(theta)) * r;
    point->y = (Squared(std::sin(alpha)) * tube + (2.0f * u1 - 1.0f) * (height + 1.0f)) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Ribbed side and caps; a cap is picked by weighing the two cap radii.
void SampleBaseshapeScaledTrapezoid(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const bool side = RandomCoin(rs);
    const float s = point->size;
    const float p1 = point->p[0];
    const float top = point->p[1];
    const float bottom = point->p[2];
    const float theta = u1 * kTwoPi;
    const double sq_x = std::tanh(2.0 * std::sin(static_cast<double>(theta)));
    const double sq_z = std::tanh(2.0 * std::cos(static_cast<double>(theta)));
    const float ribs = std::tanh(3.0f * std::cos(20.0f * theta));
    if (side) {
        const float h = (2.0f * u2 - 1.0f) * p1;
        const float r = (1.0f - u2) * bottom + u2 * top;
        const float m = std::tanh(3.0f * std::cos(20.0f * h)) * ribs * 0.1f + 1.0f;
        point->x = static_cast<float>(sq_x * (s * m * r));
        point->z = static_cast<float>(sq_z * (s * m * r));
        point->y = s * h * m;
        ApplyBaseshapeColorTail(point, u1, u2, slot);
        return;
    }
    const float w4 = static_cast<float>(RandomStep(rs));
    const float rho = (1.0f - w4 * w4 * 5.421011e-20f) * s;
    const float r_top = std::fabs(top) * rho;
    const float r_bottom = std::fabs(bottom) * rho;
    const float m = std::tanh(3.0f * std::cos(20.0f * p1)) * ribs * 0.1f + 1.0f;
    const float u5 = RandomUniform(rs);
    const float u6 = RandomUniform(rs);
    const bool on_top = u5 * r_top > u6 * r_bottom;
    const float r = on_top ? r_top : r_bottom;
    point->y = on_top ? s * p1 * m : -(s * p1 * m);
    point->x = static_cast<float>(sq_x * (r * m));
    point->z = static_cast<float>(sq_z * (r * m));
    ApplyBaseshapeColorTail(point, u1, on_top ? 1.0f : 0.0f, slot);
}

// A tractricoid with a rippled radius. Beyond |P1| = pi/2 the half-angle
// tangent is not positive any more: its magnitude is used and bounded, which
// mirrors the profile past the tip instead of handing on a NaN or infinity.
void SampleBaseshapeScaledPseudosphere(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const float theta = u1 * kTwoPi;
    const float t = (2.0f * u2 - 1.0f) * point->p[0] + kHalfPi;
    const float m = std::cos(t * t * 12.0f) * std::cos(theta * 12.0f) * 0.25f + 1.0f;
    const float ring = std::sin(t) * s * m;
    point->x = std::cos(theta) * ring;
    point->z = std::sin(theta) * ring;
    const float tn = std::fmin(std::fmax(std::fabs(std::tan(0.5f * t)), 1.0f / kPseudosphereTanBound),
                               kPseudosphereTanBound);
    point->y = (std::cos(t) + std::log(tn)) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

namespace {

// The two sinusoidal solids share their draws and profile: "Sinusoidal II"
// turns its ring about y by the first angle, "Sinusoidal I" by the second.
template <bool kRingAboutY>
void SampleSinusoidal(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const Sinusoid q = SinusoidFrom(u1, u2, point->p[0]);
    point->x = std::sin(q.a) / q.d1 * s;
    point->y = std::sin(q.big_a) / q.d2 * s;
    point->z = kRingAboutY ? std::cos(q.a) / q.d1 * s : std::cos(q.big_a) / q.d2 * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeSinusoidalII(BaseshapePoint* point, uint8_t slot) { SampleSinusoidal<true>(point, slot); }
void SampleBaseshapeSinusoidalI(BaseshapePoint* point, uint8_t slot) { SampleSinusoidal<false>(point, slot); }

// A cardioid of revolution spiked by two triangle waves of twelve periods.
void SampleBaseshapeMorningStar(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const float theta = u1 * kTwoPi;
    const float phi = (1.0f - u2) * kPi;
    const float r = std::sin(phi) * (1.0f - std::cos(phi)) * (0.5f * s);
    point->x = std::cos(theta) * r;
    point->z = std::sin(theta) * r;
    const float spikes = std::asin(std::cos(12.0f * phi)) * std::asin(std::cos(12.0f * theta)) * 0.10132118f;
    point->y = (spikes + 1.0f) * std::cos(phi) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The centre-line radius is the size itself, so the ring grows as size^2
// while the tube grows as size.
void SampleBaseshapeScaledTorus(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const float tube = point->p[0];
    const float theta = u1 * kTwoPi;
    const float alpha = u2 * kTwoPi + kPi;
    const float m = std::cos(12.0f * alpha) * std::cos(12.0f * theta) * 0.25f + 1.0f;
    const float r = (std::cos(alpha) * tube * m + s) * s;
    point->x = std::cos(theta) * r;
    point->z = std::sin(theta) * r;
    point->y = std::sin(alpha) * tube * (s * m);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapePudding(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const float theta = u1 * kTwoPi;
    const float t = 2.0f * u2 - 1.0f;
    const float c = std::cos(std::asin(t));
    const float m = std::sin(12.0f * theta) * 0.25f + 1.0f;
    point->x = std::sin(theta) * c * (m * s);
    point->z = std::cos(theta) * c * (m * s);
    point->y = (std::cos(12.0f * t) * 0.25f + 1.0f) * t * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
