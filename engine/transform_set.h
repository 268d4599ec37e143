// Whole transformation sets: the random pair of Moebius generators of the
// Kleinian types, and the generator chains of fractal type 48 built from a
// "Fractal Generator" row, kept in step with the editor's requests, or made
// from the current fractal type. Window thread only.
#pragma once

#include <cstdint>

#include "engine/random_helpers.h"

// Where the randomisers draw from: a uniform float in [0, 1] and a coin.
struct RandomSources {
    float (*uniform)() = GlobalRandomFloatB;
    bool (*coin)() = GlobalRandomBoolB;
};

// What the set operations need from above the engine; each may be null.
struct TransformSetHooks {
    void (*applyPreset)(int index) = nullptr;     // the transformation presets 0..84
    void (*stopRender)() = nullptr;               // before a live chain array is replaced
    void (*openParameterField)(float* parameter) = nullptr;  // the text field on a block parameter
};
extern TransformSetHooks gTransformSetHooks;

// The row of the "Fractal Generator" list, 0..32: rows 0 to 23 start from
// transformation presets, row 24 combines random chains, rows 25 to 32 are
// the chain recipes 1 to 8 of fractal type 48.
extern int32_t gFractalGeneratorRow;
inline constexpr int kFractalGeneratorRowCount = 33;
// The rows' names, null-terminated.
extern const char* const gFractalGeneratorNames[kFractalGeneratorRowCount + 1];

// Random traces for types 3, 19 and 45, redrawn until the orbit of the four
// maps contracts (at most kRandomTraceAttempts tries; the last one stays);
// transformations 0 and 1 take the traces, 0..3 the maps, and the second
// half of the set their quaternion partners (gPickTransformCount 8 or 10).
inline constexpr int kRandomTraceAttempts = 200;
void RandomizeTransforms(const RandomSources& sources = RandomSources{});
// The Lyapunov exponent of the current four maps over 40000 random steps,
// one uniform a step walked over gTransformWeights (a degenerate orbit
// gives not-a-number).
double MobiusOrbitExponent(const RandomSources& sources);

// 0: the "Fractal Generator" row below 24 (presets or random sets, then the
// chains); 1: the editor's pending chain request; 3: one chain per
// transformation from the current fractal type. Returns 1.
int EditTransformSet(int op);
