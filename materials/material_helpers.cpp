// Per-pixel material helpers: image sampling, transfer curves, surface
// relief, light gels, colour maps, material textures, fog gradient, blends.
#include <cmath>

#include "engine/noise.h"
#include "engine/vector_math.h"
#include "materials/image_sampling.h"
#include "materials/patterns.h"
#include "materials/color_maps.h"
#include "materials/shader.h"
#include "engine/shared_access.h"

namespace {

constexpr float kInv255 = 0.003921569f;

bool ValidMaterial(int m) { return m >= 0 && m < kMaterialCount; }

// 0 for values that are not numbers, else clamped to [0, 1].
float ClampUnit(float t) { return t > 0.0f ? (t < 1.0f ? t : 1.0f) : 0.0f; }

// Height functions of the surface relief by sub-mode.
float ReliefHeight(int subMode, const float* q)
{
    auto g = [q] {
        return std::sin(q[0]) * std::cos(q[1]) + std::sin(q[1]) * std::cos(q[2]) + std::sin(q[2]) * std::cos(q[0]);
    };
    switch (subMode) {
    case 1: return 0.5f * g() + 0.5f;
    case 2:
        return 0.5f + 0.11538462f * (std::cos(q[0]) + std::cos(q[1]) + std::cos(q[2])) +
               0.15384616f * std::cos(q[0]) * std::cos(q[1]) * std::cos(q[2]);
    case 3: return PatternGoldenCosineD(q[0], q[1], q[2]);
    case 4: return 0.5f * FractalNoise3(q[0], q[1], q[2]) + 0.25f + 0.25f * g();
    default: return FractalNoise3(q[0], q[1], q[2]);
    }
}

float ShapeHeight(int shaping, float h, float k)
{
    switch (shaping) {
    case 1: return std::tanh(3.0f * std::sin(h * 1.5707964f)) * k;
    case 2: {
        const float h2 = h * h, h4 = h2 * h2, h5 = h4 * h;
        return h5 * h5 * k;
    }
    case 3: return std::sin(h * 1.5707964f + 0.2f * std::sin(12.566371f * h)) * k;
    default: return h * k;
    }
}

void CarvedSpiralWarp(float& x, float& y, float& z)
{
    x *= 8.0f;
    y *= 8.0f;
    z *= 8.0f;
    for (int i = 0; i < 30; ++i) {
        const float a = std::sin(std::sin(3.0f * z) + z * z);
        const float b = std::sin(std::sin(3.0f * y) + x * z);
        const float c = std::sin(std::sin(3.0f * x) + x * x);
        z -= 0.05f * c;
        x -= 0.05f * a;
        y -= 0.05f * b;
    }
    x *= 0.125f;
    y *= 0.125f;
    z *= 0.125f;
}

void CurvedPatternWarp(float& x, float& y, float& z)
{
    x *= 16.0f;
    y *= 16.0f;
    z *= 16.0f;
    for (int i = 0; i < 30; ++i) {
        const float s = std::sin(x) + std::sin(y) + std::sin(z);
        const float nx = x - 0.15f * std::sin(std::cos(x) * s - std::sin(3.0f * y + 3.0f * z));
        const float ny = y - 0.15f * std::sin(std::cos(y) * s - std::sin(3.0f * x + 3.0f * z));
        const float nz = z - 0.15f * std::sin(std::cos(z) * s - std::sin(3.0f * x + 3.0f * y));
        x = nx;
        y = ny;
        z = nz;
    }
    x *= 0.0625f;
    y *= 0.0625f;
    z *= 0.0625f;
}

}  // namespace

float* BilinearAt(float* out, float fx, float fy, uint32_t width, uint32_t height, const uint8_t* pixels)
{
    if (pixels == nullptr || width == 0 || height == 0) return Vec3Fill(out, 0.0f);
    // Clamping into the image also sends a coordinate that is not a number to 0.
    fx = fx > 0.0f ? std::fmin(fx, static_cast<float>(width - 1)) : 0.0f;
    fy = fy > 0.0f ? std::fmin(fy, static_cast<float>(height - 1)) : 0.0f;
    const uint32_t x0 = static_cast<uint32_t>(fx), y0 = static_cast<uint32_t>(fy);
    const uint32_t x1 = x0 + 1 < width ? x0 + 1 : x0, y1 = y0 + 1 < height ? y0 + 1 : y0;
    const float ax = ClampUnit(fx - static_cast<float>(x0)), ay = ClampUnit(fy - static_cast<float>(y0));
    const uint8_t* p00 = pixels + (static_cast<size_t>(y0) * width + x0) * 3;
    const uint8_t* p10 = pixels + (static_cast<size_t>(y0) * width + x1) * 3;
    const uint8_t* p01 = pixels + (static_cast<size_t>(y1) * width + x0) * 3;
    const uint8_t* p11 = pixels + (static_cast<size_t>(y1) * width + x1) * 3;
    const float w00 = (1.0f - ax) * (1.0f - ay), w10 = ax * (1.0f - ay), w01 = (1.0f - ax) * ay, w11 = ax * ay;
    for (int c = 0; c < 3; ++c) out[c] = (w00 * p00[c] + w10 * p10[c] + w01 * p01[c] + w11 * p11[c]) * kInv255;
    return out;
}

float* BilinearAt(float* out, float fx, float fy, const SlotImage* image)
{
    if (image == nullptr) return Vec3Fill(out, 0.0f);
    return BilinearAt(out, fx, fy, image->width, image->height, image->pixels.data());
}

float* Shader::SampleImageBilinear(float* out, float u, float v, uint32_t width, uint32_t height,
                                   const uint8_t* pixels) const
{
    if (gTexturesBusy.load(std::memory_order_acquire) || width == 0 || height == 0) return Vec3Fill(out, 0.0f);
    const float fx = (u + 1.0f) * 0.5f * static_cast<float>(width - 1);
    const float fy = (v + 1.0f) * 0.5f * static_cast<float>(height - 1);
    return BilinearAt(out, fx, fy, width, height, pixels);
}

float* Shader::SampleSlotBilinear(float* out, float u, float v, const TextureSlot& slot) const
{
    if (gTexturesBusy.load(std::memory_order_acquire)) return Vec3Fill(out, 0.0f);
    const SlotImageHold image = slot.Image();
    if (!image) return Vec3Fill(out, 0.0f);
    return SampleImageBilinear(out, u, v, image->width, image->height, image->pixels.data());
}

float Shader::ApplyMaterialCurve(float t, int m) const
{
    return ValidMaterial(m) ? ApplyCurveMode(SharedLoad(curveMode2[m]), t) : t;
}

float Shader::ApplyMaterialCurve2(float t, int m) const
{
    return ValidMaterial(m) ? ApplyCurveMode(SharedLoad(curveMode1[m]), t) : t;
}

float* Shader::EvaluateSurfaceMaterial(float* out, int m, float* P, float* N) const
{
    Vec3Normalize(N, N);
    const uint32_t type = ValidMaterial(m) ? SharedLoad(materialType[m]) : 0;
    const MaterialTypeRow& row = kMaterialTypes[type < kMaterialTypeCount ? type : 0];

    float x = 0.70710677f * (P[0] + P[2]), y = P[1], z = 0.70710677f * (P[2] - P[0]);
    if (row.family == 2) CarvedSpiralWarp(x, y, z);
    else if (row.family == 3) CurvedPatternWarp(x, y, z);
    Vec3Pack(P, 40.0f * x + 16.0f, 40.0f * y + 28.0f, 40.0f * z + 6.0f);

    const float px[3] = {P[0] + 0.01f, P[1], P[2]};
    const float py[3] = {P[0], P[1] + 0.01f, P[2]};
    const float pz[3] = {P[0], P[1], P[2] + 0.01f};
    const float h0 = ShapeHeight(row.shaping, ReliefHeight(row.subMode, P), row.strength);
    const float hx = ShapeHeight(row.shaping, ReliefHeight(row.subMode, px), row.strength);
    const float hy = ShapeHeight(row.shaping, ReliefHeight(row.subMode, py), row.strength);
    const float hz = ShapeHeight(row.shaping, ReliefHeight(row.subMode, pz), row.strength);
    const float bent[3] = {N[0] - 100.0f * (hx - h0), N[1] - 100.0f * (hy - h0), N[2] - 100.0f * (hz - h0)};
    return Vec3Normalize(out, bent);
}

float* Shader::SampleLightGel(float* out, float u, float v, int light) const
{
    if (light < 0 || light >= kLightCount) return Vec3Fill(out, 0.0f);
    const SlotImageHold image = gels[light].Image();
    if (!image || image->width == 0 || image->height == 0) return Vec3Fill(out, 0.0f);
    return BilinearAt(out, u * static_cast<float>(image->width - 1), v * static_cast<float>(image->height - 1),
                      image.get());
}

float* Shader::GetFogGradientColor(float* out, float t) const
{
    const double x = 255.0 * ClampUnit(t);
    const int i0 = static_cast<int>(std::floor(x));
    const int i1 = x != i0 ? i0 + 1 : i0;
    const float f = static_cast<float>(x - i0);
    const uint8_t* gradient[3] = {gFogGradient.red, gFogGradient.green, gFogGradient.blue};
    for (int c = 0; c < 3; ++c) {
        const float a = SharedLoad(gradient[c][i0]), b = SharedLoad(gradient[c][i1]);
        out[c] = (a * (1.0f - f) + b * f) * kInv255 + FogColor(c);
    }
    return out;
}

float* Shader::BlendColors(float* out, const float* a, const float* b, uint32_t mode)
{
    for (int c = 0; c < 3; ++c) {
        const float x = a[c], y = b[c];
        switch (mode) {
        case 0:
        case 1: out[c] = x + y; break;
        case 2: out[c] = x * y; break;
        case 3: out[c] = (x + y) * 0.5f; break;
        case 4: out[c] = std::fabs(x - y); break;
        case 5: out[c] = std::fmin(x, y); break;
        case 6: out[c] = std::fmax(x, y); break;
        case 7: out[c] = 1.0f - (1.0f - x) * (1.0f - y); break;
        case 8: out[c] = 1.0f - std::fabs(1.0f - x - y); break;
        default: break;  // the caller's colour stays
        }
    }
    return out;
}

float* Shader::LookupMaterialColorMap(float* out, float t, int m, int side) const
{
    if (!ValidMaterial(m) || (side != 0 && side != 1)) return Vec3Fill(out, 0.0f);
    const float x = 256.0f * ClampUnit(t);
    int i0 = static_cast<int>(std::floor(x));
    int i1 = x != static_cast<float>(i0) ? i0 + 1 : i0;
    const float f = ClampUnit(x - static_cast<float>(i0));
    // Entry 0 is never read; 256 reads 255.
    i0 = i0 < 1 ? 1 : (i0 > 255 ? 255 : i0);
    i1 = i1 < 1 ? 1 : (i1 > 255 ? 255 : i1);
    for (int c = 0; c < 3; ++c) {
        const uint8_t* map = materialColorMaps[2 * c + side][m];
        out[c] = (SharedLoad(map[i0]) * (1.0f - f) + SharedLoad(map[i1]) * f) * kInv255;
    }
    return out;
}

float* Shader::SampleMaterialTexture(float* out, float* uv, int m, int side) const
{
    if (!ValidMaterial(m) || (side != 0 && side != 1)) return Vec3Fill(out, 0.0f);
    if (!SharedLoad(side == 0 ? useTextureA[m] : useTextureB[m])) return Vec3Fill(out, 0.0f);
    const float angle = SharedLoad(side == 0 ? rotationA[m] : rotationB[m]);
    if (angle != 0.0f) {
        const float r = std::sqrt(uv[0] * uv[0] + uv[1] * uv[1]);
        const float phi = std::atan2(uv[1], uv[0]) + angle * 0.017453292f;
        uv[0] = r * std::cos(phi);
        uv[1] = r * std::sin(phi);
    }
    return SampleSlotBilinear(out, uv[0], uv[1], slots[side == 0 ? m : kMaterialCount + m]);
}
