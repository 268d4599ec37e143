// The main panel's settings that the shading passes read, as widgets of
// gInterface. Until the main options panel is built they stand at
// provisional places; Build gives them their start values, and before Build
// the accessors give the same start values, so the passes run without GL.
#pragma once

#include <cstdint>

#include "ui/option_lists.h"
#include "ui/slider_windows.h"

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

class Interface {
public:
    Interface();
    virtual ~Interface() = default;

    // Builds the shading settings' widgets (needs the GL context).
    void BuildShadingSettings();
    // Every setting back to its start value (built or not).
    void ResetShadingSettings();

    bool BackgroundOn() const { return enableBackground.Flag(0); }
    bool FogOn() const { return enableFog.Flag(0); }
    bool BackgroundReflectionOn() const { return backgroundReflection.Flag(0); }
    bool AffectedByFog() const { return affectedByFog.Flag(0); }
    bool DrawingShadersOn() const { return enableDrawingShaders.Flag(0); }
    int DrawingType() const { return ReadShared(drawingType.selected); }
    int LightDistribution() const { return ReadShared(lightDistribution.selected); }
    int MaterialColorBlend() const { return ReadShared(materialColorBlend.selected); }
    float FogParameter(int row) const;  // p0 (row 0), p1 (row 1)
    float Gamma() const;
    float SunTurbidity() const;

    OptionsBox enableBackground;      // "Enable Background"
    OptionsBox enableFog;             // "Enable Fog"
    OptionsBox backgroundReflection;  // "Background Reflection"
    OptionsBox affectedByFog;         // "Affected by Fog"
    OptionsBox enableDrawingShaders;  // "Enable Drawing Shaders"
    SLWindow fogParameters;           // "Parameters": p0, p1 of the fog
    SLWindow sunTurbidity;            // "Sun Turbidity"
    SLWindow gammaCorrection;         // "Gamma Correction"
    ListBox drawingType;              // "Drawing Type"
    ListBox lightDistribution;        // "Light Distribution Shader"
    ListBox materialColorBlend;       // "Material Color Blend"
};

extern Interface gInterface;

// Start values: fog p0 and p1, turbidity, gamma.
inline constexpr float kStartFogP0 = 1.5f;
inline constexpr float kStartFogP1 = -1.0f;
inline constexpr float kStartTurbidity = 1.0f;
inline constexpr float kStartGamma = 1.0f;
