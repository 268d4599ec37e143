// Curve helpers of the profile, polygon and ribbed samplers: cubic
// Bernstein weights, the radius of a regular polygon and integer powers
// with a parameter as exponent.
#pragma once

#include <cmath>

#include "baseshapes/sampler_contract.h"

// Polygon side counts taken from parameters stay in [3, this].
inline constexpr int kMaxPolygonSides = 1 << 20;
inline constexpr int kMaxParameterExponent = 1 << 20;

struct CubicWeights {
    double b0, b1, b2, b3;
};

// The Bezier profiles are evaluated in double.
inline CubicWeights CubicBernstein(double t)
{
    const double s = 1.0 - t;
    return {s * s * s, 3.0 * t * s * s, 3.0 * t * t * s, t * t * t};
}

// Distance from the centre to the boundary of the regular polygon of
// circumradius 1 with a vertex at angle 0, along angle a >= 0.
inline float PolygonRadius(int sides, float a)
{
    const float half = 3.1415927f / static_cast<float>(sides);
    return std::cos(half) / std::cos(std::fmod(a, 2.0f * half) - half);
}

// base^n in double, n the parameter truncated toward zero. A zero base to a
// negative power gives inf: callers check their result and fall back.
inline double ParameterPower(float base, float exponent)
{
    return std::pow(static_cast<double>(base), ParameterToInt(exponent, -kMaxParameterExponent, kMaxParameterExponent));
}
