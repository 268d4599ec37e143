#include "engine/kernels_complex_roots.h"

#include <cmath>

#include "engine/kernel_skeleton.h"

namespace {

inline constexpr KernelOptions kFromBatch{.orbit = OrbitSource::kLastBatchPoint};

// The modulus and half angle of the square root of (dx, dz).
struct Root {
    float m, f;
};

inline Root SquareRoot(float dx, float dz)
{
    return {std::pow(dx * dx + dz * dz, 0.25f), std::atan2(dz, dx) / 2.0f};
}

// The same with the modulus raised to 3/8 instead of 1/4: spikier roots.
inline Root SpikyRoot(float dx, float dz)
{
    const float s = dx * dx + dz * dz;
    return {std::sqrt(std::sqrt(std::sqrt(s * s * s))), std::atan2(dz, dx) / 2.0f};
}

// The height map of the planar Julia types: a signed power that flattens
// the y axis towards a fixed layer.
inline float FlattenHeight(float y)
{
    const float s = y < 0.0f ? -1.0f : 1.0f;
    return s * std::pow(std::fabs(y), 0.85f) + 0.1475f;
}

}  // namespace

void RunFractalType25(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        Root r = SquareRoot(x - c.tx[0], z - c.tz[0]);
        if (t == 0) r.m = -r.m;
        x = (r.m * std::cos(r.f) + x) * c.tx[1];
        z = (r.m * std::sin(r.f) + z) * c.tz[1];
        y = FlattenHeight(y);
    });
}

void RunFractalType26(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const Root r = SquareRoot(x - c.tx[0], z - c.tz[0]);
        const float a = r.m * std::cos(r.f);
        x = t != 0 ? -a : a;
        z = r.m * std::sin(r.f);
        ApplyLinearTransform(0, x, y, z);
    });
}

void RunFractalType27(uint8_t slot)
{
    RunChaosGameKernel<KernelOptions{.orbit = OrbitSource::kLastBatchPoint, .mapStepsHash = true}>(
        slot, [](uint8_t, int32_t t, float& x, float& y, float& z, uint32_t& hash) {
            const TransformCoefficients& c = gTransformCoefficients;
            Root r = SquareRoot(x - c.tx[t], z - c.tz[t]);
            if (StepSlotHash(hash) <= 2147483647u) r.m = -r.m;
            x = r.m * std::cos(r.f);
            z = r.m * std::sin(r.f);
            ApplyLinearTransform(t, x, y, z);
        });
}

void RunFractalType30(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        Root r = SpikyRoot(x - c.tx[0], z - c.tz[0]);
        if (t == 0) r.m = -r.m;
        x = r.m * std::cos(r.f);
        z = r.m * std::sin(r.f);
        ApplyLinearTransform(0, x, y, z);
    });
}

void RunFractalType31(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        Root r = SpikyRoot(x - c.tx[0], z - c.tz[0]);
        if (t == 0) r.m = -r.m;
        x = r.m * std::cos(r.f);
        y = FlattenHeight(y);
        z = r.m * std::sin(r.f);
    });
}

void RunFractalType38(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        if (t == 0) {
            const float nx = c.m00[0] * x + c.m01[0] * z + c.tx[0];
            z = c.m10[0] * x + c.m11[0] * z + c.tz[0];
            x = nx;
            y = 0.5f * (y + 1.0f);
            return;
        }
        const float a = std::cosh(1.25f * x) * std::sin(1.25f * z);
        const float b = std::sinh(1.25f * x) * std::cos(1.25f * z);
        float m = std::pow(a * a + b * b, 0.25f);
        if (t == 1) m = -m;
        const float f = std::atan2(a, b) / 2.0f;
        x = 0.8f * m * std::cos(f);
        y = 0.5f * y;
        z = 0.8f * m * std::sin(f);
    });
}

void RunFractalType39(uint8_t slot)
{
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint, .mapMayEndRun = true};
    RunChaosGameKernel<kOptions>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const float a = std::sinh(x) * std::cos(z) - c.tx[0];
        const float b = std::cosh(x) * std::sin(z) - c.ty[0];
        const float cc = std::cosh(x) * std::sin(y) - c.tz[0];
        const double n = std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b +
                                   static_cast<double>(cc) * cc + 0.0001);
        if (n > 20.0) return false;  // escaped: the run ends here
        const double k = 1.0 / std::sqrt(2.0 * a + 2.0 * n);
        const double s = t == 0 ? -1.0 : 1.0;
        x = static_cast<float>(s * std::sqrt(0.5 * n + 0.5 * a));
        y = static_cast<float>(s * cc * k);
        z = static_cast<float>(s * b * k);
        return true;
    });
}

void RunFractalType41(uint8_t slot)
{
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint, .pick = TransformPick::kTransitionFlag};
    RunChaosGameKernel<kOptions>(slot, [](uint8_t, int32_t flag, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const Root r = SquareRoot(x - c.tx[0], z - c.tz[0]);
        float x1 = -0.5f * x - 0.5f * r.m * std::cos(r.f);
        const float z1 = -0.5f * z - 0.5f * r.m * std::sin(r.f);
        if (flag) x1 = -x1;
        x = x1;
        z = z1;
        ApplyLinearTransform(0, x, y, z);
    });
}
