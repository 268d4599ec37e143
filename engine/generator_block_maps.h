// The generator blocks of fractal type 48 in type order, as inline maps:
// the block table and the type-48 kernel's chain loop both use them, so the
// kernel runs a chain through a switch with every block in line.
//   [0..10]  affine maps, inversions, reflections, rotations
//   [11..30] complex and quaternion maps, Moebius maps, absolute values, roots
//   [31..48] the "(+)" warps: the point plus a weighted variation per axis
//   [49..54] roots, the Bezier bend and the inverse trees
// Single precision except where a block says double.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/generator_blocks.h"

namespace generator_detail {

inline constexpr float kDegree = 0.017453292f;
inline constexpr float kPi = 3.1415927f;
inline constexpr float kTwoOverPi = 0.63661975f;

inline void Put(float* w, float x, float y, float z)
{
    w[3] = x;
    w[4] = y;
    w[5] = z;
}

inline float Length(const float* w) { return std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]); }

// A triangle wave of the same period and range as sin.
inline float TriangleSin(float t) { return kTwoOverPi * std::asin(std::sin(t)); }
inline float TanhSin3(float t) { return static_cast<float>(std::tanh(3.0 * std::sin(t))); }

// (A, B, C, D) of the Moebius maps in the x-z plane (types 18 and 22).
struct PlaneMobius {
    float x, z;
};
inline PlaneMobius ApplyPlaneMobius(const float* w, const float* q)
{
    const float x = w[0], z = w[2];
    const float a = q[0] * x + q[1] * z + q[3];
    const float b = q[0] * z - q[1] * x + q[2];
    const float c = q[4] * z - q[5] * x + q[6];
    const float d = q[4] * x + q[5] * z + q[7];
    const float k = 1.0f / (c * c + d * d);
    return {(c * a - d * b) * k, (d * a + c * b) * k};
}

// ---- [0..10] --------------------------------------------------------------

inline void GeneratorBlock0(float* w, const float* q)
{
    const float x = w[0], y = w[1], z = w[2];
    Put(w, q[0] * x + q[1] * y + q[2] * z + q[9], q[3] * x + q[4] * y + q[5] * z + q[10],
        q[6] * x + q[7] * y + q[8] * z + q[11]);
}

inline void GeneratorBlock1(float* w, const float* q) { Put(w, q[0] * w[0], q[1] * w[1], q[2] * w[2]); }

inline void GeneratorBlock2(float* w, const float* q)
{
    const float x = w[0], y = w[1], z = w[2];
    Put(w, q[0] * x + q[3] * y + q[6] * z, q[1] * x + q[4] * y + q[7] * z, q[2] * x + q[5] * y + q[8] * z);
}

inline void GeneratorBlock3(float* w, const float* q) { Put(w, w[0] + q[0], w[1] + q[1], w[2] + q[2]); }

inline void GeneratorBlock4(float* w, const float* q)
{
    const float dx = w[0] - q[1], dy = w[1] - q[2], dz = w[2] - q[3];
    const float s = dx * dx + dy * dy + dz * dz;
    const float k = s > 0.0f ? q[0] / s : 0.0f;
    Put(w, q[1] + k * dx, q[2] + k * dy, q[3] + k * dz);
}

inline void GeneratorBlock5(float* w, const float* q)
{
    const float dx = w[0] - q[1], dy = w[1] - q[2], dz = w[2] - q[3];
    const float k = -q[0] / (dx * dx + dy * dy + dz * dz);
    Put(w, k * dx, -k * dy, k * dz);
}

inline void GeneratorBlock6(float* w, const float* q)
{
    const float s = q[0] * q[5];
    const float dx = w[0] - s * q[1], dy = w[1] - s * q[2], dz = w[2] - s * q[3];
    const float k = static_cast<float>(1.0 / (static_cast<double>(dx) * dx + static_cast<double>(dy) * dy +
                                              static_cast<double>(dz) * dz));
    Put(w, q[4] * (q[5] * q[1] + k * dx), q[4] * (q[5] * q[2] + k * dy), q[4] * (q[5] * q[3] + k * dz));
}

inline void GeneratorBlock7(float* w, const float*) { Put(w, -w[0], -w[1], -w[2]); }
inline void GeneratorBlock8(float* w, const float*) { Put(w, -w[0], w[1], w[2]); }
inline void GeneratorBlock9(float* w, const float*) { Put(w, -w[0], w[1], -w[2]); }

inline void GeneratorBlock10(float* w, const float* q)
{
    const float x = w[0], y = w[1], z = w[2];
    Put(w, q[3] * x + q[4] * y + q[5] * z, q[6] * x + q[7] * y + q[8] * z, q[9] * x + q[10] * y + q[11] * z);
}

// ---- [11..30] -------------------------------------------------------------

inline void GeneratorBlock11(float* w, const float*)
{
    Put(w, std::sin(w[0]) * std::cosh(w[2]), w[1], std::cos(w[0]) * std::sinh(w[2]));
}

inline void GeneratorBlock12(float* w, const float*)
{
    Put(w, std::cos(w[0]) * std::cosh(w[2]), w[1], -std::sin(w[0]) * std::sinh(w[2]));
}

inline void GeneratorBlock13(float* w, const float* q)
{
    const float y = w[1];
    const float s = y >= 0.0f ? 1.0f : -1.0f;
    Put(w, w[0], s * std::pow(std::fabs(y), q[0]) + q[1], w[2]);
}

inline void GeneratorBlock14(float* w, const float*)
{
    const double x = w[0], y = w[1], z = w[2];
    const double r = std::sqrt(x * x + y * y + z * z);
    if (!(r > 0.0)) {
        Put(w, w[0], w[1], w[2]);
        return;
    }
    const double a = y / r, b = z / r, h = x / (2.0 * r), d = a * a + b * b;
    const double s1 = std::fabs((0.5 - h) * (d > 0.0 ? r / d : 0.0));
    const double s2 = std::fabs((h + 0.5) * r);
    const double root1 = std::sqrt(s1);
    Put(w, static_cast<float>(std::sqrt(s2)), static_cast<float>(a * root1), static_cast<float>(b * root1));
}

inline void GeneratorBlock15(float* w, const float*)
{
    Put(w, std::sinh(w[0]) * std::cos(w[2]), w[1], std::cosh(w[0]) * std::sin(w[2]));
}

inline void GeneratorBlock16(float* w, const float*)
{
    Put(w, std::cosh(w[0]) * std::cos(w[2]), w[1], std::sinh(w[0]) * std::sin(w[2]));
}

inline void GeneratorBlock17(float* w, const float*)
{
    const float e = std::exp(w[0]);
    Put(w, e * std::cos(w[2]), w[1], e * std::sin(w[2]));
}

inline void GeneratorBlock18(float* w, const float* q)
{
    const PlaneMobius m = ApplyPlaneMobius(w, q);
    Put(w, m.x, (q[8] + w[1]) * q[9], m.z);
}

inline void GeneratorBlock19(float* w, const float*) { Put(w, -w[0], -w[2], w[1]); }

inline void GeneratorBlock20(float* w, const float* q)
{
    const float u = 0.5f * q[1] * q[3] * w[0] + 50.0f * q[0];
    const float v = q[1] * q[2] * w[1] + 1.0f;
    const float t = (u - kPi * q[1] * q[3] * w[2]) * 0.125f;
    const float s = v / std::cosh(t);
    Put(w, s * std::cos(u), v * std::tanh(t), s * std::sin(u));
}

inline void GeneratorBlock21(float* w, const float* q)
{
    auto f = [q](float t) { return (2.0f * q[1] * t * t - 2.0f * q[0] * t * t) / (t * t + q[1]); };
    const float x = w[0];
    const float nx = q[0] * x + w[2] + f(x);
    Put(w, nx, w[1], q[0] * nx - x + f(nx));
}

inline void GeneratorBlock22(float* w, const float* q)
{
    const PlaneMobius m = ApplyPlaneMobius(w, q);
    Put(w, m.x, w[1], m.z);
}

inline void GeneratorBlock23(float* w, const float* q)
{
    const float dx = w[0] - q[9], dy = w[1] - q[10], dz = w[2] - q[11];
    const float k = 2.0f / (dx * dx + dy * dy + dz * dz + 2.0f);
    Put(w, q[0] * dx + q[1] * dy + q[2] * dz + k * q[9], q[3] * dx + q[4] * dy + q[5] * dz + k * q[10],
        q[6] * dx + q[7] * dy + q[8] * dz + k * q[11]);
}

inline void GeneratorBlock24(float* w, const float* q)
{
    const double dx = w[0] - static_cast<double>(q[0]) * q[1];
    const double dy = w[1] - static_cast<double>(q[0]) * q[2];
    const double dz = w[2] - static_cast<double>(q[0]) * q[3];
    const double k = 1.0 / (dx * dx + dy * dy + dz * dz);
    Put(w, static_cast<float>(k * dx + q[1]), static_cast<float>(k * dy + q[2]), static_cast<float>(k * dz + q[3]));
}

inline void GeneratorBlock25(float* w, const float* q)
{
    QuaternionMobius(q, q + 4, q + 8, q + 12, w[0], w[1], w[2], w + 3);
}

inline void GeneratorBlock26(float* w, const float*) { Put(w, std::fabs(w[0]), std::fabs(w[1]), std::fabs(w[2])); }
inline void GeneratorBlock27(float* w, const float*) { Put(w, std::fabs(w[0]), w[1], w[2]); }
inline void GeneratorBlock28(float* w, const float*) { Put(w, w[0], std::fabs(w[1]), w[2]); }
inline void GeneratorBlock29(float* w, const float*) { Put(w, w[0], w[1], std::fabs(w[2])); }

inline void GeneratorBlock30(float* w, const float* q)
{
    const float dx = w[0] - q[0], dz = w[2] - q[1];
    const float m = std::pow(dx * dx + dz * dz, 0.25f);
    const float f = std::atan2(dz, dx) / 2.0f + q[2] * kDegree;
    Put(w, m * std::cos(f), w[1], m * std::sin(f));
}

// ---- [31..48] -------------------------------------------------------------

inline void GeneratorBlock31(float* w, const float* q)
{
    Put(w, w[0] + q[0] * std::sin(w[0]), w[1] + q[1] * std::sin(w[1]), w[2] + q[2] * std::sin(w[2]));
}

inline void GeneratorBlock32(float* w, const float* q)
{
    const float x = w[0], y = w[1], z = w[2];
    const float k = 1.0f / std::sqrt(x * x + y * y + z * z + 1e-9f);
    Put(w, x + q[0] * x * k, y + q[1] * y * k, z + q[2] * z * k);
}

// The two swirl angles of types 33, 44 and 45.
struct SwirlAngles {
    float r, a, b;
};
inline SwirlAngles Swirl(const float* w)
{
    const float x = w[0], y = w[1], z = w[2];
    const float r = Length(w);
    return {r, std::atan2(z, std::sqrt(x * x + y * y)) + r, std::atan2(y, x) + r};
}

inline void GeneratorBlock33(float* w, const float* q)
{
    const SwirlAngles s = Swirl(w);
    Put(w, w[0] + q[0] * s.r * std::cos(s.a) * std::cos(s.b), w[1] + q[1] * s.r * std::cos(s.a) * std::sin(s.b),
        w[2] + q[2] * s.r * std::sin(s.a));
}

inline void GeneratorBlock34(float* w, const float* q)
{
    Put(w, w[0] + q[0] * std::sin(4.0f * w[0]), w[1] + q[1] * std::sin(4.0f * w[1]),
        w[2] + q[2] * std::sin(4.0f * w[2]));
}

inline void GeneratorBlock35(float* w, const float* q)
{
    const float r = Length(w);
    if (!(r > 0.0f)) {
        Put(w, w[0], w[1], w[2]);
        return;
    }
    const float k = std::sinh(r) / (r * std::cosh(r));
    Put(w, w[0] + q[0] * w[0] * k, w[1] + q[1] * w[1] * k, w[2] + q[2] * w[2] * k);
}

inline void GeneratorBlock36(float* w, const float* q)
{
    const float k = 2.0f / (Length(w) + 1.0f);
    Put(w, w[0] + q[0] * w[0] * k, w[1] + q[1] * w[1] * k, w[2] + q[2] * w[2] * k);
}

inline void GeneratorBlock37(float* w, const float* q)
{
    const float x = w[0], y = w[1], z = w[2];
    const float e = std::atan2(z, std::sqrt(x * x + y * y)) * 0.31830987f;
    const float b = e * std::atan2(y, x);
    const float c = kPi * Length(w);
    Put(w, x + q[0] * b * std::sin(c), y + q[1] * b * std::cos(c), z + q[2] * e * std::sin(c));
}

// The argument of the radial sines of types 38, 42 and 43.
inline float RadialSum(const float* w)
{
    const float x = w[0], y = w[1], z = w[2];
    return x * x + y * y + z * z + std::sin(4.0f * x) + std::sin(4.0f * y) + std::sin(4.0f * z);
}

inline void RadialWarp(float* w, const float* q, float f)
{
    Put(w, w[0] + q[0] * w[0] * f, w[1] + q[1] * w[1] * f, w[2] + q[2] * w[2] * f);
}

inline void GeneratorBlock38(float* w, const float* q) { RadialWarp(w, q, std::sin(RadialSum(w))); }

inline void GeneratorBlock39(float* w, const float* q)
{
    const double x = w[0], y = w[1], z = w[2];
    const double r = std::sqrt(x * x + y * y + z * z);
    const double a = y / r, b = z / r, h = x / (2.0 * r), d = a * a + b * b;
    const double s = std::sqrt((0.5 - h) * r / d);
    Put(w, static_cast<float>(x + q[0] * std::sqrt((h + 0.5) * r)), static_cast<float>(y + q[1] * a * s),
        static_cast<float>(z + q[2] * b * s));
}

inline void GeneratorBlock40(float* w, const float* q)
{
    Put(w, w[0] + q[0] * TriangleSin(w[0]), w[1] + q[1] * TriangleSin(w[1]), w[2] + q[2] * TriangleSin(w[2]));
}

inline void GeneratorBlock41(float* w, const float* q)
{
    Put(w, w[0] + q[0] * TanhSin3(w[0]), w[1] + q[1] * TanhSin3(w[1]), w[2] + q[2] * TanhSin3(w[2]));
}

inline void GeneratorBlock42(float* w, const float* q) { RadialWarp(w, q, TriangleSin(RadialSum(w))); }
inline void GeneratorBlock43(float* w, const float* q) { RadialWarp(w, q, TanhSin3(RadialSum(w))); }

inline void GeneratorBlock44(float* w, const float* q)
{
    const SwirlAngles s = Swirl(w);
    const float e = 0.4052847f * s.r * std::asin(std::cos(s.a));
    Put(w, w[0] + q[0] * e * std::asin(std::cos(s.b)), w[1] + q[1] * e * std::asin(std::sin(s.b)),
        w[2] + q[2] * s.r * kTwoOverPi * std::asin(std::sin(s.a)));
}

inline void GeneratorBlock45(float* w, const float* q)
{
    const SwirlAngles s = Swirl(w);
    auto tanh3 = [](float t) { return static_cast<float>(std::tanh(3.0 * t)); };
    const float e = s.r * tanh3(std::cos(s.a));
    Put(w, w[0] + q[0] * e * tanh3(std::cos(s.b)), w[1] + q[1] * e * tanh3(std::sin(s.b)),
        w[2] + q[2] * s.r * tanh3(std::sin(s.a)));
}

// The popcorn blocks differ only in the wave applied to tan 3t + t.
template <class Wave>
inline void PopCorn(float* w, const float* q, float scale, Wave wave)
{
    const float x = w[0], y = w[1], z = w[2];
    const float ny = y >= 0.0f ? q[1] * std::sqrt(y) : -q[1] * std::sqrt(-y);
    Put(w, x - scale * q[0] * wave(std::tan(3.0f * z) + z), ny, z - scale * q[0] * wave(std::tan(3.0f * x) + x));
}

inline void GeneratorBlock46(float* w, const float* q)
{
    PopCorn(w, q, 0.1f, [](float t) { return std::sin(t); });
}

inline void GeneratorBlock47(float* w, const float* q)
{
    PopCorn(w, q, 0.06366198f, [](float t) { return std::asin(std::sin(t)); });
}

inline void GeneratorBlock48(float* w, const float* q)
{
    PopCorn(w, q, 0.1f, [](float t) { return TanhSin3(t); });
}

// ---- [49..54] -------------------------------------------------------------

inline void GeneratorBlock49(float* w, const float* q)
{
    const float dx = w[0] - q[0], dz = w[2] - q[1];
    const float s = dx * dx + dz * dz;
    const float m = std::sqrt(std::sqrt(std::sqrt(s * s * s)));
    const float f = std::atan2(dz, dx) / 2.0f + q[2] * kDegree;
    Put(w, m * std::cos(f), w[1], m * std::sin(f));
}

inline void GeneratorBlock50(float* w, const float*) { Put(w, std::sin(w[2]), std::sin(w[0]), std::cos(w[1])); }

// The radius of the regular hexagon of inradius sqrt(3)/2 in direction a.
inline double HexagonRadius(double a)
{
    return 0.8660254037844386 / std::cos(std::fmod(std::fabs(a), 1.0471975511965979) - 0.5235987755982989);
}

// A quadratic Bezier bend in the x-z plane between points on two hexagons
// around (q6, q8); the height becomes the input z plus q7.
inline void GeneratorBlock51(float* w, const float* q)
{
    const float dx = w[0] - q[6], dy = w[1] - q[7], dz = w[2] - q[8];
    const float h = std::sqrt(dx * dx + dz * dz);
    const float s = std::sqrt(dx * dx + dy * dy + dz * dz) / q[1];
    const float a = std::atan2(h, dy);
    const float b = a + q[2] * kDegree;
    const double ha = HexagonRadius(a), hb = HexagonRadius(b);
    const double p0x = q[6] + q[1] * ha * std::sin(a), p0z = q[8] + q[1] * ha * std::cos(a);
    const double p1x = q[6] + q[3] * hb * std::sin(b), p1z = q[8] + q[3] * hb * std::cos(b);
    const float u = 1.0f - 0.5f * s;
    Put(w, static_cast<float>(u * u * p0x + s * u * p1x + 0.25f * s * s * q[6]), w[2] + q[7],
        static_cast<float>(u * u * p0z + s * u * p1z + 0.25f * s * s * q[8]));
}

inline float Shrink(float t) { return t / (std::fabs(t) + 1.0f); }
inline float Invert(float t) { return 1.0f / (std::fabs(t) + 1.0f); }

inline void GeneratorBlock52(float* w, const float*) { Put(w, Shrink(w[0]), Shrink(w[1]), Invert(w[2])); }
inline void GeneratorBlock53(float* w, const float*) { Put(w, Invert(w[0]), Shrink(w[1]), Shrink(w[2])); }
inline void GeneratorBlock54(float* w, const float*) { Put(w, Shrink(w[0]), Invert(w[1]), Shrink(w[2])); }


// Runs count blocks on work, each block's output becoming the following
// block's point; a type above 54 runs "Affine Trans".
inline void RunBlockChain(const uint8_t* types, const float* const* parameters, int32_t count, float* work)
{
    for (int32_t b = 0; b < count; ++b) {
        switch (types[b]) {
        case 1: GeneratorBlock1(work, parameters[b]); break;
        case 2: GeneratorBlock2(work, parameters[b]); break;
        case 3: GeneratorBlock3(work, parameters[b]); break;
        case 4: GeneratorBlock4(work, parameters[b]); break;
        case 5: GeneratorBlock5(work, parameters[b]); break;
        case 6: GeneratorBlock6(work, parameters[b]); break;
        case 7: GeneratorBlock7(work, parameters[b]); break;
        case 8: GeneratorBlock8(work, parameters[b]); break;
        case 9: GeneratorBlock9(work, parameters[b]); break;
        case 10: GeneratorBlock10(work, parameters[b]); break;
        case 11: GeneratorBlock11(work, parameters[b]); break;
        case 12: GeneratorBlock12(work, parameters[b]); break;
        case 13: GeneratorBlock13(work, parameters[b]); break;
        case 14: GeneratorBlock14(work, parameters[b]); break;
        case 15: GeneratorBlock15(work, parameters[b]); break;
        case 16: GeneratorBlock16(work, parameters[b]); break;
        case 17: GeneratorBlock17(work, parameters[b]); break;
        case 18: GeneratorBlock18(work, parameters[b]); break;
        case 19: GeneratorBlock19(work, parameters[b]); break;
        case 20: GeneratorBlock20(work, parameters[b]); break;
        case 21: GeneratorBlock21(work, parameters[b]); break;
        case 22: GeneratorBlock22(work, parameters[b]); break;
        case 23: GeneratorBlock23(work, parameters[b]); break;
        case 24: GeneratorBlock24(work, parameters[b]); break;
        case 25: GeneratorBlock25(work, parameters[b]); break;
        case 26: GeneratorBlock26(work, parameters[b]); break;
        case 27: GeneratorBlock27(work, parameters[b]); break;
        case 28: GeneratorBlock28(work, parameters[b]); break;
        case 29: GeneratorBlock29(work, parameters[b]); break;
        case 30: GeneratorBlock30(work, parameters[b]); break;
        case 31: GeneratorBlock31(work, parameters[b]); break;
        case 32: GeneratorBlock32(work, parameters[b]); break;
        case 33: GeneratorBlock33(work, parameters[b]); break;
        case 34: GeneratorBlock34(work, parameters[b]); break;
        case 35: GeneratorBlock35(work, parameters[b]); break;
        case 36: GeneratorBlock36(work, parameters[b]); break;
        case 37: GeneratorBlock37(work, parameters[b]); break;
        case 38: GeneratorBlock38(work, parameters[b]); break;
        case 39: GeneratorBlock39(work, parameters[b]); break;
        case 40: GeneratorBlock40(work, parameters[b]); break;
        case 41: GeneratorBlock41(work, parameters[b]); break;
        case 42: GeneratorBlock42(work, parameters[b]); break;
        case 43: GeneratorBlock43(work, parameters[b]); break;
        case 44: GeneratorBlock44(work, parameters[b]); break;
        case 45: GeneratorBlock45(work, parameters[b]); break;
        case 46: GeneratorBlock46(work, parameters[b]); break;
        case 47: GeneratorBlock47(work, parameters[b]); break;
        case 48: GeneratorBlock48(work, parameters[b]); break;
        case 49: GeneratorBlock49(work, parameters[b]); break;
        case 50: GeneratorBlock50(work, parameters[b]); break;
        case 51: GeneratorBlock51(work, parameters[b]); break;
        case 52: GeneratorBlock52(work, parameters[b]); break;
        case 53: GeneratorBlock53(work, parameters[b]); break;
        case 54: GeneratorBlock54(work, parameters[b]); break;
        default: GeneratorBlock0(work, parameters[b]); break;
        }
        work[0] = work[3];
        work[1] = work[4];
        work[2] = work[5];
    }
}

}  // namespace generator_detail
