// Curve helpers of the profile and ribbed samplers: cubic Bernstein weights
// and integer powers with a parameter as exponent.
#pragma once

#include <cmath>

#include "baseshapes/sampler_contract.h"

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

// base^n in double, n the parameter truncated toward zero. A zero base to a
// negative power gives inf: callers check their result and fall back.
inline double ParameterPower(float base, float exponent)
{
    return std::pow(static_cast<double>(base), ParameterToInt(exponent, -kMaxParameterExponent, kMaxParameterExponent));
}
