// The main options panel gInterface. The settings that the shading passes
// read come first; before Build the accessors give their start values, so
// the passes run without GL. The rest of the panel (animation, view, voxel,
// environment and file widgets, grids, the scene export lists) is built,
// drawn and operated by the shell (app/interface_panel.cpp).
#pragma once

#include <cstdint>

#include "ui/balls.h"
#include "ui/button.h"
#include "ui/color_panels.h"
#include "ui/option_lists.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/tabs.h"

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

// Where BuildShadingSettings places each setting, in the order of the
// members below: the five boxes, the three windows, the three lists.
struct ShadingSettingSpot {
    int x, y, width, rowHeight;
};
inline constexpr int kShadingSettingCount = 11;
extern const ShadingSettingSpot kProvisionalShadingSpots[kShadingSettingCount];

class Interface {
public:
    Interface();
    virtual ~Interface() = default;

    // Builds the shading settings' widgets (needs the GL context).
    void BuildShadingSettings(const ShadingSettingSpot* at = kProvisionalShadingSpots);
    // Every setting back to its start value (built or not).
    void ResetShadingSettings();

    bool BackgroundOn() const { return enableBackground.Flag(0); }
    bool FogOn() const { return enableFog.Flag(0); }
    bool BackgroundReflectionOn() const { return backgroundReflection.Flag(0); }
    bool AffectedByFog() const { return affectedByFog.Flag(0); }
    bool DrawingShadersOn() const { return enableDrawingShaders.Flag(0); }
    int DrawingType() const { return SharedLoad(drawingType.selected); }
    int LightDistribution() const { return SharedLoad(lightDistribution.selected); }
    int MaterialColorBlend() const { return SharedLoad(materialColorBlend.selected); }
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

    // ---- The rest of the panel (app/interface_panel.cpp) ----
    void Build();
    bool Click(int x, int y);
    // Mode 1: "New Set" and "Select"; mode 2: "Control Sensitivity" and "Grid".
    bool HandleListClicks(int mode, int x, int y);
    bool Drag(int x, int y);
    void DrawAnimationPage();
    void UpdateTypeButtons();
    void SyncRenderFlags();
    // A toggle of "Enable Fresnel Equation": into the current material.
    void StoreFresnelFlag();
    // The material windows from and into the current material's arrays.
    void ShowMaterialValues();
    void StoreMaterialValues();
    bool CanExportKavrolinScene() const;
    // 0 saves the camera, 2 restores it, 1 turns it one animation step.
    void SetSymmetryRotation(int mode);
    // "Axis" row (0 "+X" .. 7 "-A" from the top) into the "Rotation Axis" ball.
    void SetAnimationAxis(int fromTop);
    void ApplyControlSensitivity();
    void ApplyGrid();
    // "Output Filename": the save dialog and the base name; false when nothing changed.
    bool ChooseOutputFilename();

    uint8_t kavrolinKinds[79] = {};
    uint8_t kavrolinTypes[30] = {};
    unsigned gridLists[5] = {};  // "Cross", "Thirds", "Divine1", "Divine2", "None"
    unsigned currentGridList = 0;
    char outputBaseName[1040] = {};
    int frameCounter = 0;
    int frameTickCount = 0;
    float savedCamera[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    uint8_t viewPageFlags[4] = {};
    uint8_t typeButtonsAllowed[50] = {};

    ListBox controlSensitivity;     // "Control Sensitivity"
    ListBox grid;                   // "Grid"
    ListBox shadows;                // "Shadows"
    ListBox projection;             // "Projection"
    HListBox fixedView;             // "Fixed View"
    ListBox colorFunction;          // "Color Function (Baseshapes and Trasformations)"
    SLWindow renderParameters;      // "Render Parameters"
    Button outputFilename, renderAnimation, kavrolin, news;
    Button rnd, clr, newSet, select, pngSlices, saveBuffers, saveFractal, loadBuffers, loadFractal;
    Button cancel, timesTwo, sendToBlocks, exportTexture;
    OptionsBox previewAnimations;   // "Enable Preview Animations"
    OptionsBox enhancedDarkening;   // "Enhanced Darkening FX"
    OptionsBox colorByTransformation;
    ListBox imageType;              // "Image Type"
    ListBox axis;                   // "Axis"
    SimpleBall rotationAxis;        // "Rotation Axis"
    STWindow cycleFrames;           // "Number of Frames for a Complete Cycle"
    Tab textureTab;
    ListBox format;                 // "Format"
    ListBox voxelResolution, interpolationType;
    SLWindow densityThreshold, sideLength, wallThickness;
    OptionsBox interiorWall, scaleMesh, fillBaseshapes;
    ListBox blendingFunction;
    SLWindow colorInterpolationWeight, shadowSampling;
    ListBox backgroundType;         // "Background Type"
    OptionsBox enableVolumetricFog, enableFresnel;
    SLWindow volumetricFogColor, fresnelParameters;
    // The current material's slider values: the windows show gShader's
    // arrays each frame and write back what a drag or a notch changed.
    SLWindow ambientParameters, diffuseParameters, specularParameters, shadowDepth;
    ColorPanel ambientColor;        // "Ambient  R       G       B "
    ColorPanel diffuseColor;        // "Diffuse  R       G       B "
    NewDropBox resolutionPresets, symmetry;
    SLWindow sides, separation;
};

extern Interface gInterface;

// Start values: fog p0 and p1, turbidity, gamma.
inline constexpr float kStartFogP0 = 1.5f;
inline constexpr float kStartFogP1 = -1.0f;
inline constexpr float kStartTurbidity = 1.0f;
inline constexpr float kStartGamma = 1.0f;
