// The panel's pictures: the seven shading-model thumbnails and the 75 preset
// thumbnails of a fixed seed against stored references, and the shading ball.
#include <gtest/gtest.h>

#include <vector>

#include "engine/random_helpers.h"
#include "materials/shader.h"
#include "support/screenshot.h"
#include "tools/contact_sheet.h"

namespace {

constexpr uint8_t kBackground[3] = {40, 40, 48};

// The thumbnail buffer as a tile, every step-th pixel, top row first.
IconImage Tile(const uint8_t* rgb, int step)
{
    IconImage tile;
    tile.width = tile.height = kThumbnailSize / step;
    tile.pixels.resize(static_cast<size_t>(tile.width) * tile.height * 3);
    for (int y = 0; y < tile.height; ++y) {
        for (int x = 0; x < tile.width; ++x) {
            const uint8_t* src = rgb + ((kThumbnailSize - 1 - y * step) * kThumbnailSize + x * step) * 3;
            for (int c = 0; c < 3; ++c) tile.pixels[(y * tile.width + x) * 3 + c] = src[c];
        }
    }
    return tile;
}

TEST(PanelPictures, ShadingModelThumbnails)
{
    std::vector<IconImage> tiles;
    std::vector<uint8_t> rgb(kThumbnailSize * kThumbnailSize * 3);
    for (int m = 0; m < kCurveModeCount; ++m) {
        MakeShadingModelPicture(rgb.data(), m);
        tiles.push_back(Tile(rgb.data(), 2));
    }
    const IconImage sheet = TileContactSheet(tiles, 7, 4, kBackground);
    const ScreenshotResult match = CompareWithReference("shading_models", sheet.pixels, sheet.width, sheet.height, 6);
    EXPECT_TRUE(match.ok) << match.message;
}

TEST(PanelPictures, PresetThumbnailsOfAFixedSeed)
{
    static Shader shader;  // large: kept off the stack
    SeedGlobalRandomA(20261206u);
    const int modes[kTexturePanelCount] = {0, 4, 5, 6, 5};
    std::vector<IconImage> tiles;
    for (int t = 0; t < kTexturePanelCount; ++t) {
        for (int e = 0; e < kPresetsPerPanel; ++e) {
            const int i = kPresetsPerPanel * t + e;
            shader.RegenerateTexturePresets(i, i + 1, modes[t]);
            tiles.push_back(Tile(shader.thumbnailBuffer, 4));
        }
    }
    const IconImage sheet = TileContactSheet(tiles, kPresetsPerPanel, 2, kBackground);
    const ScreenshotResult match = CompareWithReference("preset_thumbnails", sheet.pixels, sheet.width, sheet.height, 8, 0.01);
    EXPECT_TRUE(match.ok) << match.message;
}

// The shading ball lit from the viewer: a bright centre, the byte 8 outside.
TEST(PanelPictures, ShadingBall)
{
    static Shader shader;  // large: kept off the stack
    const float toViewer[3] = {0, 0, 1};
    shader.previewRed[0] = 200;
    shader.previewGreen[0] = shader.previewBlue[0] = 255;
    const uint32_t revision = shader.shadingBallThumbnail.revision;
    shader.RenderShadingBall(toViewer, 1.0f, 90.0f);
    const uint8_t* ball = shader.shadingBallThumbnail.rgb;
    EXPECT_EQ(shader.shadingBallThumbnail.revision, revision + 1);
    EXPECT_EQ(ball[0], 8);
    EXPECT_EQ(ball[(64 * 128 + 64) * 3], 200);
    EXPECT_EQ(ball[(64 * 128 + 64) * 3 + 1], 255);
    EXPECT_LT(ball[(64 * 128 + 120) * 3 + 1], 50);
}

}  // namespace
