// Pictures of the textures and the light editor against stored references:
// the seven shading-model thumbnails, the 75 preset thumbnails of a fixed
// seed, and the light editor with a textured light.
#include <gtest/gtest.h>

#include <vector>

#include "engine/random_helpers.h"
#include "materials/shader.h"
#include "support/gl_interface.h"
#include "support/screenshot.h"
#include "tools/contact_sheet.h"
#include "ui/widget.h"

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

TEST(PanelPictures, LightEditorWithATexturedLight)
{
    GlInterfaceTest gl;
    if (!gl.ok()) GTEST_SKIP() << gl.why();
    SeedGlobalRandomA(7);
    gShader.InitializeTextures();
    gShader.MakeStartupPresets();
    gShader.BuildMaterialPanel();
    gShader.editedLight = 3;
    gShader.lights[3].enabled = 1;
    gShader.lights[3].textured = 1;
    gShader.gels[3].Replace(MakeSolidImage(16, 16, 200, 120, 40));
    gShader.SelectLight(3);
    SharedStore(gShader.editBox.flags[0], uint8_t{1});
    gl.ClearFrame();
    gShader.DrawLightSourceLabel();
    const ScreenshotResult match =
        CompareWithReference("light_editor_textured", gl.Frame(), GlInterfaceTest::Width(), GlInterfaceTest::Height());
    EXPECT_TRUE(match.ok) << match.message;
}

}  // namespace
