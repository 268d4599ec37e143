// 3-D simplex noise and its six-octave fractal sum.
#pragma once

#include <cstdint>

// The permutation, stored twice so that an index up to 511 needs no wrap.
extern const uint8_t gSimplexPermutation[512];

// Gradient term of one corner: hash modulo 16 picks the gradient.
inline float SimplexGrad(int hash, float x, float y, float z)
{
    const int h = hash & 15;
    const float u = h < 8 ? x : y;
    const float v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

// About -1 to 1; 0 for coordinates too large to place on the lattice.
float SimplexNoise3(float x, float y, float z);
// Sum over k = 0..5 of 0.5^(k+1) (0.5 SimplexNoise3(2^k p) + 0.5): 0 to 0.984375.
float FractalNoise3(float x, float y, float z);
