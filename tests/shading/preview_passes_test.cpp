#include "shading/preview_passes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <atomic>
#include <cstring>
#include <thread>

#include "engine/baseshape_model.h"
#include "engine/point_coloring.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "engine/shared_access.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"
#include "shading/preview_image.h"
#include "shading/support/preview_scene.h"

namespace {

const uint8_t* Pixel(int row, int column) { return gPreviewImage + (row * kPreviewImageSize + column) * 3; }

int64_t gFakeSeconds = 1000;
int64_t FakeClock() { return gFakeSeconds; }

class PreviewPasses : public ::testing::Test {
protected:
    void TearDown() override
    {
        gPreviewClockSeconds = [] { return int64_t{0}; };
        gShadingSettings.backgroundOn = 0;
        gShadingSettings.drawingShadersOn = 0;
    }
};

TEST_F(PreviewPasses, EmptyBuffersGiveBlackOrTheBackground)
{
    SetUpSphereScene(64, 64);
    ClearSphereScene();
    for (bool background : {false, true}) {
        gShadingSettings.backgroundOn = background;
        std::memset(gPreviewImage, 77, sizeof gPreviewImage);
        ShadeFull();
        EXPECT_EQ(gPreviewUploadPending.load(), 1);
        const uint8_t* top = Pixel(800, 416);
        if (background) EXPECT_GT(top[2], 0) << "the sky";
        else EXPECT_EQ(top[0] + top[1] + top[2], 0);
        std::memset(gPreviewImage, 77, sizeof gPreviewImage);
        ShadeProgressive(0);
        if (background) EXPECT_GT(Pixel(800, 416)[2], 0);
        else EXPECT_EQ(Pixel(10, 10)[1], 0);
    }
}

TEST_F(PreviewPasses, DrawingTypeTwoOnAFlatAreaIsMidGrey)
{
    SetUpSphereScene(128, 128);
    for (int i = 0; i < 128 * 128; ++i) gDepthBuffer[i] = 40000.0f;  // a flat wall
    gShadingSettings.drawingShadersOn = 1;
    gShadingSettings.drawingType = 2;
    ShadeProgressive(0);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Pixel(400, 400)[c], 127);
    EXPECT_EQ(DrawingLineValue(254.0f), 255.0f) << "the ramp joins the white region without a step";
    EXPECT_EQ(DrawingLineValue(253.9f), 255.0f);
    EXPECT_EQ(DrawingLineValue(414.5f), 0.0f);
    gShadingSettings.drawingType = kDrawingStandard;
}

TEST_F(PreviewPasses, PerspectiveLinearDepthOfZeroIsEmpty)
{
    SetUpSphereScene(64, 64);
    EXPECT_EQ(GetLinearDepthValue(-1, 3), 0.0f) << "outside";
    EXPECT_EQ(GetLinearDepthValue(0, 63), 0.0f) << "an empty pixel";
    gPerspectiveOn = 1;
    // The eye at the depth of the pixel: the linearised depth is not a
    // number, which counts as empty.
    const float v = gDepthBuffer[32 * 64 + 32];
    gPerspectiveEye = (v - 32767.0f) * 3.051851e-5f;
    EXPECT_EQ(GetLinearDepthValue(32, 32), 0.0f);
    ShadeProgressive(0);
    const uint8_t* p = Pixel(416, 416);
    EXPECT_EQ(p[0] + p[1] + p[2], 0) << "shaded as an empty pixel";
    gPerspectiveOn = 0;
    gPerspectiveEye = 1.0f;
}

TEST_F(PreviewPasses, TimedModeShadesAtMostOnceASecond)
{
    SetUpSphereScene(64, 64);
    gPreviewClockSeconds = FakeClock;
    gFakeSeconds = 5000;
    gLastPreviewUpload = 0;
    ShadeProgressive(1);
    EXPECT_EQ(gLastPreviewUpload, 5000);
    std::memset(gPreviewImage, 9, sizeof gPreviewImage);
    gPreviewUploadPending = 0;
    ShadeProgressive(1);  // the same second
    EXPECT_EQ(gPreviewUploadPending.load(), 0);
    EXPECT_EQ(Pixel(416, 416)[0], 9);
    gFakeSeconds = 5001;
    ShadeProgressive(1);
    EXPECT_EQ(gPreviewUploadPending.load(), 1);
    EXPECT_NE(Pixel(416, 416)[0], 9);
}

TEST_F(PreviewPasses, DoubleDensityFillsTheSums)
{
    SetUpSphereScene(128, 128);
    ShadeProgressive(2);
    for (int cell : {0, 416 * kPreviewSize + 416, kPreviewSize * kPreviewSize - 1}) {
        EXPECT_EQ(gExportPreviewCounts[cell], 4) << "cell " << cell;
    }
    const int centre = 416 * kPreviewSize + 416;
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(Pixel(416, 416)[c], gExportPreviewSums[centre * 3 + c] / 4.0f, 1.0f);
    }
    EXPECT_GT(gExportPreviewSums[centre * 3], 0.0f);
}

// Render sizes the resize allows, taller than wide included: every sample
// lies in the buffers (the sanitizer build checks the reads).
TEST_F(PreviewPasses, SamplesStayInsideForEverySize)
{
    for (const auto& size : {std::array<int, 2>{64, 200}, {200, 64}, {1, 1}, {833, 831}}) {
        SetUpSphereScene(size[0], size[1]);
        gFastShadowUpdate = 1;
        gShadingSettings.drawingShadersOn = 1;
        for (int type = 0; type < 7; ++type) {
            gShadingSettings.drawingType = type;
            ShadeProgressive(type % 2 ? 2 : 0);
        }
        gShadingSettings.drawingType = kDrawingStandard;
        gShadingSettings.drawingShadersOn = 0;
    }
}

// A worker keeps writing the buffers (as the projection passes do, with
// relaxed atomic stores) while the pass reads them: the thread sanitizer
// build reports any plain access.
TEST_F(PreviewPasses, ShadesWhileAWorkerWritesTheBuffers)
{
    SetUpSphereScene(256, 256);
    gFastShadowUpdate = 1;
    gRgbColoring = 1;
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        for (uint32_t i = 0; !stop.load(); i = (i + 7919) % (256 * 256)) {
            SharedStore(gDepthBuffer[i], 30000.0f + i % 5000);
            SharedStore(gShadowMap[i], static_cast<uint16_t>(i));
            SharedStore(gPointColorPlanes[1][i], static_cast<uint8_t>(i));
        }
    });
    ShadeProgressive(0);
    ShadeProgressive(2);
    stop = true;
    worker.join();
    gRgbColoring = 0;
}

TEST_F(PreviewPasses, ShadowTestBounds)
{
    SetUpSphereScene(256, 256);
    struct Case {
        const char* name;
        int x, y;
        bool shadowed;
    };
    // Image x runs with light-map u backwards; the floor right under the
    // sphere's middle lies in its shadow.
    const Case cases[] = {
        {"top of the sphere", 128, 150, false},
        {"floor far left, lit", 10, 10, false},
        {"floor under the sphere", 128, 30, true},
    };
    for (const Case& c : cases) EXPECT_EQ(TestShadowMap(c.x, c.y), c.shadowed) << c.name;
    gLightViewMatrix[7] = -3.0f;
    EXPECT_TRUE(TestShadowMap(128, 250)) << "a depth beyond the light's range counts as shadow";
    gLightViewMatrix[7] = -1.0f;
    // Cells within two of the map's edges count as lit.
    gShadowOffsetX = 1.0f;
    EXPECT_FALSE(TestShadowMap(128, 150)) << "u below 2";
    gShadowOffsetX = 400.0f;
    EXPECT_FALSE(TestShadowMap(128, 150)) << "u beyond W - 1";
}

TEST_F(PreviewPasses, LightsOfRadiusZeroOrCutOffOneStayFinite)
{
    SetUpSphereScene(64, 64);
    LightSource& light = gShader.lights[2];
    light.enabled = 1;
    const float n[3] = {0.0f, 0.0f, 1.0f};
    for (const auto& rk : {std::array<float, 2>{0.0f, 0.001f}, {0.5f, 1.0f}, {0.0f, 1.0f}}) {
        light.radius = rk[0];
        light.cutOff = rk[1];
        for (int x : {0, 32, 40}) {
            float out[3];
            ShadeDepthPixel(out, x, 32, n);
            EXPECT_TRUE(std::isfinite(out[0]) && std::isfinite(out[1]) && std::isfinite(out[2]));
        }
    }
    gShader.ResetLight(2);
}

// Baseshape bytes of the point preview at or beyond the count in use are no
// index (the sanitizer build checks the reads); the neon of one in use shows.
TEST_F(PreviewPasses, BaseshapePlaneIndicesAreRangeChecked)
{
    SetUpSpherePointPreview();
    gUseBaseshapes = 1;
    gBaseshapeCount = 1;
    gBaseshapes[0].neonOn = 1;
    gBaseshapeNeonColor.r[0] = 255;
    gBaseshapeNeonStrength[0] = 1.0f;
    const int centre = 416 * kPreviewSize + 416;
    for (int i = 0; i < kPreviewSize * kPreviewSize; ++i) gPreviewPlanes[3][i] = i % 2 ? 255 : 66;
    gPreviewPlanes[3][centre] = 1;
    ShadeFull();
    EXPECT_EQ(Pixel(416, 416)[0], 255) << "baseshape 0's neon";
    gBaseshapes[0].neonOn = 0;
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
}

// While a render runs each pixel is shaded with the baseshape that drew it
// (its colour-index byte, of either sign), as the export shades it: only the
// right half, drawn by baseshape 1, glows in its neon. A buffer that does not
// hold the pixel (the voxel grid) names baseshape 0.
TEST_F(PreviewPasses, ProgressivePixelsTakeTheBaseshapeThatDrewThem)
{
    SetUpSphereScene(128, 128);
    ShadeProgressive(0);
    const uint8_t unlit[2] = {Pixel(478, 300)[0], Pixel(478, 530)[0]};
    ASSERT_LT(unlit[1], 250) << "room for the neon";
    gUseBaseshapes = 1;
    gBaseshapeCount = 2;
    gBaseshapes[1].neonOn = 1;
    gBaseshapeNeonColor.r[1] = 255;
    gBaseshapeNeonStrength[1] = 1.0f;
    for (int i = 0; i < 128 * 128; ++i) gColorIndexBuffer[i] = i % 128 < 64 ? 1 : static_cast<uint8_t>(i % 2 ? 2 : -2);
    const size_t bytes = gColorIndexBufferBytes;
    for (size_t inUse : {bytes, size_t{0}}) {
        gColorIndexBufferBytes = inUse;
        ShadeProgressive(0);
        EXPECT_EQ(Pixel(478, 300)[0], unlit[0]);
        EXPECT_EQ(Pixel(478, 530)[0], inUse ? 255 : unlit[1]);
    }
    gColorIndexBufferBytes = bytes;
    gBaseshapes[1].neonOn = 0;
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
}

// The render's colour index names each pixel's baseshape: the progressive
// pass takes that baseshape's material and neon, as the full pass and the
// export do, not baseshape 0's for every pixel.
TEST_F(PreviewPasses, ProgressiveShadesEachPixelWithItsOwnBaseshape)
{
    SetUpSphereScene(128, 128);
    gUseBaseshapes = 1;
    gBaseshapeCount = 3;
    gBaseshapes[0].material = 0;
    gBaseshapes[1].material = 1;
    gBaseshapes[2].material = 0;
    gBaseshapes[2].neonOn = 1;
    gBaseshapeNeonColor.r[2] = 0, gBaseshapeNeonColor.g[2] = 255, gBaseshapeNeonColor.b[2] = 0;
    gBaseshapeNeonStrength[2] = 1.0f;
    // Material 1: cold textures on both sides.
    gShader.slots[1].Replace(MakeSolidImage(8, 8, 0, 0, 90));
    gShader.slots[kMaterialCount + 1].Replace(MakeSolidImage(8, 8, 0, 0, 250));
    gShader.useTextureA[1] = gShader.useTextureB[1] = 1;
    // Thirds of the picture, left to right: baseshapes 0, 1 and 2; the
    // index is stored signed, its magnitude counts.
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) gColorIndexBuffer[y * 128 + x] = static_cast<uint8_t>(x < 43 ? 1 : x < 86 ? -2 : 3);
    ShadeProgressive(0);
    const int row = 300;  // the floor, in every third
    const uint8_t* left = Pixel(row, 100);
    const uint8_t* middle = Pixel(row, 416);
    const uint8_t* right = Pixel(row, 730);
    EXPECT_GT(left[0], left[2]) << "material 0: warm";
    EXPECT_EQ(middle[0], 0) << "material 1 has no red at all";
    EXPECT_GT(middle[2], 0);
    EXPECT_EQ(right[1], 255) << "baseshape 2's green neon";
    EXPECT_LT(left[1], 255);
    gBaseshapes[2].neonOn = 0;
    gBaseshapes[1].material = 0;
    gShader.useTextureA[1] = gShader.useTextureB[1] = 0;
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
}

TEST_F(PreviewPasses, TriangleNormalOfTheStartUpCorners)
{
    SetPreviewTriangle();
    float n[3];
    GlobalTriangleNormal(n);
    EXPECT_EQ(n[0], 0.0f);
    EXPECT_EQ(n[1], 0.0f);
    EXPECT_EQ(n[2], 1.0f);
}

}  // namespace
