#include "engine/kernels_kleinian.h"

#include <cmath>

#include "engine/kernel_skeleton.h"
#include "engine/point_maps.h"

namespace {

inline bool IsFinite(Complex w) { return std::isfinite(w.re) && std::isfinite(w.im); }

// Types 3 and 19: the orbit is a complex point w with the image o of the
// origin under the same maps; the height grows with their distance by the
// run factor of the seed (0 without baseshapes).
template <bool Spherical>
struct KleinianMap {
    Complex w, o;
    float factor;
    uint32_t threshold;  // above it the hash word negates both points

    void Seed(uint8_t, float& x, float& y, float& z, uint32_t&)
    {
        w = {0.9f * x, 0.9f * z};
        o = {0.0f, 0.0f};
        // A seed on the y axis has no direction to lift: no height.
        const float d = std::sqrt(0.81f * (x * x + z * z));
        factor = d > 0.0f ? (y + 0.125f) / d : 0.0f;
    }

    void operator()(uint8_t, int32_t t, float& x, float& y, float& z, uint32_t& hash)
    {
        const MobiusCoefficients& m = gMobiusCoefficients;
        w = MobiusImage(m.a[t], m.b[t], m.c[t], m.d[t], w);
        o = MobiusImage(m.a[t], m.b[t], m.c[t], m.d[t], o);
        if (StepSlotHash(hash) > threshold) {
            w = {-w.re, -w.im};
            o = {-o.re, -o.im};
        }
        const float dr = w.re - o.re, di = w.im - o.im;
        const float h = 1.5f * factor * std::sqrt(dr * dr + di * di);
        if constexpr (Spherical) {
            const float q = w.re * w.re + w.im * w.im;
            const float d = (1.0f - 0.1875f * h) * (q + 1.0f);
            x = 2.0f * w.re / d, y = (1.0f - q) / d, z = 2.0f * w.im / d;
        } else {
            x = w.im, y = h, z = w.re;
        }
    }
};

template <bool Spherical>
void RunKleinian(uint8_t slot)
{
    KleinianMap<Spherical> map{{gSlotComplexPoint.re[slot], gSlotComplexPoint.im[slot]},
                               {gSlotComplexOrigin.re[slot], gSlotComplexOrigin.im[slot]},
                               0.0f,
                               StepSlotHash(gSlotHash[slot])};
    if (!IsFinite(map.w)) map.w = {0.0f, 0.0f};
    if (!IsFinite(map.o)) map.o = {0.0f, 0.0f};
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint,
                                     .coloring = false,
                                     .mapStepsHash = true,
                                     .seedHook = true};
    RunChaosGameKernel<kOptions>(slot, map);
    gSlotComplexPoint.re[slot] = map.w.re, gSlotComplexPoint.im[slot] = map.w.im;
    gSlotComplexOrigin.re[slot] = map.o.re, gSlotComplexOrigin.im[slot] = map.o.im;
}

// Inversion in the sphere of centre (tx, ty, tz) and squared radius m00 of
// t; Guarded, the centre maps onto itself instead of dividing by zero.
template <bool Guarded>
inline void InvertInSphere(int32_t t, float& x, float& y, float& z)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const float dx = x - c.tx[t], dy = y - c.ty[t], dz = z - c.tz[t];
    const float d2 = dx * dx + dy * dy + dz * dz;
    const float k = (!Guarded || d2 > 0.0f) ? c.m00[t] / d2 : 0.0f;
    x = k * dx + c.tx[t], y = k * dy + c.ty[t], z = k * dz + c.tz[t];
}

constexpr KernelOptions kInversionOptions{.orbit = OrbitSource::kLastBatchPoint, .coloring = false};

// Type 21 turns each seed by one of the gPickTransformCount sectors.
struct TessellationMap {
    void Seed(uint8_t, float& x, float&, float& z, uint32_t& hash)
    {
        const uint32_t n = static_cast<uint32_t>(gPickTransformCount > 0 ? gPickTransformCount : 1);
        const float theta = 6.2831855f * static_cast<float>(StepSlotHash(hash) % n) / static_cast<float>(n);
        const float s = std::sin(theta), c = std::cos(theta);
        const float x0 = x;
        x = s * z - c * x0;
        z = c * z + s * x0;
    }
    void operator()(uint8_t, int32_t t, float& x, float& y, float& z) { InvertInSphere<false>(t, x, y, z); }
};

}  // namespace

void RunFractalType03(uint8_t slot) { RunKleinian<false>(slot); }
void RunFractalType19(uint8_t slot) { RunKleinian<true>(slot); }

void RunFractalType12(uint8_t slot)
{
    RunChaosGameKernel<kInversionOptions>(
        slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { InvertInSphere<true>(t, x, y, z); });
}

void RunFractalType21(uint8_t slot)
{
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint, .coloring = false, .seedHook = true};
    RunChaosGameKernel<kOptions>(slot, TessellationMap{});
}

// The orbit v runs through two inversions and two shifts; the batch gets its
// image under a fixed inversion set by (P, Q, R) = (tx, ty, tz) of
// transformation 0.
void RunFractalType20(uint8_t slot)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const float P = c.tx[0], Q = c.ty[0], R = c.tz[0];
    const double g = std::sqrt(static_cast<double>(Q) * Q + static_cast<double>(R) * R);
    constexpr KernelOptions kOptions{.coloring = false, .storesWorkPoint = true};
    RunChaosGameKernel<kOptions>(slot, [P, Q, R, g](uint8_t, int32_t t, float& x, float& y, float& z, float& sx,
                                                     float& sy, float& sz) {
        if (t == 0) {
            const float s = 1.0f / (x * x + y * y + z * z);
            x = s * x + P, y = Q - s * y, z = s * z + R;
        } else if (t == 1) {
            const float dx = x - P, dy = y - Q, dz = z - R;
            const float s = 1.0f / (dx * dx + dy * dy + dz * dz);
            x = s * dx, y = -s * dy, z = s * dz;
        } else if (t == 2) {
            x -= 2.0f;
        } else if (t == 3) {
            x += 2.0f;
        }
        const double G = 4.0 * g;
        const double e = z - 2.0 * Q / g, f = y + 2.0 * R / g;
        const double n = static_cast<float>(static_cast<double>(x) * x + f * f + e * e);
        sx = static_cast<float>(x * G / n);
        sy = static_cast<float>((f / n - R / (4.0 * g)) * G);
        sz = static_cast<float>((e / n + Q / (4.0 * g)) * G);
    });
}
