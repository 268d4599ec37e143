#include "engine/kernels_inversions.h"

#include "engine/generator_blocks.h"
#include "engine/kernel_skeleton.h"

namespace {

inline constexpr KernelOptions kFromBatch{.orbit = OrbitSource::kLastBatchPoint};

}  // namespace

void RunFractalType37(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const double s = c.m11[t];
        const double vx = c.tx[t], vy = c.ty[t], vz = -c.tz[t];
        const double shift = c.m00[t] / s;
        const double dx = x - shift * vx, dy = y - shift * vy, dz = z - shift * vz;
        const double k = static_cast<float>(1.0 / (dx * dx + dy * dy + dz * dz));
        x = static_cast<float>(s * (vx / s + k * dx));
        y = static_cast<float>(s * (vy / s + k * dy));
        z = static_cast<float>(s * (vz / s + k * dz));
    });
}

void RunFractalType40(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const float dx = x - c.tx[t], dy = y - c.ty[t], dz = z - c.tz[t];
        const float k = -c.m00[t] / (dx * dx + dy * dy + dz * dz);
        x = k * dx;
        y = -k * dy;
        z = k * dz;
    });
}

void RunFractalType43(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const float m = c.m00[t];
        const float dx = x - m * c.tx[t], dy = y - m * c.ty[t], dz = z - m * c.tz[t];
        const float k = static_cast<float>(
            1.0 / (static_cast<double>(dx) * dx + static_cast<double>(dy) * dy + static_cast<double>(dz) * dz));
        x = k * dx + c.tx[t];
        y = k * dy + c.ty[t];
        z = k * dz + c.tz[t];
    });
}

void RunFractalType45(uint8_t slot)
{
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kQuaternionPoint, .coloring = false};
    RunChaosGameKernel<kOptions>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        float out[3];
        QuaternionMobius(gTransformQuaternionA[t], gTransformQuaternionB[t], gTransformQuaternionC[t],
                         gTransformQuaternionD[t], x, y, z, out);
        x = out[0];
        y = out[1];
        z = out[2];
    });
}
