#include "engine/noise.h"

#include <cmath>

namespace {

// The lattice cell as the noise defines it: values not above 0 step one
// further down, so an exact 0 lies in cell -1.
inline int LatticeCell(double v)
{
    const int t = static_cast<int>(v);
    return v > 0.0 ? t : t - 1;
}

inline float Corner(int hash, float x, float y, float z)
{
    float t = 0.6f - x * x - y * y - z * z;
    if (t < 0.0f) return 0.0f;
    t *= t;
    return t * t * SimplexGrad(hash, x, y, z);
}

}  // namespace

// The 256 values (33 occurs twice, 53 not at all), written twice.
#define TALVORAN_SIMPLEX_PERMUTATION \
    151, 160, 137, 91,  90,  15,  131, 13,  201, 95,  96,  33,  194, 233, 7,   225, 140, 36,  103, 30,  69,  142, \
    8,   99,  37,  240, 21,  10,  23,  190, 6,   148, 247, 120, 234, 75,  0,   26,  197, 62,  94,  252, 219, 203, \
    117, 35,  11,  32,  57,  177, 33,  88,  237, 149, 56,  87,  174, 20,  125, 136, 171, 168, 68,  175, 74,  165, \
    71,  134, 139, 48,  27,  166, 77,  146, 158, 231, 83,  111, 229, 122, 60,  211, 133, 230, 220, 105, 92,  41, \
    55,  46,  245, 40,  244, 102, 143, 54,  65,  25,  63,  161, 1,   216, 80,  73,  209, 76,  132, 187, 208, 89, \
    18,  169, 200, 196, 135, 130, 116, 188, 159, 86,  164, 100, 109, 198, 173, 186, 3,   64,  52,  217, 226, 250, \
    124, 123, 5,   202, 38,  147, 118, 126, 255, 82,  85,  212, 207, 206, 59,  227, 47,  16,  58,  17,  182, 189, \
    28,  42,  223, 183, 170, 213, 119, 248, 152, 2,   44,  154, 163, 70,  221, 153, 101, 155, 167, 43,  172, 9, \
    129, 22,  39,  253, 19,  98,  108, 110, 79,  113, 224, 232, 178, 185, 112, 104, 218, 246, 97,  228, 251, 34, \
    242, 193, 238, 210, 144, 12,  191, 179, 162, 241, 81,  51,  145, 235, 249, 14,  239, 107, 49,  192, 214, 31, \
    181, 199, 106, 157, 184, 84,  204, 176, 115, 121, 50,  45,  127, 4,   150, 254, 138, 236, 205, 93,  222, 114, \
    67,  29,  24,  72,  243, 141, 128, 195, 78,  66,  215, 61,  156, 180
const uint8_t gSimplexPermutation[512] = {TALVORAN_SIMPLEX_PERMUTATION, TALVORAN_SIMPLEX_PERMUTATION};
#undef TALVORAN_SIMPLEX_PERMUTATION

float SimplexNoise3(float x, float y, float z)
{
    const double s = (static_cast<double>(x) + y + z) * 0.333333333;
    const double sx = x + s, sy = y + s, sz = z + s;
    // Beyond this range the lattice indices (and their sum) would not fit an int.
    constexpr double kLimit = 5.0e8;
    if (!(std::fabs(sx) < kLimit && std::fabs(sy) < kLimit && std::fabs(sz) < kLimit)) return 0.0f;
    const int i = LatticeCell(sx), j = LatticeCell(sy), k = LatticeCell(sz);

    const float t = static_cast<float>(i + j + k) * 0.166666667f;
    const float x0 = x - (static_cast<float>(i) - t);
    const float y0 = y - (static_cast<float>(j) - t);
    const float z0 = z - (static_cast<float>(k) - t);

    int i1, j1, k1, i2, j2, k2;
    if (x0 >= y0) {
        if (y0 >= z0) { i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 1; k2 = 0; }
        else if (x0 >= z0) { i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 0; k2 = 1; }
        else { i1 = 0; j1 = 0; k1 = 1; i2 = 1; j2 = 0; k2 = 1; }
    } else {
        if (y0 < z0) { i1 = 0; j1 = 0; k1 = 1; i2 = 0; j2 = 1; k2 = 1; }
        else if (x0 < z0) { i1 = 0; j1 = 1; k1 = 0; i2 = 0; j2 = 1; k2 = 1; }
        else { i1 = 0; j1 = 1; k1 = 0; i2 = 1; j2 = 1; k2 = 0; }
    }

    const float x1 = x0 - i1 + 0.166666667f, y1 = y0 - j1 + 0.166666667f, z1 = z0 - k1 + 0.166666667f;
    const float x2 = x0 - i2 + 0.333333334f, y2 = y0 - j2 + 0.333333334f, z2 = z0 - k2 + 0.333333334f;
    const float x3 = x0 - 1.0f + 0.500000001f, y3 = y0 - 1.0f + 0.500000001f, z3 = z0 - 1.0f + 0.500000001f;

    const uint8_t* p = gSimplexPermutation;
    const int ii = i & 255, jj = j & 255, kk = k & 255;
    const int h0 = p[ii + p[jj + p[kk]]];
    const int h1 = p[ii + i1 + p[jj + j1 + p[kk + k1]]];
    const int h2 = p[ii + i2 + p[jj + j2 + p[kk + k2]]];
    const int h3 = p[ii + 1 + p[jj + 1 + p[kk + 1]]];

    return 32.0f * (Corner(h0, x0, y0, z0) + Corner(h1, x1, y1, z1) + Corner(h2, x2, y2, z2) +
                    Corner(h3, x3, y3, z3));
}

float FractalNoise3(float x, float y, float z)
{
    float sum = 0.0f, weight = 0.5f, f = 1.0f;
    for (int k = 0; k < 6; ++k) {
        sum += weight * (0.5f * SimplexNoise3(f * x, f * y, f * z) + 0.5f);
        weight *= 0.5f;
        f *= 2.0f;
    }
    return sum;
}
