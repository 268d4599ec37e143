#include "engine/kernels_julia.h"

#include <cmath>

#include "engine/kernel_skeleton.h"
#include "engine/point_maps.h"

void RunFractalType07(uint8_t slot)
{
    RestartNonFiniteSlotPoint(slot);
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const float nx = c.m00[t] * x + c.m01[t] * z + c.tx[t];
        z = c.m10[t] * x + c.m11[t] * z + c.tz[t];
        x = nx;
        y = HeightStep(y);
    });
}

void RunFractalType10(uint8_t slot)
{
    RestartNonFiniteSlotPoint(slot);
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
    const Complex a = Conjugate ? ComplexConjugateRoot(x - c.tx[0], z - c.tz[0]) : ComplexRoot(x - c.tx[0], z - c.tz[0]);
    const Complex b = Conjugate ? ComplexConjugateRoot(x - c.tx[1], z - c.tz[1]) : ComplexRoot(x - c.tx[1], z - c.tz[1]);
    const Complex w = ComplexOver(b, a);
    const float sign = t == 0 ? -1.0f : 1.0f;
    x = sign * w.re;
    z = sign * w.im;
    y = HeightStep(y);
}

}  // namespace

void RunFractalType08(uint8_t slot)
{
    RunFromLastBatchPoint(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaRootStep<false>(t, x, y, z); });
}

void RunFractalType09(uint8_t slot)
{
    RunFromLastBatchPoint(slot,
                          [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaQuotientStep<false>(t, x, y, z); });
}

void RunFractalType16(uint8_t slot)
{
    RunFromLastBatchPoint(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaRootStep<true>(t, x, y, z); });
}

void RunFractalType17(uint8_t slot)
{
    RunFromLastBatchPoint(slot,
                          [](uint8_t, int32_t t, float& x, float& y, float& z) { JuliaQuotientStep<true>(t, x, y, z); });
}
