#include "engine/color_conversion.h"
#include "engine/noise.h"
#include "engine/sky_color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace {

void ExpectTriple(const float* v, float a, float b, float c)
{
    EXPECT_NEAR(v[0], a, 1e-5f);
    EXPECT_NEAR(v[1], b, 1e-5f);
    EXPECT_NEAR(v[2], c, 1e-5f);
}

TEST(ColorConversion, RgbToHsvCases)
{
    struct Case {
        float rgb[3];
        float hsv[3];
    } cases[] = {
        {{0.5f, 0.5f, 0.5f}, {0, 0, 0.5f}},
        {{1, 0, 0}, {0, 1, 1}},
        {{0, 0, 1}, {240, 1, 1}},
        {{0, 1, 0}, {120, 1, 1}},
        {{1, 0, 0.5f}, {330, 1, 1}},  // negative sector wraps by 360
        {{0, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        float hsv[3];
        RgbToHsv(hsv, c.rgb);
        ExpectTriple(hsv, c.hsv[0], c.hsv[1], c.hsv[2]);
    }
}

TEST(ColorConversion, HsvToRgbCasesAndRoundTrip)
{
    float rgb[3];
    const float wrap[3] = {360, 1, 1};
    ExpectTriple(HsvToRgb(rgb, wrap), 1, 0, 0);
    const float grey[3] = {200, 0, 0.25f};
    ExpectTriple(HsvToRgb(rgb, grey), 0.25f, 0.25f, 0.25f);
    const float notANumber[3] = {std::numeric_limits<float>::quiet_NaN(), 1, 1};
    ExpectTriple(HsvToRgb(rgb, notANumber), 1, 0, 0);
    const float huge[3] = {-1e30f, 1, 1};
    HsvToRgb(rgb, huge);  // the last sector, no undefined conversion
    ExpectTriple(rgb, 1, 0, rgb[2]);

    for (float h = 0; h < 360; h += 7.5f) {
        const float hsv[3] = {h, 0.8f, 0.9f};
        float back[3];
        RgbToHsv(back, HsvToRgb(rgb, hsv));
        ExpectTriple(back, h, 0.8f, 0.9f);
    }

    // Bytes are clamped: a value of 1 gives 256 before the clamp.
    for (const auto& [value, byte] : {std::pair{1.0f, 255}, {0.5f, 128}, {-1.0f, 0}}) {
        int c[3];
        const float grey[3] = {0, 0, value};
        HsvToRgb255(c, grey);
        EXPECT_TRUE(c[0] == byte && c[1] == byte && c[2] == byte) << value;
    }

    EXPECT_EQ(RoundHelper(2.5f), 3.0f);
    EXPECT_EQ(RoundHelper(2.49f), 2.0f);
    EXPECT_EQ(RoundHelper(-2.5f), -2.0f);
}

TEST(SimplexNoise, OriginRangeAndContinuity)
{
    EXPECT_EQ(SimplexNoise3(0, 0, 0), 0.0f);
    // Values of an independent double-precision transcription.
    EXPECT_NEAR(SimplexNoise3(0.3f, 0.7f, -1.2f), 0.453726351f, 2e-5f);
    EXPECT_NEAR(SimplexNoise3(12.5f, -3.25f, 7.75f), 0.387885830f, 2e-5f);
    EXPECT_NEAR(SimplexNoise3(-0.1f, -0.2f, -0.3f), -0.750940388f, 2e-5f);
    EXPECT_NEAR(SimplexNoise3(100.1f, 200.2f, -50.5f), 0.193211866f, 1e-3f);
    float lo = 1, hi = -1;
    for (int i = 0; i < 4000; ++i) {
        const float x = i * 0.0371f - 50.0f, y = i * 0.0113f, z = -i * 0.0217f;
        const float n = SimplexNoise3(x, y, z);
        lo = std::fmin(lo, n);
        hi = std::fmax(hi, n);
        EXPECT_NEAR(SimplexNoise3(x + 1e-4f, y, z), n, 0.01f);
        const float f = FractalNoise3(x, y, z);
        EXPECT_GE(f, 0.0f);
        EXPECT_LE(f, 0.984375f);
    }
    EXPECT_LT(lo, -0.3f);
    EXPECT_GT(hi, 0.3f);
    EXPECT_GE(lo, -1.01f);
    EXPECT_LE(hi, 1.01f);
    EXPECT_EQ(SimplexNoise3(1e20f, 0, 0), 0.0f);
    EXPECT_EQ(SimplexNoise3(std::numeric_limits<float>::quiet_NaN(), 0, 0), 0.0f);
}

TEST(SkyColor, ScalesNormalisesAndClamps)
{
    const float sunDir[3] = {0, 1, 0};
    const float upper[3] = {0.2f, 0.4f, 0.8f}, sun[3] = {5, 5, 5}, horizon[3] = {1, 1, 1}, ground[3] = {1, 0, 0};
    const float p[3] = {8, 1, 64};
    float d[3] = {0, 2, 0};
    float out[3];
    ComputeSkyColor(out, d, sunDir, upper, sun, horizon, ground, p, false, 1.0f);
    ExpectTriple(d, 0, 1, 0);
    ExpectTriple(out, 1, 1, 1);  // looking into the sun saturates

    // Away from the sun the colour is the sky gradient, and the ground colour
    // has no effect.
    const float away[3] = {0, -1, 0};
    float d1[3] = {1, 1, 0}, d2[3] = {1, 1, 0}, c1[3], c2[3];
    const float otherGround[3] = {0, 1, 1};
    ComputeSkyColor(c1, d1, away, upper, sun, horizon, ground, p, false, 1.0f);
    ComputeSkyColor(c2, d2, away, upper, sun, horizon, otherGround, p, false, 1.0f);
    ExpectTriple(c1, c2[0], c2[1], c2[2]);
    for (float c : c1) {
        EXPECT_GE(c, 0.0f);
        EXPECT_LE(c, 1.0f);
    }

    // Below the horizon with the fade on, the direction folds up and darkens.
    float below[3] = {1, -0.5f, 0};
    float faded[3];
    ComputeSkyColor(faded, below, away, upper, sun, horizon, ground, p, true, 1.0f);
    EXPECT_GT(below[1], 0.0f);
    EXPECT_NEAR(std::sqrt(below[0] * below[0] + below[1] * below[1] + below[2] * below[2]), 1.0f, 1e-5f);
}

}  // namespace
