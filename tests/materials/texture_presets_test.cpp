#include "materials/texture_presets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>

#include "engine/random_helpers.h"

namespace {

// One white layer: falloff along +z with exponent 1, no pattern, no detail.
TexturePreset PlainPreset()
{
    TexturePreset p;
    p.layerCount = 1;
    p.layerAxis[0][2] = 1.0f;
    p.layerColor[0][0] = p.layerColor[0][1] = p.layerColor[0][2] = 1.0f;
    p.falloffExponent[0] = 1.0f;
    p.detailOff[0] = 1;
    p.saturationBoost = 1.5f;
    return p;
}

TexturePreset SkyPreset()
{
    TexturePreset p = PlainPreset();
    p.skyMode = 1;
    p.sunDirection[1] = 1.0f;
    for (float* c : {p.skyColor1, p.skyColor2, p.skyColor3, p.skyColor4}) c[0] = c[1] = c[2] = 0.5f;
    p.skyExponents[0] = 20.0f;
    p.skyExponents[1] = 200.0f;
    p.skyExponents[2] = 10.0f;
    p.skyDarkenBelowHorizon = 1;
    return p;
}

std::array<float, 3> Eval(const TexturePreset& p, float x, float y, float z)
{
    const float point[3] = {x, y, z};
    std::array<float, 3> out;
    EvaluateTexturePreset(out.data(), p, point);
    return out;
}

TEST(TexturePresets, WorkedPoints)
{
    TexturePreset none = PlainPreset();
    none.layerCount = 0;
    TexturePreset kind2 = PlainPreset();
    kind2.patternOn[0] = 1;
    kind2.patternKind[0] = 2;  // scale 0 and offset 0: the pattern sees the origin, where it is 1
    TexturePreset flipped = PlainPreset();
    flipped.absoluteFalloff[0] = flipped.invertFalloff[0] = 1;

    struct Case {
        const char* name;
        std::array<float, 3> got;
        float expected;
    };
    const Case cases[] = {
        {"outside the cylinder", Eval(PlainPreset(), 0.8f, 0.7f, 0.0f), 0.0f},
        {"sky outside the cylinder", Eval(SkyPreset(), 0.8f, 0.7f, 0.0f), 0.0f},
        {"no layers", Eval(none, 0, 0, 1), 0.0f},
        {"(0, 0, 5) as (0, 0, 1)", Eval(PlainPreset(), 0, 0, 5), 1.0f},
        {"below the horizon, clamped", Eval(PlainPreset(), 0, 0, -1), 0.0f},
        {"half way", Eval(PlainPreset(), 0.6f, 0, 0.8f), 0.8f},
        {"zero point", Eval(PlainPreset(), 0, 0, 0), 0.0f},
        {"point not a number", Eval(PlainPreset(), NAN, 0, 1), 0.0f},
        {"kind 2 at the origin", Eval(kind2, 0, 0, 1), 1.0f},
        {"inverted absolute falloff on the axis", Eval(flipped, 0, 0, 1), 0.0f},
        {"inverted absolute falloff at right angles", Eval(flipped, 1, 0, 0), 1.0f},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(c.got[i], c.expected, 1e-6) << c.name << " channel " << i;
    }
}

TEST(TexturePresets, SkyPresetIgnoresLayersAndStaysInRange)
{
    TexturePreset a = SkyPreset(), b = SkyPreset();
    b.layerCount = 7;
    b.layerColor[0][0] = 4.0f;
    b.saturationBoost = 2.0f;
    for (float z = -1.0f; z <= 1.0f; z += 0.125f) {
        const auto ca = Eval(a, 0.3f, std::sqrt(1 - 0.09f - z * z > 0 ? 1 - 0.09f - z * z : 0), z);
        const auto cb = Eval(b, 0.3f, std::sqrt(1 - 0.09f - z * z > 0 ? 1 - 0.09f - z * z : 0), z);
        EXPECT_EQ(ca, cb) << "z " << z;
        for (float c : ca) EXPECT_TRUE(c >= 0.0f && c <= 1.0f) << "z " << z;
    }
    EXPECT_GT(Eval(a, 0, 1, 0)[0], 0.0f);
}

TEST(TexturePresets, CellWarpTiesCopiesAndEmptySites)
{
    TexturePreset p = PlainPreset();
    p.cellWarpOn = 1;
    p.cellPull = 1.0f;
    p.cellKeep = 0.0f;
    float out[3];
    const float point[3] = {0, 0, 1};
    EXPECT_EQ(ApplyCellWarp(out, p, point)[2], 1.0f) << "without sites the point stays";

    p.cellSites = {{{1, 0, 0}}, {{-1, 0, 0}}, {{0, -1, -1}}};
    for (int metric = 0; metric < 3; ++metric) {
        p.cellMetric = metric;
        ApplyCellWarp(out, p, point);
        EXPECT_EQ(out[0], -1.0f) << "of two sites at the same distance the later wins, metric " << metric;
    }

    auto source = std::make_unique<TexturePreset>(p);
    const TexturePreset copy = *source;
    source->cellSites.assign(300, CellSite{{0, 1, 0}});
    source.reset();
    ApplyCellWarp(out, copy, point);
    EXPECT_EQ(out[0], -1.0f) << "a copy keeps its own sites";
}

// Layer counts outside 1..10, a logarithmic twist whose centre is the point,
// every pattern kind, shaping and detail mode, star and grain: finite colours.
TEST(TexturePresets, EveryLayerSettingGivesFiniteColours)
{
    SeedGlobalRandomA(7);
    for (int kind = 0; kind < 14; ++kind) {
        for (int mode = 0; mode < 7; ++mode) {
            TexturePreset p = PlainPreset();
            p.layerCount = kind % 2 ? 11 : 3;
            for (int l = 0; l < kPresetLayers; ++l) {
                p.layerAxis[l][2] = p.patternRotation[l][0] = p.patternRotation[l][4] = p.patternRotation[l][8] = 1.0f;
                p.layerColor[l][0] = 4.5f;
                p.falloffExponent[l] = float(1 + l * 7);
                p.patternOn[l] = p.grainOn[l] = p.grainTargets[l][0] = p.grainTargets[l][1] = 1;
                p.patternKind[l] = kind;
                p.patternVariant[l] = mode * 3;
                p.patternParameter[l] = p.patternScale[l] = p.shapeFrequency[l] = 3.0f;
                p.shapeMode[l] = p.detailMode[l] = mode;
                p.detailOff[l] = 0;
                p.warpMode[l] = 1 + l % 2;  // linear and logarithmic twists
                p.warpTurns[l] = 5;
                p.starOn[l] = l % 2;
                p.grainAmount[l][0] = p.grainAmount[l][1] = 0.1f;
            }
            for (const auto& q : {std::array<float, 3>{0, 0, 1}, {0.6f, 0, -0.8f}, {0, 0, 0}, {0.1f, 0.2f, 0.3f}}) {
                for (float v : Eval(p, q[0], q[1], q[2])) EXPECT_TRUE(std::isfinite(v) && v <= 1.0f) << kind << " " << mode;
            }
        }
    }
}

TEST(TexturePresets, GrainStepsOnlyTheCallingThreadsGenerator)
{
    TexturePreset p = PlainPreset();
    p.patternOn[0] = p.grainOn[0] = p.grainTargets[0][0] = p.grainTargets[0][1] = 1;
    p.grainAmount[0][0] = p.grainAmount[0][1] = 0.125f;
    p.patternKind[0] = 2;
    SeedGlobalRandomA(3);
    const RandomState before = gGlobalRandomA;
    Eval(p, 0, 0, 1);
    EXPECT_NE(before.word[0], gGlobalRandomA.word[0]) << "the window thread draws from gGlobalRandomA";

    const RandomState windowState = gGlobalRandomA;
    std::thread worker([&] {
        EXPECT_FALSE(OnWindowThread());
        const RandomState own = PresetGrainRandom();
        for (int i = 0; i < 100; ++i) Eval(p, 0.1f, 0, 0.9f);
        EXPECT_NE(own.word[0], PresetGrainRandom().word[0]);
    });
    worker.join();
    EXPECT_EQ(windowState.word[0], gGlobalRandomA.word[0]) << "another thread leaves gGlobalRandomA alone";
    EXPECT_EQ(windowState.carry, gGlobalRandomA.carry);
}

}  // namespace
