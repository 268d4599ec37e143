// Small maps shared by the chaos-game kernels and the script kernel: complex
// roots and quotients in the x-z plane, the height step of the 2.5D types,
// and the flame variation terms. All single precision unless said otherwise.
#pragma once

#include <cmath>

#include "engine/fractal_model.h"
#include "engine/kernel_skeleton.h"
#include "engine/quaternion.h"

struct Vec3f {
    float x, y, z;
};

inline constexpr float kMapPi = 3.14159265f;
inline constexpr float kFourPiOverThree = 4.1887903f;
inline constexpr float kTwoPiOverThree = 2.0943952f;

// s |y|^0.85 + 0.1475, s the sign of y (0 counts as positive).
inline float HeightStep(float y)
{
    const float m = std::pow(std::fabs(y), 0.85f);
    return (y >= 0.0f ? m : -m) + 0.1475f;
}

// Principal square root of re + i im.
inline Complex ComplexRoot(float re, float im)
{
    const float r = std::pow(re * re + im * im, 0.25f);
    const float half = 0.5f * std::atan2(im, re);
    return {r * std::cos(half), r * std::sin(half)};
}

// The same modulus at minus half the angle.
inline Complex ComplexConjugateRoot(float re, float im)
{
    const float r = std::pow(re * re + im * im, 0.25f);
    const float half = -0.5f * std::atan2(im, re);
    return {r * std::cos(half), r * std::sin(half)};
}

inline Complex ComplexTimes(Complex a, Complex b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }

// a conj(b) / |b|^2: a zero b gives non-finite parts.
inline Complex ComplexOver(Complex a, Complex b)
{
    const float n = b.re * b.re + b.im * b.im;
    return {(a.re * b.re + a.im * b.im) / n, (a.im * b.re - a.re * b.im) / n};
}

// (a w + b) / (c w + d).
inline Complex MobiusImage(Complex a, Complex b, Complex c, Complex d, Complex w)
{
    const Complex num = ComplexTimes(a, w);
    const Complex den = ComplexTimes(c, w);
    return ComplexOver({num.re + b.re, num.im + b.im}, {den.re + d.re, den.im + d.im});
}

// sinh(r) / (r cosh(r)) for r > 0, as tanh(r) / r: the quotient of sinh and
// cosh overflows to infinity over infinity far from the origin.
inline float HyperFactor(float r) { return std::tanh(r) / r; }

// Swirl3D: r (cos θ' cos φ', cos θ' sin φ', sin θ') with θ' = θ + r and
// φ' = φ + r, θ the elevation from the x-y plane and φ the angle in it.
// r is the length of p, for callers that have it already.
inline Vec3f SwirlTerm(Vec3f p, float r)
{
    const float theta = std::atan2(p.z, std::sqrt(p.x * p.x + p.y * p.y)) + r;
    const float phi = std::atan2(p.y, p.x) + r;
    const float ct = std::cos(theta);
    return {r * ct * std::cos(phi), r * ct * std::sin(phi), r * std::sin(theta)};
}

inline Vec3f SwirlTerm(Vec3f p) { return SwirlTerm(p, std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z)); }

// Horns of radius r, elevation θ and angle φ.
inline Vec3f HornsTerm(float r, float theta, float phi)
{
    const float s = std::sin(kMapPi * r);
    const float c = std::cos(kMapPi * r);
    return {s * phi * theta / kMapPi, c * phi * theta / kMapPi, s * theta / kMapPi};
}

inline float Elevation(Vec3f p) { return std::atan2(p.z, std::sqrt(p.x * p.x + p.y * p.y)); }
inline float Azimuth(Vec3f p) { return std::atan2(p.y, p.x); }
inline float Length(Vec3f p) { return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z); }

// The first three components of the principal square root of (x, y, z, 0);
// on the real axis the root stays finite.
inline Vec3f QuaternionRootTerm(Vec3f p)
{
    const float q[4] = {p.x, p.y, p.z, 0.0f};
    float r[4];
    QuaternionSquareRoot(r, q);
    return {r[0], r[1], r[2]};
}

// The kernels whose orbit resumes from the slot's last batch point.
inline constexpr KernelOptions kFromLastBatchPoint{.orbit = OrbitSource::kLastBatchPoint};
