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

void BuildCheck(OptionsBox& box, int x, int y, const char* caption)
{
    const char* labels[] = {caption};
    const uint8_t flag = box.flags[0];
    box.Build(x, y, kZ, 240, kRow, 1, caption, labels);
    box.flags[0] = flag;
    box.visible = 1;
}

template <int N>
void BuildList(ListBox& list, int x, int y, const char* caption, const char* const (&options)[N])
{
    const int selected = list.selected;
    list.Build(x, y, kZ, 200, kRow, N, caption, options);
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
        WriteShared(box->flags[0], uint8_t{0});
    }
    WriteShared(drawingType.selected, kDrawingStandard);
    WriteShared(lightDistribution.selected, kLightDistributionStandard);
    WriteShared(materialColorBlend.selected, 7);  // "Addition"
    for (SLWindow* w : {&fogParameters, &sunTurbidity, &gammaCorrection}) {
        if (!w->value) continue;
        for (int row = 0; row < w->rows; ++row) WriteShared(w->value[row], w->initial[row]);
    }
}

float Interface::FogParameter(int row) const
{
    return RowValue(fogParameters, row, row == 0 ? kStartFogP0 : kStartFogP1);
}
float Interface::Gamma() const { return RowValue(gammaCorrection, 0, kStartGamma); }
float Interface::SunTurbidity() const { return RowValue(sunTurbidity, 0, kStartTurbidity); }

void Interface::BuildShadingSettings()
{
    BuildCheck(enableBackground, 1200, 900, "Enable Background");
    BuildCheck(enableFog, 1200, 870, "Enable Fog");
    BuildCheck(backgroundReflection, 1200, 840, "Background Reflection");
    BuildCheck(affectedByFog, 1200, 810, "Affected by Fog");
    BuildCheck(enableDrawingShaders, 1200, 780, "Enable Drawing Shaders");
    fogParameters.Build(1200, 700, kZ, 300, kRow, 2, kFogCaptions, kFogRows, 70);
    sunTurbidity.Build(1200, 640, kZ, 300, kRow, 1, kTurbidityCaptions, kTurbidityRows, 71);
    gammaCorrection.Build(1200, 580, kZ, 300, kRow, 1, kGammaCaptions, kGammaRows, 72);
    BuildList(drawingType, 1200, 400, "Drawing Type", kDrawingTypes);
    BuildList(lightDistribution, 1200, 200, "Light Distribution Shader", kLightDistributions);
    BuildList(materialColorBlend, 1000, 200, "Material Color Blend", kBlends);
}
