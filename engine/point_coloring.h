// Point colouring: nine colouring modes, each a pair of per-slot functions.
// The start runs once when a run of transformation steps begins, the step
// once per emitted point with the transformation that produced it; both keep
// a per-slot running colour so a point's colour follows its orbit.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/constants.h"

using ColorStartFn = void (*)(uint8_t slot);
using ColorStepFn = void (*)(uint8_t slot, int32_t transform, int32_t index);

// Written once per point by the slot's worker: one cache line a slot, so
// workers never write into each other's lines.
struct alignas(64) SlotColorFloat {
    float r, g, b;
};

// Mode-6 sums wrap modulo 2^32 (only their low byte is ever stored).
struct alignas(64) SlotColorSum {
    uint32_t r, g, b;
};

// A slot's function pointer on its own cache line: every worker reads its
// step at every point, and a start or first step rewrites it once a run, so
// pointers of several slots on one line would bounce between the workers.
template <class Fn>
struct alignas(64) SlotFunctionCell : std::atomic<Fn> {
    using std::atomic<Fn>::atomic;
    using std::atomic<Fn>::operator=;
};

inline constexpr int kColoringModeCount = 9;
inline constexpr int kColoringStandard = 8;  // "Standard": points carry no colour of their own
inline constexpr int kBlendModeCount = 9;  // 8 is "Replace"

// The window thread rewrites the mode and the pointers while workers run,
// so they are atomic; workers load them relaxed (a plain load on x86-64).
extern std::atomic<int32_t> gColoringMode;   // 0..8, "Standard" at start
extern std::atomic<int32_t> gColorBlendMode; // "Blending Function", 0..8
extern float gColorKeepFactor;               // mode 0, 0.75 at start
extern float gColorMixFactor;                // mode 0, 0.25 at start
extern uint8_t gRgbColoring;                 // 1: the RGB workers and passes run
extern SlotFunctionCell<ColorStartFn> gSlotColorStart[kMaxRenderSlots];
extern SlotFunctionCell<ColorStepFn> gSlotColorStep[kMaxRenderSlots];
extern SlotColorFloat gSlotRunningColor[kMaxRenderSlots];
extern SlotColorSum gSlotColorAccumulator[kMaxRenderSlots];

// One row per colouring mode, in mode order.
struct ColoringModeRow {
    int32_t mode;
    const char* caption;              // entry of "Color Function (Baseshapes and Trasformations)"
    ColorStartFn startWithBaseshapes;
    ColorStepFn stepWithBaseshapes;
    ColorStartFn startWithoutBaseshapes;
    ColorStepFn stepWithoutBaseshapes;
};
extern const ColoringModeRow kColoringModes[kColoringModeCount];

// The captions of "Blending Function", blend mode m at item 8 - m.
extern const char* const kBlendFunctionItems[kBlendModeCount];

// Stores the mode and installs its pair in every slot (modes 0, 4 and 7 by
// gUseBaseshapes); sets gRgbColoring. A mode above 8 only stores the number.
void SetColoringMode(int32_t mode);
// Re-installs the pair of modes 0, 4 and 7 after gUseBaseshapes changed.
void SetColoringFunctionsForMode(int32_t mode);
// Every slot gets ColorStartNone / ColorStepNone; running colours and sums 0.
void ResetColoringTables();

// colors: a = bytes 0..2, b = bytes 3..5; the result replaces a. Blend mode
// 8 ("Replace") and unknown modes leave a as it is.
void BlendColors(uint8_t* colors, const int32_t* mode);

// Truncates towards zero and keeps the low 8 bits; not finite or outside the
// int range gives 0.
inline uint8_t ColorFloatToByte(float v)
{
    if (!(v >= -2147483648.0f && v < 2147483648.0f)) return 0;
    return static_cast<uint8_t>(static_cast<uint32_t>(static_cast<int32_t>(v)));
}

// ---- The start and step functions -----------------------------------------
void ColorStartNone(uint8_t slot);
void ColorStartClear(uint8_t slot);
void ColorStartTransformAverage(uint8_t slot);
void ColorStartBlendHalfway(uint8_t slot);
void ColorStartHalfway(uint8_t slot);
void ColorStartRatio(uint8_t slot);
void ColorStartAccumulate(uint8_t slot);

void ColorStepNone(uint8_t slot, int32_t transform, int32_t index);
void ColorStepTransformFirst(uint8_t slot, int32_t transform, int32_t index);
void ColorStepTransformAverage(uint8_t slot, int32_t transform, int32_t index);
void ColorStepTransformAverageB(uint8_t slot, int32_t transform, int32_t index);
void ColorStepBaseshape(uint8_t slot, int32_t transform, int32_t index);
void ColorStepTransform(uint8_t slot, int32_t transform, int32_t index);
void ColorStepBlendTransform(uint8_t slot, int32_t transform, int32_t index);
void ColorStepBlendHalfwayFirst(uint8_t slot, int32_t transform, int32_t index);
void ColorStepBlendHalfway(uint8_t slot, int32_t transform, int32_t index);
void ColorStepBlendHalfwayB(uint8_t slot, int32_t transform, int32_t index);
void ColorStepHalfwayFirst(uint8_t slot, int32_t transform, int32_t index);
void ColorStepHalfway(uint8_t slot, int32_t transform, int32_t index);
void ColorStepHalfwayB(uint8_t slot, int32_t transform, int32_t index);
void ColorStepRatio(uint8_t slot, int32_t transform, int32_t index);
void ColorStepAccumulate(uint8_t slot, int32_t transform, int32_t index);
