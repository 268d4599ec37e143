// Curve helpers of the profile and polygon samplers: cubic Bernstein
// weights and the radius of a regular polygon.
#pragma once

#include <cmath>

// Polygon side counts taken from parameters stay in [3, this].
inline constexpr int kMaxPolygonSides = 1 << 20;

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
