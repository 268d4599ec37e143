// Sections: [main passes] one template for the 12 palette and RGB passes,
// and the tuner's count; [fog passes] one template for the 8 fog passes; [case table].
#include "render/projection_passes.h"

#include <cmath>
#include <limits>

#include "engine/fractal_model.h"
#include "engine/random.h"
#include "render/projection.h"
#include "render/render_buffers.h"

uint8_t gMirrorY = 0;
float gFogJitterRadius = 0.5f;

namespace {

// The u16 light depth; the value only grows past the stored one here, so
// it is positive, and the top is clamped instead of wrapping.
inline uint16_t ShadowWord(float dl) { return dl >= 65535.0f ? uint16_t{65535} : static_cast<uint16_t>(dl); }

// ---- [main passes] ---------------------------------------------------------
// Image positions of a slice, computed before any buffer is touched so that
// the loop that tests and writes pixels can fetch them ahead: the depth
// buffer is far larger than the caches and its misses dominate the pass.
struct SliceImage {
    int32_t px[kSlotBatchSize];  // -1: dropped
    int32_t py[kSlotBatchSize];
    float depth[kSlotBatchSize];
    float fracX[kSlotBatchSize];  // position inside the pixel, 0..1
    float fracY[kSlotBatchSize];
};

constexpr int kPrefetchDistance = 16;

// Point i, mirrored through the origin in the mirror passes (y only with gMirrorY).
template <bool kMirror>
inline void LoadPoint(int i, float mirrorYSign, float& x, float& y, float& z)
{
    x = gPointX[i];
    y = gPointY[i];
    z = gPointZ[i];
    if constexpr (kMirror) {
        x = -x;
        y *= mirrorYSign;
        z = -z;
    }
}

template <bool kPerspective, bool kMirror>
void ComputeSliceImage(const ViewParams& v, int first, int count, float mirrorYSign, SliceImage& out)
{
    for (int n = 0; n < count; ++n) {
        float x, y, z;
        LoadPoint<kMirror>(first + n, mirrorYSign, x, y, z);
        const CameraPoint p = ToCamera(v, x, y, z);
        float fx, fy;
        bool visible = true;
        if constexpr (kPerspective) {
            const float q = PerspectiveFactor(v, p.c);
            visible = q >= 0.0f;
            fx = p.a * v.k * q + v.offsetX;
            fy = p.b * v.k * q + v.offsetY;
        } else {
            fx = p.a * v.k + v.offsetX;
            fy = p.b * v.k + v.offsetY;
        }
        // NaN fails every comparison; only checked values are converted.
        visible = visible & (fx >= 1.0f) & (fx < v.widthF) & (fy >= 1.0f) & (fy < v.heightF);
        const int32_t ix = visible ? static_cast<int32_t>(fx) : -1;
        const int32_t iy = visible ? static_cast<int32_t>(fy) : 0;
        out.px[n] = ix;
        out.py[n] = iy;
        out.depth[n] = (p.c + 1.0f) * kDepthScale;
        // Only read for visible points.
        out.fracX[n] = fx - static_cast<float>(ix);
        out.fracY[n] = fy - static_cast<float>(iy);
    }
}

// Shadow-map cells and light depths of a slice, fetched ahead like the
// image pixels.
struct SliceShadow {
    int32_t sx[kSlotBatchSize];  // -1: no cell
    int32_t sy[kSlotBatchSize];
    float lightDepth[kSlotBatchSize];
};

template <bool kPerspective, bool kMirror>
void UpdateShadowMap(const ViewParams& v, int first, int count, float mirrorYSign)
{
    SliceShadow cells;
    for (int n = 0; n < count; ++n) {
        float x, y, z;
        LoadPoint<kMirror>(first + n, mirrorYSign, x, y, z);
        const CameraPoint p = ToCamera(v, x, y, z);
        const float fx = v.shadowOffsetX - LightX(v, p) * v.shadowScale;
        const float fy = v.shadowOffsetY - LightY(v, p) * v.shadowScale;
        bool inside = (fx >= 2.0f) & (fx < v.shadowLimitF) & (fy >= 2.0f) & (fy < v.shadowLimitF);
        if constexpr (kPerspective) inside = inside & (PerspectiveFactor(v, p.c) >= 0.0f);
        cells.sx[n] = inside ? static_cast<int32_t>(fx) : -1;
        cells.sy[n] = inside ? static_cast<int32_t>(fy) : 0;
        cells.lightDepth[n] = LightDepth(v, p);
    }
    uint16_t* const shadow = gShadowMap;
    const int64_t width = v.width;
    for (int n = 0; n < count; ++n) {
        const int ahead = n + kPrefetchDistance;
        if (ahead < count && cells.sx[ahead] >= 0) {
            __builtin_prefetch(shadow + cells.sy[ahead] * width + cells.sx[ahead], 1);
        }
        if (cells.sx[n] < 0) continue;
        const int64_t cell = cells.sy[n] * width + cells.sx[n];
        const float dl = cells.lightDepth[n];
        const uint16_t old = SharedLoad(shadow[cell]);
        // Writing only real changes keeps the cache lines of other workers valid.
        if (dl > static_cast<float>(old) * kShadowKeepFactor) {
            const uint16_t word = ShadowWord(dl);
            if (word != old) SharedStore(shadow[cell], word);
        }
    }
}

template <bool kPerspective, bool kShadow, bool kMirror, bool kRgb>
void ProjectSlice(int32_t slot)
{
    const ViewParams v = LoadViewParams();
    const int first = gSlotBatchStart[slot] + 1;
    const int end = gSlotBatchLast[slot] - 1;
    const int count = end - first;
    if (count <= 0 || count > kSlotBatchSize) return;
    const float mirrorYSign = (kMirror && gMirrorY) ? -1.0f : 1.0f;

    // A point hidden in the image still shadows.
    if constexpr (kShadow) UpdateShadowMap<kPerspective, kMirror>(v, first, count, mirrorYSign);

    SliceImage image;
    ComputeSliceImage<kPerspective, kMirror>(v, first, count, mirrorYSign, image);

    float* const depth = gDepthBuffer;
    uint8_t* const colorIndex = gColorIndexBuffer;
    uint8_t* const subPixel = gSubPixelBuffer;
    const int64_t width = v.width;
    for (int n = 0; n < count; ++n) {
        const int ahead = n + kPrefetchDistance;
        if (ahead < count && image.px[ahead] >= 0) {
            __builtin_prefetch(depth + image.py[ahead] * width + image.px[ahead], 1);
        }
        if (image.px[n] < 0) continue;
        const int64_t pixel = image.py[n] * width + image.px[n];
        const float d = image.depth[n];
        if (d > SharedLoad(depth[pixel])) {
            const int i = first + n;
            SharedStore(depth[pixel], d);
            SharedStore(colorIndex[pixel], gPointColorIndex[i]);
            SharedStore(subPixel[2 * pixel], static_cast<uint8_t>(image.fracX[n] * 255.0f));
            SharedStore(subPixel[2 * pixel + 1], static_cast<uint8_t>(image.fracY[n] * 255.0f));
            if constexpr (kRgb) {
                SharedStore(gPointColorPlanes[0][pixel], gPointColorR[i]);
                SharedStore(gPointColorPlanes[1][pixel], gPointColorG[i]);
                SharedStore(gPointColorPlanes[2][pixel], gPointColorB[i]);
            }
        }
    }
}

}  // namespace

int32_t CountSliceInFront(int32_t first, int32_t count, bool perspective)
{
    if (count <= 0 || count > kSlotBatchSize || !gDepthBuffer) return 0;
    const ViewParams v = LoadViewParams();
    SliceImage image;
    if (perspective) {
        ComputeSliceImage<true, false>(v, first, count, 1.0f, image);
    } else {
        ComputeSliceImage<false, false>(v, first, count, 1.0f, image);
    }
    const float* const depth = gDepthBuffer;
    const int64_t width = v.width;
    // The orthographic count also keeps depths within 0..65530.
    const float lowest = perspective ? -std::numeric_limits<float>::infinity() : 0.0f;
    const float highest = perspective ? std::numeric_limits<float>::infinity() : 65530.0f;
    int32_t landed = 0;
    for (int n = 0; n < count; ++n) {
        const int ahead = n + kPrefetchDistance;
        if (ahead < count && image.px[ahead] >= 0) __builtin_prefetch(depth + image.py[ahead] * width + image.px[ahead]);
        const float d = image.depth[n];
        if (image.px[n] < 0 || !(d >= lowest && d <= highest)) continue;
        landed += d > SharedLoad(depth[image.py[n] * width + image.px[n]]);
    }
    return landed;
}

namespace {

// ---- [fog passes] ------------------------------------------------------------
template <bool kPerspective, bool kShadow>
void ProjectFogSlice(int32_t slot)
{
    const ViewParams v = LoadViewParams();
    RandomState& random = gSlotRandom[slot];
    // One jitter for the whole slice: a direction uniform on the sphere with
    // a radius uniform in [0, R).
    const float r = static_cast<float>(RandomStep(random)) * kRandomWordToFloat * gFogJitterRadius;
    const float phi = static_cast<float>(RandomStep(random)) * 1.4629181e-9f;
    const float t = 2.0f * (static_cast<float>(RandomStep(random)) * kRandomWordToFloat) - 1.0f;
    const float c0 = std::cos(std::asin(t));
    const float ox = std::sin(phi) * c0 * r;
    const float oy = t * r;
    const float oz = std::cos(phi) * c0 * r;

    const int first = gSlotBatchStart[slot] + 1;
    const int end = gSlotBatchLast[slot] - 1;
    const float* const depth = gDepthBuffer;
    const uint16_t* const shadow = gShadowMap;
    uint16_t* const fog = gFogSampleBuffer;

    for (int i = first; i < end; ++i) {
        const CameraPoint p = ToCamera(v, gPointX[i] + ox, gPointY[i] + oy, gPointZ[i] + oz);
        float fx, fy;
        if constexpr (kPerspective) {
            // No q >= 0 test here; a non-finite q fails the pixel test below.
            const float q = PerspectiveFactor(v, p.c);
            fx = p.a * v.k * q + v.offsetX;
            fy = p.b * v.k * q + v.offsetY;
        } else {
            fx = p.a * v.k + v.offsetX;
            fy = p.b * v.k + v.offsetY;
        }
        const float d = (p.c + 1.0f) * kDepthScale;
        if (!(d >= 0.0f && d <= 65530.0f)) continue;
        const int64_t pixel = ImagePixel(v, fx, fy);
        if (pixel < 0 || !(d > SharedLoad(depth[pixel]))) continue;
        if constexpr (kShadow) {
            const int64_t cell = ShadowCell(v, p);
            if (cell >= 0 && LightDepth(v, p) <= static_cast<float>(SharedLoad(shadow[cell])) * kShadowKeepFactor) {
                continue;
            }
        }
        const uint16_t samples = SharedLoad(fog[pixel]);
        if (samples < kFogSampleLimit) SharedStore(fog[pixel], samples + 1);
    }
}

}  // namespace

void ProjectBatchOrtho(int32_t s) { ProjectSlice<false, true, false, false>(s); }
void ProjectBatchOrthoMirror(int32_t s) { ProjectSlice<false, true, true, false>(s); }
void ProjectBatchOrthoNoShadow(int32_t s) { ProjectSlice<false, false, false, false>(s); }
void ProjectBatchOrthoNoShadowMirror(int32_t s) { ProjectSlice<false, false, true, false>(s); }
void ProjectBatchPerspective(int32_t s) { ProjectSlice<true, true, false, false>(s); }
void ProjectBatchPerspectiveMirror(int32_t s) { ProjectSlice<true, true, true, false>(s); }
void ProjectBatchPerspectiveNoShadow(int32_t s) { ProjectSlice<true, false, false, false>(s); }
void ProjectBatchPerspectiveNoShadowMirror(int32_t s) { ProjectSlice<true, false, true, false>(s); }
void ProjectBatchOrthoRgb(int32_t s) { ProjectSlice<false, true, false, true>(s); }
void ProjectBatchOrthoRgbNoShadow(int32_t s) { ProjectSlice<false, false, false, true>(s); }
void ProjectBatchPerspectiveRgb(int32_t s) { ProjectSlice<true, true, false, true>(s); }
void ProjectBatchPerspectiveRgbNoShadow(int32_t s) { ProjectSlice<true, false, false, true>(s); }
void ProjectBatchOrthoFog(int32_t s) { ProjectFogSlice<false, true>(s); }
void ProjectBatchOrthoNoShadowFog(int32_t s) { ProjectFogSlice<false, false>(s); }
void ProjectBatchPerspectiveFog(int32_t s) { ProjectFogSlice<true, true>(s); }
void ProjectBatchPerspectiveNoShadowFog(int32_t s) { ProjectFogSlice<true, false>(s); }
// Fog counts carry no colour: the RGB fog passes are their palette twins.
void ProjectBatchOrthoRgbFog(int32_t s) { ProjectFogSlice<false, true>(s); }
void ProjectBatchOrthoRgbNoShadowFog(int32_t s) { ProjectFogSlice<false, false>(s); }
void ProjectBatchPerspectiveRgbFog(int32_t s) { ProjectFogSlice<true, true>(s); }
void ProjectBatchPerspectiveRgbNoShadowFog(int32_t s) { ProjectFogSlice<true, false>(s); }

// ---- [case table] ------------------------------------------------------------
const ProjectionCaseRow kProjectionCases[kProjectionCaseCount] = {
    {0, "ProjectBatchOrtho", ProjectBatchOrtho, ProjectBatchOrthoMirror, ProjectBatchOrthoFog},
    {2, "ProjectBatchOrthoNoShadow", ProjectBatchOrthoNoShadow, ProjectBatchOrthoNoShadowMirror,
     ProjectBatchOrthoNoShadowFog},
    {1, "ProjectBatchPerspective", ProjectBatchPerspective, ProjectBatchPerspectiveMirror,
     ProjectBatchPerspectiveFog},
    {3, "ProjectBatchPerspectiveNoShadow", ProjectBatchPerspectiveNoShadow,
     ProjectBatchPerspectiveNoShadowMirror, ProjectBatchPerspectiveNoShadowFog},
    {100, "ProjectBatchOrthoRgb", ProjectBatchOrthoRgb, nullptr, ProjectBatchOrthoRgbFog},
    {102, "ProjectBatchOrthoRgbNoShadow", ProjectBatchOrthoRgbNoShadow, nullptr, ProjectBatchOrthoRgbNoShadowFog},
    {101, "ProjectBatchPerspectiveRgb", ProjectBatchPerspectiveRgb, nullptr, ProjectBatchPerspectiveRgbFog},
    {103, "ProjectBatchPerspectiveRgbNoShadow", ProjectBatchPerspectiveRgbNoShadow, nullptr,
     ProjectBatchPerspectiveRgbNoShadowFog},
};

const ProjectionCaseRow* FindProjectionCase(int32_t projectionCase)
{
    for (const ProjectionCaseRow& row : kProjectionCases) {
        if (row.projectionCase == projectionCase) return &row;
    }
    return nullptr;
}
