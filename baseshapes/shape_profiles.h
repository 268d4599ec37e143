// Outlines, profiles and the small rounded box that several sampler families
// build their shapes from. Plain inline functions: they run per point.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/random.h"

// The x and z of the point at angle a on a triangle with a vertex at radius
// 1 on +x and its sides 0.5 from the centre.
inline float TriangleCos(float a)
{
    return std::cos(a) * 0.5f / std::cos(std::fmod(std::fabs(a), 2.0943952f) - 1.0471976f);
}
inline float TriangleSin(float a)
{
    return std::sin(a) * 0.5f / std::cos(std::fmod(std::fabs(a), 2.0943952f) - 1.0471976f);
}

// Distance from the centre to a hexagon with corners at radius 1 at a = 0,
// pi/3, ...; between sqrt(3)/2 and 1.
inline double HexagonFactor(double a)
{
    return 0.8660254037844386 / std::cos(std::fmod(std::fabs(a), 1.0471975511965979) - 0.5235987755982989);
}

// The wizard hat's brim: 1/512 at 0, wrinkling more the further x goes.
inline float SumCosineOctaves(float x)
{
    float sum = std::cos(x);
    float weight = 0.5f;
    float scale = 2.0f;
    for (int i = 0; i < 9; ++i) {
        sum -= std::cos(scale * x) * weight;
        weight *= 0.5f;
        scale *= 2.0f;
    }
    return sum;
}

// A sawtooth of period pi/2 in [-1, 1] whose teeth are bent by an arcsine,
// so the ammonite's ribs rise steeply and fall slowly.
inline float ArcsineSawtooth(float x)
{
    const float v = std::asin(std::sin(std::fmod(x, 1.5707964f))) * 0.63661975f;
    const float sign = v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f);
    return std::asin(std::fabs(v)) * sign * 0.63661975f;
}

// A point of the positive-octant part of the cube [-1, 1]^3 with edges and
// corners rounded by 0.15 (flat faces reach 0.85): faces take 75 % of the
// points, edges 23.75 % and corners 1.25 %, whatever their areas. Draws: u,
// then a face index and two uniforms, or a uniform and the corner's two or
// the edge's three words. The caller mirrors it into the other octants.
inline void RoundedBoxPoint(RandomState& rs, float& x, float& y, float& z)
{
    constexpr float kThirds = 6.9849193e-10f;    // 3 * 2^-32: index 0..2 (3 for the top word)
    constexpr float kQuarterTurn = 3.6572953e-10f;  // (pi/2) * 2^-32
    if (RandomUniform(rs) < 0.75f) {
        const int k = static_cast<int>(static_cast<float>(RandomStep(rs)) * kThirds);
        const float c = 0.85f * RandomUniform(rs);
        const float d = 0.85f * RandomUniform(rs);
        if (k == 0) {
            x = c, y = d, z = 1.0f;
        } else if (k == 1) {
            x = d, y = 1.0f, z = c;
        } else {
            x = 1.0f, y = d, z = c;
        }
        return;
    }
    if (static_cast<double>(RandomUniform(rs)) >= 0.95) {
        const float psi = static_cast<float>(RandomStep(rs)) * kQuarterTurn;
        const float e = RandomUniform(rs);
        const float c = std::cos(std::asin(e));
        x = std::sin(psi) * c * 0.15f + 0.85f;
        y = e * 0.15f + 0.85f;
        z = std::cos(psi) * c * 0.15f + 0.85f;
        return;
    }
    const int k = static_cast<int>(static_cast<float>(RandomStep(rs)) * kThirds);
    const float g = static_cast<float>(RandomStep(rs)) * kQuarterTurn;
    const float e = 0.85f * RandomUniform(rs);
    const float rs0 = std::sin(g) * 0.15f + 0.85f;
    const float rc0 = std::cos(g) * 0.15f + 0.85f;
    if (k == 0) {
        x = rs0, y = e, z = rc0;
    } else if (k == 1) {
        x = e, y = rs0, z = rc0;
    } else {
        x = rc0, y = rs0, z = e;
    }
}

// Negates v unless the next word is a coin's "true".
inline float KeepOnCoin(RandomState& rs, float v) { return RandomCoin(rs) ? v : -v; }
