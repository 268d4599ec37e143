// Colour grain: three of the drawing styles replace a shaded pixel's colour
// by a random grain driven by its intensity. Each style exists for a given
// generator (the preview passes) and for a render slot's own generator (the
// export workers), so no generator is ever stepped by two threads.
//
//   drawing type 0 "Stipple"          colour grain     ColorGrainA / ColorGrainE
//   drawing type 5 "Black and White"  two-level grain  ColorGrainB / ColorGrainD
//   drawing type 6 "Grayscale"        grey grain       ColorGrainShared / ColorGrainC
//
// Colours are three floats in 0..255 units. Every pixel gets grain, covered
// or not: an empty pixel's background, fog colour or black is grained too.
#pragma once

#include <cstdint>

#include "engine/random.h"

inline constexpr int kDrawingTypes = 7;

// Byte flags by drawing type (0 "Stipple" .. 6 "Grayscale").
struct DrawingTypeFlags {
    uint8_t grey[kDrawingTypes];        // the drawing value replaces the pixel as grey
    uint8_t grain[kDrawingTypes];       // a grain style: no depth-gradient stage
    uint8_t third[kDrawingTypes];       // kept with the table, read by no pass
    uint8_t background[kDrawingTypes];  // empty pixels show the background instead of white
};
extern const DrawingTypeFlags gDrawingTypeFlags;

// The grain value of one word: i (1 - 0.4 w / 2^32) 255, at most 255, with
// i the colour's length / 255.
float GrainValue(const float* colour, uint32_t word);

// With the given generator.
float* ColorGrainColour(RandomState& r, float* out, const float* colour);
float* ColorGrainTwoLevel(RandomState& r, float* out, const float* colour);
float* ColorGrainGrey(RandomState& r, float* out, const float* colour);

// The preview passes' forms: gGlobalRandomC on the window thread (see
// PreviewGrainRandom).
float* ColorGrainA(const DrawingTypeFlags& table, float* out, const float* colour, bool covered);
float* ColorGrainB(const DrawingTypeFlags& table, float* out, const float* colour, bool covered);
float* ColorGrainShared(const DrawingTypeFlags& table, float* out, const float* colour, bool covered);
// The export workers' forms, each on its render slot's gSlotRandom.
float* ColorGrainC(const DrawingTypeFlags& table, float* out, const float* colour, bool covered, const uint8_t* slot);
float* ColorGrainD(const DrawingTypeFlags& table, float* out, const float* colour, bool covered, const uint8_t* slot);
float* ColorGrainE(const DrawingTypeFlags& table, float* out, const float* colour, bool covered, const uint8_t* slot);

// The grain generator of the calling thread: gGlobalRandomC on the window
// thread; on any other thread (the export runs a preview pass on its own)
// a state of that thread's own.
RandomState& PreviewGrainRandom();
// Reseeds the calling thread's grain generator with the fixed seed, so the
// grain of every pass repeats.
void SeedPreviewGrain();
