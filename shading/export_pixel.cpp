// Sections: [settings and sky] [surface terms] [shadows] [fog and background]
// [pixels] [drawing shaders and tail] [reflection] [row pair].
#include "shading/export_pixel.h"

#include <algorithm>
#include <cmath>

#include "engine/baseshape_model.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "engine/random_helpers.h"
#include "engine/vector_math.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "engine/shared_access.h"
#include "render/view_camera.h"
#include "shading/color_grain.h"
#include "shading/glow.h"
#include "shading/shading_settings.h"
#include "shading/preview_passes.h"

ExportShadingSettings gExportShading;

namespace {

constexpr float kInv255 = 0.003921569f;
constexpr float kInv65536 = 1.5258789e-05f;
constexpr float kTenPi = 31.415928f;
constexpr float kTenDegrees = 0.17453292f;
constexpr float kAngleWord = 1.4629181e-9f;  // 2 pi / 2^32
constexpr int kSpreadSamples = 40;
constexpr float kSpreadWeight = 0.025f;
// A reflected ray leaves its own pixel within 1 / 0.0001 steps; the march
// crosses the image within its width plus height.
constexpr int kLeavePixelLimit = 20000;

// By |dy| and |dx|; the 81 taps sum to 1.
constexpr float kTracedWeights[5][5] = {
    {0.016937f, 0.016514f, 0.015306f, 0.013486f, 0.011297f},
    {0.016514f, 0.016101f, 0.014923f, 0.013149f, 0.011014f},
    {0.015306f, 0.014923f, 0.013832f, 0.012188f, 0.010209f},
    {0.013486f, 0.013149f, 0.012188f, 0.010739f, 0.008995f},
    {0.011297f, 0.011014f, 0.010209f, 0.008995f, 0.007535f},
};

// The turbidity each worker's sky was last derived with (NaN: not yet).
float gWorkerSkyTurbidity[kSkyCount];

// NaN becomes lo.
inline float Clamp(float v, float lo, float hi) { return v > lo ? (v < hi ? v : hi) : lo; }

// Everything one pixel carries from step to step.
struct Pixel {
    float colour[3] = {0, 0, 0};
    float alpha = 0.0f;
    float fog = 1.0f;  // phi
    bool surface = false;
};

// ---- [settings and sky] ----------------------------------------------------

int Worker(int worker) { return worker >= 0 && worker < kSkyCount ? worker : 0; }

// The worker's sky with the turbidity T, lowered by depth of field.
void UseSky(int worker, float dof)
{
    const float t = gExportShading.turbidity;
    const float turbidity = dof > 0.0f ? t - t * dof * 0.35f : t;
    if (gWorkerSkyTurbidity[worker] == turbidity) return;
    Skylight& sky = gShader.skies[worker];
    sky.SetSun(sky.mirroredDirection, turbidity);
    gWorkerSkyTurbidity[worker] = turbidity;
}

float DofFactor(int column, int row)
{
    const ExportShadingSettings& e = gExportShading;
    if (!e.dofOn || !(e.dofMax > 0.0f)) return 0.0f;
    if (column < 0 || row < 0 || column >= gImageWidth || row >= gImageHeight) return 0.0f;
    const float v = SharedLoad(gDofDepthBuffer[static_cast<int64_t>(row) * gImageWidth + column]);
    return v / e.dofMax;
}

// The row of the background sample: renders taller or wider than square
// centre the square background on the image.
int CentredRow(int row) { return static_cast<int>(static_cast<float>(row) + (gImageWidth - gImageHeight) * 0.5f); }

float* Background(float* out, int column, int row, int worker)
{
    return gShader.SampleBackgroundPixel(out, column, CentredRow(row), worker);
}

// ---- [surface terms] -------------------------------------------------------

// Point of the normal triangle: its sub-pixel position shifted by (ox, oy)
// and its depth scaled by k; zero outside the image.
void TrianglePoint(float* p, int x, int y, float ox, float oy, float k)
{
    if (x < 0 || y < 0 || x >= gImageWidth || y >= gImageHeight) {
        Vec3Pack(p, ox, oy, 0.0f);
        return;
    }
    const int64_t i = static_cast<int64_t>(y) * gImageWidth + x;
    const float sx = SharedLoad(gSubPixelBuffer[2 * i]) * kInv255;
    const float sy = SharedLoad(gSubPixelBuffer[2 * i + 1]) * kInv255;
    Vec3Pack(p, sx + ox, sy + oy, SharedLoad(gDepthBuffer[i]) * k * static_cast<float>(gImageWidth) * kInv65536);
}

void SurfaceNormal(const ShadingView& s, float* n, int column, int y, float v)
{
    float k = s.view.focal;
    if (s.perspective) k = s.view.focal / (s.view.eye - 2.0f * v * kInv65536 + 1.0f) * s.view.focal * 1.5f;
    float a[3], b[3], c[3];
    TrianglePoint(a, column - 1, y - 1, -1.0f, -1.0f, k);
    TrianglePoint(b, column, y - 1, 0.0f, -1.0f, k);
    TrianglePoint(c, column, y, 0.0f, 0.0f, k);
    TriangleNormal(n, a, b, c);
    Vec3Normalize(n, n);
    const float w = static_cast<float>(gImageWidth), centre = gHalfImageWidth;
    n[0] += (static_cast<float>(column) - centre) / w;
    n[1] += (static_cast<float>(y) - centre) / w;
    Vec3Normalize(n, n);
}

float LightDistribution(float d, const float* n, int worker)
{
    switch (gExportShading.lightDistribution) {
    case 0: return (1.0f - d) * (1.0f - d);
    case 1: return (gExportShading.light[2] + d) * 0.5f;
    case 2: return std::sin(n[2] * kTenPi) * std::sin(d * kTenPi) * d;
    case 3: {
        const float u1 = RandomUniform(gSlotRandom[worker]);
        const float u2 = RandomUniform(gSlotRandom[worker]);
        return d + (u2 - u1) * 0.05f;
    }
    case 4: return d * std::exp(d * 0.5f);
    case 5: return d * std::cos(d * kTenPi);
    case 6: return d * std::sin(d * kTenPi);
    default: return d;
    }
}

// Sum of the specular term and the two material colours for one direction.
struct MaterialSample {
    float specular = 0.0f;
    float a[3] = {0, 0, 0};
    float b[3] = {0, 0, 0};
};

void SampleMaterial(MaterialSample& m, int material, const float* h, const float* dir, float tB, float tA)
{
    const float hd = Vec3DotP(h, dir) * SharedLoad(gShader.specularIntensity[material]);
    if (hd >= 0.0f) m.specular += std::pow(hd, SharedLoad(gShader.specularMagnitude[material]));
    float c[3], uv[2];
    if (SharedLoad(gShader.useColorMapB[material])) {
        gShader.LookupMaterialColorMap(c, tB, material, 1);
    } else {
        uv[0] = dir[0], uv[1] = dir[1];
        gShader.SampleMaterialTexture(c, uv, material, 1);
    }
    Vec3Add(m.b, m.b, c);
    if (SharedLoad(gShader.useColorMapA[material])) {
        gShader.LookupMaterialColorMap(c, tA, material, 0);
    } else {
        uv[0] = dir[0], uv[1] = dir[1];
        gShader.SampleMaterialTexture(c, uv, material, 0);
    }
    Vec3Add(m.a, m.a, c);
}

// Step 7: jittered over 40 directions of the spread cone, or once along n.
void MaterialTerms(MaterialSample& m, int material, const float* n, const float* h, float d, int worker)
{
    const float spread = SharedLoad(gShader.ambientRoughness[material]);
    if (!(spread > 0.0f)) {
        SampleMaterial(m, material, h, n, d, n[2]);
        return;
    }
    const float angle = spread * kTenDegrees;
    for (int i = 0; i < kSpreadSamples; ++i) {
        float dir[3];
        RandomDirectionInCone(dir, n, angle, static_cast<uint8_t>(worker));
        const float tB = SharedLoad(gShader.useColorMapB[material])
                             ? (RandomUniform(gSlotRandom[worker]) * 0.1f - 0.05f) * spread + d
                             : d;
        const float tA = SharedLoad(gShader.useColorMapA[material])
                             ? (RandomUniform(gSlotRandom[worker]) * 0.1f - 0.05f) * spread + n[2]
                             : n[2];
        SampleMaterial(m, material, h, dir, tB, tA);
    }
    m.specular *= kSpreadWeight;
    Vec3Scale(m.a, m.a, kSpreadWeight);
    Vec3Scale(m.b, m.b, kSpreadWeight);
}

// Step 8: the glass-like environment term seen from the pixel's point of the
// unit sphere, times 1.5.
void EnvironmentTerm(float* out, int material, const float* n, int column, int y, bool once, int worker)
{
    const float half = gHalfImageWidth > 0.0f ? gHalfImageWidth : 1.0f;
    const float x = (static_cast<float>(column) - half) / half, yy = (static_cast<float>(y) - half) / half;
    const float q = (x * x + yy * yy) * 0.25f;
    const float point[3] = {x / (q + 1.0f), yy / (q + 1.0f), (q - 1.0f) / (q + 1.0f)};
    const float na = SharedLoad(gShader.fresnelInt[material]), nb = SharedLoad(gShader.fresnelExt[material]);
    const float spread = SharedLoad(gShader.ambientRoughness[material]);
    float normal[3], c[3];
    if (once || !(spread > 0.0f)) {
        Vec3Pack(normal, n[0], n[1], n[2]);
        gShader.EnvironmentLight(out, point, normal, na, nb, worker);
    } else {
        Vec3Fill(out, 0.0f);
        for (int i = 0; i < kSpreadSamples; ++i) {
            RandomDirectionInCone(normal, n, spread * kTenDegrees, static_cast<uint8_t>(worker));
            Vec3Add(out, out, gShader.EnvironmentLight(c, point, normal, na, nb, worker));
        }
        Vec3Scale(out, out, kSpreadWeight);
    }
    Vec3Scale(out, out, 1.5f);
}

// ---- [shadows] -------------------------------------------------------------

// Step 11: sigma, scaling the specular term as the shadow type says.
float ShadowFactor(const ShadingView& s, int column, int y, int material, float& specular, int worker)
{
    const ExportShadingSettings& e = gExportShading;
    if (!e.shadowsOn) return 1.0f;
    const float level = SharedLoad(gShader.shadowDepth[material]);
    float sigma = 1.0f;
    switch (e.shadowType) {
    case kShadowOccluded:
        sigma = ShadowFactorBall(s, column, y, e.shadowRadius, e.shadowSamples, level, static_cast<uint8_t>(worker));
        specular *= sigma;
        break;
    case kShadowTraced: {
        float lit = 0.0f;
        for (int dy = -4; dy <= 4; ++dy) {
            const int ty = std::clamp(y + dy, 0, gImageHeight - 1);
            for (int dx = -4; dx <= 4; ++dx) {
                const int tx = std::clamp(column + dx, 0, gImageWidth - 1);
                if (!TestShadowMap(tx, ty)) lit += TracedTapWeight(dx, dy);
            }
        }
        if (lit <= 0.85f) {
            sigma = level;
            specular = 0.0f;
        }
        break;
    }
    case kShadowSmooth:
        sigma = ShadowFactorDisc(s, column, y, e.shadowRadius, e.shadowSamples, level, static_cast<uint8_t>(worker));
        specular *= sigma;
        break;
    case kShadowClassic:
        sigma = ShadowFactorNeighbourhood(s, column, y, level);
        if (sigma < 1.0f) specular = 0.0f;
        break;
    default: break;
    }
    return sigma;
}

// ---- [fog and background] --------------------------------------------------

void FogBlend(Pixel& p, int column, int y, bool centred, int worker)
{
    if (!gExportShading.fogOn) return;
    if (centred) {
        BlendWithBackgroundB(p.colour, column, y, p.fog, p.colour, worker);
        return;
    }
    float f[3];
    if (gExportShading.backgroundFog)
        Background(f, column, y, worker);
    else
        gShader.GetFogGradientColor(f, p.fog);
    for (int c = 0; c < 3; ++c) p.colour[c] = p.colour[c] * p.fog + (1.0f - p.fog) * f[c];
}

void Occlusion(Pixel& p, const ShadingView& s, int column, int y, int material, const float* n, int worker)
{
    if (!gOcclusionSettings.everyPixel && !gOcclusionSettings.averaged) return;
    float out[3];
    ShadePixelOcclusion(out, s, column, y, material, n, p.colour, static_cast<uint8_t>(worker));
    Vec3Pack(p.colour, out[0], out[1], out[2]);
}

void AddEnvironmentReflection(Pixel& p, const float* n, int worker)
{
    float r[3];
    gShader.ShadeReflection(r, n, worker);
    for (int c = 0; c < 3; ++c) p.colour[c] += (1.0f - n[2]) * r[c];
}

// ---- [pixels] --------------------------------------------------------------

void Gamma(Pixel& p)
{
    const float g = gExportShading.gamma;
    if (g != 1.0f)
        for (float& c : p.colour) c = std::pow(c, g);
}

void ShadeEmptyPixel(Pixel& p, int column, int y, int worker)
{
    const ExportShadingSettings& e = gExportShading;
    const float dof = DofFactor(column, y);
    UseSky(worker, dof);
    p.alpha = e.png ? dof * 256.0f : 0.0f;
    float b[3] = {0, 0, 0};
    if (e.backgroundOn) Background(b, column, y, worker);
    for (int c = 0; c < 3; ++c) {
        p.colour[c] = dof * e.ambient[c] * 0.5f + b[c];
        if (e.fogOn && !e.backgroundFog) p.colour[c] += gShader.FogColor(c);
    }
    Gamma(p);
    for (float& c : p.colour) c *= 256.0f;
}

int PixelBaseshape(int column, int y)
{
    if (!gExportShading.useBaseshapes) return 0;
    const int8_t index = static_cast<int8_t>(SharedLoad(gColorIndexBuffer[static_cast<int64_t>(y) * gImageWidth + column]));
    const int b = std::abs(static_cast<int>(index)) - 1;
    return b >= 0 && b < kMaxBaseshapes ? b : 0;
}

// Steps 1 to 18 for a pixel with a surface; kNested: the single-pixel
// shading of a reflection hit (no reflections, environment once, the
// screen-centred background blend).
template <bool kNested>
void ShadeSurfacePixel(Pixel& p, const ShadingView& s, int column, int y, float v, int worker)
{
    const ExportShadingSettings& e = gExportShading;
    p.surface = true;
    float n[3];
    SurfaceNormal(s, n, column, y, v);
    const int b = PixelBaseshape(column, y);
    const int m = gBaseshapes[b].material < kMaterialCount ? gBaseshapes[b].material : 0;
    if (SharedLoad(gShader.surfaceMaterialOn[m])) {
        float point[3];
        ComputeDepthPixelPosition(point, column, y);
        gShader.EvaluateSurfaceMaterial(n, m, point, n);
    }
    const float* L = e.light;
    float d = Vec3DotP(L, n);
    float extra[3] = {0, 0, 0};
    if (e.extraLights) ShadeDepthPixel(extra, static_cast<uint32_t>(column), static_cast<uint32_t>(y), n);
    d = Clamp(LightDistribution(d, n, worker), 0.0f, 1.0f);
    n[2] = Clamp(n[2], 0.0f, 1.0f);
    float h[3];
    Vec3Normalize(h, Vec3Pack(h, L[0] * 0.5f, L[1] * 0.5f, (L[2] + 1.0f) * 0.5f));

    MaterialSample ms;
    MaterialTerms(ms, m, n, h, d, worker);
    p.colour[0] = p.colour[1] = p.colour[2] = 0.0f;
    if (SharedLoad(gShader.fresnelOn[m])) {
        float env[3];
        EnvironmentTerm(env, m, n, column, y, kNested, worker);
        Vec3Add(p.colour, p.colour, env);
    }
    const float dof = DofFactor(column, y);
    UseSky(worker, dof);
    p.fog = e.fogOn ? Clamp(std::exp(v * e.fog[1] * kInv65536) * e.fog[0], 0.0f, 1.0f) : 1.0f;
    float specular = ms.specular;
    const float sigma = ShadowFactor(s, column, y, m, specular, worker);

    float point[3] = {0, 0, 0};
    if (e.rgbColoring) {
        const int64_t i = static_cast<int64_t>(y) * gImageWidth + column;
        for (int c = 0; c < 3; ++c) point[c] = SharedLoad(gPointColorPlanes[c][i]) * kInv255;
    }
    const uint32_t mode = static_cast<uint32_t>(8 - e.materialBlend);
    float a2[3] = {0, 0, 0}, b2[3] = {0, 0, 0};
    Shader::BlendColors(a2, ms.a, point, mode);
    Shader::BlendColors(b2, ms.b, point, mode);
    if (e.materialBlend == 8) {
        Vec3Pack(b2, ms.b[0], ms.b[1], ms.b[2]);
        if (gBaseshapes[b].useTexture || gBaseshapes[b].useGradient) Vec3Pack(a2, point[0], point[1], point[2]);
    }
    const float cd = gShader.ApplyMaterialCurve(d, m), cz = gShader.ApplyMaterialCurve2(n[2], m);
    const float wA = SharedLoad(gShader.ambientIntensity[m]), wB = SharedLoad(gShader.diffuseIntensity[m]);
    const uint8_t highlight[3] = {SharedLoad(gShader.previewRed[m]), SharedLoad(gShader.previewGreen[m]), SharedLoad(gShader.previewBlue[m])};
    for (int c = 0; c < 3; ++c)
        p.colour[c] += b2[c] * cd * wB * sigma + wA * a2[c] * cz + highlight[c] * kInv255 * specular + extra[c];

    if (!kNested && e.reflectionsOn) {
        float sum[3] = {0, 0, 0}, r[3];
        const float depth = SharedLoad(gDepthBuffer[static_cast<int64_t>(y) * gImageWidth + column]);
        for (int k = 0; k < 3; ++k) {
            const float phi = static_cast<float>(RandomStep(gSlotRandom[worker])) * kAngleWord;
            const float z = RandomUniform(gSlotRandom[worker]) * 2.0f - 1.0f;
            const float c = std::sqrt(std::max(0.0f, 1.0f - z * z));
            float jittered[3] = {n[0] + 0.02f * c * std::cos(phi), n[1] + 0.02f * z, n[2] + 0.02f * c * std::sin(phi)};
            Vec3Normalize(jittered, jittered);
            Vec3Add(sum, sum, ShadeReflection(r, column, y, jittered, depth, worker));
        }
        for (int c = 0; c < 3; ++c) p.colour[c] += sum[c] * e.reflectivity * 0.33333334f;
        UseSky(worker, dof);  // a hit shaded with its own depth of field
    }
    if (gBaseshapes[b].neonOn) {
        const float k = gBaseshapeNeonStrength[b] * kInv255;
        p.colour[0] += gBaseshapeNeonColor.r[b] * k;
        p.colour[1] += gBaseshapeNeonColor.g[b] * k;
        p.colour[2] += gBaseshapeNeonColor.b[b] * k;
        p.fog = 1.0f;
    }
    if (!e.backgroundReflection) {
        Occlusion(p, s, column, y, m, n, worker);
        FogBlend(p, column, y, kNested, worker);
    } else if (!e.backgroundFog && !e.affectedByFog) {
        FogBlend(p, column, y, kNested, worker);
        AddEnvironmentReflection(p, n, worker);
        Occlusion(p, s, column, y, m, n, worker);
    } else {
        AddEnvironmentReflection(p, n, worker);
        Occlusion(p, s, column, y, m, n, worker);
        FogBlend(p, column, y, kNested, worker);
    }
    for (int c = 0; c < 3; ++c) p.colour[c] += dof * e.ambient[c];
    p.alpha = e.fogToAlpha ? p.fog * 255.0f : 255.0f;
    Gamma(p);
    for (float& c : p.colour) c = std::floor(c * 256.0f);
}

// ---- [drawing shaders and tail] --------------------------------------------

bool ReplacesShading(int32_t type) { return type >= 0 && type < kDrawingTypes && gDrawingTypeFlags.grey[type]; }

// The edge value of drawing types 1 to 4 from the depth gradient around the pixel.
float EdgeValue(const ShadingView& s, int x, int y, float fog, int32_t type)
{
    const auto D = [&s](int i, int j) { return LinearDepthAt(s, i, j); };
    const float P = s.view.focal, k = P * static_cast<float>(gImageWidth) * kInv65536;
    const float gy = k * (D(x - 1, y - 1) + 2.0f * D(x, y - 1) + D(x + 1, y - 1) - D(x - 1, y + 1) -
                          2.0f * D(x, y + 1) - D(x + 1, y + 1));
    const float gx = k * (D(x + 1, y + 1) + 2.0f * D(x + 1, y) + D(x + 1, y - 1) - D(x - 1, y + 1) -
                          2.0f * D(x - 1, y) - D(x - 1, y - 1));
    const float g = std::sqrt(gx * gx + gy * gy);
    const auto ramp = [](float q) { return q < 254.0f ? 255.0f : (q > 414.0f ? 0.0f : (414.0f - q) * 1.59375f); };
    switch (type) {
    case 1: return ramp(g * ((1.0f - fog) * 7.0f + 1.0f) / P);
    case 2: return Clamp(std::atan2(gx, gy) * 40.584507f + 127.5f, 0.0f, 255.0f);
    case 3: return Clamp(g * 10.0f / P, 0.0f, 255.0f);
    default: return ramp(g * 10.0f / P);
    }
}

void DrawingShader(Pixel& p, const ShadingView& s, int column, int y, bool nested, int worker)
{
    const ExportShadingSettings& e = gExportShading;
    const int32_t type = e.drawingType;
    const uint8_t slot = static_cast<uint8_t>(worker);
    float out[3];
    const DrawingTypeFlags& flags = gDrawingTypeFlags;
    switch (type) {
    case 0: Vec3Pack(p.colour, ColorGrainE(flags, out, p.colour, p.surface, &slot)[0], out[1], out[2]); return;
    case 5: Vec3Pack(p.colour, ColorGrainD(flags, out, p.colour, p.surface, &slot)[0], out[1], out[2]); return;
    case 6:
        if (nested) {
            Vec3Pack(p.colour, ColorGrainC(flags, out, p.colour, p.surface, &slot)[0], out[1], out[2]);
        } else {
            Vec3Pack(p.colour, ColorGrainGrey(gSlotRandom[worker], out, p.colour)[0], out[1], out[2]);
        }
        return;
    default: break;
    }
    if (type < 1 || type > 4) return;
    if (!p.surface) {
        if (flags.background[type]) {
            float b[3] = {0, 0, 0};
            if (e.backgroundOn) Background(b, column, y, worker);
            Vec3Scale(p.colour, b, 255.0f);
        } else {
            Vec3Fill(p.colour, 255.0f);
            p.alpha = 255.0f;
        }
        return;
    }
    const float edge = EdgeValue(s, column, y, p.fog, type);
    if (type != 1) {
        Vec3Fill(p.colour, edge);
        p.alpha = 255.0f;
        return;
    }
    float b[3] = {0, 0, 0};
    const bool mix = e.backgroundFog;
    if (mix) Background(b, column, y, worker);
    for (int c = 0; c < 3; ++c) {
        p.colour[c] *= edge * kInv255;
        if (mix) p.colour[c] = p.colour[c] * p.fog + (1.0f - p.fog) * b[c] * 255.0f;
    }
}

void CommonTail(Pixel& p, const ShadingView& s, int column, int y, bool nested, int worker)
{
    const ExportShadingSettings& e = gExportShading;
    for (float& c : p.colour) c = Clamp(c, 0.0f, 255.0f);
    p.alpha = Clamp(p.alpha, 0.0f, 255.0f);
    float add[3];
    if (e.glowOn) {
        SampleGlowMap(add, column, CentredRow(y));
        for (int c = 0; c < 3; ++c) p.colour[c] = Clamp(p.colour[c] + add[c], 0.0f, 255.0f);
    }
    if (e.maskPlanesOn) {
        gShader.SampleMaskPlanes(add, column, y);
        for (int c = 0; c < 3; ++c) p.colour[c] = Clamp(p.colour[c] + add[c], 0.0f, 255.0f);
    }
    if (e.drawingOn) {
        DrawingShader(p, s, column, y, nested, worker);
        for (float& c : p.colour) c = Clamp(c, 0.0f, 255.0f);
        p.alpha = Clamp(p.alpha, 0.0f, 255.0f);
    }
}

template <bool kNested>
void ShadeBufferPixel(Pixel& p, const ShadingView& s, int column, int y, int worker)
{
    const bool inside = column >= 0 && y >= 0 && column < gImageWidth && y < gImageHeight;
    const float v = inside ? SharedLoad(s.depth[static_cast<int64_t>(y) * gImageWidth + column]) : 0.0f;
    const bool surface = v != 0.0f && (!s.perspective || LinearDepthAt(s, column, y) != 0.0f);
    const bool replaced = gExportShading.drawingOn && ReplacesShading(gExportShading.drawingType);
    if (!surface) {
        if (!replaced) ShadeEmptyPixel(p, column, y, worker);
    } else if (replaced) {
        p.surface = true;
    } else {
        ShadeSurfacePixel<kNested>(p, s, column, y, v, worker);
    }
    CommonTail(p, s, column, y, kNested, worker);
}

}  // namespace

// ---- exported operations -----------------------------------------------------

ExportShadingSettings ReadExportShadingSettings(bool png)
{
    ExportShadingSettings s;
    const ShadingSettings& ui = gShadingSettings;
    s.png = png ? 1 : 0;
    Vec3Pack(s.light, gLightTrackBallA[0], gLightTrackBallA[1], gLightTrackBallA[2]);
    s.lightDistribution = ui.LightDistribution();
    for (const LightSource& light : gShader.lights) s.extraLights |= SharedLoad(light.enabled);
    s.shadowsOn = SharedLoad(gFastShadowUpdate) == 1;
    s.shadowType = SharedLoad(ui.shadowType);
    s.shadowSamples = static_cast<int32_t>(SharedLoad(ui.shadowSampling[0]));
    s.shadowRadius = SharedLoad(ui.shadowSampling[1]);
    for (int c = 0; c < 3; ++c) s.ambient[c] = SharedLoad(ui.volumetricFogColor[c]);
    s.fogToAlpha = SharedLoad(ui.mapFogToAlpha);
    s.fogOn = ui.FogOn();
    s.fog[0] = ui.FogParameter(0);
    s.fog[1] = ui.FogParameter(1);
    s.backgroundFog = gShader.BackgroundIsFogSource();
    s.backgroundReflection = ui.BackgroundReflectionOn();
    s.affectedByFog = ui.AffectedByFog();
    s.backgroundOn = ui.BackgroundOn();
    s.gamma = ui.Gamma();
    s.dofOn = gVolumetricFogOn.load() != 0;
    if (s.dofOn && gDofDepthBuffer != nullptr) {
        uint16_t largest = 0;
        const int64_t count = static_cast<int64_t>(gImageWidth) * gImageHeight;
        for (int64_t i = 0; i < count; ++i) largest = std::max(largest, SharedLoad(gDofDepthBuffer[i]));
        s.dofMax = largest;
    }
    s.turbidity = ui.SunTurbidity();
    s.rgbColoring = SharedLoad(gRgbColoring);
    s.materialBlend = ui.MaterialColorBlend();
    s.reflectionsOn = gShader.ReflectionsOn();
    s.reflectivity = gShader.Reflectivity();
    s.glowOn = gShader.GlowOn();
    s.maskPlanesOn = SharedLoad(gMaskPlanesOn);
    s.drawingOn = ui.DrawingShadersOn();
    s.drawingType = ui.DrawingType();
    s.useBaseshapes = gUseBaseshapes && gBaseshapeCount > 0;
    return s;
}

void PrepareExportShading(const ExportShadingSettings& settings)
{
    gExportShading = settings;
    float* l = gExportShading.light;
    const float length = Vec3Length(l);
    if (length > 0.0f && std::isfinite(length))
        Vec3Scale(l, l, 1.0f / length);
    else
        Vec3Fill(l, 0.0f);
    gExportShading.shadowSamples = std::clamp(gExportShading.shadowSamples, 0, kMaxEstimatorSamples);
    gExportShading.materialBlend = std::clamp(gExportShading.materialBlend, 0, 8);
    if (gExportShading.drawingType < 0 || gExportShading.drawingType >= kDrawingTypes)
        gExportShading.drawingType = kDrawingStandard;
    for (float& t : gWorkerSkyTurbidity) t = std::nanf("");
    // The occlusion brightens by the export's ambient colour and darkens by
    // the materials' shadow levels.
    gOcclusionSettings.ambient = gExportShading.ambient;
    gOcclusionSettings.strength = gShader.shadowDepth;
}

float TracedTapWeight(int dx, int dy)
{
    if (dx < -4 || dx > 4 || dy < -4 || dy > 4) return 0.0f;
    return kTracedWeights[dy < 0 ? -dy : dy][dx < 0 ? -dx : dx];
}

float* BlendWithBackgroundB(float* out, int column, int row, float f, float* colour, int worker)
{
    float b[3];
    if (gExportShading.backgroundFog)
        Background(b, column, row, Worker(worker));
    else
        gShader.GetFogGradientColor(b, f);
    for (int c = 0; c < 3; ++c) colour[c] = f * colour[c] + (1.0f - f) * b[c];
    return Vec3Pack(out, colour[0], colour[1], colour[2]);
}

float* ShadePixel(float* out, int column, int row, int worker)
{
    const ShadingView s = LoadShadingView();
    Pixel p;
    ShadeBufferPixel<true>(p, s, column, row, Worker(worker));
    return Vec3Pack(out, p.colour[0], p.colour[1], p.colour[2]);
}

// ---- [reflection] ----------------------------------------------------------

float* ShadeReflection(float* out, int column, int row, float* normal, float depth, int worker)
{
    worker = Worker(worker);
    Vec3Fill(out, 0.0f);
    if (gExportShading.backgroundOn) gShader.SampleEnvironment(out, normal, worker);
    const float nz = normal[2];
    float r[3] = {2.0f * nz * normal[0], 2.0f * nz * normal[1], 2.0f * nz * nz - 1.0f};
    Vec3Normalize(r, r);
    Vec3Pack(normal, r[0], r[1], r[2]);
    if (!(std::fabs(r[0]) >= 0.0001f || std::fabs(r[1]) >= 0.0001f)) return out;
    const int w = gImageWidth, h = gImageHeight;
    if (w <= 0) return out;
    const float s = 32768.0f / static_cast<float>(w), dz = s * r[2], tolerance = 4.0f * s;
    float x = static_cast<float>(column), y = static_cast<float>(row), z = depth;
    int t = 0;
    while (t < kLeavePixelLimit && std::lround(x) == column && std::lround(y) == row && z > 0.0f && z < 65535.0f) {
        x += r[0], y += r[1], z += dz;
        ++t;
    }
    if (!(z >= 0.0f && z <= 65535.0f && x >= 0.5f && y >= 0.5f && x < w - 0.5f && y < h - 0.5f)) return out;
    const float sx = t * r[0], sy = t * r[1], sz = t * dz;
    const float* depthBuffer = gDepthBuffer;
    for (int steps = 0; steps < 4 * (w + h) && x > 1.0f && y > 1.0f && x < w - 1.0f && y < h - 1.0f && z > 0.0f &&
                        z < 65536.0f;
         ++steps) {
        const int ix = static_cast<int>(std::lround(x)), iy = static_cast<int>(std::lround(y));
        if (ix >= 0 && iy >= 0 && ix < w && iy < h) {
            const float stored = SharedLoad(depthBuffer[static_cast<int64_t>(iy) * w + ix]);
            if (z < stored && stored < z + tolerance) return ShadePixel(out, ix, iy, worker);
        }
        x += sx, y += sy, z += sz;
    }
    return out;
}

// ---- [row pair] ------------------------------------------------------------

void ShadeRowPairColumn(int column, int exportRow, int worker)
{
    worker = Worker(worker);
    const ShadingView s = LoadShadingView();
    const int w = gImageWidth;
    for (int k = 0; k < 2; ++k) {
        const bool png = gExportShading.png != 0;
        const int y = png ? gImageHeight - 2 - exportRow + k : exportRow + k;
        const int slot = png ? 1 - k : k;
        Pixel p;
        ShadeBufferPixel<false>(p, s, column, y, worker);
        const int64_t i = static_cast<int64_t>(slot) * w + column;
        for (int c = 0; c < 3; ++c) gExportRowPairs[c][i] = static_cast<uint8_t>(p.colour[c]);
        if (png) gExportRowPairs[3][i] = static_cast<uint8_t>(p.alpha);
    }
}
