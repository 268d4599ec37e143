#include "shading/shadow_sampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/random.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"

namespace {

constexpr int kW = 64;
constexpr float kFlat = 32767.0f;  // depth value of z = 0

// A 64 x 64 orthographic image whose shadow-map cell is the pixel itself and
// whose light depth of a z = 0 surface is 32767; every pixel covered at z = 0.
struct Scene {
    std::vector<float> depth = std::vector<float>(kW * kW, kFlat);
    std::vector<uint16_t> map = std::vector<uint16_t>(kW * kW, 0);
    ShadingView view{};
    Scene()
    {
        ViewParams& v = view.view;
        v.k = v.shadowScale = 1.0f;
        v.l0 = v.l4 = v.l8 = 1.0f;
        v.width = v.height = kW;
        v.widthF = v.heightF = kW;
        v.shadowLimitF = kW - 1;
        view.depth = depth.data();
        view.shadowMap = map.data();
        for (int i = 0; i < kMaxRenderSlots; ++i) SeedRandomState(gSlotRandom[i], 7 + i);
    }
    // Shadow-map surfaces nearer the light than z = 0 in the columns below 'column'.
    void ShadowLeftOf(int column)
    {
        for (int y = 0; y < kW; ++y)
            for (int x = 0; x < column; ++x) map[y * kW + x] = 65535;
    }
};

TEST(ShadowFactors, CountsBehindAndOutsideTheMap)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        int shadowedColumns;  // columns 0 .. n - 1 lie behind a stored surface
        float offsetX;        // shifts every sample off the map when large
        float radius;
        int samples;
        float ball, disc, neighbourhood, tolerance;
    };
    const Case cases[] = {
        {"no samples", 64, 0, 4, 0, 1, 1, 0, 0},
        {"all behind", 64, 0, 4, 64, 0, 0, 0, 0},
        {"nothing behind", 0, 0, 4, 64, 1, 1, 1, 0},
        {"half behind", 32, 0, 8, 4000, 0.5f, 0.5f, 2.0f / 3.0f, 0.03f},
        {"all outside the map", 64, 1000, 4, 64, 1, 1, 1, 0},
        {"huge radius at a corner", 64, 0, 1e9f, 64, 1, 1, 1, 0},  // map cells 0 and 1 never count
        {"radius not a number", 64, 0, kNaN, 64, 1, 1, 0, 0},
    };
    for (const Case& c : cases) {
        Scene scene;
        scene.ShadowLeftOf(c.shadowedColumns);
        scene.view.view.shadowOffsetX = c.offsetX;
        const bool corner = c.radius > 1e6f;
        const int x = corner ? 0 : 32, y = corner ? 0 : 32;
        const float ball = ShadowFactorBall(scene.view, x, y, c.radius, c.samples, 0.0f, 3);
        const float disc = ShadowFactorDisc(scene.view, x, y, c.radius, c.samples, 0.0f, 3);
        EXPECT_NEAR(ball, c.ball, c.tolerance) << c.name;
        EXPECT_NEAR(disc, c.disc, c.tolerance) << c.name;
        if (c.samples > 0) {
            EXPECT_NEAR(ShadowFactorNeighbourhood(scene.view, x, y, 0.0f), c.neighbourhood, 1e-6f) << c.name;
        }
    }
}

// Replays the march's draws to find a seed where exactly 'free' of 8 probes
// point towards the viewer (z > 0), the free ones on a flat surface.
uint32_t SeedWithFreeProbes(int free)
{
    for (uint32_t seed = 1;; ++seed) {
        RandomState r;
        SeedRandomState(r, seed);
        int up = 0;
        for (int i = 0; i < 8; ++i) {
            RandomStep(r);
            up += RandomUniform(r) * 2.0f - 1.0f > 0.0f;
            RandomStep(r);
        }
        if (up == free) return seed;
    }
}

TEST(OcclusionMarches, FreeCountsGiveTheFactor)
{
    Scene scene;
    gOcclusionSettings.radius = 4.0f;  // every probe stays inside
    const float up[3] = {0, 0, 1};
    const struct {
        float count;
        int free;
        float factor;
    } cases[] = {{0.0f, 0, 1.0f}, {8.9f, 0, 1.0f}, {8.0f, 1, 0.46875f}};
    for (const auto& c : cases) {
        gOcclusionSettings.sampleCount = c.count;
        SeedRandomState(gSlotRandomB[2], SeedWithFreeProbes(c.free));
        EXPECT_FLOAT_EQ(MarchDepthOcclusionD(scene.view, 32, 32, 2), c.factor) << c.count << " " << c.free;
    }
    for (float count : {0.0f, 5.0f, 1e30f, std::numeric_limits<float>::quiet_NaN()}) {
        gOcclusionSettings.sampleCount = count;
        const float f = MarchDepthOcclusionC(scene.view, 32, 32, up, 2);
        EXPECT_TRUE(f >= 0.25f && f <= 1.0f && (count >= 1.0f || f == 1.0f)) << count;
    }
}

TEST(OcclusionMarches, OptionsDarkenOrBrightenTheColour)
{
    Scene scene;
    for (float& d : scene.depth) d = 60000.0f;
    scene.depth[32 * kW + 32] = 100.0f;
    const float ambient[3] = {1.0f, 0.5f, 0.0f}, strength[10] = {0.5f};
    gOcclusionSettings = {};
    gOcclusionSettings.ambient = ambient;
    gOcclusionSettings.strength = strength;
    for (float& m : gDepthMap512) m = 108.0f;  // half the radius above the pixel: factor 0.5
    const struct {
        int option;
        uint8_t enhanced;
        float red, green;
    } cases[] = {{2, 0, 0.75f, 0.375f}, {2, 1, 0.5625f, 0.28125f}, {1, 0, 1.25f, 0.625f},
                 {1, 1, 1.375f, 0.6875f}, {0, 1, 1.0f, 0.5f}};
    const float colour[3] = {1.0f, 0.5f, 0.25f}, n[3] = {0, 0, 1};
    gOcclusionSettings.averaged = 1;
    ASSERT_TRUE(AllocateRenderBuffers(kW, kW, false));
    for (const auto& c : cases) {
        gOcclusionSettings.option = c.option;
        gOcclusionSettings.enhancedDarkening = c.enhanced;
        float out[3];
        ShadePixelOcclusion(out, scene.view, 32, 32, 0, n, colour, 0);
        EXPECT_FLOAT_EQ(out[0], c.red) << c.option << " " << int(c.enhanced);
        EXPECT_FLOAT_EQ(out[1], c.green) << c.option << " " << int(c.enhanced);
    }
    FreeRenderBuffers();
    gOcclusionSettings = {};
}

TEST(DepthMap, CellMeansAndLookupsStayInsideForTallImagesAndNegativeRows)
{
    ASSERT_TRUE(AllocateRenderBuffers(1024, 2048, false));  // cells of 2 x 2 pixels, half-width 1
    gPerspectiveOn = 0;
    for (int y = 0; y < 2048; ++y)
        for (int x = 0; x < 1024; ++x) gDepthBuffer[y * 1024 + x] = x % 2 == 0 ? 300.0f : 0.0f;
    DownsampleDepthMap();
    EXPECT_FLOAT_EQ(gDepthMap512[5 * 512 + 5], 100.0f);      // 3 x 3 around (10, 10): one of three columns
    EXPECT_FLOAT_EQ(gDepthMap512[0], 150.0f);                // corner: 2 x 2 inside
    EXPECT_FLOAT_EQ(SampleMapBilinear(-40, -9), 150.0f);     // clamped to the first cell
    EXPECT_FLOAT_EQ(SampleMapBilinear(1023, 2047), gDepthMap512[511 * 512 + 511]);
    EXPECT_FLOAT_EQ(SampleLinearDepth(gDepthBuffer, 2, 3000), 0.0f);
    EXPECT_FLOAT_EQ(SampleLinearDepth(gDepthBuffer, 2, 3), 300.0f);
    FreeRenderBuffers();
}

}  // namespace
