// The Shader's per-pixel helpers and the texture preset evaluation.
//
//   BM_EvaluateTexturePreset/<layers>: one evaluation of a preset with 1 or 9
//     layers, each a different pattern kind with shaping and detail, no grain.
//   BM_SampleImageBilinear: one sample of a 512 x 512 texture slot.
//   BM_EvaluateSurfaceMaterial/<type>: one relief normal; types 1, 3, 15
//     stand for warp families 0 (none), 2 (carved spirals), 3 (curved patterns).
#include <benchmark/benchmark.h>

#include <cmath>

#include "materials/shader.h"

namespace {

TexturePreset BenchPreset(int layers)
{
    TexturePreset p;
    p.layerCount = layers;
    p.saturationBoost = 1.3f;
    for (int l = 0; l < kPresetLayers; ++l) {
        const float a = 0.7f * l;
        p.layerAxis[l][0] = std::sin(a) * 0.6f;
        p.layerAxis[l][1] = std::cos(a) * 0.6f;
        p.layerAxis[l][2] = 0.8f;
        p.layerColor[l][0] = 1.0f + l * 0.2f;
        p.layerColor[l][1] = 0.5f;
        p.layerColor[l][2] = 2.0f - l * 0.1f;
        p.falloffExponent[l] = float(1 + l);
        p.patternOn[l] = 1;
        p.patternKind[l] = (l * 3) % kPatternKinds;
        p.patternScale[l] = 3.0f;
        p.patternParameter[l] = 6.2831855f;
        p.patternVariant[l] = l % 3;
        p.patternRotation[l][0] = p.patternRotation[l][4] = p.patternRotation[l][8] = 1.0f;
        p.shapeMode[l] = l % 6;
        p.shapeFrequency[l] = 2.0f;
        p.detailMode[l] = l % 6;
        p.warpMode[l] = l % 3;
        p.warpTurns[l] = 2;
    }
    return p;
}

void BM_EvaluateTexturePreset(benchmark::State& state)
{
    const TexturePreset preset = BenchPreset(static_cast<int>(state.range(0)));
    float out[3], p[3];
    int i = 0;
    for (auto _ : state) {
        const float a = (i++ & 1023) * 0.00613f;
        p[0] = 0.5f * std::sin(a);
        p[1] = 0.5f * std::cos(a);
        p[2] = 0.7f;
        benchmark::DoNotOptimize(EvaluateTexturePreset(out, preset, p));
    }
}
BENCHMARK(BM_EvaluateTexturePreset)->Arg(1)->Arg(9);

void BM_SampleImageBilinear(benchmark::State& state)
{
    gShader.slots[0].Replace(MakeSolidImage(512, 512, 90, 160, 220));
    float out[3];
    int i = 0;
    for (auto _ : state) {
        const float u = (i & 255) * 0.0078f - 1.0f, v = ((i >> 8) & 255) * 0.0078f - 1.0f;
        ++i;
        benchmark::DoNotOptimize(gShader.SampleSlotBilinear(out, u, v, gShader.slots[0]));
    }
}
BENCHMARK(BM_SampleImageBilinear);

void BM_EvaluateSurfaceMaterial(benchmark::State& state)
{
    gShader.materialType[0] = static_cast<uint32_t>(state.range(0));
    float out[3];
    int i = 0;
    for (auto _ : state) {
        float p[3] = {(i & 63) * 0.01f, 0.2f, ((i >> 6) & 63) * 0.01f}, n[3] = {0.0f, 0.6f, 0.8f};
        ++i;
        benchmark::DoNotOptimize(gShader.EvaluateSurfaceMaterial(out, 0, p, n));
    }
}
BENCHMARK(BM_EvaluateSurfaceMaterial)->Arg(1)->Arg(3)->Arg(15);

}  // namespace
