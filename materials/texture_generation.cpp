#include "materials/texture_generation.h"

#include <cmath>

#include "materials/shader.h"
#include "engine/shared_access.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kDomeSpread = 2.75f;

using Mapping = float* (*)(float* out, float x, float y, int n, bool cylinder);

float* HemisphereMapping(float* out, float x, float y, int n, bool) { return HemispherePoint(out, x, y, n); }
float* DomeMapping(float* out, float x, float y, int n, bool) { return DomePoint(out, x, y, n); }
float* UvMapping(float* out, float x, float y, int n, bool cylinder) { return UvToSpherePoint(out, x, y, n, cylinder); }

float* Sample5(float* out, const TexturePreset& preset, float x, float y, int n, Mapping map)
{
    static constexpr float kOffsets[5][2] = {{0, 0}, {-0.5f, 0}, {0.5f, 0}, {0, -0.5f}, {0, 0.5f}};
    float sum[3] = {0, 0, 0};
    for (const auto& o : kOffsets) {
        float p[3], c[3];
        map(p, x + o[0], y + o[1], n, preset.cylinderMapping != 0);
        EvaluateTexturePreset(c, preset, p);
        for (int i = 0; i < 3; ++i) sum[i] += c[i];
    }
    for (int i = 0; i < 3; ++i) out[i] = sum[i] * 0.2f;
    return out;
}

float* SampleOnce(float* out, const TexturePreset& preset, float x, float y, int n, Mapping map)
{
    float p[3];
    map(p, x, y, n, preset.cylinderMapping != 0);
    return EvaluateTexturePreset(out, preset, p);
}

float ColorLength(const float* c) { return std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]); }

}  // namespace

float* HemispherePoint(float* out, float x, float y, int n)
{
    const float h = static_cast<float>(n) * 0.5f;
    const float px = (x - h) / h, py = (y - h) / h;
    // Outside the disc the square root would be of a negative number; the
    // evaluator blackens those points by x and y alone.
    const float zz = 1.0f - px * px - py * py;
    out[0] = px;
    out[1] = py;
    out[2] = zz > 0.0f ? std::sqrt(zz) : 0.0f;
    return out;
}

float* DomePoint(float* out, float x, float y, int n)
{
    const float a = x / static_cast<float>(n) - 0.5f, b = y / static_cast<float>(n) - 0.5f;
    const float d = std::sqrt((a * a + b * b) * (kDomeSpread * kDomeSpread) + 1.0f);
    if (!(d > 0.0f)) {
        out[0] = out[1] = out[2] = 0.0f;
        return out;
    }
    out[0] = kDomeSpread * a / d;
    out[1] = kDomeSpread * b / d;
    out[2] = 1.0f / d;
    return out;
}

float* UvToSpherePoint(float* out, float u, float v, int n, bool cylinder)
{
    // A one-pixel image has no span to divide; it shows the first meridian.
    const float span = n > 1 ? static_cast<float>(n - 1) : 1.0f;
    const float theta = 2.0f * kPi * u / span - kPi;
    if (!cylinder) {
        const float phi = 2.0f * kPi * v / span - kPi;
        out[0] = std::sin(theta) * std::sin(phi);
        out[1] = std::cos(theta) * std::sin(phi);
        out[2] = std::cos(phi);
        return out;
    }
    const float z = 2.0f * v / span - 1.0f;
    const float r = std::cos(std::asin(z > 1.0f ? 1.0f : (z < -1.0f ? -1.0f : z)));
    out[0] = r * std::sin(theta);
    out[1] = r * std::cos(theta);
    out[2] = z;
    return out;
}

uint8_t ChannelByte(float c)
{
    const float v = c * 256.0f;
    if (!(v > 0.0f)) return 0;
    return v >= 255.0f ? 255 : static_cast<uint8_t>(v);
}

float* SampleHemisphere5(float* out, const TexturePreset& preset, float x, float y, int n)
{
    return Sample5(out, preset, x, y, n, HemisphereMapping);
}

float* SampleDome5(float* out, const TexturePreset& preset, float x, float y, int n)
{
    return Sample5(out, preset, x, y, n, DomeMapping);
}

float* SampleUv5(float* out, const TexturePreset& preset, float x, float y, int n)
{
    return Sample5(out, preset, x, y, n, UvMapping);
}

int TargetPanel(int kind) { return kind <= 1 ? 0 : (kind > 5 ? 4 : kind - 1); }

bool GenerateTextureImage(uint8_t* pixels, int n, int mode, TexturePreset& preset, GenerationProgress* progress)
{
    if (pixels == nullptr || n <= 0 || mode < 0 || mode >= kMappingModeCount) return true;
    if (progress != nullptr) {
        SharedStore(progress->total, static_cast<float>(n));
        SharedStore(progress->running, uint8_t{1});
    }
    const bool background = mode == 2 || mode == 4;
    if (background) preset.skySwapYZ = 0;
    preset.skyHorizontalScale = background ? 0.5f : 1.0f;

    for (int y = 0; y < n; ++y) {
        if (progress != nullptr && SharedLoad(progress->cancel)) {
            SharedStore(progress->running, uint8_t{0});
            return false;
        }
        if (progress != nullptr) SharedStore(progress->done, static_cast<float>(y));
        const float fy = static_cast<float>(y);
        for (int x = 0; x < n; ++x) {
            const float fx = static_cast<float>(x);
            float c[3];
            switch (mode) {
            case 0: SampleOnce(c, preset, fx + 0.5f, fy + 0.5f, n, HemisphereMapping); break;
            case 1: SampleHemisphere5(c, preset, fx, fy, n); break;
            case 2: SampleDome5(c, preset, fx, fy, n); break;
            case 3:
            case 7: SampleUv5(c, preset, fx, fy, n); break;
            case 4: SampleOnce(c, preset, fx, fy, n, DomeMapping); break;
            default: SampleOnce(c, preset, fx, fy, n, UvMapping); break;  // 5 and 6
            }
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(n) + static_cast<size_t>(x);
            if (mode == kGreyMappingMode) {
                pixels[at] = ChannelByte(ColorLength(c));
                continue;
            }
            if (mode == 6) c[0] = c[1] = c[2] = ColorLength(c);
            for (int i = 0; i < 3; ++i) pixels[at * 3 + static_cast<size_t>(i)] = ChannelByte(c[i]);
        }
    }
    if (progress != nullptr) SharedStore(progress->running, uint8_t{0});
    return true;
}

void Shader::GenerateProceduralTexture(uint8_t* pixels, int n, int mode, int index)
{
    if (index < 0 || index >= kTexturePresetCount) return;
    GenerationProgress* progress =
        SharedLoad(generationShown) ? &generation[TargetPanel(SharedLoad(generationTarget))] : nullptr;
    GenerateTextureImage(pixels, n, mode, presets[index], progress);
}

float* Shader::SampleTexturePresetHemisphere(float* out, float x, float y, int n, int index) const
{
    return SampleHemisphere5(out, presets[index], x, y, n);
}

float* Shader::SampleTexturePresetDome(float* out, float x, float y, int n, int index) const
{
    return SampleDome5(out, presets[index], x, y, n);
}

float* Shader::SampleTexturePresetUV(float* out, float x, float y, int n, int index) const
{
    return SampleUv5(out, presets[index], x, y, n);
}
