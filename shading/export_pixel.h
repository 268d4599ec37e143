// Export pixel shading: one column of the current row pair shaded into the
// row-pair planes by one export worker, the single-pixel shading that the
// reflections look up, and the drawing shaders of the export.
//
// The settings are read once per export into gExportShading (as the
// projection reads its view once into a ViewParams), before the workers
// start; the workers only read it. Worker i uses sky i, gSlotRandom[i] and
// gSlotRandomB[i] only, so for fixed seeds and a fixed worker count a
// picture comes out the same bytes every time.
#pragma once

#include <cstdint>

#include "shading/shadow_sampling.h"

// Shadow types of the "Shadow Type" list, counted from its last entry.
inline constexpr int32_t kShadowOccluded = 0;
inline constexpr int32_t kShadowTraced = 1;
inline constexpr int32_t kShadowSmooth = 2;
inline constexpr int32_t kShadowClassic = 3;

struct ExportShadingSettings {
    uint8_t png = 0;                 // row order and alpha of PNG files
    float light[3] = {0, 0, 1};      // the light track ball's direction, normalised
    int32_t lightDistribution = 7;   // "Light Distribution Shader", 7 "Standard"
    uint8_t extraLights = 0;         // any of the shader's ten lights enabled
    uint8_t shadowsOn = 0;           // "Shadows" "On"
    int32_t shadowType = kShadowClassic;
    float shadowRadius = 4.0f;       // second shadow parameter
    int32_t shadowSamples = 16;      // first shadow parameter, truncated
    uint8_t fogOn = 0;               // "Enable Fog"
    float fog[2] = {1.0f, 0.0f};     // p0, p1
    uint8_t backgroundFog = 0;       // "Use Background as Fog source"
    uint8_t backgroundReflection = 0;
    uint8_t affectedByFog = 0;
    uint8_t backgroundOn = 0;        // "Enable Background"
    float ambient[3] = {0, 0, 0};
    float gamma = 1.0f;              // "Gamma Correction"
    uint8_t dofOn = 0;
    float dofMax = 1.0f;             // largest depth-of-field value of the render (0: none)
    float turbidity = 10.0f;         // "Sun Turbidity"
    uint8_t rgbColoring = 0;
    int32_t materialBlend = 7;       // "Material Color Blend", 8 "Replace"
    uint8_t reflectionsOn = 0;       // "Enable Reflections"
    float reflectivity = 0.02f;
    uint8_t glowOn = 0;              // "Enable the Glow Shader"
    uint8_t maskPlanesOn = 0;
    uint8_t drawingOn = 0;           // "Enable Drawing Shaders"
    int32_t drawingType = 4;         // "Drawing Type", 6 "Grayscale" .. 0 "Stipple"
    uint8_t fogToAlpha = 0;          // "Map Fog to Alpha (PNG)"
    uint8_t useBaseshapes = 0;
};
extern ExportShadingSettings gExportShading;

// The settings as the option pages hold them now, with the largest
// depth-of-field value of the render.
ExportShadingSettings ReadExportShadingSettings(bool png);

// Snapshot of the settings for an export; also forgets the skies' last
// turbidities, so every worker derives its sky afresh.
void PrepareExportShading(const ExportShadingSettings& settings);

// Weight of the "Traced" shadow tap at offset (dx, dy), |dx|, |dy| <= 4.
float TracedTapWeight(int dx, int dy);

// Shades column 'column' of the row pair that starts at file row
// 'exportRow' into the two slots of gExportRowPairs, for export worker 'worker'.
void ShadeRowPairColumn(int column, int exportRow, int worker);

// One pixel of the buffers, without reflections: colour 0..255.
float* ShadePixel(float* out, int column, int row, int worker);
// The colour a reflected ray finds across the depth buffer; 'normal' becomes
// the reflected direction. A hit gives the shaded pixel (0..255), a miss the
// environment (0..1).
float* ShadeReflection(float* out, int column, int row, float* normal, float depth, int worker);
// colour = f colour + (1 - f) B, B the background at the screen-centred row
// when the background is the fog source, else the fog gradient colour at f.
float* BlendWithBackgroundB(float* out, int column, int row, float f, float* colour, int worker);
