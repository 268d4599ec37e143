// The preview of the sphere-over-floor scene under the passes' main
// settings, each shrunk to a quarter and laid out on one contact sheet that
// is compared with the stored picture:
//   row 1: point preview with defaults; render buffers with defaults; with
//          shadows; fog with a gradient; the sky background
//   row 2: an extra light with a gel; drawing types 0 to 3
//   row 3: drawing types 4 to 6
#include <gtest/gtest.h>

#include <memory>

#include "materials/shader.h"
#include "render/render_threads.h"
#include "shading/shading_settings.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"
#include "shading/support/preview_scene.h"
#include "support/screenshot.h"
#include "tools/contact_sheet.h"

namespace {

constexpr int kShrink = 4;
constexpr int kTile = kPreviewSize / kShrink;

// The shown 832 x 832 part, top row first, averaged over 4 x 4 blocks.
IconImage Tile()
{
    IconImage tile;
    tile.width = tile.height = kTile;
    tile.pixels.resize(kTile * kTile * 3);
    for (int ty = 0; ty < kTile; ++ty) {
        for (int tx = 0; tx < kTile; ++tx) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < kShrink; ++dy) {
                    for (int dx = 0; dx < kShrink; ++dx) {
                        const int row = kPreviewSize - 1 - (ty * kShrink + dy), column = tx * kShrink + dx;
                        sum += gPreviewImage[(row * kPreviewImageSize + column) * 3 + c];
                    }
                }
                tile.pixels[(ty * kTile + tx) * 3 + c] = static_cast<uint8_t>(sum / (kShrink * kShrink));
            }
        }
    }
    return tile;
}

SlotImagePtr CheckerGel()
{
    auto gel = std::make_unique<SlotImage>();
    gel->width = gel->height = 16;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool on = ((x / 2) + (y / 2)) % 2 == 0;
            gel->pixels.insert(gel->pixels.end(), {uint8_t(on ? 255 : 40), uint8_t(on ? 200 : 40), uint8_t(on ? 60 : 255)});
        }
    }
    return gel;
}

TEST(PreviewPictures, SceneUnderTheMainSettings)
{
    std::vector<IconImage> tiles;
    SetUpSpherePointPreview();
    ShadeFull();
    tiles.push_back(Tile());

    SetUpSphereScene(512, 512);
    ShadeProgressive(0);
    tiles.push_back(Tile());
    gFastShadowUpdate = 1;
    ShadeProgressive(0);
    tiles.push_back(Tile());
    gFastShadowUpdate = 0;

    SetUpSpherePointPreview();
    gShadingSettings.fogOn = 1;
    gShader.backgroundFog = 0;
    for (int i = 0; i < 256; ++i) {
        gFogGradient.red[i] = static_cast<uint8_t>(40 + i * 3 / 4);
        gFogGradient.green[i] = static_cast<uint8_t>(20 + i / 4);
        gFogGradient.blue[i] = static_cast<uint8_t>(120);
    }
    ShadeFull();
    tiles.push_back(Tile());

    SetUpSpherePointPreview();
    gShadingSettings.backgroundOn = 1;
    ShadeFull();
    tiles.push_back(Tile());

    SetUpSphereScene(512, 512);
    LightSource& light = gShader.lights[0];
    light.enabled = 1;
    light.textured = 1;
    light.position[0] = 0.0f;
    light.position[1] = 0.15f;
    light.position[2] = 1.2f;
    light.radius = 0.6f;
    gShader.gels[0].Replace(CheckerGel());
    ShadeProgressive(0);
    tiles.push_back(Tile());
    gShader.ResetLight(0);

    for (int type = 0; type < 7; ++type) {
        SetUpSpherePointPreview();
        gShadingSettings.drawingShadersOn = 1;
        gShadingSettings.drawingType = type;
        ShadeFull();
        tiles.push_back(Tile());
    }
    gShadingSettings.Reset();

    const uint8_t background[3] = {40, 40, 48};
    const IconImage sheet = TileContactSheet(tiles, 5, 4, background);
    const ScreenshotResult match = CompareWithReference("preview_passes", sheet.pixels, sheet.width, sheet.height, 6);
    EXPECT_TRUE(match.ok) << match.message;
}

}  // namespace
