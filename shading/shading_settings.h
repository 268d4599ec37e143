// The settings the shading passes and the export read, as the option pages
// edit them. One instance, gShadingSettings; the window thread writes it
// while the shading workers read it (SharedStore / SharedLoad).
#pragma once

#include <cstdint>

#include "engine/shared_access.h"
#include "engine/window_ranges.h"

// "Drawing Type" values, counted from the lowest row.
inline constexpr int kDrawingStipple = 0;
inline constexpr int kDrawingColorShaded = 1;
inline constexpr int kDrawingAngularGradient = 2;
inline constexpr int kDrawingRadialGradient = 3;
inline constexpr int kDrawingStandard = 4;
inline constexpr int kDrawingBlackAndWhite = 5;
inline constexpr int kDrawingGrayscale = 6;
// "Light Distribution Shader": 7 "Standard" at the top down to 0 "Inverse".
inline constexpr int kLightDistributionStandard = 7;
// "Material Color Blend": 8 "Replace" at the top down to 0 "Negation".
inline constexpr int kMaterialBlendReplace = 8;
inline constexpr int kMaterialBlendAddition = 7;
// "Background Type": 1 "SkyLight", 0 "Images or textures".
inline constexpr int kBackgroundSky = 1;
// "Shadow Type" (from the lowest row): 0 "Occluded", 1 "Traced", 2 "Smooth", 3 "Classic".
inline constexpr int kShadowTypeClassic = 3;

// Start values: fog p0 and p1, turbidity, gamma, as their windows start.
inline constexpr float kStartFogP0 = kFogRows[2];
inline constexpr float kStartFogP1 = kFogRows[8];
inline constexpr float kStartTurbidity = kTurbidityRows[2];
inline constexpr float kStartGamma = kGammaRows[2];

struct ShadingSettings {
    // "Environment"
    uint8_t fogOn = 0;                      // "Enable Fog"
    uint8_t backgroundOn = 0;               // "Enable Background"
    uint8_t drawingShadersOn = 0;           // "Enable Drawing Shaders"
    uint8_t volumetricFogOn = 0;            // "Enable Volumetric Fog"
    float fog[2] = {kStartFogP0, kStartFogP1};  // "Parameters": p0, p1
    float turbidity = kStartTurbidity;      // "Sun Turbidity"
    float volumetricFogColor[3] = {1.5f, 1.5f, 1.5f};  // "Volumetric Fog Color"
    int32_t drawingType = kDrawingStandard;  // "Drawing Type"
    int32_t backgroundType = kBackgroundSky; // "Background Type"
    uint8_t backgroundReflection = 0;       // "Background Reflection"
    uint8_t affectedByFog = 0;              // "Affected by Fog"
    // "Shaders"
    int32_t shadowType = kShadowTypeClassic;  // "Shadow Type"
    float shadowSampling[2] = {16.0f, 8.0f};  // "Shadow Sampling Parameters": samples, radius
    uint8_t occlusion[2] = {0, 0};          // "Ambient Occlusion": 0 "Averaged", 1 "Every Pixel"
    int32_t occlusionOption = 2;            // "Ambient Occlusion Options": 2 "Darken (Classic)"
    uint8_t enhancedDarkening[2] = {0, 0};  // 0 "Ray casting Algorithm", 1 "Enhanced Darkening FX"
    float averagedOcclusion[2] = {1.0f, 64.0f};  // "Averaged Ambient Occlusion (Fast)": strength, samples
    float perPixelOcclusion[2] = {16.0f, 32.0f};  // "Per Pixel Ambient Occlusion (Slow)": samples, radius
    // "Advanced"
    int32_t lightDistribution = kLightDistributionStandard;  // "Light Distribution Shader"
    float gamma = kStartGamma;              // "Gamma Correction"
    int32_t materialColorBlend = kMaterialBlendAddition;    // "Material Color Blend"
    // The export's PNG options.
    uint8_t mapFogToAlpha = 0;              // "Map Fog to Alpha (PNG)"
    uint8_t excludeBackground = 0;          // "Exclude Background (PNG)"

    bool BackgroundOn() const { return SharedLoad(backgroundOn) != 0; }
    bool FogOn() const { return SharedLoad(fogOn) != 0; }
    bool BackgroundReflectionOn() const { return SharedLoad(backgroundReflection) != 0; }
    bool AffectedByFog() const { return SharedLoad(affectedByFog) != 0; }
    bool DrawingShadersOn() const { return SharedLoad(drawingShadersOn) != 0; }
    int DrawingType() const { return SharedLoad(drawingType); }
    int LightDistribution() const { return SharedLoad(lightDistribution); }
    int MaterialColorBlend() const { return SharedLoad(materialColorBlend); }
    float FogParameter(int row) const { return row == 0 || row == 1 ? SharedLoad(fog[row]) : 0.0f; }
    float Gamma() const { return SharedLoad(gamma); }
    float SunTurbidity() const { return SharedLoad(turbidity); }

    // Every setting back to its start value.
    void Reset();
};

extern ShadingSettings gShadingSettings;
