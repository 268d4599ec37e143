#include "materials/texture_presets.h"

#include <atomic>
#include <cmath>
#include <thread>

#include "engine/color_conversion.h"
#include "engine/noise.h"
#include "engine/sky_color.h"
#include "engine/vector_math.h"
#include "materials/patterns.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoOverPi = 0.63661975f;
constexpr float kGoldenF = 1.618034f;
constexpr double kTwoPiWidened = 6.2831854820251465;

// Static initialisation runs on the thread that starts the program, which is
// the window thread (and the test's main thread).
const std::thread::id kWindowThreadId = std::this_thread::get_id();

std::atomic<uint32_t> gGrainThreadCounter{0};

// Below 0 or not a number gives 0, above 1 gives 1.
float Clamp01(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

float SignedGrain(RandomState& r) { return static_cast<float>(RandomStep(r)) * 2.3283064e-10f * 2.0f - 1.0f; }

float CellDistance(int metric, const float* p, const float* s)
{
    const float dx = p[0] - s[0], dy = p[1] - s[1], dz = p[2] - s[2];
    switch (metric) {
    case 1: return std::fabs(dx) + std::fabs(dy) + std::fabs(dz);
    case 2: {
        auto p10 = [](double v) {
            const double v2 = v * v, v4 = v2 * v2;
            return v4 * v4 * v2;
        };
        return static_cast<float>(std::sqrt(p10(dx) + p10(dy) + p10(dz)));
    }
    default: return std::sqrt(dx * dx + dy * dy + dz * dz);
    }
}

float GoldenCosineUnitPeriod(float x, float y, float z)
{
    const double g = 1.618033988749895, k = kTwoPiWidened;
    const double c = std::cos(k * (y + g * z)) + std::cos(k * (x - g * y)) + std::cos(k * (x + g * y)) +
                     std::cos(k * (z + g * x)) + std::cos(k * (z - g * x)) + std::cos(k * (y - g * z));
    return static_cast<float>((3.0 - c) * 0.5);
}

float GoldenArcsineTriangles(float x, float y, float z)
{
    const float a[6] = {x * kGoldenF + z, z - x * kGoldenF, y - z * kGoldenF,
                        z * kGoldenF + y, y * kGoldenF + x, x - y * kGoldenF};
    double w = 0.0;
    for (float v : a) w += TriangleWaveArcsine(v);
    return static_cast<float>((3.0 - w) * 0.5);
}

float PatternValue(const TexturePreset& preset, int l, float x, float y, float z)
{
    const int variant = preset.patternVariant[l];
    const float parameter = preset.patternParameter[l];
    switch (preset.patternKind[l]) {
    case 0: return FractalNoise3(x, y, z);
    case 1: return PatternGoldenCosineD(x, y, z);
    case 2:
        return std::cos(x) * std::cos(y) * std::cos(z) * 0.15384616f +
               (std::cos(x) + std::cos(y) + std::cos(z)) * 0.11538462f + 0.5f;
    case 3: return PatternGyroid(x, y, z, variant);
    case 4: return GoldenArcsineTriangles(x, y, z);
    case 5: return PatternGoldenTriangle(x, y, z);
    case 6: {
        auto t = [](float a) { return std::tanh(2.0f * a); };
        return (t(std::sin(x)) * t(std::cos(y)) + t(std::sin(y)) * t(std::cos(z)) + t(std::sin(z)) * t(std::cos(x)) +
                1.0f) *
               0.5f;
    }
    case 7: return PatternSphereHex(x, y, z, variant, parameter);
    case 8: return PatternSphereTrig(x, y, z, variant, parameter);
    case 9:
    case 10: {
        const float* m = preset.patternRotation[l];
        const float u = m[0] * x + m[1] * y + m[2] * z;
        const float v = m[3] * x + m[4] * y + m[5] * z;
        const float w = m[6] * x + m[7] * y + m[8] * z;
        if (preset.patternKind[l] == 10) return PatternNearestDirection(u, v, w, variant);
        const float vs = static_cast<float>(v * 0.0001);
        const float ws = variant == 0 ? static_cast<float>(w * 0.0001) : w;
        return FractalNoise3(u, vs, ws);
    }
    case 11: return PatternGoldenCosine(x, y, z);
    case 12: return GoldenCosineUnitPeriod(x, y, z);
    default: return 0.0f;  // no such kind is ever drawn
    }
}

// The shaping and detail profiles of a phase w.
float Profile(int mode, float w)
{
    switch (mode) {
    case 0: return std::sin(w);
    case 1: return std::asin(std::sin(w)) * kTwoOverPi;
    case 2: return std::tanh(2.0f * std::sin(w));
    case 3: return static_cast<float>(RoundedTriangleWave(w));
    case 4: return static_cast<float>(TriangleWaveArcsine(w));
    default: return static_cast<float>(std::sin(double(w)) * HexagonRadius(w));
    }
}

// Brightness of layer l at the direction p.
float LayerValue(const TexturePreset& preset, int l, const float* p, RandomState& grain)
{
    const float* a = preset.layerAxis[l];
    const float dot = Vec3DotP(a, p);
    float d = dot;
    if (preset.absoluteFalloff[l]) d = preset.invertFalloff[l] ? Clamp01(1.0f - std::fabs(dot)) : std::fabs(dot);
    if (preset.starOn[l]) {
        const float phi = std::atan2(p[0] - a[0], p[1] - a[1]);
        d = (std::sin(4.0f * phi) + 1.0f) * 0.25f * std::sin(2.0f * kPi * d) + 0.5f;
    }
    const float v = std::pow(d, preset.falloffExponent[l]);

    float q[3] = {p[0], p[1], p[2]};
    const int warp = preset.warpMode[l];
    if (warp == 1 || warp == 2) {
        const float distance = Vec3Distance(p, a);
        const float sign = preset.warpPositive[l] ? 1.0f : -1.0f;
        const float reach = distance * kPi * static_cast<float>(preset.warpTurns[l]);
        // On the axis (distance 0) every angle leaves the point where it is,
        // so the logarithm's pole is skipped.
        if (reach > 0.0f) RotateAroundAxis(q, p, a, (warp == 1 ? reach : std::log(reach)) * sign);
    }

    float t;
    if (!preset.patternOn[l]) {
        t = v;
    } else {
        const float s = preset.patternScale[l];
        float x = s * q[0], y = s * q[1], z = s * q[2];
        if (preset.patternKind[l] < 7) {
            x += preset.patternOffset[l][0];
            y += preset.patternOffset[l][1];
            z += preset.patternOffset[l][2];
        }
        float r = PatternValue(preset, l, x, y, z);
        if (preset.grainOn[l] && preset.grainTargets[l][0]) r *= 1.0f + SignedGrain(grain) * preset.grainAmount[l][0];
        const float t0 = Clamp01(r * v);
        const int shape = preset.shapeMode[l];
        if (shape < 0 || shape > 5) {
            t = v;
        } else {
            const float w = t0 * preset.shapeFrequency[l] * kPi;
            static constexpr int kShapeProfile[6] = {-1, 0, 1, 2, 3, 4};
            t = Clamp01(shape == 0 ? t0 : Profile(kShapeProfile[shape], w));
        }
    }
    const int detail = preset.detailMode[l];
    if (!preset.detailOff[l] && detail >= 0 && detail <= 5 && t > 0.0f) t = Clamp01(t + Profile(detail, t * kPi));
    return t;
}

}  // namespace

bool OnWindowThread() { return std::this_thread::get_id() == kWindowThreadId; }

RandomState& PresetGrainRandom()
{
    if (OnWindowThread()) return gGlobalRandomA;
    thread_local RandomState own = [] {
        RandomState s{};
        SeedRandomState(s, 0x2545F491u + 0x9E3779B9u * gGrainThreadCounter.fetch_add(1));
        return s;
    }();
    return own;
}

float* ApplyCellWarp(float* out, const TexturePreset& preset, const float* p)
{
    if (preset.cellSites.empty()) return Vec3Pack(out, p[0], p[1], p[2]);
    float best = 1000.0f;
    size_t nearest = 0;
    for (size_t i = 0; i < preset.cellSites.size(); ++i) {
        const float d = CellDistance(preset.cellMetric, p, preset.cellSites[i].v);
        if (d <= best) {
            best = d;
            nearest = i;
        }
    }
    const float* s = preset.cellSites[nearest].v;
    const float k = preset.cellKeep, w = preset.cellPull;
    return Vec3Pack(out, k * p[0] + w * s[0], k * p[1] + w * s[1], k * p[2] + w * s[2]);
}

float* EvaluateTexturePreset(float* out, const TexturePreset& preset, const float* point)
{
    Vec3Fill(out, 0.0f);
    if (!(point[0] * point[0] + point[1] * point[1] <= 1.0f)) return out;
    float p[3];
    Vec3Normalize(p, point);

    if (preset.skyMode) {
        if (preset.skySwapYZ) std::swap(p[1], p[2]);
        if (preset.cellWarpOn) ApplyCellWarp(p, preset, p);
        float sun[3] = {preset.sunDirection[0], preset.sunDirection[1], preset.sunDirection[2]};
        return ComputeSkyColor(out, p, sun, preset.skyColor2, preset.skyColor3, preset.skyColor1, preset.skyColor4,
                               preset.skyExponents, preset.skyDarkenBelowHorizon != 0, preset.skyHorizontalScale);
    }

    const int layers = preset.layerCount < kPresetLayers ? preset.layerCount : kPresetLayers;
    if (layers < 1) return out;
    if (preset.cellWarpOn) ApplyCellWarp(p, preset, p);
    RandomState& grain = PresetGrainRandom();
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int l = 0; l < layers; ++l) {
        const float t = LayerValue(preset, l, p, grain);
        const float* c = preset.layerColor[l];
        if (preset.grainOn[l] && preset.grainTargets[l][1]) {
            const float* amount = preset.grainAmount[l];
            const float gr = SignedGrain(grain), gg = SignedGrain(grain), gb = SignedGrain(grain);
            sum[0] += t * (1.0f + gr * amount[1]) * c[0];
            sum[1] += t * (1.0f + gg * amount[2]) * c[1];
            sum[2] += t * (1.0f + gb * amount[3]) * c[2];
        } else {
            sum[0] += t * c[0];
            sum[1] += t * c[1];
            sum[2] += t * c[2];
        }
    }
    const float inverse = 1.0f / static_cast<float>(layers);
    const float average[3] = {Clamp01(sum[0] * inverse), Clamp01(sum[1] * inverse), Clamp01(sum[2] * inverse)};
    float hsv[3];
    RgbToHsv(hsv, average);
    hsv[1] *= preset.saturationBoost;
    return HsvToRgb(out, hsv);
}
