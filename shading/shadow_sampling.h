// Shadow and occlusion estimates that the export shading takes from the
// render buffers alone: the shadow-map test of one 3-D sample and the three
// shadow factors built on it, the 512 x 512 averaged depth map, the two
// occlusion marches and the occlusion applied to a pixel's colour.
//
// Every estimator draws from the calling worker's own generators
// (gSlotRandom[worker], gSlotRandomB[worker]), so a picture depends on the
// seeds and the worker count, never on thread timing. Redraw and direction
// loops are bounded: a radius far larger than the image ends the loop with
// the mean of what counted.
#pragma once

#include <cstdint>

#include "render/projection.h"

inline constexpr int kDepthMapSize = 512;
// Redraws of one sample whose pixel leaves the image before the estimator
// gives up and returns the mean of what counted so far.
inline constexpr int kShadowRedrawLimit = 64;
// Directions one march sample may follow on the normal's side.
inline constexpr int kOcclusionDirectionLimit = 64;
// Sample counts above this are taken as this (the settings are floats).
inline constexpr int kMaxEstimatorSamples = 4096;

extern float gDepthMap512[kDepthMapSize * kDepthMapSize];

// Occlusion settings as the interface sets them: the "Ambient Occlusion" rows,
// the "Ambient Occlusion Options" selection (2 "Darken (Classic)",
// 1 "Brighten (Volumetric Fog)", 0 "Brighten (Surface Texture)"), the
// "Enhanced Darkening FX" rows, the march's sample count and radius, the
// ambient colour and the per-material occlusion strengths.
struct OcclusionSettings {
    uint8_t everyPixel = 0;        // flag 1 of "Ambient Occlusion"
    uint8_t averaged = 0;          // flag 0 of "Ambient Occlusion"
    int32_t option = 2;
    uint8_t enhancedDarkening = 0; // flag 1 of "Enhanced Darkening FX"
    uint8_t rayCasting = 0;        // flag 0: "Ray casting Algorithm"
    float sampleCount = 16.0f;
    float radius = 16.0f;
    const float* ambient = nullptr;   // three floats; none: black
    const float* strength = nullptr;  // ten floats by material; none: 0
};
extern OcclusionSettings gOcclusionSettings;

// The view, the projection mode and the buffers read once per pixel or row,
// so the estimators keep them in registers.
struct ShadingView {
    ViewParams view;
    bool perspective;
    const float* depth;         // W x H, 0 = empty
    const uint16_t* shadowMap;  // W x W
};
ShadingView LoadShadingView();

// (v - 32767) / 32767: the depth-buffer value on the camera's -1..1 scale.
inline float NormalisedDepth(float v) { return (v - 32767.0f) * 3.051851e-5f; }

// Linear depth of one pixel, 0 outside the image or for an empty pixel.
float LinearDepthAt(const ShadingView& s, int column, int row);
float SampleLinearDepth(const float* depth, int column, int row);

// Contribution of the sample at pixel (px, py) and normalised depth dn:
// shadowValue behind the stored shadow-map surface, 1 in front, and a
// negative value when the sample does not count (outside the light's depth
// range or the map, or not a number).
float ShadowMapSample(const ShadingView& s, float px, float py, float dn, float shadowValue);

// Shadow factors in 0..1; a sample count below 1 gives 1.
float ShadowFactorBall(const ShadingView& s, int column, int row, float radius, int samples, float shadowValue,
                       uint8_t worker);
float ShadowFactorDisc(const ShadingView& s, int column, int row, float radius, int samples, float shadowValue,
                       uint8_t worker);
float ShadowFactorNeighbourhood(const ShadingView& s, int column, int row, float shadowValue);

// Fills gDepthMap512 with cell means of the linear depth.
void DownsampleDepthMap();
float SampleMapBilinear(int column, int row);
// The "Averaged" occlusion factor in 0..1 from the map and the pixel's depth.
float AveragedOcclusion(const ShadingView& s, int column, int row);

float MarchDepthOcclusionC(const ShadingView& s, int column, int row, const float* normal, uint8_t worker);
float MarchDepthOcclusionD(const ShadingView& s, int column, int row, uint8_t worker);

// Applies the occlusion of gOcclusionSettings to colour (0..1 scale) and
// writes the result into out.
float* ShadePixelOcclusion(float* out, const ShadingView& s, int column, int row, int material,
                           const float* normal, const float* colour, uint8_t worker);
