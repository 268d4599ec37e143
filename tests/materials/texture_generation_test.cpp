#include "materials/texture_generation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/random_helpers.h"
#include "materials/patterns.h"
#include "materials/shader.h"
#include "materials/texture_randomiser.h"

namespace {

// Fields of the preset drawn from seed 20261206.
constexpr int kSeededLayerCount = 2;
constexpr int kSeededKind1 = 5;
constexpr float kSeededExponent2 = 10.0f;
constexpr float kSeededAxis3x = 0.52510673f;
constexpr float kSeededBoost = 1.6475983f;

// One layer of the given colour, brightness |dot(axis, p)|, no pattern.
TexturePreset AbsoluteFalloffPreset(const float* axis, float color, float exponent)
{
    TexturePreset p;
    p.layerCount = 1;
    for (int i = 0; i < 3; ++i) {
        p.layerAxis[0][i] = axis[i];
        p.layerColor[0][i] = color;
    }
    p.falloffExponent[0] = exponent;
    p.absoluteFalloff[0] = 1;
    p.detailOff[0] = 1;
    p.saturationBoost = 1.0f;
    return p;
}

TexturePreset SeededPreset(uint32_t seed)
{
    SeedGlobalRandomA(seed);
    TexturePreset p;
    RandomizePreset(p);
    return p;
}

}  // namespace

TEST(TextureMappings, WorkedPoints)
{
    float p[3];
    HemispherePoint(p, 64.5f, 64.5f, 128);  // mode 0 pixel (64, 64), centred
    EXPECT_FLOAT_EQ(p[0], 0.5f / 64);
    EXPECT_FLOAT_EQ(p[1], 0.5f / 64);
    EXPECT_NEAR(p[2], 1.0f, 1e-4f);
    HemispherePoint(p, 0.5f, 0.5f, 128);  // a corner: off the disc, finite
    EXPECT_GT(p[0] * p[0] + p[1] * p[1], 1.0f);
    EXPECT_TRUE(std::isfinite(p[2]));
    // First and last columns lie on one meridian in both UV mappings.
    for (bool cylinder : {false, true}) {
        for (float v : {0.0f, 17.0f, 100.0f, 127.0f}) {
            float a[3], b[3];
            UvToSpherePoint(a, 0, v, 128, cylinder);
            UvToSpherePoint(b, 127, v, 128, cylinder);
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], 1e-5f) << "cylinder " << cylinder << " row " << v;
            EXPECT_NEAR(a[0] * a[0] + a[1] * a[1] + a[2] * a[2], 1.0f, 1e-5f);
        }
    }
}

TEST(TextureMappings, ChannelBytes)
{
    const struct {
        float c;
        uint8_t byte;
    } cases[] = {{1.0f, 255}, {0.999f, 255}, {0.5f, 128}, {0.0f, 0}, {-2.0f, 0}, {std::sqrt(3.0f), 255},
                 {NAN, 0},    {INFINITY, 255}, {1.0f / 256, 1}};
    for (const auto& c : cases) EXPECT_EQ(ChannelByte(c.c), c.byte) << c.c;
}

// Every mode fills the image; mode 6 is grey, mode 0 leaves the corners
// black, the background modes turn the preset's sky for a dome.
TEST(TextureGeneration, EveryMode)
{
    const float axis[3] = {0.3f, 0.5f, 0.81f};
    constexpr int n = 64;
    for (int mode = 0; mode < kMappingModeCount; ++mode) {
        TexturePreset preset = AbsoluteFalloffPreset(axis, 0.9f, 2.0f);
        preset.skySwapYZ = 1;
        const int channels = mode == kGreyMappingMode ? 1 : 3;
        std::vector<uint8_t> image(n * n * channels, 77);
        GenerateTextureImage(image.data(), n, mode, preset, nullptr);
        int lit = 0;
        for (uint8_t b : image) lit += b != 77 && b > 0;
        EXPECT_GT(lit, n * n / 4) << "mode " << mode;
        EXPECT_EQ(preset.skyHorizontalScale, mode == 2 || mode == 4 ? 0.5f : 1.0f) << "mode " << mode;
        EXPECT_EQ(preset.skySwapYZ, mode == 2 || mode == 4 ? 0 : 1) << "mode " << mode;
        if (mode == 0) {
            for (int at : {0, n - 1, n * (n - 1), n * n - 1}) EXPECT_EQ(image[3 * at], 0) << "corner " << at;
        }
        if (mode == 6) {
            EXPECT_EQ(image[3 * 777], image[3 * 777 + 2]);
        }
    }
    // A white layer gives 255 in mode 7 (its length sqrt 3 clamped).
    TexturePreset white = AbsoluteFalloffPreset(axis, 1000.0f, 1.0f);
    std::vector<uint8_t> grey(16 * 16);
    GenerateTextureImage(grey.data(), 16, kGreyMappingMode, white, nullptr);
    EXPECT_EQ(grey[8 * 16 + 3], 255);
}

TEST(TextureRandomiser, WhiteTestRejectsNineteenOfTwenty)
{
    const float* d0 = gPatternDirections[0];
    const float axis[3] = {0.3f, 0.5f, 0.81f};
    // A white layer with a second one that is strongly negative along d0
    // alone (exponent 1000), or along d0 and its opposite (absolute).
    for (bool absolute : {false, true}) {
        TexturePreset p = AbsoluteFalloffPreset(axis, 1000.0f, 1.0f);
        p.layerCount = 2;
        for (int i = 0; i < 3; ++i) {
            p.layerAxis[1][i] = d0[i];
            p.layerColor[1][i] = -1e6f;
        }
        p.falloffExponent[1] = 1001.0f;
        p.absoluteFalloff[1] = absolute ? 1 : 0;
        p.detailOff[1] = 1;
        int white = 0;
        for (const auto& d : gPatternDirections) {
            float c[3];
            EvaluateTexturePreset(c, p, d);
            white += c[0] == 1.0f && c[1] == 1.0f && c[2] == 1.0f;
        }
        EXPECT_EQ(white, absolute ? 18 : 19);
        EXPECT_EQ(PresetIsWhite(p), !absolute);
    }
}

// The first fields of a preset drawn from a fixed seed, and the bounds every
// drawn preset keeps.
TEST(TextureRandomiser, SeededPresets)
{
    RandomState first;
    SeedRandomState(first, 20261206u);
    const bool firstBit = RandomStep(first) > 0x80000000u;  // the cylinder flag is the first draw
    const TexturePreset p = SeededPreset(20261206u);
    EXPECT_EQ(p.cylinderMapping, firstBit ? 1 : 0);
    EXPECT_EQ(p.layerCount, kSeededLayerCount);
    EXPECT_EQ(p.patternKind[1], kSeededKind1);
    EXPECT_FLOAT_EQ(p.falloffExponent[2], kSeededExponent2);
    EXPECT_FLOAT_EQ(p.layerAxis[3][0], kSeededAxis3x);
    EXPECT_FLOAT_EQ(p.saturationBoost, kSeededBoost);

    // A generator nobody seeded gives only zero words; the retries end.
    gGlobalRandomA = RandomState{};
    TexturePreset stuck;
    RandomizePreset(stuck);
    EXPECT_EQ(stuck.layerCount, 1);

    for (uint32_t seed = 1; seed <= 100; ++seed) {
        const TexturePreset q = SeededPreset(seed);
        ASSERT_GE(q.layerCount, 1) << seed;
        ASSERT_LE(q.layerCount, 9) << seed;
        EXPECT_FALSE(PresetIsWhite(q)) << seed;
        EXPECT_GE(q.sunDirection[1], 0.0f) << seed;
        for (int l = 0; l < kPresetLayers; ++l) {
            ASSERT_TRUE(q.falloffExponent[l] >= 1.0f && q.falloffExponent[l] <= 100.0f) << seed;
            ASSERT_TRUE(!q.grainOn[l] || (q.grainTargets[l][0] | q.grainTargets[l][1] | q.grainTargets[l][2] | q.grainTargets[l][3])) << seed;
        }
        EXPECT_EQ(q.falloffExponent[0], 1.0f) << seed;
        if (q.cellWarpOn) {
            EXPECT_GE(q.CellCount(), 10) << seed;
            EXPECT_LE(q.CellCount(), 299) << seed;
        }
    }
}

TEST(TextureRandomiser, CellSites)
{
    for (const auto& c : {std::pair{5, 10}, std::pair{1000, 300}, std::pair{-3, 10}, std::pair{40, 40}}) {
        TexturePreset p;
        BuildPresetCellSites(p, c.first);
        ASSERT_EQ(p.CellCount(), c.second) << c.first;
        for (const CellSite& s : p.cellSites) {
            ASSERT_NEAR(s.v[0] * s.v[0] + s.v[1] * s.v[1] + s.v[2] * s.v[2], 1.0f, 1e-5f) << c.first;
        }
    }
    // 20 evenly spread sites come close to the least energy known for 20
    // charges (150.8816), far below uniformly drawn ones; the step carries on.
    TexturePreset uniform, even;
    even.cellEvenSpread = 1;
    SeedGlobalRandomA(7);
    BuildPresetCellSites(uniform, 20);
    SetCellSpreadStep(1e-5);
    SeedGlobalRandomA(7);
    BuildPresetCellSites(even, 20);
    EXPECT_LT(SiteEnergy(even), 150.8816 * 1.002);
    EXPECT_LT(SiteEnergy(even), SiteEnergy(uniform) - 5.0);
    const double carried = CellSpreadStep();
    EXPECT_NE(carried, 1e-5);
    TexturePreset again = even;
    SeedGlobalRandomA(7);
    BuildPresetCellSites(again, 20);  // the same start, but the carried step
    bool differs = false;
    for (int i = 0; i < 20; ++i) differs |= again.cellSites[i].v[0] != even.cellSites[i].v[0];
    EXPECT_TRUE(differs);
}

// Displacement maps copy the surface textures, whatever the generator holds
// (only their grain draws while rendering).
TEST(TextureRandomiser, RegenerateRanges)
{
    Shader& s = *new Shader;  // large; freed at the end
    SeedGlobalRandomA(99);
    s.RegenerateTexturePresets(30, 33, 5);
    SeedGlobalRandomA(12345);
    s.RegenerateTexturePresets(45, 48, 6);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.presets[45 + i].layerCount, s.presets[30 + i].layerCount);
        EXPECT_EQ(std::memcmp(s.presets[45 + i].layerColor, s.presets[30 + i].layerColor, sizeof s.presets[0].layerColor), 0);
    }
    delete &s;
}
