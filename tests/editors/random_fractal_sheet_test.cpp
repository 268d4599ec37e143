// One New Fractal per fractal type from a fixed seed, rendered by the
// kernels and the projection pass into a small depth image, laid out on a
// contact sheet and compared with the stored picture. Every tile must show
// a picture: a few per cent of its pixels lit, spread beyond a blob.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "editors/random_fractal.h"
#include "editors/support/random_fractal_setup.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"
#include "support/screenshot.h"
#include "tools/contact_sheet.h"

namespace {

constexpr int kTile = 64;

struct Tile {
    IconImage image;
    double litShare = 0;
    double spread = 0;  // the lit pixels' extent: the larger side over the tile
};

// Depth from far (dark) to near (bright) of the points of 1000 kernel runs.
Tile RenderTile()
{
    ClearRenderBuffers();
    for (int run = 0; run < 1000; ++run) {
        gFractalTypeKernel.load()(0);
        if (gSymmetryOn.load()) ApplySymmetry(0);
        ProjectBatchOrthoNoShadow(0);
    }
    Tile t;
    t.image.width = t.image.height = kTile;
    t.image.pixels.assign(kTile * kTile * 3, 0);
    float low = 1e30f, high = -1e30f;
    for (int i = 0; i < kTile * kTile; ++i) {
        if (gDepthBuffer[i] == 0.0f) continue;
        low = std::min(low, gDepthBuffer[i]);
        high = std::max(high, gDepthBuffer[i]);
    }
    int lit = 0, x0 = kTile, x1 = -1, y0 = kTile, y1 = -1;
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float d = gDepthBuffer[y * kTile + x];
            if (d == 0.0f) continue;
            ++lit;
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
            const float f = high > low ? (d - low) / (high - low) : 1.0f;
            const uint8_t v = static_cast<uint8_t>(60.0f + 195.0f * f);
            // Rows from the top: the image's y grows upwards.
            uint8_t* p = &t.image.pixels[((kTile - 1 - y) * kTile + x) * 3];
            p[0] = v, p[1] = static_cast<uint8_t>(0.8f * v), p[2] = static_cast<uint8_t>(0.55f * v);
        }
    }
    t.litShare = static_cast<double>(lit) / (kTile * kTile);
    t.spread = lit ? static_cast<double>(std::max(x1 - x0, y1 - y0) + 1) / kTile : 0.0;
    return t;
}

TEST(RandomFractalSheet, EveryTypeDrawsAPicture)
{
    std::vector<IconImage> tiles;
    for (int type = 0; type < kFractalTypeCount; ++type) {
        SetUpRandomFractalModel(1000u + static_cast<uint32_t>(type));
        gFractalType = type;
        SelectFractalTypeKernel();
        if (type == 22) LoadTetrahedronScript();
        CreateRandomFractal();
        if (type == 22) {
            EXPECT_EQ(gTransformCount, 4);
            EXPECT_EQ(gTransformWeights[3], 0.25f);
        }
        ASSERT_TRUE(AllocateRenderBuffers(kTile, kTile, false));
        const Tile t = RenderTile();
        EXPECT_GT(t.litShare, 0.03) << "type " << type << " draws (nearly) nothing";
        EXPECT_GT(t.spread, 0.3) << "type " << type << " draws a dot";
        std::printf("type %2d: %5.1f%% lit, spread %.2f, %d transformations\n", type, 100.0 * t.litShare, t.spread,
                    gTransformCount);
        tiles.push_back(t.image);
        ReplaceGeneratorGroups(nullptr, 0);
    }
    FreeRenderBuffers();
    const uint8_t background[3] = {24, 24, 32};
    const IconImage sheet = TileContactSheet(tiles, 10, 4, background);
    const ScreenshotResult match = CompareWithReference("random_fractals", sheet.pixels, sheet.width, sheet.height, 8);
    EXPECT_TRUE(match.ok) << match.message;
}

}  // namespace
