#include "shading/export_pixel.h"

#include <gtest/gtest.h>

#include <barrier>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/baseshape_model.h"
#include "engine/random.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "shading/support/preview_scene.h"

namespace {

// A flat surface at z = 0 facing the viewer, orthographic, with the shadow
// map cell equal to the pixel (identity light view). Material 0 has an
// all-white colour map B, no ambient texture and no highlight, so a lit pixel's byte is
// 256 x d x sigma.
class ExportPixel : public ::testing::Test {
protected:
    static constexpr int kW = 32;
    void TearDown() override { FreeRenderBuffers(); }
    void SetUp() override
    {
        ASSERT_TRUE(AllocateRenderBuffers(kW, kW, false));
        const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        std::memcpy(gLightViewMatrix, identity, sizeof(identity));
        gImageScale = gShadowScale = gPerspectiveFocal = 1.0f;
        gImageOffsetX = gImageOffsetY = gShadowOffsetX = gShadowOffsetY = 0.0f;
        gPerspectiveOn = 0;
        for (int i = 0; i < kW * kW; ++i) gDepthBuffer[i] = 32767.0f;
        gShader.InitializeTextures();
        gShader.useTextureA[0] = 0;  // no ambient term
        gShader.useColorMapB[0] = 1;
        for (int c : {1, 3, 5}) std::memset(gShader.materialColorMaps[c][0], 255, 256);
        gShader.specularIntensity[0] = 0.0f;
        gShader.shadowDepth[0] = 0.25f;
    }
    // Red byte at (16, 16) of a BMP export.
    int Shade()
    {
        PrepareExportShading(settings);
        ShadeRowPairColumn(16, 16, 0);
        return gExportRowPairs[0][16];
    }
    ExportShadingSettings settings;
};

TEST_F(ExportPixel, LightDistributionAndTracedShadow)
{
    EXPECT_EQ(Shade(), 255) << "Standard, facing the light";
    settings.lightDistribution = 0;
    EXPECT_EQ(Shade(), 0) << "Inverse with d = 1";
    float sum = 0.0f;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) sum += TracedTapWeight(dx, dy);
    EXPECT_NEAR(sum, 1.0f, 1e-5f);
    // Columns left of the pixel lie behind a stored surface: one column of
    // taps (9 % of the weight) keeps the pixel lit, two (19 %) shadow it.
    settings = {};
    settings.shadowsOn = 1;
    settings.shadowType = kShadowTraced;
    for (int shadowed : {0, 1, 2}) {
        for (int i = 0; i < kW * kW; ++i) gShadowMap[i] = i % kW < 12 + shadowed ? 65535 : 0;
        EXPECT_EQ(Shade(), shadowed < 2 ? 255 : 64) << shadowed;
    }
}

TEST_F(ExportPixel, EmptyPixelsGetBackgroundAmbientAndTheTail)
{
    for (int i = 0; i < kW * kW; ++i) gDepthBuffer[i] = 0.0f;
    gDofDepthBuffer[16 * kW + 16] = 100;
    struct Case {
        const char* name;
        uint8_t png, dof;
        float ambient, gamma;
        int red, alpha;
    } cases[] = {
        {"black", 1, 0, 1.0f, 1.0f, 0, 0},
        {"depth of field half", 1, 1, 1.0f, 1.0f, 64, 128},
        {"negative to a power is not a number: 0", 0, 1, -1.0f, 0.5f, 0, 0},
        {"clamped", 1, 1, 9.0f, 1.0f, 255, 128},
    };
    for (const Case& c : cases) {
        settings = {};
        settings.png = c.png;
        settings.dofOn = c.dof;
        settings.dofMax = 200.0f;
        settings.ambient[0] = c.ambient;
        settings.gamma = c.gamma;
        PrepareExportShading(settings);
        // PNG: the pair starting at file row r holds buffer rows H - 2 - r and H - 1 - r.
        const int fileRow = c.png ? kW - 1 - 16 : 16;
        ShadeRowPairColumn(16, c.png ? fileRow - 1 : fileRow, 0);
        EXPECT_EQ(gExportRowPairs[0][(c.png ? 1 : 0) * kW + 16], c.red) << c.name;
        if (c.png) {
            EXPECT_EQ(gExportRowPairs[3][kW + 16], c.alpha) << c.name;
        }
    }
}

TEST_F(ExportPixel, ReflectionFacingTheViewerIsTheEnvironment)
{
    for (uint8_t background : {0, 1}) {
        settings.backgroundOn = background;
        PrepareExportShading(settings);
        float n[3] = {0, 0, 1}, out[3], env[3] = {0, 0, 0};
        if (background) gShader.SampleEnvironment(env, n, 0);
        ShadeReflection(out, 16, 16, n, 32767.0f, 0);
        EXPECT_EQ(n[2], 1.0f);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(out[c], env[c]) << int(background);
    }
}

// Every effect on, for a render taller than wide (rows above and below the
// square background and glow map): same bytes on one thread and on three.
TEST(ExportPixelScene, TallRenderWithEverythingOnIsRepeatable)
{
    SetUpSphereScene(16, 40);
    ExportShadingSettings settings = ReadExportShadingSettings(true);
    gBaseshapes[0].neonOn = 1;
    gBaseshapeNeonStrength[0] = 0.5f;
    gShader.ambientRoughness[0] = 2.0f;
    gOcclusionSettings.everyPixel = gOcclusionSettings.averaged = 1;
    DownsampleDepthMap();
    gShader.fresnelOn[0] = 1;
    settings.shadowsOn = settings.fogOn = settings.backgroundOn = settings.reflectionsOn = 1;
    settings.backgroundFog = settings.glowOn = settings.dofOn = 1;
    settings.reflectivity = 0.5f;
    for (int type = 0; type < 4; ++type) {
        settings.shadowType = type;
        settings.drawingOn = type == 3;
        settings.drawingType = 1;
        std::vector<uint8_t> first;
        for (int run = 0; run < 2; ++run) {
            std::vector<uint8_t> bytes;
            for (int i = 0; i < kMaxRenderSlots; ++i) {
                SeedRandomState(gSlotRandom[i], 3 + i);
                SeedRandomState(gSlotRandomB[i], 5 + i);
            }
            PrepareExportShading(settings);
            // The second run shades on three threads, worker i taking the
            // columns i, i + 3, ... of each pair: the same bytes as one thread.
            const auto shade = [](int row, int w) {
                for (int column = w; column < 16; column += 3) ShadeRowPairColumn(column, row, w);
            };
            const auto collect = [&bytes] {
                for (int column = 0; column < 16; ++column)
                    for (int c = 0; c < 4; ++c) bytes.push_back(gExportRowPairs[c][column]);
            };
            std::barrier pair(4);
            std::vector<std::thread> workers;
            for (int w = 0; run == 1 && w < 3; ++w)
                workers.emplace_back([&, w] {
                    for (int row = -2; row < 40; row += 2) {
                        shade(row, w);
                        pair.arrive_and_wait();  // shaded
                        pair.arrive_and_wait();  // collected
                    }
                });
            for (int row = -2; row < 40; row += 2) {
                if (run == 0) {
                    for (int w = 0; w < 3; ++w) shade(row, w);
                } else {
                    pair.arrive_and_wait();
                }
                collect();
                if (run == 1) pair.arrive_and_wait();
            }
            for (std::thread& t : workers) t.join();
            if (run == 0) first = bytes;
            EXPECT_EQ(bytes, first) << type;
        }
    }
    gBaseshapes[0].neonOn = 0;
    gShader.fresnelOn[0] = 0;
    gOcclusionSettings = {};
    FreeRenderBuffers();
}

}  // namespace
