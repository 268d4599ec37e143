#include "shading/preview_passes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "engine/random_helpers.h"
#include "engine/vector_math.h"
#include "materials/shader.h"
#include "materials/texture_presets.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "engine/shared_access.h"
#include "render/transform_probabilities.h"
#include "render/view_camera.h"
#include "shading/color_grain.h"
#include "shading/shading_settings.h"
#include "shading/preview_image.h"

float gExportPreviewSums[kPreviewSize * kPreviewSize * 3];
uint16_t gExportPreviewCounts[kPreviewSize * kPreviewSize];
uint8_t gPreviewCovered[kPreviewSize * kPreviewSize];
int64_t gPreviewStartTime = static_cast<int64_t>(std::time(nullptr));
int64_t gLastPreviewUpload = 0;
uint8_t gExportViewShown = 0;
int gPreviewImageTop = 0;
int gPreviewImageBottom = kPreviewSize;
int64_t (*gPreviewClockSeconds)() = [] { return static_cast<int64_t>(std::time(nullptr)); };
float gPointPreviewZoom = 1.0f;
float gPointPreviewPanX = 0.0f, gPointPreviewPanY = 0.0f;
float gTriangleScratch[3][3];

namespace {

constexpr float kPreviewCentre = 416.0f;
constexpr float kPreviewStep = 0.0012019231f;  // 1 / 832
constexpr float kPreviewDepthScale = 0.0024038462f;
constexpr float kDepthToZ = 3.051851e-5f;
constexpr float kTenDegrees = 0.17453292f;
constexpr int kLights = kLightCount;

float Clamp01(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

// A colour channel (0..1) as a byte: x 256, floored, clamped; not a number gives 0.
uint8_t ToByte(float c)
{
    const float v = c * 256.0f;
    return v > 0.0f ? static_cast<uint8_t>(v < 255.0f ? v : 255.0f) : 0;
}

uint8_t GrainByte(float v) { return v > 0.0f ? static_cast<uint8_t>(v < 255.0f ? v : 255.0f) : 0; }

int ClampIndex(int v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); }

// The random states of a pass: the spread directions and the colour-map
// jitter have the preview's own (render workers step slot 0's generator and
// gGlobalRandomA), the grain the calling thread's (see PreviewGrainRandom).
struct PassRandoms {
    RandomState spread;
    RandomState jitter;
    RandomState* grain;
};

PassRandoms& Randoms()
{
    thread_local PassRandoms r{};
    return r;
}

void SeedPassRandoms()
{
    PassRandoms& r = Randoms();
    SeedRandomState(r.spread, 7);
    SeedRandomState(r.jitter, 11);
    SeedPreviewGrain();
    r.grain = &PreviewGrainRandom();
}

// The sky of a pass: the first on the window thread; the export runs its
// pass on its own thread before its workers start, and takes the last, so
// no sky is re-derived by one thread while another reads it.
int PassSky() { return OnWindowThread() ? 0 : kSkyCount - 1; }

// Everything a pass reads of the settings, once per pass.
struct PassSettings {
    bool background, fog, reflection, affectedByFog, drawing, backgroundFogSource, shadows, perspective, rgb, dof;
    int drawingType, distribution, blend;
    float p0, p1, gamma, turbidity;
    float light[3], half[3];
    float P, Q;
    bool anyLight;
    int sky;
};

PassSettings LoadPassSettings()
{
    PassSettings s{};
    s.background = gShadingSettings.BackgroundOn();
    s.fog = gShadingSettings.FogOn();
    s.reflection = gShadingSettings.BackgroundReflectionOn();
    s.affectedByFog = gShadingSettings.AffectedByFog();
    s.drawing = gShadingSettings.DrawingShadersOn();
    s.drawingType = gShadingSettings.DrawingType();
    if (s.drawingType < 0 || s.drawingType >= kDrawingTypes) s.drawingType = kDrawingStandard;
    s.distribution = gShadingSettings.LightDistribution();
    s.blend = gShadingSettings.MaterialColorBlend();
    if (s.blend < 0 || s.blend > kMaterialBlendReplace) s.blend = 7;
    s.p0 = gShadingSettings.FogParameter(0);
    s.p1 = gShadingSettings.FogParameter(1);
    s.gamma = gShadingSettings.Gamma();
    s.turbidity = gShadingSettings.SunTurbidity();
    s.backgroundFogSource = gShader.BackgroundIsFogSource();
    s.shadows = SharedLoad(gFastShadowUpdate) == 1;
    s.perspective = SharedLoad(gPerspectiveOn) != 0;
    s.rgb = SharedLoad(gRgbColoring) != 0;
    s.dof = gVolumetricFogOn.load() != 0;
    Vec3Normalize(s.light, gLightTrackBallA);
    const float h[3] = {s.light[0] * 0.5f, s.light[1] * 0.5f, s.light[2] * 0.5f + 0.5f};
    Vec3Normalize(s.half, h);
    s.P = gPerspectiveFocal;
    s.Q = gPerspectiveEye;
    s.sky = PassSky();
    for (int i = 0; i < kLights; ++i) s.anyLight = s.anyLight || SharedLoad(gShader.lights[i].enabled);
    return s;
}

// Sun of the pass's sky from the turbidity setting.
void PrepareSky(float turbidity)
{
    Skylight& sky = gShader.skies[PassSky()];
    sky.ownerTurbidity = turbidity;
    sky.SetSun(sky.mirroredDirection, turbidity);
}

}  // namespace

void SetPreviewTriangle()
{
    const float corners[3][3] = {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    std::memcpy(gTriangleScratch, corners, sizeof corners);
}

float* GlobalTriangleNormal(float* out)
{
    return TriangleNormal(out, gTriangleScratch[0], gTriangleScratch[1], gTriangleScratch[2]);
}

// ---- [positions] --------------------------------------------------------------

float GetDepthValue(int x, int y)
{
    if (gDepthBuffer == nullptr || x < 0 || y < 0 || x >= gImageWidth || y >= gImageHeight) return 0.0f;
    return SharedLoad(gDepthBuffer[static_cast<size_t>(y) * gImageWidth + x]);
}

float GetLinearDepthValue(int x, int y)
{
    const float v = GetDepthValue(x, y);
    if (!SharedLoad(gPerspectiveOn) || v == 0.0f) return v;
    const float z = (v - 32767.0f) * kDepthToZ;
    const float d = gPerspectiveFocal / (z - gPerspectiveEye) * v * -0.5f;
    return std::isfinite(d) ? d : 0.0f;
}

float GetDofDepthValue(int x, int y)
{
    if (gDofDepthBuffer == nullptr || x < 0 || y < 0 || x >= gImageWidth || y >= gImageHeight) return 0.0f;
    return SharedLoad(gDofDepthBuffer[static_cast<size_t>(y) * gImageWidth + x]);
}

float GetPreviewDepthValue(int x, int y)
{
    if (x < 0 || y < 0 || x >= kPreviewSize || y >= kPreviewSize) return 0.0f;
    return SharedLoad(gPreviewDepth[y * kPreviewSize + x]);
}

float* ComputeDepthPixelPosition(float* out, int x, int y)
{
    const float z = (GetDepthValue(x, y) - 32767.0f) * kDepthToZ;
    const float dx = x - gImageOffsetX, dy = y - gImageOffsetY;
    const float scale = gImageScale != 0.0f ? gImageScale : 1.0f;
    if (SharedLoad(gPerspectiveOn)) {
        const float f = (gPerspectiveEye - z) / (gPerspectiveFocal * scale);
        return Vec3Pack(out, dx * f, dy * f, z);
    }
    return Vec3Pack(out, dx / scale, dy / scale, z);
}

float* ComputePreviewPixelPosition(float* out, uint32_t x, uint32_t y)
{
    const float z = (GetPreviewDepthValue(static_cast<int>(x), static_cast<int>(y)) - kPreviewCentre) *
                    kPreviewDepthScale;
    const float zoom = gPointPreviewZoom;
    const float px = x - zoom * gPointPreviewPanX - kPreviewCentre;
    const float py = y - zoom * gPointPreviewPanY - kPreviewCentre;
    if (SharedLoad(gPerspectiveOn)) {
        const float f = (gPerspectiveEye - z) / (gPerspectiveFocal * kPreviewCentre);
        return Vec3Pack(out, px * f, py * f, z);
    }
    const float f = kPreviewDepthScale / gPerspectiveFocal;
    return Vec3Pack(out, px * f, py * f, z);
}

bool TestShadowMap(int x, int y)
{
    float p[3];
    ComputeDepthPixelPosition(p, x, y);
    const float* m = gLightViewMatrix;
    const float q = 32767.0f * (p[2] * m[8] - p[0] * m[6] - p[1] * m[7]) + 32767.0f;
    if (!(q >= 0.0f && q <= 65530.0f)) return true;
    const float u = gShadowOffsetX - gShadowScale * (p[2] * m[2] - p[0] * m[0] - p[1] * m[1]);
    const float v = gShadowOffsetY - gShadowScale * (p[2] * m[5] - p[0] * m[3] - p[1] * m[4]);
    const int w = gImageWidth;
    // The range test comes before the conversion, so no float reaches an int
    // outside its range (a value that is not a number fails it too).
    if (!(u >= 2.0f && u < static_cast<float>(w - 1) && v >= 2.0f && v < static_cast<float>(w - 1))) return false;
    if (gShadowMap == nullptr) return false;
    const int iu = static_cast<int>(u), iv = static_cast<int>(v);
    return q <= 0.99f * SharedLoad(gShadowMap[static_cast<size_t>(iv) * w + iu]);
}

// ---- [lights] -----------------------------------------------------------------

namespace {

float* ShadeLightsAt(float* out, const float* p, const float* n)
{
    Vec3Fill(out, 0.0f);
    const float* M = gCameraMatrix;
    float nn[3];
    Vec3Normalize(nn, n);
    for (int i = 0; i < kLights; ++i) {
        const LightSource& light = gShader.lights[i];
        if (!SharedLoad(light.enabled)) continue;
        float q[3];
        for (int c = 0; c < 3; ++c) q[c] = (SharedLoad(light.position[c]) - gViewCentre[c]) * gViewScale;
        const float d[3] = {p[0] - (M[0] * q[0] + M[1] * q[1] + M[2] * q[2]),
                            p[1] - (M[3] * q[0] + M[4] * q[1] + M[5] * q[2]),
                            p[2] - (M[6] * q[0] + M[7] * q[1] + M[8] * q[2])};
        float colour[3];
        if (SharedLoad(light.textured)) {
            const float w[3] = {M[0] * d[0] + M[3] * d[1] + M[6] * d[2], M[1] * d[0] + M[4] * d[1] + M[7] * d[2],
                                M[2] * d[0] + M[5] * d[1] + M[8] * d[2]};
            float o[9];
            for (int k = 0; k < 9; ++k) o[k] = SharedLoad(light.orientation[k]);
            const float a = o[0] * w[0] + o[1] * w[1] + o[2] * w[2];
            const float b = o[3] * w[0] + o[4] * w[1] + o[5] * w[2];
            const float c = o[6] * w[0] + o[7] * w[1] + o[8] * w[2];
            const float r = std::sqrt(a * a + b * b);
            const float u = std::atan2(b, a) * 0.15915494f + 0.5f;
            const float v = (r > 0.0f ? std::atan(c / r) : (c > 0 ? 1.5707964f : -1.5707964f)) * 0.31830987f + 0.5f;
            gShader.SampleLightGel(colour, u, v, i);
        } else {
            for (int c = 0; c < 3; ++c) colour[c] = SharedLoad(light.color[c]);
        }
        // A radius of 0 and a cut-off of 1 stay finite: the radius is kept
        // above 1e-6 and the cut-off's divisor too.
        const float t = Vec3Length(d);
        const float r = std::fmax(SharedLoad(light.radius), 1e-6f);
        const float k = SharedLoad(light.cutOff);
        const float s = std::fmax(t - r, 0.0f) / r + 1.0f;
        const float a = 1.0f / (s * s);
        const float w = std::fmax((a - k) / std::fmax(1.0f - k, 1e-6f), 0.0f);
        if (!(w > 0.0f) || !std::isfinite(w)) continue;
        float l[3] = {0.0f, 0.0f, 0.0f};
        if (t > 0.0f) Vec3Scale(l, d, 1.0f / t);
        const float diffuse = std::fmax(-Vec3DotP(l, n), 0.0f);
        float h1[3], h[3];
        const float lm[3] = {l[0] - n[0], l[1] - n[1], l[2] - n[2]};
        Vec3Normalize(h1, lm);
        h1[2] -= 0.5f;
        Vec3Normalize(h, h1);
        const double sd = Vec3Dot(nn, h);
        const float specular = static_cast<float>(std::pow(sd * sd, 95.0));
        const float e = (specular + diffuse) * w;
        for (int c = 0; c < 3; ++c) out[c] += e * colour[c];
    }
    return out;
}

}  // namespace

float* ShadeDepthPixel(float* out, uint32_t x, uint32_t y, const float* n)
{
    float p[3];
    ComputeDepthPixelPosition(p, static_cast<int>(x), static_cast<int>(y));
    return ShadeLightsAt(out, p, n);
}

float* ShadePreviewPixel(float* out, uint32_t x, uint32_t y, const float* n)
{
    float p[3];
    ComputePreviewPixelPosition(p, x, y);
    return ShadeLightsAt(out, p, n);
}

float* BlendWithBackgroundA(float* out, int x, int y, float f, float* colour)
{
    float b[3];
    if (gShadingSettings.BackgroundOn()) gShader.SampleBackgroundPreviewPixel(b, x, y, PassSky());
    else gShader.GetFogGradientColor(b, f);
    for (int c = 0; c < 3; ++c) colour[c] = f * colour[c] + (1.0f - f) * b[c];
    return Vec3Pack(out, colour[0], colour[1], colour[2]);
}

// ---- [pixel] ------------------------------------------------------------------

namespace {

// What the shared per-pixel shading needs of a covered pixel.
struct CoveredPixel {
    int previewX, previewY;  // preview pixel (background samples)
    float e[3];              // view-tilted normal
    float normal[3];         // surface normal for the point lights
    float position[3];
    float envU, envV;        // environment direction parameters
    float fog;               // fog factor F before neon
    int baseshape;           // -1 none
    float pointColour[3];
    float shadow;            // S: 1 lit, else the material's shadow value
    bool shadowed;
    int spreadCount;         // 10 full, 3 progressive
    RandomState* jitter;     // colour-map jitter generator
};

// The baseshape that drew render-buffer pixel i (its colour index, as the
// export reads it), so each baseshape keeps its own material while a render
// runs; -1 without baseshapes, 0 where the byte names none in use. While the
// voxel engine holds the buffer as its grid, the byte may not be the pixel's.
int RenderPixelBaseshape(size_t i)
{
    const int count = std::min<int>(gBaseshapeCount, kMaxBaseshapes);
    if (!gUseBaseshapes || count <= 0) return -1;
    if (gColorIndexBuffer == nullptr || i >= gColorIndexBufferBytes) return 0;
    const int b = std::abs(static_cast<int>(static_cast<int8_t>(SharedLoad(gColorIndexBuffer[i])))) - 1;
    return b >= 0 && b < count ? b : 0;
}

int MaterialOf(int baseshape)
{
    if (baseshape < 0 || baseshape >= kMaxBaseshapes) return 0;
    const int m = gBaseshapes[baseshape].material;
    return m < kMaterialCount ? m : 0;
}

float DistributedLight(const PassSettings& s, const float* e, float t)
{
    float v;
    switch (s.distribution) {
    case 0: v = (1.0f - t) * (1.0f - t); break;
    case 1: v = (s.light[2] + t) * 0.5f; break;
    case 2: v = std::sin(31.415928f * e[2]) * std::sin(31.415928f * t) * t; break;
    case 3: {
        RandomState& r = Randoms().jitter;
        const float u1 = RandomUniform(r), u2 = RandomUniform(r);
        v = t + 0.05f * (u1 - u2);
        break;
    }
    case 4: v = t * std::exp(t * 0.5f); break;
    case 5: v = t * std::cos(31.415928f * t); break;
    case 6: v = t * std::sin(31.415928f * t); break;
    default: v = t; break;
    }
    return v > 0.0f ? v : 0.0f;
}

// Steps 4 and 5 of the per-pixel shading: the colour of a covered pixel, 0..1.
void ShadeCovered(const PassSettings& s, CoveredPixel& px, float* colour, bool full)
{
    const Shader& sh = gShader;
    const float* e = px.e;
    const float t = Vec3DotP(e, s.light);
    const float td = DistributedLight(s, e, t);
    const int m = MaterialOf(px.baseshape);

    // Spread: the highlight and both material colours averaged over
    // directions in a cone around e.
    const float R = SharedLoad(sh.ambientRoughness[m]);
    const float f = SharedLoad(sh.specularIntensity[m]), p = SharedLoad(sh.specularMagnitude[m]);
    const bool mapA = SharedLoad(sh.useColorMapA[m]) != 0, mapB = SharedLoad(sh.useColorMapB[m]) != 0;
    const int count = R > 0.0f ? px.spreadCount : 1;
    float specular = 0.0f, colA[3] = {0, 0, 0}, colB[3] = {0, 0, 0};
    RandomState& spreadState = Randoms().spread;
    for (int i = 0; i < count; ++i) {
        float dir[3] = {e[0], e[1], e[2]};
        float ja = 0.0f, jb = 0.0f;
        if (R > 0.0f) {
            float axis[3];
            RandomVectorOnSphere(axis, 1.0f, spreadState);
            RotateAroundAxis(dir, e, axis, R * kTenDegrees);
            jb = (RandomUniform(*px.jitter) * 0.1f - 0.05f) * R;
            ja = (RandomUniform(*px.jitter) * 0.1f - 0.05f) * R;
        }
        const float base = Vec3DotP(s.half, dir) * f;
        specular += base > 0.0f ? std::pow(base, p) : 0.0f;
        float c[3], uv[2] = {dir[0], dir[1]};
        if (mapB) sh.LookupMaterialColorMap(c, td + jb, m, 1);
        else sh.SampleMaterialTexture(c, uv, m, 1);
        for (int k = 0; k < 3; ++k) colB[k] += c[k];
        uv[0] = dir[0];
        uv[1] = dir[1];
        if (mapA) sh.LookupMaterialColorMap(c, e[2] + ja, m, 0);
        else sh.SampleMaterialTexture(c, uv, m, 0);
        for (int k = 0; k < 3; ++k) colA[k] += c[k];
    }
    const float average = 1.0f / static_cast<float>(count);
    specular *= average;
    Vec3Scale(colA, colA, average);
    Vec3Scale(colB, colB, average);
    if (px.shadowed) specular = 0.0f;

    float light[3] = {0, 0, 0};
    if (s.anyLight) {
        if (full) ShadePreviewPixel(light, px.previewX, px.previewY, px.normal);
        else ShadeLightsAt(light, px.position, px.normal);
    }
    if (SharedLoad(sh.fresnelOn[m])) {
        const float u = px.envU, v = px.envV, r2 = u * u + v * v, q = 1.0f / (r2 + 1.0f);
        const float dir[3] = {2.0f * u * q, 2.0f * v * q, (r2 - 1.0f) * q};
        float n[3] = {e[0], e[1], e[2]}, env[3];
        sh.EnvironmentLight(env, dir, n, SharedLoad(sh.fresnelInt[m]), SharedLoad(sh.fresnelExt[m]), s.sky);
        for (int k = 0; k < 3; ++k) light[k] += 1.5f * env[k];
    }

    float F = px.fog;
    float a2[3], b2[3];
    Vec3Pack(a2, colA[0], colA[1], colA[2]);
    Vec3Pack(b2, colB[0], colB[1], colB[2]);
    const uint32_t mode = static_cast<uint32_t>(kMaterialBlendReplace - s.blend);
    Shader::BlendColors(a2, colA, px.pointColour, mode);
    if (s.blend == kMaterialBlendReplace) {
        Vec3Pack(b2, colB[0], colB[1], colB[2]);
        const BaseshapeRecord* rec = px.baseshape >= 0 ? &gBaseshapes[px.baseshape] : nullptr;
        if (rec != nullptr && (rec->useTexture || rec->useGradient)) Vec3Pack(a2, px.pointColour[0], px.pointColour[1], px.pointColour[2]);
    } else {
        Shader::BlendColors(b2, colB, px.pointColour, mode);
    }
    const float cd = sh.ApplyMaterialCurve(td, m), cz = sh.ApplyMaterialCurve2(e[2], m);
    const float kd = SharedLoad(sh.ambientIntensity[m]), kb = SharedLoad(sh.diffuseIntensity[m]);
    const uint8_t highlight[3] = {SharedLoad(sh.previewRed[m]), SharedLoad(sh.previewGreen[m]),
                                  SharedLoad(sh.previewBlue[m])};
    for (int k = 0; k < 3; ++k) {
        colour[k] = kd * a2[k] * cz + kb * b2[k] * cd * px.shadow + highlight[k] * 0.003921569f * specular + light[k];
    }
    if (px.baseshape >= 0 && gBaseshapes[px.baseshape].neonOn) {
        const float k = gBaseshapeNeonStrength[px.baseshape] * 0.003921569f;
        colour[0] += gBaseshapeNeonColor.r[px.baseshape] * k;
        colour[1] += gBaseshapeNeonColor.g[px.baseshape] * k;
        colour[2] += gBaseshapeNeonColor.b[px.baseshape] * k;
        F = 1.0f;
    }

    float reflection[3] = {0, 0, 0};
    const bool reflect = s.reflection;
    if (reflect) {
        sh.ShadeReflection(reflection, e, s.sky);
        Vec3Scale(reflection, reflection, 1.0f - e[2]);
    }
    const bool beforeFog = s.affectedByFog || s.backgroundFogSource;
    if (reflect && beforeFog) Vec3Add(colour, colour, reflection);
    if (s.fog) {
        if (reflect && !beforeFog) {
            BlendWithBackgroundA(colour, px.previewX, px.previewY, F, colour);
        } else {
            float b[3];
            if (s.backgroundFogSource) sh.SampleBackgroundPreviewPixel(b, px.previewX, px.previewY, s.sky);
            else sh.GetFogGradientColor(b, F);
            for (int k = 0; k < 3; ++k) colour[k] = F * colour[k] + (1.0f - F) * b[k];
        }
    }
    if (reflect && !beforeFog) Vec3Add(colour, colour, reflection);
    px.fog = F;
}

void EmptyColour(const PassSettings& s, int x, int y, float* colour)
{
    if (s.background) gShader.SampleBackgroundPreviewPixel(colour, x, y, s.sky);
    else Vec3Fill(colour, 0.0f);
    if (s.fog && !s.backgroundFogSource) {
        for (int c = 0; c < 3; ++c) colour[c] += gShader.FogColor(c);
    }
}

void ToBytes(const PassSettings& s, const float* colour, uint8_t* out)
{
    for (int c = 0; c < 3; ++c) {
        const float v = s.gamma != 1.0f ? std::pow(colour[c], s.gamma) : colour[c];
        out[c] = ToByte(v);
    }
}

// The eight neighbours' heights around (x, y), each scaled by k.
template <class Depth>
void SobelAt(Depth depth, int x, int y, float k, float& gh, float& gv)
{
    auto d = [&](int dx, int dy) { return depth(x + dx, y + dy) * k; };
    gv = (d(-1, 1) + 2 * d(0, 1) + d(1, 1)) - (d(-1, -1) + 2 * d(0, -1) + d(1, -1));
    gh = (d(1, 1) + 2 * d(1, 0) + d(1, -1)) - (d(-1, 1) + 2 * d(-1, 0) + d(-1, -1));
}


// The drawing stage: grain or a depth-gradient drawing replaces the bytes.
template <class Depth>
void DrawingStage(const PassSettings& s, bool covered, float F, float k, Depth depth, int dx, int dy,
                  const float* background, uint8_t* bytes)
{
    const int type = s.drawingType;
    if (gDrawingTypeFlags.grain[type]) {
        const float in[3] = {float(bytes[0]), float(bytes[1]), float(bytes[2])};
        float out[3];
        if (type == kDrawingStipple) ColorGrainA(gDrawingTypeFlags, out, in, covered);
        else if (type == kDrawingBlackAndWhite) ColorGrainB(gDrawingTypeFlags, out, in, covered);
        else ColorGrainShared(gDrawingTypeFlags, out, in, covered);
        for (int c = 0; c < 3; ++c) bytes[c] = GrainByte(out[c]);
        return;
    }
    if (!covered) {
        for (int c = 0; c < 3; ++c) {
            bytes[c] = gDrawingTypeFlags.background[type] ? ToByte(background[c]) : 255;
        }
        return;
    }
    float gh, gv;
    SobelAt(depth, dx, dy, k, gh, gv);
    const float g = std::sqrt(gh * gh + gv * gv);
    const float kk = k != 0.0f ? k : 1.0f;
    float D;
    switch (type) {
    case kDrawingColorShaded: D = DrawingLineValue(g * ((1.0f - F) * 7.0f + 1.0f) / kk); break;
    case kDrawingAngularGradient: D = Clamp01((std::atan2(gh, gv) * 40.584507f + 127.5f) / 255.0f) * 255.0f; break;
    case kDrawingRadialGradient: D = std::fmin(g * 10.0f / kk, 255.0f); break;
    default: D = DrawingLineValue(g * 10.0f / kk); break;
    }
    if (!(D >= 0.0f)) D = 0.0f;
    if (gDrawingTypeFlags.grey[type]) {
        bytes[0] = bytes[1] = bytes[2] = GrainByte(D);
        return;
    }
    for (int c = 0; c < 3; ++c) {
        float v = bytes[c] * D / 255.0f;
        if (s.background && s.backgroundFogSource) v = v * F + (1.0f - F) * background[c] * 255.0f;
        bytes[c] = GrainByte(v);
    }
}

uint8_t* PreviewPixel(int row, int column)
{
    return gPreviewImage + (static_cast<size_t>(row) * kPreviewImageSize + column) * 3;
}

}  // namespace

// ---- [passes] -----------------------------------------------------------------

void ShadeFull()
{
    if (gExportViewShown) return;
    const PassSettings s = LoadPassSettings();
    PrepareSky(s.turbidity);
    SeedPassRandoms();
    PassRandoms& randoms = Randoms();
    const bool greyOnly = s.drawing && gDrawingTypeFlags.grey[s.drawingType];
    const int top = std::clamp(gPreviewImageTop, 0, kPreviewSize), bottom = std::clamp(gPreviewImageBottom, top, kPreviewSize);
    auto depthAt = [](int x, int y) { return GetPreviewDepthValue(x, y); };
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < kPreviewSize; ++x) {
            const int i = y * kPreviewSize + x;
            const float d = SharedLoad(gPreviewDepth[i]);
            const bool covered = d != 0.0f;
            float colour[3] = {0, 0, 0}, background[3] = {0, 0, 0};
            float F = 1.0f;
            const float k = s.perspective ? s.P / (2.0f * d * 0.001201923f - s.Q - 1.0f) * s.P * -1.5f : s.P;
            uint8_t bytes[3] = {0, 0, 0};
            if (!greyOnly) {
                if (!covered) {
                    EmptyColour(s, x, y, colour);
                } else {
                    const float h[3] = {k * d, k * GetPreviewDepthValue(x - 1, y - 1), k * GetPreviewDepthValue(x, y - 1)};
                    CoveredPixel px{};
                    px.previewX = x;
                    px.previewY = y;
                    HeightNormal(px.normal, h);
                    const float n[3] = {(x - kPreviewCentre) * kPreviewStep + px.normal[0],
                                        (y - kPreviewCentre) * kPreviewStep + px.normal[1], px.normal[2]};
                    Vec3Normalize(px.e, n);
                    px.envU = (x - kPreviewCentre) * kPreviewStep;
                    px.envV = (y - kPreviewCentre) * kPreviewStep;
                    px.fog = s.fog ? Clamp01(s.p0 * std::exp(d * 0.001201923f * s.p1)) : 1.0f;
                    const int plane = SharedLoad(gPreviewPlanes[3][i]);
                    // The plane byte is an index only below the count in use.
                    px.baseshape = gUseBaseshapes && plane > 0 && plane - 1 < std::min(gBaseshapeCount, kMaxBaseshapes)
                                       ? plane - 1
                                       : -1;
                    if (s.rgb) {
                        for (int c = 0; c < 3; ++c) px.pointColour[c] = SharedLoad(gPreviewPlanes[c][i]) * 0.003921569f;
                    } else {
                        Vec3Fill(px.pointColour, 0.0f);
                    }
                    px.shadow = 1.0f;
                    px.spreadCount = 10;
                    px.jitter = &randoms.jitter;
                    ShadeCovered(s, px, colour, true);
                    F = px.fog;
                }
                ToBytes(s, colour, bytes);
            }
            if (s.drawing) {
                if (!covered && gDrawingTypeFlags.background[s.drawingType]) EmptyColour(s, x, y, background);
                DrawingStage(s, covered, F, k, depthAt, x, y, background, bytes);
            }
            std::memcpy(PreviewPixel(y, x), bytes, 3);
            gPreviewCovered[i] = covered ? 1 : 0;
        }
    }
    gPreviewUploadPending = 1;
}

void ShadeProgressive(int mode)
{
    if (mode == 1 && gPreviewClockSeconds() - gLastPreviewUpload < 1) return;
    const PassSettings s = LoadPassSettings();
    const bool dense = mode == 1 || mode == 2;
    const int W = gImageWidth, H = gImageHeight;
    const int top = std::clamp(gPreviewImageTop, 0, kPreviewSize), bottom = std::clamp(gPreviewImageBottom, top, kPreviewSize);
    if (dense) {
        std::memset(gExportPreviewSums, 0, sizeof gExportPreviewSums);
        std::memset(gExportPreviewCounts, 0, sizeof gExportPreviewCounts);
        std::memset(gPreviewCovered, 0, sizeof gPreviewCovered);
    }
    if (gDepthBuffer == nullptr || W <= 0 || H <= 0) {
        gPreviewUploadPending = 1;
        if (mode == 1) gLastPreviewUpload = gPreviewClockSeconds();
        return;
    }
    PrepareSky(s.turbidity);
    float skyTurbidity = s.turbidity;
    // The pass's own copy of the start-up triangle: the export runs a pass
    // on its own thread, so the shared one is only read.
    float triangle[3][3];
    std::memcpy(triangle, gTriangleScratch, sizeof triangle);
    SeedPassRandoms();
    PassRandoms& randoms = Randoms();
    const int columns = dense ? 2 * kPreviewSize : kPreviewSize;
    const int rows = dense ? 2 * (bottom - top) : bottom - top;
    const float scale = W * (dense ? 0.00060096156f : 0.0012019231f);
    float dofMax = 0.0f;
    if (s.dof) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                dofMax = std::fmax(dofMax, GetDofDepthValue(static_cast<int>(c * scale), static_cast<int>(r * scale)));
            }
        }
    }
    const float k = s.P * W / 65536.0f;
    const bool greyOnly = s.drawing && gDrawingTypeFlags.grey[s.drawingType];
    auto linear = [](int x, int y) { return GetLinearDepthValue(x, y); };
    const float halfW = W * 0.5f;
    for (int r = 0; r < rows; ++r) {
        // Sample positions stay inside the buffers whatever W and H are.
        const int y = ClampIndex(static_cast<int>(r * scale), H);
        const int previewY = dense ? r / 2 + top : r + top;
        for (int c = 0; c < columns; ++c) {
            const int x = ClampIndex(static_cast<int>(c * scale), W);
            const int previewX = dense ? c / 2 : c;
            const float v = GetDepthValue(x, y);
            const bool covered = GetLinearDepthValue(x, y) != 0.0f;
            float colour[3] = {0, 0, 0}, background[3] = {0, 0, 0};
            float F = 1.0f;
            uint8_t bytes[3] = {0, 0, 0};
            if (!covered && (s.background || (s.drawing && gDrawingTypeFlags.background[s.drawingType]))) {
                // The sky is re-derived for the pixel's turbidity; only a
                // change of it needs the work again.
                const float q = s.dof && dofMax > 0.0f ? GetDofDepthValue(x, y) / dofMax : 0.0f;
                const float turbidity = q > 0.0f ? s.turbidity * (1.0f - 0.35f * q) : s.turbidity;
                if (turbidity != skyTurbidity) {
                    PrepareSky(turbidity);
                    skyTurbidity = turbidity;
                }
            }
            if (!greyOnly) {
                if (!covered) {
                    EmptyColour(s, previewX, previewY, colour);
                } else {
                    CoveredPixel px{};
                    px.previewX = previewX;
                    px.previewY = previewY;
                    triangle[0][2] = k * GetDepthValue(x + 1, y);
                    triangle[1][2] = k * GetDepthValue(x + 1, y + 1);
                    triangle[2][2] = k * GetDepthValue(x, y + 1);
                    TriangleNormal(px.normal, triangle[0], triangle[1], triangle[2]);
                    if (px.normal[2] < 0.0f) Vec3Negate(px.normal, px.normal);
                    const float n[3] = {(x - halfW) / W + px.normal[0], (y - halfW) / W + px.normal[1], px.normal[2]};
                    Vec3Normalize(px.e, n);
                    ComputeDepthPixelPosition(px.position, x, y);
                    px.envU = (x - halfW) / halfW * 0.5f;
                    px.envV = (y - halfW) / halfW * 0.5f;
                    px.fog = s.fog ? Clamp01(s.p0 * std::exp(v * s.p1 * 1.5258789e-5f)) : 1.0f;
                    const size_t i = static_cast<size_t>(y) * W + x;
                    px.baseshape = RenderPixelBaseshape(i);
                    if (s.rgb && gPointColorPlanes[0] != nullptr) {
                        for (int ch = 0; ch < 3; ++ch) px.pointColour[ch] = SharedLoad(gPointColorPlanes[ch][i]) * 0.003921569f;
                    } else {
                        Vec3Fill(px.pointColour, 0.0f);
                    }
                    px.shadowed = s.shadows && TestShadowMap(x, y);
                    px.shadow = px.shadowed ? SharedLoad(gShader.shadowDepth[MaterialOf(px.baseshape)]) : 1.0f;
                    px.spreadCount = 3;
                    px.jitter = randoms.grain;
                    ShadeCovered(s, px, colour, false);
                    F = px.fog;
                }
                ToBytes(s, colour, bytes);
            }
            if (s.drawing) {
                if (!covered && gDrawingTypeFlags.background[s.drawingType]) EmptyColour(s, previewX, previewY, background);
                DrawingStage(s, covered, F, k, linear, x, y, background, bytes);
            }
            if (previewY < 0 || previewY >= kPreviewSize || previewX >= kPreviewSize) continue;
            const int cell = previewY * kPreviewSize + previewX;
            if (!dense) {
                std::memcpy(PreviewPixel(previewY, previewX), bytes, 3);
                gPreviewCovered[cell] = covered ? 1 : 0;
                continue;
            }
            gPreviewCovered[cell] |= covered ? 1 : 0;
            float* sum = &gExportPreviewSums[cell * 3];
            const int count = ++gExportPreviewCounts[cell];
            uint8_t* out = PreviewPixel(previewY, previewX);
            for (int ch = 0; ch < 3; ++ch) {
                sum[ch] += bytes[ch];
                out[ch] = GrainByte(sum[ch] / count);
            }
        }
    }
    gPreviewUploadPending = 1;
    if (mode == 1) gLastPreviewUpload = gPreviewClockSeconds();
}

float DrawingLineValue(float g)
{
    if (g < 254.0f) return 255.0f;
    if (g > 414.0f) return 0.0f;
    return (414.0f - g) * 1.59375f;
}

void RebuildPointPreview() { UpdateTransformProbabilities(); }

void RestartPreview()
{
    gLastPreviewUpload = gPreviewStartTime;
    if (!gVoxelEngineOn) {
        for (float& d : gPreviewDepth) SharedStore(d, 0.0f);
        for (auto& plane : gPreviewPlanes) std::memset(plane, 0, sizeof plane);
        gExportViewShown = 0;
        if (PreviewScreenShown(gScreenState.load())) {
            RebuildPointPreview();
            ShadeFull();
        } else {
            ShadeProgressive(1);
        }
    }
}
