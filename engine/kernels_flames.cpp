#include "engine/kernels_flames.h"

#include <cmath>

#include "engine/kernel_skeleton.h"
#include "engine/point_maps.h"

namespace {

inline constexpr int kFlameVariations = 10;  // "Linear" .. "QSqrt"

inline Vec3f Scaled(Vec3f v, float a) { return {v.x * a, v.y * a, v.z * a}; }
inline Vec3f Sum(Vec3f a, Vec3f b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

// The flame terms shared by types 15 and 23 that only add a v-dependent
// vector: sinusoidal, swirl, sin4, horns and the quaternion root.
inline Vec3f AddedTerm(int variation, Vec3f v)
{
    switch (variation) {
    case 1:
        return {std::sin(v.x), std::sin(v.y), std::sin(v.z)};
    case 3:
        return SwirlTerm(v);
    case 4:
        return {std::sin(4.0f * v.x), std::sin(4.0f * v.y), std::sin(4.0f * v.z)};
    case 7:
        return HornsTerm(Length(v), Elevation(v), Azimuth(v));
    default:
        return QuaternionRootTerm(v);
    }
}

inline float RadSinWave(Vec3f v)
{
    return std::sin(std::sin(4.0f * v.x) + std::sin(4.0f * v.y) + std::sin(4.0f * v.z) +
                    (v.x * v.x + v.y * v.y + v.z * v.z));
}

}  // namespace

void RunFractalType01(uint8_t slot)
{
    RestartNonFiniteSlotPoint(slot);
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const float u = x + 1.0f, v = y + 1.0f, w = z + 1.0f;
        switch (t) {
        case 0:
            x = u / (u + 1.0f), y = v / (v + 1.0f), z = 1.0f / (w + 1.0f);
            break;
        case 1:
            x = 1.0f / (u + 1.0f), y = v / (v + 1.0f), z = w / (w + 1.0f);
            break;
        case 2:
            x = u / (u + 1.0f), y = 1.0f / (v + 1.0f), z = w / (w + 1.0f);
            break;
        case 3:
            x = u / 2.0f, y = v / 2.0f, z = w / 2.0f;
            break;
        default:
            return;  // the point repeats
        }
        x -= 1.0f, y -= 1.0f, z -= 1.0f;
    });
}

void RunFractalType15(uint8_t slot)
{
    RestartNonFiniteSlotPoint(slot);
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformRecord& rec = gTransforms[t];
        const TransformCoefficients& c = gTransformCoefficients;
        const Vec3f p = {x, y, z};
        const float r = Length(p);
        Vec3f acc = {0.0f, 0.0f, 0.0f};
        for (int k = 0; k < kFlameVariations; ++k) {
            if (!rec.variationOn[k]) continue;
            const float a = rec.variationAmount[k];
            switch (k) {
            case 0:
                acc.x += a * (c.m00[t] * x + c.m01[t] * z + c.tx[t]);
                acc.z += a * (c.m10[t] * x + c.m11[t] * z + c.tz[t]);
                break;
            case 2:
                acc = Sum(acc, Scaled(p, a / std::sqrt(r * r + 1e-9f)));
                break;
            case 5:
                if (r > 0.0f) acc = Sum(acc, Scaled(p, a * HyperFactor(r)));
                break;
            case 6:
                acc = Sum(acc, Scaled(p, 2.0f * a / (r + 1.0f)));
                break;
            case 8:
                acc = Sum(acc, Scaled(p, a * 0.125f * RadSinWave(p)));
                break;
            default:
                acc = Sum(acc, Scaled(AddedTerm(k, p), a));
                break;
            }
        }
        x = acc.x;
        y = HeightStep(y + acc.y);
        z = acc.z;
    });
}

void RunFractalType23(uint8_t slot)
{
    RestartNonFiniteSlotPoint(slot);
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformRecord& rec = gTransforms[t];
        Vec3f acc = {0.0f, 0.0f, 0.0f};
        for (int k = 0; k < kFlameVariations; ++k) {
            if (!rec.variationOn[k]) continue;
            const float a = rec.variationAmount[k];
            const float r = Length(acc);
            switch (k) {
            case 0: {
                float ax = x, ay = y, az = z;
                ApplyAffineTransform(t, ax, ay, az);
                acc = Sum(acc, Scaled({ax, ay, az}, a));
                break;
            }
            case 2:
                acc = Scaled(acc, 1.0f + a / std::sqrt(r * r + 1e-9f));
                break;
            case 5:
                if (r > 0.0f) acc = Scaled(acc, 1.0f + a * HyperFactor(r));
                break;
            case 6:
                acc = Scaled(acc, 1.0f + 2.0f * a / (r + 1.0f));
                break;
            case 8:
                acc = Scaled(acc, 1.0f + a * RadSinWave(acc));
                break;
            default:
                acc = Sum(acc, Scaled(AddedTerm(k, acc), a));
                break;
            }
        }
        x = acc.x, y = acc.y, z = acc.z;
    });
}
