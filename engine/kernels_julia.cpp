#include "engine/kernels_julia.h"

#include <cmath>

#include "engine/kernel_skeleton.h"
#include "engine/point_maps.h"

namespace {
// Types 8 and 16: the root of (x, z) - C0, negated for transformation 0.
template <bool Conjugate>
inline void JuliaRootStep(int32_t t, float& x, float& y, float& z)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const float re = x - c.tx[0], im = z - c.tz[0];
    const Complex w = Conjugate ? ComplexConjugateRoot(re, im) : ComplexRoot(re, im);
    const float sign = t == 0 ? -1.0f : 1.0f;
    x = sign * w.re;
    z = sign * w.im;
    y = HeightStep(y);
}

// Types 9 and 17: root((x, z) - C1) over root((x, z) - C0).
template <bool Conjugate>
inline void JuliaQuotientStep(int32_t t, float& x, float& y, float& z)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const Complex a =
        Conjugate ? ComplexConjugateRoot(x - c.tx[0], z - c.tz[0]) : ComplexRoot(x - c.tx[0], z - c.tz[0]);
    const Complex b =
        Conjugate ? ComplexConjugateRoot(x - c.tx[1], z - c.tz[1]) : ComplexRoot(x - c.tx[1], z - c.tz[1]);
    const Complex w = ComplexOver(b, a);
    const float sign = t == 0 ? -1.0f : 1.0f;
    x = sign * w.re;
    z = sign * w.im;
    y = HeightStep(y);
}

// Types 13 and 14: the complex orbit w and its height h live in the slot
// (gSlotComplexPoint, gSlotQuaternionW); each step is projected onto a
// sphere by a stereographic map that the height tilts.
template <bool Quotient>
struct SphericalJuliaMap {
    Complex w;
    float h;

    void Seed(uint8_t, float& x, float& y, float& z, uint32_t&)
    {
        w = {x, z};
        h = y;
    }

    void operator()(uint8_t, int32_t t, float& x, float& y, float& z)
    {
        const TransformCoefficients& c = gTransformCoefficients;
        Complex n = ComplexRoot(w.re - c.tx[0], w.im - c.tz[0]);
        if constexpr (Quotient) n = ComplexOver(ComplexRoot(w.re - c.tx[1], w.im - c.tz[1]), n);
        if (t == 0) n = {-n.re, -n.im};
        const float q = 0.0625f * (n.re * n.re + n.im * n.im);
        const float d = (Quotient ? 1.0f + 0.1875f * h : 1.0f - 0.1875f * h) * (q + 1.0f);
        x = 0.5f * n.re / d, y = (1.0f - q) / d, z = 0.5f * n.im / d;
        w = n;
        h = HeightStep(h);
    }
};

template <bool Quotient>
void RunSphericalJulia(uint8_t slot)
{
    SphericalJuliaMap<Quotient> map{{gSlotComplexPoint.re[slot], gSlotComplexPoint.im[slot]}, gSlotQuaternionW[slot]};
    if (!std::isfinite(map.w.re) || !std::isfinite(map.w.im)) map.w = {0.0f, 0.0f};
    if (!std::isfinite(map.h)) map.h = 0.0f;
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint, .seedHook = true};
    RunChaosGameKernel<kOptions>(slot, map);
    gSlotComplexPoint.re[slot] = map.w.re, gSlotComplexPoint.im[slot] = map.w.im;
    gSlotQuaternionW[slot] = map.h;
}

}  // namespace

void RunFractalType07(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const float nx = c.m00[t] * x + c.m01[t] * z + c.tx[t];
        z = c.m10[t] * x + c.m11[t] * z + c.tz[t];
        x = nx;
        y = HeightStep(y);
    });
}

void RunFractalType08(uint8_t slot)
{
    RunChaosGameKernel<kFromLastBatchPoint>(
        slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaRootStep<false>(t, x, y, z); });
}

void RunFractalType09(uint8_t slot)
{
    RunChaosGameKernel<kFromLastBatchPoint>(
        slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaQuotientStep<false>(t, x, y, z); });
}

void RunFractalType10(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        if (t == 0) {
            const TransformCoefficients& c = gTransformCoefficients;
            const float nx = c.m00[0] * x + c.m01[0] * z + c.tx[0];
            z = c.m10[0] * x + c.m11[0] * z + c.tz[0];
            x = nx;
            y = (y + 1.0f) / 2.0f;
            return;
        }
        const float rho = std::pow(std::sqrt(x * x + z * z), 1.0f / 3.0f);
        float phi = std::atan2(z, x) / 3.0f;
        if (t == 1) phi -= kFourPiOverThree;
        else if (t == 2) phi -= kTwoPiOverThree;
        x = rho * std::cos(phi);
        z = rho * std::sin(phi);
        y = y / 2.0f;
    });
}

void RunFractalType13(uint8_t slot) { RunSphericalJulia<false>(slot); }

void RunFractalType14(uint8_t slot) { RunSphericalJulia<true>(slot); }

void RunFractalType16(uint8_t slot)
{
    RunChaosGameKernel<kFromLastBatchPoint>(
        slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaRootStep<true>(t, x, y, z); });
}

void RunFractalType17(uint8_t slot)
{
    RunChaosGameKernel<kFromLastBatchPoint>(
        slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaQuotientStep<true>(t, x, y, z); });
}
