// Sections: [view and depth] [shadow factors] [averaged depth map]
// [occlusion marches] [occlusion of a pixel].
#include "shading/shadow_sampling.h"

#include <algorithm>
#include <cmath>

#include "engine/random.h"
#include "render/render_buffers.h"
#include "engine/shared_access.h"
#include "render/view_camera.h"

float gDepthMap512[kDepthMapSize * kDepthMapSize];
OcclusionSettings gOcclusionSettings;

namespace {

constexpr float kAngleTwoPi = 1.4629181e-9f;   // 2 pi / 2^32
constexpr float kAngleFourPi = 2.9258362e-9f;  // 4 pi / 2^32
constexpr float kWordSquared = 5.421011e-20f;  // 2^-64

// Settings arrive as floats; anything not at least 1 (NaN included) is no
// sample at all, and huge counts are capped before the conversion.
int CheckedCount(float count)
{
    if (!(count >= 1.0f)) return 0;
    return count >= static_cast<float>(kMaxEstimatorSamples) ? kMaxEstimatorSamples : static_cast<int>(count);
}

// trunc(f) lies in 0..size - 1; false for NaN and for values beyond int.
inline bool TruncInside(float f, int size) { return f > -1.0f && f < static_cast<float>(size); }

inline float DepthValue(const ShadingView& s, int column, int row)
{
    if (column < 0 || row < 0 || column >= s.view.width || row >= s.view.height) return 0.0f;
    return SharedLoad(s.depth[static_cast<int64_t>(row) * s.view.width + column]);
}

// A unit direction from two words: azimuth from the first, height from the second.
inline void DrawDirection(RandomState& r, float* d)
{
    const float phi = static_cast<float>(RandomStep(r)) * kAngleTwoPi;
    const float z = RandomUniform(r) * 2.0f - 1.0f;
    const float c = std::sqrt(std::max(0.0f, 1.0f - z * z));
    d[0] = std::cos(phi) * c;
    d[1] = std::sin(phi) * c;
    d[2] = z;
}

inline float MarchLength(uint32_t word, float radius)
{
    const float w = static_cast<float>(word);
    return (1.0f - w * w * kWordSquared) * radius;
}

inline float OcclusionFactor(int free, int valid)
{
    const float g = free != 0 ? static_cast<float>(free) / static_cast<float>(valid) : 1.0f;
    return std::min(g * 1.75f + 0.25f, 1.0f);
}

// Ball and disc differ in the radial law, the angle range and the depth.
template <bool kBall>
float ShadowFactorRandom(const ShadingView& s, int column, int row, float radius, int samples, float shadowValue,
                         uint8_t worker)
{
    if (samples < 1) return 1.0f;
    samples = std::min(samples, kMaxEstimatorSamples);
    RandomState& r = gSlotRandom[worker];
    const float dn = column >= 0 && row >= 0 && column < s.view.width && row < s.view.height
                         ? NormalisedDepth(DepthValue(s, column, row))
                         : 0.0f;
    const int size = s.view.width;
    float sum = 0.0f;
    int counted = 0;
    for (int accepted = 0; accepted < samples; ++accepted) {
        int tries = 0;
        float fx = 0.0f, fy = 0.0f, height = 0.0f;
        for (; tries < kShadowRedrawLimit; ++tries) {
            const float u1 = RandomUniform(r);
            const float phi = static_cast<float>(RandomStep(r)) * (kBall ? kAngleTwoPi : kAngleFourPi);
            height = RandomUniform(r) * 2.0f - 1.0f;
            const float c = std::sqrt(std::max(0.0f, 1.0f - height * height));
            const float rho = (kBall ? std::cbrt(u1) : std::sqrt(u1)) * radius;
            fx = std::sin(phi) * c * rho + static_cast<float>(column);
            fy = std::cos(phi) * c * rho + static_cast<float>(row);
            if (TruncInside(fx, size) && TruncInside(fy, size)) break;
        }
        if (tries == kShadowRedrawLimit) break;
        const float depth = kBall ? height * radius / s.view.widthF + dn : dn;
        const float v = ShadowMapSample(s, std::trunc(fx), std::trunc(fy), depth, shadowValue);
        if (v >= 0.0f) {
            sum += v;
            ++counted;
        }
    }
    return counted == 0 ? 1.0f : std::min(sum / static_cast<float>(counted), 1.0f);
}

}  // namespace

// ---- [view and depth] ------------------------------------------------------

ShadingView LoadShadingView()
{
    return {LoadViewParams(), gPerspectiveOn != 0, gDepthBuffer, gShadowMap};
}

float LinearDepthAt(const ShadingView& s, int column, int row)
{
    const float v = DepthValue(s, column, row);
    if (v == 0.0f || !s.perspective) return v;
    const float d = s.view.focal / (NormalisedDepth(v) - s.view.eye) * v * -0.5f;
    return std::isfinite(d) ? d : 0.0f;
}

float SampleLinearDepth(const float* depth, int column, int row)
{
    ShadingView s = LoadShadingView();
    s.depth = depth;
    return LinearDepthAt(s, column, row);
}

float ShadowMapSample(const ShadingView& s, float px, float py, float dn, float shadowValue)
{
    const ViewParams& v = s.view;
    float a = px - v.offsetX;
    float b = py - v.offsetY;
    if (s.perspective) {
        const float f = (v.eye - dn) / (v.focal * v.k);
        a *= f;
        b *= f;
    } else {
        a /= v.k;
        b /= v.k;
    }
    const CameraPoint p{a, b, dn};
    const float light = LightDepth(v, p);
    if (!(light >= 0.0f && light <= 65530.0f)) return -1.0f;
    const int64_t cell = ShadowCell(v, p);
    if (cell < 0) return -1.0f;
    return static_cast<float>(SharedLoad(s.shadowMap[cell])) * kShadowKeepFactor >= light ? shadowValue : 1.0f;
}

// ---- [shadow factors] ------------------------------------------------------

float ShadowFactorBall(const ShadingView& s, int column, int row, float radius, int samples, float shadowValue,
                       uint8_t worker)
{
    return ShadowFactorRandom<true>(s, column, row, radius, samples, shadowValue, worker);
}

float ShadowFactorDisc(const ShadingView& s, int column, int row, float radius, int samples, float shadowValue,
                       uint8_t worker)
{
    return ShadowFactorRandom<false>(s, column, row, radius, samples, shadowValue, worker);
}

float ShadowFactorNeighbourhood(const ShadingView& s, int column, int row, float shadowValue)
{
    const float dn = NormalisedDepth(DepthValue(s, column, row));
    float sum = 0.0f;
    int counted = 0;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int x = column + i, y = row + j;
            if (x < 0 || y < 0 || x >= s.view.width || y >= s.view.width) continue;
            const float v = ShadowMapSample(s, static_cast<float>(x), static_cast<float>(y), dn, shadowValue);
            if (v >= 0.0f) {
                sum += v;
                ++counted;
            }
        }
    }
    return counted == 0 ? 1.0f : std::min(sum / static_cast<float>(counted), 1.0f);
}

// ---- [averaged depth map] --------------------------------------------------

void DownsampleDepthMap()
{
    const ShadingView s = LoadShadingView();
    const float t = static_cast<float>(s.view.width) * 0.001953125f;
    const int h = static_cast<int>(t * 0.5f);
    for (int r = 0; r < kDepthMapSize; ++r) {
        const int cy = static_cast<int>(static_cast<float>(r) * t);
        const int y0 = std::max(cy - h, 0), y1 = std::min(cy + h, s.view.height - 1);
        for (int c = 0; c < kDepthMapSize; ++c) {
            const int cx = static_cast<int>(static_cast<float>(c) * t);
            const int x0 = std::max(cx - h, 0), x1 = std::min(cx + h, s.view.width - 1);
            float sum = 0.0f;
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) sum += LinearDepthAt(s, x, y);
            const int count = std::max(y1 - y0 + 1, 0) * std::max(x1 - x0 + 1, 0);
            gDepthMap512[r * kDepthMapSize + c] = count > 0 ? sum / static_cast<float>(count) : 0.0f;
        }
    }
}

float SampleMapBilinear(int column, int row)
{
    if (gImageWidth <= 0) return 0.0f;
    const float scale = 512.0f / static_cast<float>(gImageWidth);
    const float fy = static_cast<float>(row) * scale, fx = static_cast<float>(column) * scale;
    // Rows past the last cell (renders taller than wide) stay on it.
    const int iy = std::min(fy > 0.0f ? static_cast<int>(std::min(fy, 1.0e6f)) : 0, kDepthMapSize - 1);
    const int ix = std::min(fx > 0.0f ? static_cast<int>(std::min(fx, 1.0e6f)) : 0, kDepthMapSize - 1);
    const float ty = std::clamp(fy - static_cast<float>(iy), 0.0f, 1.0f);
    const float tx = std::clamp(fx - static_cast<float>(ix), 0.0f, 1.0f);
    const int iy1 = iy + 1 < kDepthMapSize ? iy + 1 : iy, ix1 = ix + 1 < kDepthMapSize ? ix + 1 : ix;
    const float* m = gDepthMap512;
    const auto at = [m](int y, int x) { return m[y * kDepthMapSize + x]; };
    return (ty * at(iy1, ix) + (1.0f - ty) * at(iy, ix)) * (1.0f - tx) +
           (ty * at(iy1, ix1) + (1.0f - ty) * at(iy, ix1)) * tx;
}

// ---- [occlusion marches] ---------------------------------------------------

float MarchDepthOcclusionC(const ShadingView& s, int column, int row, const float* normal, uint8_t worker)
{
    const int n = CheckedCount(gOcclusionSettings.sampleCount);
    const float radius = gOcclusionSettings.radius;
    const float d0 = LinearDepthAt(s, column, row);
    RandomState& r = gSlotRandomB[worker];
    int free = 0;
    for (int i = 0; i < n; ++i) {
        float d[3];
        DrawDirection(r, d);
        for (int k = 0; k < kOcclusionDirectionLimit && d[0] * normal[0] + d[1] * normal[1] + d[2] * normal[2] > 0.0f;
             ++k) {
            const float l = MarchLength(RandomStep(r), radius);
            const float fx = l * d[0] + static_cast<float>(column), fy = l * d[1] + static_cast<float>(row);
            if (TruncInside(fx, s.view.width) && TruncInside(fy, s.view.height) &&
                l * d[2] + d0 > LinearDepthAt(s, static_cast<int>(fx), static_cast<int>(fy)))
                ++free;
            DrawDirection(r, d);
        }
    }
    return free == 0 ? 1.0f : std::min(static_cast<float>(free) / static_cast<float>(n) * 1.75f + 0.25f, 1.0f);
}

float MarchDepthOcclusionD(const ShadingView& s, int column, int row, uint8_t worker)
{
    const int n = CheckedCount(gOcclusionSettings.sampleCount);
    const float radius = gOcclusionSettings.radius;
    const float d0 = LinearDepthAt(s, column, row);
    RandomState& r = gSlotRandomB[worker];
    int valid = n, free = 0;
    for (int i = 0; i < n; ++i) {
        float d[3];
        DrawDirection(r, d);
        const float l = MarchLength(RandomStep(r), radius);
        const float fx = l * d[0] + static_cast<float>(column), fy = l * d[1] + static_cast<float>(row);
        if (!TruncInside(fx, s.view.width) || !TruncInside(fy, s.view.height)) {
            --valid;
            continue;
        }
        if (l * d[2] + d0 > LinearDepthAt(s, static_cast<int>(fx), static_cast<int>(fy))) ++free;
    }
    return OcclusionFactor(free, valid);
}

// ---- [occlusion of a pixel] ------------------------------------------------

// The averaged map holds depths, not a factor: a pixel lying deeper than its
// neighbourhood's mean by the occlusion radius or more is fully occluded,
// one at or above the mean not at all (depth units count as pixels, as in
// the marches).
float AveragedOcclusion(const ShadingView& s, int column, int row)
{
    const float below = SampleMapBilinear(column, row) - LinearDepthAt(s, column, row);
    const float radius = gOcclusionSettings.radius;
    if (!(below > 0.0f)) return 1.0f;
    if (!(radius > 0.0f)) return 0.0f;
    return std::clamp(1.0f - below / radius, 0.0f, 1.0f);
}

float* ShadePixelOcclusion(float* out, const ShadingView& s, int column, int row, int material,
                           const float* normal, const float* colour, uint8_t worker)
{
    const OcclusionSettings& o = gOcclusionSettings;
    for (int c = 0; c < 3; ++c) out[c] = colour[c];
    if (!o.everyPixel && !o.averaged) return out;
    float f = 1.0f;
    if (o.everyPixel) {
        const float m = o.rayCasting ? MarchDepthOcclusionC(s, column, row, normal, worker)
                                     : MarchDepthOcclusionD(s, column, row, worker);
        f = o.averaged ? 0.5f * m + 0.5f * AveragedOcclusion(s, column, row) : m;
    } else {
        f = AveragedOcclusion(s, column, row);
    }
    if (o.option == 1) {
        if (o.enhancedDarkening) f *= f;
        if (o.ambient != nullptr)
            for (int c = 0; c < 3; ++c) out[c] += (1.0f - f) * 0.5f * o.ambient[c];
    } else if (o.option == 2) {
        const float strength = o.strength != nullptr && material >= 0 && material < 10 ? SharedLoad(o.strength[material]) : 0.0f;
        f += (1.0f - f) * strength;
        if (o.enhancedDarkening) f *= f;
        for (int c = 0; c < 3; ++c) out[c] *= f;
    }
    return out;
}
