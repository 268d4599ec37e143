#include "engine/kernels_affine_variants.h"

#include <cmath>

#include "engine/kernel_skeleton.h"

namespace {

inline constexpr KernelOptions kFromBatch{.orbit = OrbitSource::kLastBatchPoint};

// The sum of the variations of transformation t that are on, all read from
// the same point; the origin when none is.
inline void FlameVariations(int32_t t, float& x, float& y, float& z)
{
    const TransformRecord& rec = gTransforms[t];
    const float px = x, py = y, pz = z;
    const float r = std::sqrt(px * px + py * py + pz * pz);
    const float rho = std::sqrt(px * px + py * py);
    float sx = 0.0f, sy = 0.0f, sz = 0.0f;
    auto add = [&](float w, float ax, float ay, float az) {
        sx += w * ax;
        sy += w * ay;
        sz += w * az;
    };
    for (int v = 0; v < 10; ++v) {
        if (!rec.variationOn[v]) continue;
        const float w = rec.variationAmount[v];
        switch (v) {
        case 0: {  // "Linear"
            float ax = px, ay = py, az = pz;
            ApplyAffineTransform(t, ax, ay, az);
            add(w, ax, ay, az);
            break;
        }
        case 1:  // "Sinusoidal"
            add(w, std::sin(px), std::sin(py), std::sin(pz));
            break;
        case 2: {  // "Spherical"
            const float k = 1.0f / std::sqrt(r * r + 1e-9f);
            add(w, px * k, py * k, pz * k);
            break;
        }
        case 3: {  // "Swirl3D"
            const float a = std::atan2(pz, rho) + r, b = std::atan2(py, px) + r;
            add(w * r, std::cos(a) * std::cos(b), std::cos(a) * std::sin(b), std::sin(a));
            break;
        }
        case 4:  // "Sin4"
            add(w, std::sin(4.0f * px), std::sin(4.0f * py), std::sin(4.0f * pz));
            break;
        case 5:  // "Hyper"
            if (r > 0.0f) {
                const float k = std::sinh(r) / (r * std::cosh(r));
                add(w, px * k, py * k, pz * k);
            }
            break;
        case 6: {  // "FishEye"
            const float k = 2.0f / (r + 1.0f);
            add(w, px * k, py * k, pz * k);
            break;
        }
        case 7: {  // "Horns"
            const float e = 0.31830987f * std::atan2(pz, rho);
            const float b = w * e * std::atan2(py, px), c = 3.1415927f * r;
            add(1.0f, b * std::sin(c), b * std::cos(c), w * e * std::sin(c));
            break;
        }
        case 8: {  // "RadSin"
            const float f = std::sin(r * r + std::sin(4.0f * px) + std::sin(4.0f * py) + std::sin(4.0f * pz));
            add(w * f, px, py, pz);
            break;
        }
        default: {  // "QSqrt"
            const double dr = r;
            const double a = py / dr, b = pz / dr, h = px / (2.0 * dr);
            const double s = std::sqrt((0.5 - h) * dr / (a * a + b * b));
            add(1.0f, static_cast<float>(w * std::sqrt((h + 0.5) * dr)), static_cast<float>(w * a * s),
                static_cast<float>(w * b * s));
            break;
        }
        }
    }
    x = sx;
    y = sy;
    z = sz;
}

}  // namespace

void RunFractalType02(uint8_t slot)
{
    RunChaosGameKernel<KernelOptions{.runAwayReset = true}>(
        slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { FlameVariations(t, x, y, z); });
}

void RunFractalType24(uint8_t slot)
{
    // One threshold per call: every point of the call is mirrored with the
    // same probability.
    const uint32_t h0 = StepSlotHash(gSlotHash[slot]);
    RunChaosGameKernel<KernelOptions{.mapStepsHash = true}>(
        slot, [h0](uint8_t, int32_t t, float& x, float& y, float& z, uint32_t& hash) {
            ApplyAffineTransform(t, x, y, z);
            if (StepSlotHash(hash) > h0) x = -x;
        });
}

void RunFractalType28(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        float a = std::tanh(2.0f * std::sin(x)) + gTransformCoefficients.m00[t] - z;
        float b = y, c = x;
        ApplyAffineTransform(t, a, b, c);
        x = a;
        y = b;
        z = c;
    });
}

void RunFractalType29(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        float a = std::sin(x) + gTransformCoefficients.m00[t] - z;
        float b = y;
        float c = std::cos(z) + gTransformCoefficients.m11[t] - x;
        ApplyAffineTransform(t, a, b, c);
        x = a;
        y = b;
        z = c;
    });
}

void RunFractalType42(uint8_t slot)
{
    RunChaosGameKernel<kFromBatch>(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const float sign = x > 0.0f ? 1.0f : -1.0f;
        ApplyLinearTransform(t, x, y, z);
        x += sign * c.tx[t];
        y += sign * c.ty[t];
        z += sign * c.tz[t];
    });
}

void RunFractalType44(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        float dx = x - c.tx[t], dy = y - c.ty[t], dz = z - c.tz[t];
        const float k = 2.0f / (dx * dx + dy * dy + dz * dz + 2.0f);
        ApplyLinearTransform(t, dx, dy, dz);
        x = dx + k * c.tx[t];
        y = dy + k * c.ty[t];
        z = dz + k * c.tz[t];
    });
}

void RunFractalType47(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        if (t == 0) {
            x *= c.m00[0];
            y *= c.m11[0];
            z *= c.m22[0];
        } else if (t == 1) {
            x += c.tx[1];
            y += c.ty[1];
            z += c.tz[1];
            ApplyLinearTransform(1, x, y, z);
            x += c.tx[0];
            y += c.ty[0];
            z += c.tz[0];
        } else if (t == 2) {
            ApplyLinearTransform(2, x, y, z);
        }
        // Transformations 3 and above leave the point where it is.
    });
}
