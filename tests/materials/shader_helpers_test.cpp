#include "materials/shader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "render/render_buffers.h"

namespace {

class ShaderHelpers : public ::testing::Test {
protected:
    void SetUp() override { gShader.InitializeTextures(); }
};

bool InUnit(const float* c)
{
    return c[0] >= 0.0f && c[0] <= 1.0f && c[1] >= 0.0f && c[1] <= 1.0f && c[2] >= 0.0f && c[2] <= 1.0f;
}

SlotImagePtr TwoByTwo()
{
    auto image = std::make_unique<SlotImage>();
    image->width = image->height = 2;
    image->pixels = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};  // black, red / green, blue
    return image;
}

TEST_F(ShaderHelpers, BilinearCornersCentreAndDegenerateImages)
{
    const SlotImagePtr image = TwoByTwo();
    const uint8_t one[3] = {10, 20, 30};
    struct Case {
        const char* name;
        float u, v;
        uint32_t w, h;
        const uint8_t* pixels;
        float r, g, b;
    };
    const Case cases[] = {
        {"u = v = -1 is pixel (0, 0)", -1, -1, 2, 2, image->pixels.data(), 0, 0, 0},
        {"u = v = 1 is the last pixel", 1, 1, 2, 2, image->pixels.data(), 0, 0, 1},
        {"u = 1, v = -1 ends row 0", 1, -1, 2, 2, image->pixels.data(), 1, 0, 0},
        {"the centre mixes all four", 0, 0, 2, 2, image->pixels.data(), 0.25f, 0.25f, 0.25f},
        {"left of the image clamps", -7, -1, 2, 2, image->pixels.data(), 0, 0, 0},
        {"right of the image clamps", 9, 1, 2, 2, image->pixels.data(), 0, 0, 1},
        {"not a number samples pixel (0, 0)", NAN, NAN, 2, 2, image->pixels.data(), 0, 0, 0},
        {"1 x 1 anywhere", 0.3f, -0.9f, 1, 1, one, 10 / 255.f, 20 / 255.f, 30 / 255.f},
        {"no pixels", 0, 0, 2, 2, nullptr, 0, 0, 0},
        {"zero width", 0, 0, 0, 2, image->pixels.data(), 0, 0, 0},
    };
    for (const Case& c : cases) {
        float out[3];
        gShader.SampleImageBilinear(out, c.u, c.v, c.w, c.h, c.pixels);
        EXPECT_NEAR(out[0], c.r, 1e-5) << c.name;
        EXPECT_NEAR(out[1], c.g, 1e-5) << c.name;
        EXPECT_NEAR(out[2], c.b, 1e-5) << c.name;
    }
    TextureSlot empty;
    float out[3] = {1, 1, 1};
    EXPECT_EQ(gShader.SampleSlotBilinear(out, 0, 0, empty)[0], 0.0f) << "a slot without an image is black";
}

TEST_F(ShaderHelpers, LightGelClampsRotatedCoordinates)
{
    gShader.gels[3].Replace(TwoByTwo());
    float out[3];
    for (float u : {-3.0f, 0.5f, 2.5f, NAN}) {
        EXPECT_TRUE(InUnit(gShader.SampleLightGel(out, u, -u, 3))) << "u " << u;
    }
    EXPECT_NEAR(gShader.SampleLightGel(out, 1, 1, 3)[2], 1.0f, 1e-6);
    gShader.ResetLight(3);
    EXPECT_NEAR(gShader.SampleLightGel(out, 0.2f, 0.7f, 3)[1], 1.0f, 1e-6) << "reset gives a white gel";
}

// Eight shading threads sample a slot while the window thread replaces its
// image 1,000 times: each sample is black (busy) or a colour of one of the
// images, never freed memory (the sanitizer build checks that).
TEST_F(ShaderHelpers, SlotImageReplacedWhileThreadsSample)
{
    TextureSlot& slot = gShader.slots[4];
    slot.Replace(MakeSolidImage(8, 8, 255, 0, 0));
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 8; ++t) {
        readers.emplace_back([&, t] {
            float out[3];
            int i = 0;
            while (!stop.load(std::memory_order_relaxed)) {
                gShader.SampleSlotBilinear(out, (i++ % 7) * 0.3f - 1.0f, t * 0.25f - 1.0f, slot);
                auto is = [&out](float r, float g) {
                    return std::fabs(out[0] - r) < 1e-5f && std::fabs(out[1] - g) < 1e-5f && out[2] == 0.0f;
                };
                if (!is(0, 0) && !is(1, 0) && !is(0, 1)) bad.fetch_add(1);
            }
        });
    }
    for (int i = 0; i < 1000; ++i) {
        slot.Replace(i % 2 ? MakeSolidImage(8, 8, 255, 0, 0) : MakeSolidImage(3 + i % 50, 5, 0, 255, 0));
    }
    stop = true;
    for (auto& r : readers) r.join();
    EXPECT_EQ(bad.load(), 0);
    EXPECT_EQ(gTexturesBusy.load(), 0);

    // Every export starts new workers: threads that have ended give their
    // reader entries back, so the 200th short-lived thread still sees the image.
    slot.Replace(MakeSolidImage(8, 8, 255, 0, 0));
    for (int t = 0; t < 200; ++t) {
        std::thread([&] {
            if (!slot.Image()) bad.fetch_add(1);
        }).join();
    }
    EXPECT_EQ(bad.load(), 0);
}

TEST_F(ShaderHelpers, CurveModes)
{
    struct Case {
        uint32_t mode;
        float t, expected;
    };
    const Case cases[] = {
        {6, -0.5f, -0.5f}, {6, 0.0f, 0.0f},       {6, 0.01f, 1.0f},     {5, 0.3f, 0.3f},
        {3, 0.5f, 0.25f},  {2, 0.5f, 0.0009765625f}, {1, 0.5f, 0.75f},   {1, 0.0f, 3.85e-8f},
        {0, 0.5f, 0.692406f}, {0, -0.5f, -0.692406f}, {4, 1.0f, 0.964028f}, {7, 0.37f, 0.37f},
        {1000, -2.0f, -2.0f},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ApplyCurveMode(c.mode, c.t), c.expected, 1e-6) << "mode " << c.mode << " t " << c.t;
    }
    gShader.curveMode2[2] = 3;
    gShader.curveMode1[2] = 6;
    EXPECT_EQ(gShader.ApplyMaterialCurve(0.5f, 2), 0.25f) << "curve mode 2";
    EXPECT_EQ(gShader.ApplyMaterialCurve2(0.5f, 2), 1.0f) << "curve mode 1";
}

TEST_F(ShaderHelpers, ColorMapAndFogGradientIndexing)
{
    for (int i = 0; i < 256; ++i) {
        gShader.materialColorMaps[0][1][i] = static_cast<uint8_t>(255 - i);  // red of side A
        gShader.materialColorMaps[1][1][i] = static_cast<uint8_t>(i / 2);    // red of side B
        gFogGradient.green[i] = static_cast<uint8_t>(i);
    }
    struct Case {
        const char* name;
        float t;
        int side;
        float red;
    };
    const Case cases[] = {
        {"t = 0 reads entry 1", 0.0f, 0, 254 / 255.f}, {"t = 1 reads entry 255", 1.0f, 0, 0.0f},
        {"below 0 as 0", -4.0f, 0, 254 / 255.f},       {"not a number as 0", NAN, 0, 254 / 255.f},
        {"above 1 as 1", 9.0f, 0, 0.0f},               {"side B", 0.5f, 1, 64 / 255.f},
    };
    float out[3];
    for (const Case& c : cases) {
        EXPECT_NEAR(gShader.LookupMaterialColorMap(out, c.t, 1, c.side)[0], c.red, 1e-5) << c.name;
    }
    EXPECT_EQ(gShader.LookupMaterialColorMap(out, 0.5f, 1, 2)[0], 0.0f) << "no side 2";
    EXPECT_EQ(gShader.LookupMaterialColorMap(out, 0.5f, 10, 0)[0], 0.0f) << "no material 10";

    gShader.fogColorFloat[1] = 0.5f;
    for (float t : {-1.0f, 0.0f, 0.5f, 1.0f, 3.0f, NAN}) {
        gShader.GetFogGradientColor(out, t);
        const float clamped = t > 0 ? std::fmin(t, 1.0f) : 0.0f;
        EXPECT_NEAR(out[1], clamped + 0.5f, 1e-5) << "t " << t;
    }
    gShader.fogColorFloat[1] = 0.0f;
}

TEST_F(ShaderHelpers, BlendModes)
{
    const float a[3] = {0.2f, 0.8f, 0.5f}, b[3] = {0.6f, 0.4f, 0.5f};
    const float expected[10][3] = {
        {0.8f, 1.2f, 1.0f}, {0.8f, 1.2f, 1.0f},    {0.12f, 0.32f, 0.25f}, {0.4f, 0.6f, 0.5f},   {0.4f, 0.4f, 0.0f},
        {0.2f, 0.4f, 0.5f}, {0.6f, 0.8f, 0.5f},    {0.68f, 0.88f, 0.75f}, {0.8f, 0.8f, 1.0f}, {-7.0f, -7.0f, -7.0f},
    };
    for (uint32_t mode = 0; mode < 10; ++mode) {
        float out[3] = {-7.0f, -7.0f, -7.0f};
        Shader::BlendColors(out, a, b, mode);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(out[c], expected[mode][c], 1e-6) << "mode " << mode << " channel " << c;
    }
}

TEST_F(ShaderHelpers, SurfaceRelief)
{
    float out[3];
    for (uint32_t type = 0; type < kMaterialTypeCount; ++type) {
        gShader.materialType[0] = type;
        float p[3] = {0.3f, -0.2f, 0.7f}, n[3] = {0.0f, 0.0f, 2.0f};
        gShader.EvaluateSurfaceMaterial(out, 0, p, n);
        EXPECT_NEAR(std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]), 1.0f, 1e-5)
            << kMaterialTypes[type].name;
        EXPECT_EQ(n[2], 1.0f) << "the normal is normalised in place";
    }
    // So far out that a step of 0.01 does not move the point: flat heights.
    gShader.materialType[0] = 0;
    float p[3] = {3e9f, 0.0f, 3e9f}, n[3] = {0.0f, 0.0f, 0.0f};
    gShader.EvaluateSurfaceMaterial(out, 0, p, n);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 0.0f);
    EXPECT_EQ(out[2], 0.0f);
    gShader.materialType[0] = 99;  // not a type: the first
    float q[3] = {0.1f, 0.1f, 0.1f}, m[3] = {1, 0, 0};
    EXPECT_TRUE(std::isfinite(gShader.EvaluateSurfaceMaterial(out, 0, q, m)[0]));
    gShader.materialType[0] = 0;
}

TEST_F(ShaderHelpers, EnvironmentFoldsBelowTheHorizonAndStaysFinite)
{
    // A ray below the horizon takes the sky of its mirrored, lifted elevation,
    // darkened by 1 - 0.85 sqrt(|y + 0.0001|).
    const float sun[3] = {0.3f, 0.4f, -0.85f};
    gShader.SetSunDirection(sun, 0);
    const float dDown[3] = {0.0f, -0.25f, 0.0f};
    float down[3];
    gShader.SampleEnvironment(down, dDown, 0);
    const float lifted = 0.85f * std::sqrt(0.9999f);
    float sample[6] = {0.0f, lifted, 0.0f, 0, 0, 0};
    gShader.skies[0].SkyColor(sample);
    Skylight::XyYToRgb(sample);
    for (int c = 0; c < 3; ++c) {
        const float expected = sample[3 + c] * 0.0095f / 256.0f * (1.0f - lifted);
        EXPECT_GT(std::fabs(expected), 1e-4f);
        EXPECT_NEAR(down[c], expected, std::fabs(expected) * 1e-5f);
    }

    const float directions[][3] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, -1, 0}, {NAN, 0, 1}};
    for (uint8_t background : {0, 1}) {
        gShader.backgroundImageOn = background;
        for (const auto& d : directions) {
            for (int worker : {0, 23, 24, -1}) {
                float out[3], n[3] = {d[0], d[1], d[2]};
                const float incident[3] = {0.0f, 0.0f, -1.0f};
                for (float* c : {gShader.SampleEnvironment(out, d, worker), gShader.ShadeReflection(out, d, worker),
                                 gShader.EnvironmentLight(out, incident, n, 1.0f, 1.5f, worker)}) {
                    if (std::isnan(d[0])) continue;
                    EXPECT_TRUE(std::isfinite(c[0]) && std::isfinite(c[1]) && std::isfinite(c[2]))
                        << "background " << int(background) << " worker " << worker;
                }
            }
        }
    }
    gShader.backgroundImageOn = 0;
}

TEST_F(ShaderHelpers, BackgroundPixelsStayInTheImage)
{
    const int32_t savedW = gImageWidth;
    gImageWidth = 64;  // rows up to 159: taller than wide
    float out[3];
    for (uint8_t background : {0, 1}) {
        gShader.backgroundImageOn = background;
        for (const auto& xy : {std::array<int, 2>{0, 0}, {63, 159}, {-1, 5}, {831, 831}}) {
            EXPECT_TRUE(InUnit(gShader.SampleBackgroundPixel(out, xy[0], xy[1], 0))) << xy[0] << ", " << xy[1];
            EXPECT_TRUE(InUnit(gShader.SampleBackgroundPreviewPixel(out, xy[0], xy[1], 0))) << xy[0] << ", " << xy[1];
        }
    }
    EXPECT_NEAR(gShader.SampleBackgroundPixel(out, 10, 10, 0)[0], 128 / 255.f, 1e-5) << "the start-up grey image";
    gShader.backgroundImageOn = 0;
    gImageWidth = savedW;
}

TEST_F(ShaderHelpers, SunDirectionsOfTheSkies)
{
    const float d[3] = {0.0f, 0.6f, 0.8f};
    gShader.SetSunDirection(d, 5);
    EXPECT_EQ(gShader.skies[5].sunDirection[2], -0.8f) << "the sun is the mirrored request";
    gShader.skies[5].sunDirection[2] = 0.0f;
    gShader.RefreshSky(5);
    EXPECT_EQ(gShader.skies[5].sunDirection[2], -0.8f);
    gShader.SetSunDirection(d, 24);  // no such sky: nothing happens
}

}  // namespace
