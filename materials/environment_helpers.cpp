// Per-pixel environment helpers: the background image mapped as a dome or
// the worker's daylight sky, reflections, the glass-like environment term
// and the background of preview and render pixels.
#include <cmath>

#include "engine/vector_math.h"
#include "materials/image_sampling.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "engine/shared_access.h"

namespace {

constexpr float kPreviewCentre = 416.0f;

int SkyIndex(int worker) { return worker >= 0 && worker < kSkyCount ? worker : 0; }

float Clamp01(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

// Linear RGB of the sky along e.
float* SkyRgb(float* out, const Skylight& sky, const float* e)
{
    float sample[6] = {e[0], e[1], e[2], 0.0f, 0.0f, 0.0f};
    sky.SkyColor(sample);
    Skylight::XyYToRgb(sample);
    return Vec3Pack(out, sample[3], sample[4], sample[5]);
}

// The stereographic sky of a background pixel at (a, b), b the height.
float* SkyBackground(float* out, const Skylight& sky, float a, float b)
{
    float k = 1.0f;
    if (b <= 0.0001f) {
        b = 0.85f * std::sqrt(std::fabs(b + 0.0001f));
        k = 1.0f - b;
    }
    const float q = a * a * 0.25f, s = q + 1.0f + b * b;
    float d[3] = {a / s, (q + b * b - 1.0f) / s, 2.0f * b / s};
    Vec3Normalize(d, d);
    SkyRgb(out, sky, d);
    const float scale = 0.015f * k / 255.0f;
    return Vec3Pack(out, Clamp01(out[0] * scale), Clamp01(out[1] * scale), Clamp01(out[2] * scale));
}

}  // namespace

float* Shader::FoldedSkyColor(float* out, float* e, float factor, int worker) const
{
    float k = 1.0f;
    if (e[1] <= 0.0001f) {
        e[1] = 0.85f * std::sqrt(std::fabs(e[1] + 0.0001f));
        k = 1.0f - e[1];
    }
    SkyRgb(out, skies[SkyIndex(worker)], e);
    return Vec3Scale(out, out, factor * k);
}

namespace {

// The background image as a dome seen along the unit vector e.
float* DomeSample(float* out, const Shader& shader, const float* e)
{
    const float f = e[2] > 0.0f ? 1.0f / (2.0f * (e[2] + 1.0f)) : 0.5f / (1.0f - e[2]);
    const float u = 0.5f + f * e[0], v = 0.5f - f * e[1];
    return shader.SampleSlotBilinear(out, 2.0f * u - 1.0f, 2.0f * v - 1.0f, shader.slots[kBackgroundSlot]);
}

float* UnitOf(float* out, float x, float y, float z)
{
    const float in[3] = {x, y, z};
    return Vec3Normalize(out, in);
}

}  // namespace

float* Shader::SampleEnvironment(float* out, const float* d, int worker) const
{
    float e[3];
    if (SharedLoad(backgroundImageOn)) return DomeSample(out, *this, UnitOf(e, d[0], -d[1], -d[2]));
    UnitOf(e, d[0], d[1], -d[2]);
    return FoldedSkyColor(out, e, 0.0095f / 256.0f, worker);
}

float* Shader::ShadeReflection(float* out, const float* d, int worker) const
{
    float e[3];
    if (SharedLoad(backgroundImageOn)) return DomeSample(out, *this, UnitOf(e, d[0], -d[1], d[2]));
    UnitOf(e, d[0], d[1], d[2]);
    return FoldedSkyColor(out, e, 0.0095f / 256.0f, worker);
}

float* Shader::EnvironmentLight(float* out, const float* I, float* N, float na, float nb, int worker) const
{
    N[2] = std::fabs(N[2]);
    const float g = 1.0f - std::exp(-0.75f * std::sqrt(N[2]));
    const float eta = nb != 0.0f ? na / nb : na / 0.0001f;
    const float c = Vec3DotP(N, I);
    const float R[3] = {I[0] - 2.0f * c * N[0], I[1] - 2.0f * c * N[1], I[2] - 2.0f * c * N[2]};
    const float cosT = std::sqrt(std::fabs(1.0f - (1.0f - c * c) * eta * eta));
    const float T[3] = {eta * I[0] + (cosT - c * eta) * N[0], eta * I[1] + (cosT - c * eta) * N[1],
                        eta * I[2] + (cosT - c * eta) * N[2]};
    auto nonZero = [](float v) { return v != 0.0f ? v : 0.0001f; };
    const float rs = (c * na - cosT * nb) / nonZero(cosT * nb + c * na);
    const float rp = (c * nb - cosT * na) / nonZero(c * nb + cosT * na);
    const float wa = std::exp(-0.625f * (rp * rp + rs * rs));
    const float wb = std::exp(-0.625f * ((1.0f - rs) * (1.0f - rs) + (1.0f - rp) * (1.0f - rp)));

    float a[3], b[3], e[3];
    if (SharedLoad(backgroundImageOn)) {
        DomeSample(a, *this, UnitOf(e, R[0], -R[1], -R[2]));
        DomeSample(b, *this, UnitOf(e, -T[0], T[1], T[2]));
    } else {
        FoldedSkyColor(a, UnitOf(e, R[0], R[1], -R[2]), 0.0095f / 256.0f, worker);
        UnitOf(e, T[0], T[1], -T[2]);
        Vec3Scale(e, e, g);
        FoldedSkyColor(b, e, 0.015f / 256.0f, worker);
    }
    const float ka = 1.0f - wa, kb = 1.0f - wb, sum = ka + kb;
    for (int i = 0; i < 3; ++i) {
        const float v = (a[i] * ka + b[i] * kb) / sum;
        out[i] = std::isfinite(v) ? v : 0.0f;
    }
    return out;
}

float* Shader::SampleBackgroundPreviewPixel(float* out, int x, int y, int worker) const
{
    if (!SharedLoad(backgroundImageOn)) {
        return SkyBackground(out, skies[SkyIndex(worker)], (x - kPreviewCentre) / kPreviewCentre,
                             (y - kPreviewCentre) / (2.0f * kPreviewCentre));
    }
    if (gTexturesBusy.load(std::memory_order_acquire)) return Vec3Fill(out, 0.0f);
    const SlotImageHold image = slots[kBackgroundSlot].Image();
    if (!image || image->width == 0) return Vec3Fill(out, 0.0f);
    return BilinearAt(out, x * (image->width - 1) / 831.0f, y * (image->height - 1) / 831.0f, image.get());
}

float* Shader::SampleBackgroundPixel(float* out, int x, int y, int worker) const
{
    if (x < 0 || y < 0) return Vec3Fill(out, 0.0f);
    // Renders taller than wide map their rows with the width's scale too;
    // the rows past the width then reach past the image and clamp to its edge.
    const int w = gImageWidth;
    if (!SharedLoad(backgroundImageOn)) {
        const float half = w > 1 ? w * 0.5f : 1.0f;
        return SkyBackground(out, skies[SkyIndex(worker)], (x - half) / half, (y - half) / half * 0.5f);
    }
    if (gTexturesBusy.load(std::memory_order_acquire)) return Vec3Fill(out, 0.0f);
    const SlotImageHold image = slots[kBackgroundSlot].Image();
    if (!image || image->width == 0) return Vec3Fill(out, 0.0f);
    const float last = w > 1 ? static_cast<float>(w - 1) : 1.0f;
    return BilinearAt(out, x * (image->width - 1) / last, y * (image->height - 1) / last, image.get());
}
