#include "materials/shader.h"

#include <cmath>

#include "engine/vector_math.h"
#include "materials/patterns.h"
#include "engine/shared_access.h"

Shader gShader;

namespace {

float CookTorranceCurve(float t)
{
    const double s = std::sin(static_cast<double>(t));
    return static_cast<float>(s > 0.0 ? std::sqrt(s) : -std::sqrt(-s));
}
float MetallicCurve(float t) { return static_cast<float>(BumpCurve(t)); }
float Pow10Curve(float t)
{
    const float t4 = (t * t) * (t * t);
    const float t5 = t4 * t;
    return t5 * t5;
}
float Pow2Curve(float t) { return t * t; }
float OrenNayarCurve(float t) { return std::tanh(2.0f * std::sin(t * 1.5707964f)); }
float LambertCurve(float t) { return t; }
float FlatCurve(float t) { return t > 0.0f ? 1.0f : t; }

}  // namespace

const CurveModeRow kCurveModes[kCurveModeCount] = {
    {0, "Cook-Torrance", CookTorranceCurve}, {1, "Metallic", MetallicCurve}, {2, "Pow10", Pow10Curve},
    {3, "Pow2", Pow2Curve},                   {4, "Oren-Nayar", OrenNayarCurve}, {5, "Lambert", LambertCurve},
    {6, "Flat", FlatCurve},
};

const MaterialTypeRow kMaterialTypes[kMaterialTypeCount] = {
    {0, "Smooth Fractal Noise", 0, 0, 0, 0.05f},
    {1, "Fractal Noise", 0, 0, 0, 0.1f},
    {2, "Strong Fractal Noise", 0, 0, 0, 0.2f},
    {3, "Carved Spirals", 2, 0, 0, 0.2f},
    {4, "Strong Carved Spirals", 2, 0, 0, 0.4f},
    {5, "Smooth Orange Like surface", 0, 0, 1, 0.1f},
    {6, "Orange Like surface", 0, 0, 1, 0.2f},
    {7, "Strong Orange Like surface", 0, 0, 1, 0.4f},
    {8, "Scattered Sand", 0, 0, 2, 0.5f},
    {9, "Granite", 0, 0, 3, 0.1f},
    {10, "Strong Granite Effect", 0, 0, 3, 0.2f},
    {11, "Eroded Granite", 0, 4, 1, 0.1f},
    {12, "Strong Eroded Granite", 0, 4, 1, 0.3f},
    {13, "Subtle Marble Spirals", 2, 0, 1, 0.1f},
    {14, "Smooth Curves", 3, 2, 1, 0.5f},
    {15, "Curved patterns", 3, 1, 1, 0.2f},
    {16, "Strong Curved patterns", 3, 3, 1, 0.2f},
};

float ApplyCurveMode(uint32_t mode, float t) { return mode < kCurveModeCount ? kCurveModes[mode].curve(t) : t; }

void Shader::SetSunDirection(const float* d, int sky)
{
    if (sky < 0 || sky >= kSkyCount) return;
    Skylight& s = skies[sky];
    for (int i = 0; i < 3; ++i) s.requestedDirection[i] = d[i];
    s.mirroredDirection[0] = d[0];
    s.mirroredDirection[1] = d[1];
    s.mirroredDirection[2] = -d[2];
    s.SetSun(s.mirroredDirection, s.ownerTurbidity);
}

void Shader::RefreshSky(int sky)
{
    if (sky < 0 || sky >= kSkyCount) return;
    skies[sky].SetSun(skies[sky].mirroredDirection, skies[sky].ownerTurbidity);
}

void Shader::ResetLightGelWhite(int light)
{
    if (light < 0 || light >= kLightCount) return;
    gels[light].NameGenerated(false);
    gels[light].Replace(MakeSolidImage(16, 16, 255, 255, 255));
}

void Shader::ResetLight(int light)
{
    if (light < 0 || light >= kLightCount) return;
    const LightSource defaults;
    LightSource& l = lights[light];
    for (int i = 0; i < 3; ++i) {
        SharedStore(l.position[i], defaults.position[i]);
        SharedStore(l.color[i], defaults.color[i]);
        SharedStore(l.colorBytes[i], defaults.colorBytes[i]);
    }
    for (int i = 0; i < 9; ++i) SharedStore(l.orientation[i], defaults.orientation[i]);
    SharedStore(l.radius, defaults.radius);
    SharedStore(l.cutOff, defaults.cutOff);
    SharedStore(l.enabled, defaults.enabled);
    SharedStore(l.textured, defaults.textured);
    ResetLightGelWhite(light);
}

void Shader::ResetMaterial(int m)
{
    if (m < 0 || m >= kMaterialCount) return;
    for (uint8_t* flags : {useTextureA, useTextureB, customTextureA, customTextureB, solidColorA, solidColorB,
                           useColorMapA, useColorMapB, fresnelOn}) {
        SharedStore(flags[m], 0);
    }
    for (int c = 0; c < 3; ++c) {
        SharedStore(solidColorsA[m][c], 0u);
        SharedStore(solidColorsB[m][c], 0u);
    }
    struct StartValue {
        float* field;
        float value;
    };
    const StartValue starts[] = {
        {ambientIntensity, 1.0f}, {diffuseIntensity, 1.0f}, {specularMagnitude, 90.0f}, {specularIntensity, 1.0f},
        {fresnelInt, 0.001f},     {fresnelExt, 8.0f},       {shadowDepth, 0.25f},       {rotationA, 0.0f},
        {rotationB, 0.0f},        {ambientRoughness, 0.0f},
    };
    for (const StartValue& s : starts) SharedStore(s.field[m], s.value);
    SharedStore(curveMode1[m], 6u);  // "Flat"
    SharedStore(curveMode2[m], 5u);  // "Lambert"
    SharedStore(previewRed[m], 255);
    SharedStore(previewGreen[m], 255);
    SharedStore(previewBlue[m], 255);
    for (auto& map : materialColorMaps) {
        for (int i = 0; i < kColorMapSize; ++i) SharedStore(map[m][i], i);
    }
}

void Shader::ResetPanelValues()
{
    SharedStore(glowOn, uint8_t{0});
    SharedStore(glowBackground, uint8_t{0});
    for (int i = 0; i < 3; ++i) SharedStore(glow[i], kGlowStart[i]);
    SharedStore(reflectionsOn, uint8_t{0});
    SharedStore(reflectivity, 0.02f);
    SharedStore(backgroundFog, uint8_t{1});
    editedLight = 0;
}

void Shader::SetFogColor(const int* rgb)
{
    for (int c = 0; c < 3; ++c) {
        const int v = rgb[c] < 0 ? 0 : (rgb[c] > 255 ? 255 : rgb[c]);
        SharedStore(fogColor[c], v);
        SharedStore(fogColorFloat[c], static_cast<float>(v) / 255.0f);
    }
}

float* Shader::EvaluateTexturePreset(float* out, const TexturePreset& preset, int, const float* p) const
{
    return ::EvaluateTexturePreset(out, preset, p);
}

float* Shader::ApplyCellWarp(float* out, int index, const float* p) const
{
    if (index < 0 || index >= kTexturePresetCount) return Vec3Pack(out, p[0], p[1], p[2]);
    return ::ApplyCellWarp(out, presets[index], p);
}
