// Texture presets: the recipe of one procedural texture, a function of a
// direction. Up to ten layers each turn the direction into a brightness
// (falloff, star, twist, pattern, shaping, detail) and add it times their
// colour; or, in sky mode, the whole preset is a sky colour model.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/random.h"

inline constexpr int kPresetLayers = 10;
inline constexpr int kPatternKinds = 13;
inline constexpr int kMinCellSites = 10;
inline constexpr int kMaxCellSites = 300;

struct CellSite {
    float v[3];
};

struct TexturePreset {
    int32_t layerCount = 0;
    float layerAxis[kPresetLayers][3] = {};
    float layerColor[kPresetLayers][3] = {};
    float falloffExponent[kPresetLayers] = {};
    uint8_t detailOff[kPresetLayers] = {};
    int32_t detailMode[kPresetLayers] = {};
    uint8_t absoluteFalloff[kPresetLayers] = {};
    uint8_t grainOn[kPresetLayers] = {};
    uint8_t grainTargets[kPresetLayers][4] = {};  // [0] value, [1] colour; [2], [3] unused
    float grainAmount[kPresetLayers][4] = {};     // [0] value, [1..3] red, green, blue
    uint8_t invertFalloff[kPresetLayers] = {};
    float patternOffset[kPresetLayers][3] = {};
    float patternScale[kPresetLayers] = {};
    uint8_t patternOn[kPresetLayers] = {};
    int32_t warpMode[kPresetLayers] = {};  // 0 none, 1 linear twist, 2 logarithmic twist
    uint8_t warpPositive[kPresetLayers] = {};
    int32_t warpTurns[kPresetLayers] = {};
    int32_t patternKind[kPresetLayers] = {};
    int32_t shapeMode[kPresetLayers] = {};
    float shapeFrequency[kPresetLayers] = {};
    float patternParameter[kPresetLayers] = {};
    int32_t patternVariant[kPresetLayers] = {};
    float patternRotation[kPresetLayers][9] = {};
    uint8_t starOn[kPresetLayers] = {};
    uint8_t cylinderMapping = 0;
    uint8_t cellWarpOn = 0;
    float cellPull = 0.0f;
    float cellKeep = 0.0f;
    uint8_t cellEvenSpread = 0;
    int32_t cellMetric = 0;  // 0 Euclidean, 1 sum of absolute differences, 2 tenth-power norm
    // The preset owns its sites: a copy carries its own, so replacing the
    // sites of one preset never touches a copy of it.
    std::vector<CellSite> cellSites;
    uint8_t skyMode = 0;
    float sunDirection[3] = {};
    float skyColor1[3] = {};
    float skyColor2[3] = {};
    float skyColor3[3] = {};
    float skyColor4[3] = {};
    float skyExponents[3] = {};
    uint8_t skyDarkenBelowHorizon = 0;
    uint8_t skySwapYZ = 0;
    float skyHorizontalScale = 1.0f;
    float saturationBoost = 1.0f;

    int32_t CellCount() const { return static_cast<int32_t>(cellSites.size()); }
};

// Colour of the preset at point p, treated as a direction: black outside the
// cylinder x^2 + y^2 <= 1 and for a preset without layers; channels at most 1,
// the weakest possibly below 0 after the saturation boost. Grain layers draw
// from PresetGrainRandom().
float* EvaluateTexturePreset(float* out, const TexturePreset& preset, const float* p);

// The point pulled towards its nearest cell site (of equal distances the
// later site wins); unchanged without sites.
float* ApplyCellWarp(float* out, const TexturePreset& preset, const float* p);

// The generator of the presets' grain on the calling thread: gGlobalRandomA on
// the window thread, which the randomisers step as well; a state of the
// thread's own on any other (the procedural texture thread), so no generator
// is ever stepped by two threads.
RandomState& PresetGrainRandom();
// True on the thread the program (or test) started on.
bool OnWindowThread();
