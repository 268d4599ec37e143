// One fixed preset per pattern kind, seen over the hemisphere facing the
// viewer, laid out on a contact sheet and compared with the stored picture.
#include <gtest/gtest.h>

#include <cmath>

#include "materials/texture_presets.h"
#include "support/screenshot.h"
#include "tools/contact_sheet.h"

namespace {

constexpr int kTile = 96;

TexturePreset KindPreset(int kind)
{
    // Scales that show a few periods of each kind over the hemisphere.
    static constexpr float kScale[kPatternKinds] = {3, 6, 8, 8, 5, 5, 8, 1, 1, 3, 1.5f, 5, 1};
    TexturePreset p;
    p.layerCount = 2;
    p.saturationBoost = 1.2f;
    for (int l = 0; l < 2; ++l) {
        p.layerAxis[l][2] = 1.0f;
        p.falloffExponent[l] = 1.0f;
        p.detailOff[l] = 1;
    }
    p.patternOn[0] = 1;
    p.patternKind[0] = kind;
    p.patternScale[0] = kScale[kind];
    p.patternParameter[0] = 12.566371f;
    p.patternVariant[0] = kind == 8 ? 12 : (kind == 3 ? 1 : 0);
    p.patternRotation[0][0] = p.patternRotation[0][4] = p.patternRotation[0][8] = 1.0f;
    const float warm[3] = {1.8f, 1.1f, 0.5f}, cool[3] = {0.3f, 0.6f, 1.6f};
    for (int c = 0; c < 3; ++c) {
        p.layerColor[0][c] = warm[c];
        p.layerColor[1][c] = cool[c];
    }
    return p;
}

IconImage DrawHemisphere(const TexturePreset& preset)
{
    IconImage image;
    image.width = image.height = kTile;
    image.pixels.resize(kTile * kTile * 3);
    const float h = kTile / 2.0f;
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float px = (x + 0.5f - h) / h, py = (h - y - 0.5f) / h, r2 = px * px + py * py;
            const float point[3] = {px, py, std::sqrt(std::fmax(0.0f, 1.0f - r2))};
            float rgb[3];
            EvaluateTexturePreset(rgb, preset, point);
            for (int c = 0; c < 3; ++c) {
                const float v = rgb[c] * 256.0f;
                image.pixels[(y * kTile + x) * 3 + c] = static_cast<uint8_t>(v > 0.0f ? (v < 255.0f ? v : 255.0f) : 0.0f);
            }
        }
    }
    return image;
}

TEST(PatternSheet, OnePresetPerPatternKind)
{
    std::vector<IconImage> tiles;
    for (int kind = 0; kind < kPatternKinds; ++kind) tiles.push_back(DrawHemisphere(KindPreset(kind)));
    const uint8_t background[3] = {40, 40, 48};
    const IconImage sheet = TileContactSheet(tiles, 5, 4, background);
    ASSERT_EQ(sheet.width, 5 * (kTile + 4) + 4);
    const ScreenshotResult match = CompareWithReference("pattern_kinds", sheet.pixels, sheet.width, sheet.height, 6);
    EXPECT_TRUE(match.ok) << match.message;
}

}  // namespace
