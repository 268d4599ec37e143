// Procedural textures as images: each pixel of an n x n image is mapped to a
// direction by one of eight mapping modes and the preset is evaluated there
// once or five times. Used for the 128 x 128 preset thumbnails and for the
// full-size textures of the procedural texture thread.
#pragma once

#include <cstdint>

#include "materials/texture_presets.h"

// How far a generation has come, rows done of the total, for the panel that
// shows it; written by the generating thread.
struct GenerationProgress {
    float total = 0.0f;
    float done = 0.0f;
    uint8_t running = 0;
    uint8_t cancel = 0;  // set by the window thread: the generation stops at the next row
};

inline constexpr int kMappingModeCount = 8;
inline constexpr int kGreyMappingMode = 7;  // one byte a pixel; the others RGB

// Pixel (x, y) on the upper hemisphere of the inscribed disc; outside the disc
// x^2 + y^2 > 1 (z 0), which the evaluator turns black.
float* HemispherePoint(float* out, float x, float y, int n);
// The normalised (2.75 a, 2.75 b, 1) of the centred pixel: a wide view of the
// sky straight up.
float* DomePoint(float* out, float x, float y, int n);
// Longitude from column u (-pi at 0, pi at n - 1); latitude by angle from row
// v, or equal-area in z when cylinder is set.
float* UvToSpherePoint(float* out, float u, float v, int n, bool cylinder);

// A colour channel 0..1 as a byte: times 256, clamped, truncated; not a
// number gives 0.
uint8_t ChannelByte(float c);

// Averages of five samples, at the pixel and half a pixel left, right, down
// and up, under the three mappings.
float* SampleHemisphere5(float* out, const TexturePreset& preset, float x, float y, int n);
float* SampleDome5(float* out, const TexturePreset& preset, float x, float y, int n);
float* SampleUv5(float* out, const TexturePreset& preset, float x, float y, int n);

// Fills pixels (n x n x 3, or n x n for mode 7) from the preset, which the
// background modes 2 and 4 leave with its sky turned for a dome. progress,
// when given, follows the rows, and its cancel byte stops the work between
// rows. Modes outside 0..7 write nothing. False when cancelled.
bool GenerateTextureImage(uint8_t* pixels, int n, int mode, TexturePreset& preset, GenerationProgress* progress);

// The texture panel that shows generation target kind (0..5).
int TargetPanel(int kind);
