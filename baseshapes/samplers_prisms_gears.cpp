#include "baseshapes/samplers_prisms_gears.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

constexpr double kPiD = 3.141592653589793;

// A regular n-gon prism about y with pyramidal caps whose rim lies at
// height p2 and apex at p2*p3 (p3 = 1: flat caps).
void Prisms(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float* p = point->p;
    const int n = ParameterToInt(p[0], 0, kPrismMaxSides);
    const float delta = n > 0 ? static_cast<float>(6.2831852585077286 / n) : 0.0f;
    const float edge = std::trunc(RandomUniform(rs) * static_cast<float>(n));
    const float a0 = edge * delta;
    const float a1 = a0 + delta;
    const float t = RandomUniform(rs);
    const float q = RandomUniform(rs);
    const float X = std::sin(a1) * (1.0f - t) + std::sin(a0) * t;
    const float Z = std::cos(a1) * (1.0f - t) + std::cos(a0) * t;
    const float s = point->size;
    const float g = 1.0f - q * q;
    if (!filled && RandomCoin(rs)) {
        point->x = X * s;
        point->z = Z * s;
        point->y = (2.0f * q - 1.0f) * p[1] * s;
    } else {
        float y = (g + q * q * p[2]) * p[1];
        if (filled) y *= RandomUniform(rs);
        point->x = g * X * s;
        point->z = g * Z * s;
        RandomStep(rs);  // a draw the cap makes and never uses
        point->y = RandomCoin(rs) ? y * s : -y * s;
    }
    ApplyBaseshapeColorTail(point, t, q, slot);
}

// A ring of n = p1 teeth: walls a quarter of the points each, faces half.
void GearI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* p = point->p;
    const float s = point->size;
    const float phi = kTwoPi * u1;
    const float tooth = std::tanh(10.0f * std::sin(phi * p[0]));
    const float R = (1.0f + tooth * p[3]) * s;
    float radius = R;
    float y = (2.0f * u2 - 1.0f) * p[1] * s;
    float v = u2;
    if (filled) {
        radius = R * (1.0f - RandomUniform(rs) * p[2]);
    } else {
        const uint32_t part = RandomStep(rs) & 3u;
        if (part == 1) {
            radius = R * (1.0f - p[2]);
        } else if (part >= 2) {
            radius = R * (1.0f - RandomUniform(rs) * p[2]);
            y = RandomCoin(rs) ? p[1] * s : -p[1] * s;
            v = y < 0.0f ? 1.0f : 0.0f;
        }
    }
    point->x = std::cos(phi) * radius;
    point->z = std::sin(phi) * radius;
    point->y = y;
    ApplyBaseshapeColorTail(point, u1, v, slot);
}

// A body of revolution of the cubic Bezier profile (p1, p2) .. (p7, p8) in
// the (radius, height) plane, the radius times a petal factor.
template <bool Petals>
void SplineBody(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* p = point->p;
    const float phi = kTwoPi * u1;
    const double t = u2, r = 1.0 - t;
    const double b[4] = {r * r * r, 3.0 * t * r * r, 3.0 * t * t * r, t * t * t};
    double R = 0.0, H = 0.0;
    for (int i = 0; i < 4; ++i) {
        R += p[2 * i] * b[i];
        H += p[2 * i + 1] * b[i];
    }
    double s = point->size;
    const double sH = H * s;
    if constexpr (Petals) s *= p[9] + p[10] * std::sin(p[8] * phi);
    point->x = static_cast<float>(std::sin(phi) * R * s);
    point->y = static_cast<float>(sH);
    point->z = static_cast<float>(std::cos(phi) * R * s);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A disc in x-z, radii crowding toward the rim, with circular ripples that
// vanish at the centre and on the rim.
void Disc(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float phi = kTwoPi * u1;
    const float rho = std::sqrt(std::fmax(0.0f, 1.0f - u2 * u2));  // cos(asin u2)
    const float X = std::sin(phi) * rho;
    const float Z = std::cos(phi) * rho;
    const float r = std::sqrt(X * X + Z * Z);
    const float s = point->size;
    point->x = X * s;
    point->z = Z * s;
    point->y = std::sin(160.0f * point->p[0] * r) * (1.0f - r) * 0.25f * point->p[1] * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Single-precision constants widened, as the shape's proportions use them.
constexpr double F(float v) { return v; }

// A central ring (a quarter of the points) and, in four corners, three flat
// rings, a horn and a ball. k shrinks tubes, horns and balls inward.
void Futuristic(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    double k = 1.0;
    if (filled) {
        const double u0 = RandomUniform(rs);
        k = 1.0 - u0 * u0 * u0 * u0;
    }
    const double s = point->size;
    if (RandomUniform(rs) >= 0.75f) {
        const double h = 8.0 * kPiD * RandomUniform(rs) - 4.0 * kPiD;
        const double g = 8.0 * kPiD * RandomUniform(rs) - 4.0 * kPiD;
        const double r = F(0.35f) + F(0.15f) * k * std::cos(g);
        point->x = static_cast<float>(2.0 * s * r * std::cos(h));
        point->z = static_cast<float>(2.0 * s * r * std::sin(h));
        point->y = static_cast<float>(s * (F(0.1f) * std::sin(g) - F(0.8f)));
        return;
    }
    double X, Y, Z;
    const uint32_t element = RandomStep(rs) % 3u;
    if (element == 2) {
        const double a = 8.0 * kPiD * RandomUniform(rs) - 4.0 * kPiD;
        const double b = 8.0 * kPiD * RandomUniform(rs) - 4.0 * kPiD;
        // A selector of 3 (a uniform of exactly 1.0) names no ring: ring 2.
        int ring = static_cast<int>(static_cast<float>(RandomStep(rs)) * 6.9849193e-10f);  // 3 * 2^-32
        if (ring > 2) ring = 2;
        constexpr double kRings[3][4] = {
            {0.35, 0.075, -0.125, 0.025},
            {F(0.2f), F(0.05f), 0.125, F(0.025f)},
            {F(0.45f), F(0.1f), F(-0.4f), 0.025},
        };
        const double* ringData = kRings[ring];
        const double r = ringData[0] + ringData[1] * k * std::cos(b);
        X = r * std::cos(a);
        Z = r * std::sin(a);
        Y = ringData[2] + ringData[3] * std::sin(b);
    } else if (element == 1) {
        // Half a tractricoid.
        const double d = 2.0 * kPiD * RandomUniform(rs);
        const double c = kPiD / 2.0 + static_cast<double>(RandomStep(rs)) * 3.47443047e-10;
        X = 0.5 * k * std::sin(c) * std::cos(d);
        Z = 0.5 * k * std::sin(c) * std::sin(d);
        Y = 0.5 * (std::cos(c) + std::log(std::tan(0.5 * c))) - 0.75;
    } else {
        const double f = 12.0 * kPiD * RandomUniform(rs) - 6.0 * kPiD;
        const double e = 6.0 * kPiD * RandomUniform(rs) - 3.0 * kPiD;
        X = F(0.2f) * k * std::cos(e) * std::cos(f);
        Z = F(0.2f) * k * std::cos(e) * std::sin(f);
        Y = 0.45 + 0.2 * k * std::sin(e);
    }
    X = RandomCoin(rs) ? 0.25 * X + 0.25 : 0.25 * X - 0.25;
    Z = RandomCoin(rs) ? 0.25 * Z + 0.25 : 0.25 * Z - 0.25;
    point->x = static_cast<float>(2.0 * s * X);
    point->y = static_cast<float>(s * Y);
    point->z = static_cast<float>(2.0 * s * Z);
}

}  // namespace

void SampleBaseshapePrisms(BaseshapePoint* point, uint8_t slot) { Prisms(point, slot, false); }
void SampleBaseshapePrismsFilled(BaseshapePoint* point, uint8_t slot) { Prisms(point, slot, true); }
void SampleBaseshapeGearI(BaseshapePoint* point, uint8_t slot) { GearI(point, slot, false); }
void SampleBaseshapeGearIFilled(BaseshapePoint* point, uint8_t slot) { GearI(point, slot, true); }
void SampleBaseshapeSplineR(BaseshapePoint* point, uint8_t slot) { SplineBody<false>(point, slot); }
void SampleBaseshapeSplineFlower(BaseshapePoint* point, uint8_t slot) { SplineBody<true>(point, slot); }
void SampleBaseshapeDisc(BaseshapePoint* point, uint8_t slot) { Disc(point, slot); }
void SampleBaseshapeFuturistic(BaseshapePoint* point, uint8_t slot) { Futuristic(point, slot, false); }
void SampleBaseshapeFuturisticFilled(BaseshapePoint* point, uint8_t slot) { Futuristic(point, slot, true); }
