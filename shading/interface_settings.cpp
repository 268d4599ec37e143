#include "shading/interface_settings.h"

Interface gInterface;

namespace {

constexpr int kZ = 30;
constexpr int kRow = 20;

const char* const kDrawingTypes[] = {"Grayscale",        "Black and White", "Standard", "Radial Gradient",
                                     "Angular Gradient", "Color Shaded",    "Stipple"};
const char* const kLightDistributions[] = {"Standard",    "Sine Stripes", "Cosine Stripes", "Exponential",
                                           "Random",      "Interference", "Soft Light",     "Inverse"};
const char* const kBlends[] = {"Replace",      "Addition",     "Multiply", "Average", "Difference",
                               "Darken only",  "Lighten only", "Screen",   "Negation"};
const char* const kFogCaptions[] = {"Parameters", "Density", "Falloff"};
const char* const kTurbidityCaptions[] = {"Sun Turbidity", "Turbidity"};
const char* const kGammaCaptions[] = {"Gamma Correction", "Gamma"};
constexpr float kFogRows[12] = {0, 10, kStartFogP0, 1, 0, 0, -10, 10, kStartFogP1, 0, 0, 0};
constexpr float kTurbidityRows[6] = {1, 20, kStartTurbidity, 1, 1, 0};
constexpr float kGammaRows[6] = {0.1f, 4, kStartGamma, 1, 1, 0};

void BuildCheck(OptionsBox& box, const ShadingSettingSpot& at, const char* caption)
{
    const char* labels[] = {caption};
    const uint8_t flag = box.flags[0];
    box.Build(at.x, at.y, kZ, at.width, at.rowHeight, 1, caption, labels);
    box.flags[0] = flag;
    box.visible = 1;
}

template <int N>
void BuildList(ListBox& list, const ShadingSettingSpot& at, const char* caption, const char* const (&options)[N])
{
    const int selected = list.selected;
    list.Build(at.x, at.y, kZ, at.width, at.rowHeight, N, caption, options);
    list.selected = list.previous = selected;
    list.selectedFromTop = N - 1 - selected;
    list.visible = 1;
}

float RowValue(const SLWindow& w, int row, float start) { return w.value ? w.Value(row) : start; }

}  // namespace

Interface::Interface() { ResetShadingSettings(); }

void Interface::ResetShadingSettings()
{
    for (OptionsBox* box : {&enableBackground, &enableFog, &backgroundReflection, &affectedByFog, &enableDrawingShaders}) {
        SharedStore(box->flags[0], uint8_t{0});
    }
    SharedStore(drawingType.selected, kDrawingStandard);
    SharedStore(lightDistribution.selected, kLightDistributionStandard);
    SharedStore(materialColorBlend.selected, 7);  // "Addition"
    for (SLWindow* w : {&fogParameters, &sunTurbidity, &gammaCorrection}) {
        if (!w->value) continue;
        for (int row = 0; row < w->rows; ++row) SharedStore(w->value[row], w->initial[row]);
    }
}

float Interface::FogParameter(int row) const
{
    return RowValue(fogParameters, row, row == 0 ? kStartFogP0 : kStartFogP1);
}
float Interface::Gamma() const { return RowValue(gammaCorrection, 0, kStartGamma); }
float Interface::SunTurbidity() const { return RowValue(sunTurbidity, 0, kStartTurbidity); }

const ShadingSettingSpot kProvisionalShadingSpots[kShadingSettingCount] = {
    {1200, 900, 240, kRow}, {1200, 870, 240, kRow}, {1200, 840, 240, kRow}, {1200, 810, 240, kRow},
    {1200, 780, 240, kRow}, {1200, 700, 300, kRow}, {1200, 640, 300, kRow}, {1200, 580, 300, kRow},
    {1200, 400, 200, kRow}, {1200, 200, 200, kRow}, {1000, 200, 200, kRow}};

void Interface::BuildShadingSettings(const ShadingSettingSpot* at)
{
    const ShadingSettingSpot* s = at;
    BuildCheck(enableBackground, s[0], "Enable Background");
    BuildCheck(enableFog, s[1], "Enable Fog");
    BuildCheck(backgroundReflection, s[2], "Background Reflection");
    BuildCheck(affectedByFog, s[3], "Affected by Fog");
    BuildCheck(enableDrawingShaders, s[4], "Enable Drawing Shaders");
    fogParameters.Build(s[5].x, s[5].y, kZ, s[5].width, s[5].rowHeight, 2, kFogCaptions, kFogRows, 70);
    sunTurbidity.Build(s[6].x, s[6].y, kZ, s[6].width, s[6].rowHeight, 1, kTurbidityCaptions, kTurbidityRows, 71);
    gammaCorrection.Build(s[7].x, s[7].y, kZ, s[7].width, s[7].rowHeight, 1, kGammaCaptions, kGammaRows, 72);
    BuildList(drawingType, s[8], "Drawing Type", kDrawingTypes);
    BuildList(lightDistribution, s[9], "Light Distribution Shader", kLightDistributions);
    BuildList(materialColorBlend, s[10], "Material Color Blend", kBlends);
}
