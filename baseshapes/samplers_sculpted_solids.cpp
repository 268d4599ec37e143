#include "baseshapes/samplers_sculpted_solids.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// Parameters "Sides", "A", "B" and 4 to 6: x + iy = s ((F + i p6) W + G conj(W^(k-1)))
// over the sections W of a double cone, so every section has k-fold symmetry.
template <bool Filled>
void SampleSymmetricFnT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float q = u2 * u2;
    const float zeta = RandomCoin(rs) ? q : -q;
    float c = TriangleWave(std::cos(std::asin(zeta)));
    float f = 1.0f;
    if (Filled) {
        f = FilledFalloff(RandomUniform(rs));
        c *= f;
    }
    const int n = ParameterToInt(point->p[0], 3, kSymmetricFnMaxSides) - 2;
    const float phi = kTwoPi * u1;
    const float a = c * std::sin(phi);
    const float b = c * std::cos(phi);
    float pr = a, pi = b;  // W^(k-1)
    for (int i = 0; i < n; ++i) {
        const float r = pr * a - pi * b;
        pi = pr * b + pi * a;
        pr = r;
    }
    const float p2 = point->p[1], p3 = point->p[2], p4 = point->p[3], p5 = point->p[4], p6 = point->p[5];
    const float F = 8.0f * ((pr * a - pi * b) * p4 + p2) + 8.0f * p3 * (a * a + b * b);
    const float G = 8.0f * p5;
    const float s = point->size;
    point->x = (G * pr + F * a - p6 * b) * s;
    point->y = (F * b - G * pi + p6 * a) * s;
    point->z = zeta * f * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// g(t) = A t + 3 (1 - A) t^2 / (t^2 + 1). The float form overflows for huge
// t and A (long before the result does), so that case is redone in double.
float SculptureMap(float A, float t)
{
    const float bend = (1.0f - A) * t * (3.0f * t) / (t * t + 1.0f);
    if (std::isfinite(bend)) return A * t + bend;
    const double td = t;
    return static_cast<float>(A * td + (1.0 - A) * td * (3.0 * td) / (td * td + 1.0));
}

// u^4 of a filled twin's depth draw.
float FourthPower(uint32_t word)
{
    const float fw = static_cast<float>(word);
    const float u = fw * kRandomWordToFloat;
    return u * u * (fw * fw * 5.421011e-20f);  // 2^-64
}

template <bool Filled>
void SampleSculptureT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float A = point->p[0], B = point->p[1];
    float C = point->p[2];
    if (Filled) C *= 1.0f - FourthPower(RandomStep(rs));
    const float theta = kTwoPi * u1;
    const float y0 = 2.0f * u2 - 1.0f;
    const float c = std::cos(std::asin(y0));
    const float P = std::sin(theta) * c * C;
    const float Q = std::cos(theta) * c * C;
    const float H = y0 * C * B;
    const float Q1 = Q + SculptureMap(A, P);
    const float P1 = SculptureMap(A, Q1) - P;
    const float H1 = SculptureMap(A, P1) - H;
    const float s = point->size;
    point->x = Q1 * s;
    point->y = H1 * s;
    point->z = P1 * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// (X, Y) to the angle and radius of one of its three cube roots (k drawn),
// the radius (X^2 + Y^2)^(3/8) and its sign drawn as well. The float cube
// overflows for far points, which are then taken in double.
void SnowflakeBranch(RandomState& rs, float X, float Y, float& beta, float& m)
{
    const uint32_t k = static_cast<uint32_t>(static_cast<float>(RandomStep(rs)) * 6.9849193e-10f);
    beta = static_cast<float>(std::atan2(Y, X) * 0.33333334f + k * 2.094395160675049);
    const float r2 = X * X + Y * Y;
    const float cube = r2 * r2 * r2;
    if (std::isfinite(cube)) {
        m = std::sqrt(std::sqrt(std::sqrt(cube)));
    } else {
        const double r2d = static_cast<double>(X) * X + static_cast<double>(Y) * Y;
        m = static_cast<float>(std::sqrt(std::sqrt(std::sqrt(r2d * r2d * r2d))));
    }
    if (!RandomCoin(rs)) m = -m;
}

// Parameters "Cr", "Ci" (the offset added at each step) and "Disp." (how
// far the offset shrinks towards the poles).
template <bool Filled>
void SampleSnowflakeSetT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float cr = point->p[0], ci = point->p[1];
    const float a = kTwoPi * u1;
    const float y0 = 2.0f * u2 - 1.0f;
    const float L = 1.0f - std::sqrt(std::fabs(y0)) * point->p[2];
    float rho = (std::cos(kTwoPi * y0) * 0.15915494f + 0.63661975f) * (1.0f - std::fabs(y0));
    if (Filled) rho *= std::pow(RandomUniform(rs), 0.33333334f);
    const float X = std::asin(std::sin(a)) * rho + L * cr;
    const float Y = std::asin(std::cos(a)) * rho + L * ci;
    float beta, m;
    SnowflakeBranch(rs, X, Y, beta, m);
    const float X2 = TriangleWave(std::cos(beta)) * m + L * cr;
    const float Y2 = TriangleWave(std::sin(beta)) * m + L * ci;
    SnowflakeBranch(rs, X2, Y2, beta, m);
    const float s = point->size;
    point->x = std::cos(beta) * m * s;
    point->z = std::sin(beta) * m * s;
    point->y = 0.5f * y0 * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Signed square root, taken in double.
float SignedRoot(double t)
{
    if (t > 0.0) return static_cast<float>(std::sqrt(t));
    if (t < 0.0) return static_cast<float>(-std::sqrt(-t));
    return 0.0f;
}

template <bool Filled>
void SampleAtomicT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const double A = kPi * u1 - kHalfPi;
    const double B = kPi * u2 - kHalfPi;
    float cA = SignedRoot(std::cos(A)), sA = SignedRoot(std::sin(A));
    float cB = SignedRoot(std::cos(B)), sB = SignedRoot(std::sin(B));
    if (Filled) {
        const float q = std::sqrt(RandomUniform(rs));
        cA *= q, sA *= q, cB *= q, sB *= q;
    }
    const float twoS = 2.0f * point->size;
    const float common = cB * cB * sA * cA;
    const float left = sA * cB * sB;
    const float right = cB * cA * sB;
    point->x = common * left * twoS;
    point->y = common * right * twoS;
    point->z = left * right * twoS;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Vertices of a regular tetrahedron on the unit sphere: the dimples' centres.
constexpr float kCgCentres[4][3] = {
    {0.0f, 0.0f, 1.0f}, {0.943f, 0.0f, -0.333f}, {-0.471f, 0.816f, -0.333f}, {-0.471f, -0.816f, -0.333f}};

}  // namespace

void SampleBaseshapeSymmetricFn(BaseshapePoint* point, uint8_t slot) { SampleSymmetricFnT<false>(point, slot); }
void SampleBaseshapeSymmetricFnFilled(BaseshapePoint* point, uint8_t slot) { SampleSymmetricFnT<true>(point, slot); }
void SampleBaseshapeSculpture(BaseshapePoint* point, uint8_t slot) { SampleSculptureT<false>(point, slot); }
void SampleBaseshapeSculptureFilled(BaseshapePoint* point, uint8_t slot) { SampleSculptureT<true>(point, slot); }
void SampleBaseshapeSnowflakeSet(BaseshapePoint* point, uint8_t slot) { SampleSnowflakeSetT<false>(point, slot); }
void SampleBaseshapeSnowflakeSetFilled(BaseshapePoint* point, uint8_t slot) { SampleSnowflakeSetT<true>(point, slot); }
void SampleBaseshapeAtomic(BaseshapePoint* point, uint8_t slot) { SampleAtomicT<false>(point, slot); }
void SampleBaseshapeAtomicFilled(BaseshapePoint* point, uint8_t slot) { SampleAtomicT<true>(point, slot); }

// Points within 0.9 of a centre K are reflected through 0.59475 K, which
// turns each cap into a dimple; a later centre overrides an earlier one.
void SampleBaseshapeCgSphere133(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float theta = kTwoPi * u1;
    const float y0 = 2.0f * u2 - 1.0f;
    const float c = std::cos(std::asin(y0));
    const float P[3] = {std::sin(theta) * c, y0, std::cos(theta) * c};
    float out[3] = {P[0], P[1], P[2]};
    for (const auto& K : kCgCentres) {
        const float dx = P[0] - K[0], dy = P[1] - K[1], dz = P[2] - K[2];
        if (static_cast<double>(std::sqrt(dx * dx + dy * dy + dz * dz)) < 0.9) {
            for (int i = 0; i < 3; ++i) out[i] = 1.1895f * K[i] - P[i];
        }
    }
    const float s = point->size;
    point->x = out[0] * s;
    point->y = out[1] * s;
    point->z = out[2] * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Parameters "Length" and "I. Rad.": a closed Catmull-Rom curve through three
// points of the unit circle, widened by 1 + h^2 towards both ends.
void SampleBaseshapeTriangularCatenoid(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const uint32_t w1 = RandomStep(rs);
    const float u2 = RandomUniform(rs);
    const uint32_t k = RandomStep(rs) % 3;
    const float fw = static_cast<float>(w1);
    const float t = fw * kRandomWordToFloat;
    const float t2 = fw * fw * 5.421011e-20f;  // 2^-64
    const float t3 = t2 * t;
    const float h = 2.0f * u2 - 1.0f;
    float S[4], C[4];
    for (int i = 0; i < 4; ++i) {
        const float angle = static_cast<float>(static_cast<float>(k + i) * 2.0943951023931957);
        S[i] = std::sin(angle);
        C[i] = std::cos(angle);
    }
    auto spline = [&](const float* V) {
        return 0.5f * (2.0f * V[1] + (V[2] - V[0]) * t + (2.0f * V[0] - 5.0f * V[1] + 4.0f * V[2] - V[3]) * t2 +
                       (-V[0] + 3.0f * V[1] - 3.0f * V[2] + V[3]) * t3);
    };
    const float s = point->size;
    const float G = (h * h + 1.0f) * s;
    const float R = point->p[1];
    point->x = spline(S) * G * R;
    point->y = s * h * point->p[0];
    point->z = spline(C) * G * R;
    ApplyBaseshapeColorTail(point, t, u2, slot);
}
