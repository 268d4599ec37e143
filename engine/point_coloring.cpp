#include "engine/point_coloring.h"

#include <cstdlib>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"

// The program starts in "Standard", the mode that the start-up colouring
// tables (no start or step, no RGB workers) and the unticked "Color by
// Transformation" box stand for; every refresh of the colouring reinstalls
// this number, so any other start value turns the RGB workers on at the
// first refresh (opening the baseshape editor), and a new baseshape's white
// base colour then washes out its material to a flat white.
std::atomic<int32_t> gColoringMode{kColoringStandard};
// "Blending Function" is built on "Replace" (mode 8): the blend starts as
// the list shows it.
std::atomic<int32_t> gColorBlendMode{8};
float gColorKeepFactor = 0.75f;
float gColorMixFactor = 0.25f;
uint8_t gRgbColoring = 0;
SlotFunctionCell<ColorStartFn> gSlotColorStart[kMaxRenderSlots];
SlotFunctionCell<ColorStepFn> gSlotColorStep[kMaxRenderSlots];
static_assert(sizeof(SlotFunctionCell<ColorStepFn>) == 64 && sizeof(SlotFunctionCell<ColorStartFn>) == 64);
SlotColorFloat gSlotRunningColor[kMaxRenderSlots];
SlotColorSum gSlotColorAccumulator[kMaxRenderSlots];

const ColoringModeRow kColoringModes[kColoringModeCount] = {
    {0, "Transformation: Weighted Interpolation", ColorStartTransformAverage, ColorStepTransformFirst,
     ColorStartClear, ColorStepTransformAverageB},
    {1, "Baseshape: Color", ColorStartNone, ColorStepBaseshape, ColorStartNone, ColorStepBaseshape},
    {2, "Transformation: Blend Color with Texture", ColorStartNone, ColorStepBlendTransform, ColorStartNone,
     ColorStepBlendTransform},
    {3, "Transformation: Color", ColorStartNone, ColorStepTransform, ColorStartNone, ColorStepTransform},
    {4, "Transformation: Interp. blend with Texture", ColorStartBlendHalfway, ColorStepBlendHalfwayFirst,
     ColorStartClear, ColorStepBlendHalfwayB},
    {5, "Transformation: Color Multipliation", ColorStartRatio, ColorStepRatio, ColorStartRatio, ColorStepRatio},
    {6, "Transformation: Color Addition", ColorStartAccumulate, ColorStepAccumulate, ColorStartAccumulate,
     ColorStepAccumulate},
    {7, "Transformation: Color Interpolation", ColorStartHalfway, ColorStepHalfwayFirst, ColorStartClear,
     ColorStepHalfwayB},
    {8, "Standard", ColorStartNone, ColorStepNone, ColorStartNone, ColorStepNone},
};

const char* const kBlendFunctionItems[kBlendModeCount] = {
    "Replace", "Addition", "Multiply", "Average", "Difference", "Darken only", "Lighten only", "Screen", "Negation",
};

namespace {

bool ModeDependsOnBaseshapes(int32_t mode) { return mode == 0 || mode == 4 || mode == 7; }

void InstallPair(ColorStartFn start, ColorStepFn step)
{
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        gSlotColorStart[s].store(start, std::memory_order_relaxed);
        gSlotColorStep[s].store(step, std::memory_order_relaxed);
    }
}

void InstallMode(int32_t mode)
{
    const ColoringModeRow& row = kColoringModes[mode];
    if (gUseBaseshapes)
        InstallPair(row.startWithBaseshapes, row.stepWithBaseshapes);
    else
        InstallPair(row.startWithoutBaseshapes, row.stepWithoutBaseshapes);
}

// A start or first step swaps its own mode's steps only: when the window
// thread installed another mode meanwhile, its choice stands instead of being
// overwritten by a step of the old mode.
inline void ReplaceStep(uint8_t slot, ColorStepFn from, ColorStepFn to)
{
    gSlotColorStep[slot].compare_exchange_strong(from, to, std::memory_order_relaxed);
}

inline void SetRunning(uint8_t slot, float r, float g, float b)
{
    gSlotRunningColor[slot].r = r;
    gSlotRunningColor[slot].g = g;
    gSlotRunningColor[slot].b = b;
}

inline void StoreRunning(uint8_t slot, int32_t index)
{
    gPointColorR[index] = ColorFloatToByte(gSlotRunningColor[slot].r);
    gPointColorG[index] = ColorFloatToByte(gSlotRunningColor[slot].g);
    gPointColorB[index] = ColorFloatToByte(gSlotRunningColor[slot].b);
}

inline void RunningFromTransform(uint8_t slot, int32_t t)
{
    SetRunning(slot, static_cast<float>(gTransformColors.r[t]), static_cast<float>(gTransformColors.g[t]),
               static_cast<float>(gTransformColors.b[t]));
}

inline void RunningHalfway(uint8_t slot, int32_t t)
{
    float* run[3] = {&gSlotRunningColor[slot].r, &gSlotRunningColor[slot].g, &gSlotRunningColor[slot].b};
    const int32_t* tc[3] = {gTransformColors.r, gTransformColors.g, gTransformColors.b};
    for (int c = 0; c < 3; ++c) *run[c] = (static_cast<float>(tc[c][t]) + *run[c]) * 0.5f;
}

// a = the running colour truncated, b = the point's current colour.
inline void BlendRunningIntoPoint(uint8_t slot, int32_t index)
{
    uint8_t colors[6] = {ColorFloatToByte(gSlotRunningColor[slot].r), ColorFloatToByte(gSlotRunningColor[slot].g),
                         ColorFloatToByte(gSlotRunningColor[slot].b), gPointColorR[index], gPointColorG[index],
                         gPointColorB[index]};
    const int32_t mode = gColorBlendMode.load(std::memory_order_relaxed);
    BlendColors(colors, &mode);
    gPointColorR[index] = colors[0];
    gPointColorG[index] = colors[1];
    gPointColorB[index] = colors[2];
}

inline int BlendChannel(int a, int b, int32_t mode)
{
    int v;
    switch (mode) {
    case 0: v = 255 - std::abs(255 - a - b); break;
    case 1: v = 255 - (((255 - a) * (255 - b)) >> 8); break;
    case 2: v = a > b ? a : b; break;
    case 3: v = a < b ? a : b; break;
    case 4: v = std::abs(a - b); break;
    case 5: v = (a + b) / 2; break;
    case 6: v = a * b / 255; break;
    case 7: v = a + b; break;
    default: v = a; break;  // "Replace" keeps the first colour
    }
    return v > 255 ? 255 : v;
}

// Workers may run before the interface resets the tables: start with the
// do-nothing pair rather than null pointers.
[[maybe_unused]] const bool kColoringTablesReady = (InstallPair(ColorStartNone, ColorStepNone), true);

}  // namespace

void SetColoringMode(int32_t mode)
{
    gColoringMode.store(mode, std::memory_order_relaxed);
    if (mode < 0 || mode >= kColoringModeCount) return;
    InstallMode(mode);
    if (mode < 8) {
        gRgbColoring = 1;
        return;
    }
    gRgbColoring = 0;
    const int32_t count = gBaseshapeCount < kMaxBaseshapes ? gBaseshapeCount : kMaxBaseshapes;
    for (int32_t b = 0; b < count; ++b)
        if (gBaseshapes[b].useTexture || gBaseshapes[b].useGradient) gRgbColoring = 1;
}

void SetColoringFunctionsForMode(int32_t mode)
{
    if (ModeDependsOnBaseshapes(mode)) InstallMode(mode);
}

void ResetColoringTables()
{
    InstallPair(ColorStartNone, ColorStepNone);
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        SetRunning(static_cast<uint8_t>(s), 0.0f, 0.0f, 0.0f);
        gSlotColorAccumulator[s].r = gSlotColorAccumulator[s].g = gSlotColorAccumulator[s].b = 0;
    }
}

void BlendColors(uint8_t* colors, const int32_t* mode)
{
    for (int c = 0; c < 3; ++c) colors[c] = static_cast<uint8_t>(BlendChannel(colors[c], colors[c + 3], *mode));
}

// ---- Starts ------------------------------------------------------------------

void ColorStartNone(uint8_t) {}

void ColorStartClear(uint8_t slot) { SetRunning(slot, 0.0f, 0.0f, 0.0f); }

void ColorStartTransformAverage(uint8_t slot)
{
    SetRunning(slot, 0.0f, 0.0f, 0.0f);
    ReplaceStep(slot, ColorStepTransformAverage, ColorStepTransformFirst);
}

void ColorStartBlendHalfway(uint8_t slot)
{
    SetRunning(slot, 0.0f, 0.0f, 0.0f);
    ReplaceStep(slot, ColorStepBlendHalfway, ColorStepBlendHalfwayFirst);
}

void ColorStartHalfway(uint8_t slot)
{
    SetRunning(slot, 0.0f, 0.0f, 0.0f);
    ReplaceStep(slot, ColorStepHalfway, ColorStepHalfwayFirst);
}

void ColorStartRatio(uint8_t slot) { SetRunning(slot, 1.0f, 1.0f, 1.0f); }

void ColorStartAccumulate(uint8_t slot)
{
    gSlotColorAccumulator[slot].r = gSlotColorAccumulator[slot].g = gSlotColorAccumulator[slot].b = 0;
}

// ---- Steps -------------------------------------------------------------------

void ColorStepNone(uint8_t, int32_t, int32_t) {}

void ColorStepTransformFirst(uint8_t slot, int32_t t, int32_t index)
{
    RunningFromTransform(slot, t);
    StoreRunning(slot, index);
    ReplaceStep(slot, ColorStepTransformFirst, ColorStepTransformAverage);
}

void ColorStepTransformAverage(uint8_t slot, int32_t t, int32_t index)
{
    const float mix = gColorMixFactor;
    const float keep = gColorKeepFactor;
    gSlotRunningColor[slot].r = static_cast<float>(gTransformColors.r[t]) * mix + keep * gSlotRunningColor[slot].r;
    gSlotRunningColor[slot].g = static_cast<float>(gTransformColors.g[t]) * mix + keep * gSlotRunningColor[slot].g;
    gSlotRunningColor[slot].b = static_cast<float>(gTransformColors.b[t]) * mix + keep * gSlotRunningColor[slot].b;
    StoreRunning(slot, index);
}

void ColorStepTransformAverageB(uint8_t slot, int32_t t, int32_t index) { ColorStepTransformAverage(slot, t, index); }

void ColorStepBaseshape(uint8_t slot, int32_t, int32_t index)
{
    int b = gSlotBaseshape[slot];
    if (b < 0 || b >= kMaxBaseshapes) b = 0;
    gPointColorR[index] = static_cast<uint8_t>(gBaseshapeColors.r[b]);
    gPointColorG[index] = static_cast<uint8_t>(gBaseshapeColors.g[b]);
    gPointColorB[index] = static_cast<uint8_t>(gBaseshapeColors.b[b]);
}

void ColorStepTransform(uint8_t, int32_t t, int32_t index)
{
    gPointColorR[index] = static_cast<uint8_t>(gTransformColors.r[t]);
    gPointColorG[index] = static_cast<uint8_t>(gTransformColors.g[t]);
    gPointColorB[index] = static_cast<uint8_t>(gTransformColors.b[t]);
}

void ColorStepBlendTransform(uint8_t, int32_t t, int32_t index)
{
    uint8_t colors[6] = {static_cast<uint8_t>(gTransformColors.r[t]), static_cast<uint8_t>(gTransformColors.g[t]),
                         static_cast<uint8_t>(gTransformColors.b[t]), gPointColorR[index], gPointColorG[index],
                         gPointColorB[index]};
    const int32_t mode = gColorBlendMode.load(std::memory_order_relaxed);
    BlendColors(colors, &mode);
    gPointColorR[index] = colors[0];
    gPointColorG[index] = colors[1];
    gPointColorB[index] = colors[2];
}

void ColorStepBlendHalfwayFirst(uint8_t slot, int32_t t, int32_t index)
{
    RunningFromTransform(slot, t);
    BlendRunningIntoPoint(slot, index);
    ReplaceStep(slot, ColorStepBlendHalfwayFirst, ColorStepBlendHalfway);
}

void ColorStepBlendHalfway(uint8_t slot, int32_t t, int32_t index)
{
    RunningHalfway(slot, t);
    BlendRunningIntoPoint(slot, index);
}

void ColorStepBlendHalfwayB(uint8_t slot, int32_t t, int32_t index) { ColorStepBlendHalfway(slot, t, index); }

void ColorStepHalfwayFirst(uint8_t slot, int32_t t, int32_t index)
{
    RunningFromTransform(slot, t);
    StoreRunning(slot, index);
    ReplaceStep(slot, ColorStepHalfwayFirst, ColorStepHalfway);
}

void ColorStepHalfway(uint8_t slot, int32_t t, int32_t index)
{
    RunningHalfway(slot, t);
    StoreRunning(slot, index);
}

void ColorStepHalfwayB(uint8_t slot, int32_t t, int32_t index) { ColorStepHalfway(slot, t, index); }

void ColorStepRatio(uint8_t slot, int32_t t, int32_t index)
{
    float* run[3] = {&gSlotRunningColor[slot].r, &gSlotRunningColor[slot].g, &gSlotRunningColor[slot].b};
    const int32_t* tc[3] = {gTransformColors.r, gTransformColors.g, gTransformColors.b};
    uint8_t* out[3] = {gPointColorR, gPointColorG, gPointColorB};
    for (int c = 0; c < 3; ++c) {
        const float tf = static_cast<float>(tc[c][t]);
        *run[c] = tf / *run[c];
        out[c][index] = ColorFloatToByte(tf * *run[c]);
    }
}

void ColorStepAccumulate(uint8_t slot, int32_t t, int32_t index)
{
    // Unsigned wrap-around: the low byte equals that of the signed remainder.
    gSlotColorAccumulator[slot].r += static_cast<uint32_t>(gTransformColors.r[t]);
    gSlotColorAccumulator[slot].g += static_cast<uint32_t>(gTransformColors.g[t]);
    gSlotColorAccumulator[slot].b += static_cast<uint32_t>(gTransformColors.b[t]);
    gPointColorR[index] = static_cast<uint8_t>(gSlotColorAccumulator[slot].r);
    gPointColorG[index] = static_cast<uint8_t>(gSlotColorAccumulator[slot].g);
    gPointColorB[index] = static_cast<uint8_t>(gSlotColorAccumulator[slot].b);
}
