#include "shading/color_grain.h"

#include <cmath>

#include "engine/color_conversion.h"
#include "materials/texture_presets.h"

const DrawingTypeFlags gDrawingTypeFlags = {
    {0, 0, 1, 1, 1, 0, 0},
    {1, 0, 0, 0, 0, 1, 1},
    {1, 0, 0, 0, 0, 1, 0},
    {0, 1, 0, 0, 0, 0, 0},
};

namespace {

constexpr uint32_t kGrainSeed = 45;

float TwoLevel(float g, uint32_t word) { return g > static_cast<float>(word) * 5.9371814e-8f ? 255.0f : 0.0f; }

float Clamp255(float v) { return v > 0.0f ? (v < 255.0f ? v : 255.0f) : 0.0f; }

RandomState& SlotState(const uint8_t* slot) { return gSlotRandom[*slot < kMaxRenderSlots ? *slot : 0]; }

}  // namespace

float GrainValue(const float* c, uint32_t word)
{
    const float i = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]) * 0.003921569f;
    return std::fmin((i - static_cast<float>(word) * i * 9.313226e-11f) * 255.0f, 255.0f);
}

float* ColorGrainGrey(RandomState& r, float* out, const float* colour)
{
    const float g = GrainValue(colour, RandomStep(r));
    out[0] = out[1] = out[2] = g;
    return out;
}

float* ColorGrainTwoLevel(RandomState& r, float* out, const float* colour)
{
    const uint32_t w1 = RandomStep(r), w2 = RandomStep(r);
    out[0] = out[1] = out[2] = TwoLevel(GrainValue(colour, w1), w2);
    return out;
}

float* ColorGrainColour(RandomState& r, float* out, const float* colour)
{
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int round = 0; round < 4; ++round) {
        const uint32_t w1 = RandomStep(r), w2 = RandomStep(r);
        const float b = TwoLevel(GrainValue(colour, w1), w2) - 128.0f;
        const float shifted[3] = {colour[0] + b, colour[1] + b, colour[2] + b};
        float hsv[3], rgb[3];
        RgbToHsv(hsv, shifted);
        hsv[1] *= 1.5f;
        HsvToRgb(rgb, hsv);
        for (int c = 0; c < 3; ++c) sum[c] += Clamp255(rgb[c]);
    }
    for (int c = 0; c < 3; ++c) out[c] = sum[c] * 0.25f;
    return out;
}

RandomState& PreviewGrainRandom()
{
    if (OnWindowThread()) return gGlobalRandomC;
    thread_local RandomState own{};
    return own;
}

void SeedPreviewGrain() { SeedRandomState(PreviewGrainRandom(), kGrainSeed); }

float* ColorGrainA(const DrawingTypeFlags&, float* out, const float* colour, bool)
{
    return ColorGrainColour(PreviewGrainRandom(), out, colour);
}
float* ColorGrainB(const DrawingTypeFlags&, float* out, const float* colour, bool)
{
    return ColorGrainTwoLevel(PreviewGrainRandom(), out, colour);
}
float* ColorGrainShared(const DrawingTypeFlags&, float* out, const float* colour, bool)
{
    return ColorGrainGrey(PreviewGrainRandom(), out, colour);
}
float* ColorGrainC(const DrawingTypeFlags&, float* out, const float* colour, bool, const uint8_t* slot)
{
    return ColorGrainGrey(SlotState(slot), out, colour);
}
float* ColorGrainD(const DrawingTypeFlags&, float* out, const float* colour, bool, const uint8_t* slot)
{
    return ColorGrainTwoLevel(SlotState(slot), out, colour);
}
float* ColorGrainE(const DrawingTypeFlags&, float* out, const float* colour, bool, const uint8_t* slot)
{
    return ColorGrainColour(SlotState(slot), out, colour);
}
