#include "engine/kernels_flames.h"

#include <cmath>

#include "engine/kernel_skeleton.h"
#include "engine/point_maps.h"

namespace {

inline constexpr int kFlameVariations = 10;  // "Linear" .. "QSqrt"

inline Vec3f Scaled(Vec3f v, float a) { return {v.x * a, v.y * a, v.z * a}; }
inline Vec3f Sum(Vec3f a, Vec3f b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

// The flame terms shared by types 15 and 23 that only add a v-dependent
// vector: sinusoidal, swirl, sin4, horns and the quaternion root. r is the
// length of v, taken once by the caller.
inline Vec3f AddedTerm(int variation, Vec3f v, float r)
{
    switch (variation) {
    case 1:
        return {std::sin(v.x), std::sin(v.y), std::sin(v.z)};
    case 3:
        return SwirlTerm(v, r);
    case 4:
        return {std::sin(4.0f * v.x), std::sin(4.0f * v.y), std::sin(4.0f * v.z)};
    case 7:
        return HornsTerm(r, Elevation(v), Azimuth(v));
    default:
        return QuaternionRootTerm(v);
    }
}

inline float RadSinWave(Vec3f v)
{
    return std::sin(std::sin(4.0f * v.x) + std::sin(4.0f * v.y) + std::sin(4.0f * v.z) +
                    (v.x * v.x + v.y * v.y + v.z * v.z));
}

// Type 4: the orbit restarts every 200 points of a call on a small sphere
// about a point of a coarse random lattice in the x-z plane.
struct PopcornMap {
    int count = 0;

    void operator()(uint8_t, int32_t, float& x, float& y, float& z, uint32_t& hash)
    {
        if (++count > 200) {
            uint32_t h[6];
            for (uint32_t& word : h) word = StepSlotHash(hash);
            const float u = static_cast<float>(h[1]) * 4.6566129e-10f - 1.0f;
            const float q = std::cos(std::asin(u));
            const float phi = static_cast<float>(h[0]) * 1.4629181e-09f;
            const float cell = 0.34932038f;
            x = 0.0125f * q * std::sin(phi) + cell * static_cast<float>(int(h[2] & 7u) - int(h[3] & 7u));
            y = 0.0125f * u;
            z = 0.0125f * q * std::cos(phi) + cell * static_cast<float>(int(h[4] & 7u) - int(h[5] & 7u));
            count = 0;
        }
        const float nx = x - 0.025f * std::sin(z + std::tan(3.0f * z));
        z = z - 0.025f * std::sin(x + std::tan(3.0f * x));
        x = nx;
        y -= 0.0025f;
    }
};

}  // namespace

void RunFractalType01(uint8_t slot)
{
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

void RunFractalType04(uint8_t slot)
{
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint,
                                     .pick = TransformPick::kNone,
                                     .coloring = false,
                                     .mapStepsHash = true};
    RunChaosGameKernel<kOptions>(slot, PopcornMap{});
}

void RunFractalType15(uint8_t slot)
{
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
                acc = Sum(acc, Scaled(AddedTerm(k, p, r), a));
                break;
            }
        }
        x = acc.x;
        y = HeightStep(y + acc.y);
        z = acc.z;
    });
}

// Type 18: the Gumowski-Mira map in the x-z plane with alpha = tz and mu = tx
// of transformation 0, the height stepped on y.
void RunFractalType18(uint8_t slot)
{
    const float alpha = gTransformCoefficients.tz[0], mu = gTransformCoefficients.tx[0];
    // The map's rational term; a zero denominator (alpha <= 0 and x^2 = -alpha)
    // gives no term instead of a non-finite point.
    auto term = [alpha, mu](float x) {
        const float d = x * x + alpha;
        return d != 0.0f ? 2.0f * x * x * (alpha - mu) / d : 0.0f;
    };
    constexpr KernelOptions kOptions{
        .orbit = OrbitSource::kLastBatchPoint, .pick = TransformPick::kNone, .coloring = false};
    RunChaosGameKernel<kOptions>(slot, [term, mu](uint8_t, int32_t, float& x, float& y, float& z) {
        const float nx = term(x) + mu * x + z;
        z = term(nx) + mu * nx - x;
        x = nx;
        y = HeightStep(y);
    });
}

void RunFractalType23(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const TransformRecord& rec = gTransforms[t];
        Vec3f acc = {0.0f, 0.0f, 0.0f};
        for (int k = 0; k < kFlameVariations; ++k) {
            if (!rec.variationOn[k]) continue;
            const float a = rec.variationAmount[k];
            // Only the terms that scale by the radius or take it need it.
            const bool radial = k == 2 || k == 3 || k == 5 || k == 6 || k == 7;
            const float r = radial ? Length(acc) : 0.0f;
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
                acc = Sum(acc, Scaled(AddedTerm(k, acc, r), a));
                break;
            }
        }
        x = acc.x, y = acc.y, z = acc.z;
    });
}
