#include "materials/skylight.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool Finite3(const float* v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

TEST(Skylight, SunBelowTheHorizonGivesTheSmallestZenithLuminance)
{
    Skylight sky;
    const float below[3] = {0.0f, 0.3f, -0.5f};
    sky.SetSun(below, 10.0f);
    EXPECT_GT(sky.sunZenith, 1.5707964f);
    EXPECT_EQ(sky.zenithLuminance, 1e-11f);
    float sample[6] = {0.0f, 0.0f, 1.0f};
    sky.SkyColor(sample);
    EXPECT_TRUE(Finite3(sample + 3));
    EXPECT_LT(std::fabs(sample[5]), 1e-6f) << "near black";
}

TEST(Skylight, HorizonAndSunDirections)
{
    Skylight sky;
    const float sun[3] = {0.0f, 0.6f, 0.8f};
    sky.SetSun(sun, 3.0f);
    float horizon[6] = {1.0f, 0.0f, 0.0f};
    sky.SkyColor(horizon);
    EXPECT_EQ(horizon[2], 1e-6f) << "z = 0 is written back as 1e-6";
    float along[6] = {0.0f, 0.6f, 0.8f};
    sky.SkyColor(along);
    EXPECT_TRUE(Finite3(along + 3)) << "acos sees at most 1 - 1e-7";
    float zenith[6] = {0.0f, 0.0f, 1.0f};
    sky.SkyColor(zenith);
    EXPECT_NEAR(zenith[5], sky.zenithLuminance, sky.zenithLuminance * 1e-3) << "the zenith has the zenith luminance";
    EXPECT_NEAR(zenith[3], sky.zenithX, 1e-4);
}

TEST(Skylight, XyYToRgbReplacesZeros)
{
    float sample[6] = {0, 0, 1, 0.0f, 0.0f, 5.0f};
    Skylight::XyYToRgb(sample);
    EXPECT_TRUE(Finite3(sample + 3));
    float white[6] = {0, 0, 1, 0.3127f, 0.329f, 1.0f};
    Skylight::XyYToRgb(white);
    for (int c = 3; c < 6; ++c) EXPECT_NEAR(white[c], 1.0f, 0.01f) << "D65 white";
}

// Every turbidity the settings allow (start-up gives 1.0, depth of field
// lowers it by up to 35 %) and any sun: finite skies in every direction,
// the horizon and below it included.
TEST(Skylight, FiniteForEveryDirectionAndTurbidity)
{
    const float suns[][3] = {{0, 0, 1}, {0.3f, 0.2f, 0.05f}, {0, 0, -1}, {0, 0, 0}, {3, -4, 12}};
    for (float t : {0.0f, 0.65f, 1.0f, 1.2f, 1.6f, 2.0f, 10.0f, 30.0f, 1000.0f, NAN}) {
        for (const auto& sun : suns) {
            Skylight sky;
            sky.SetSun(sun, t);
            EXPECT_NEAR(sky.sunDirection[0] * sky.sunDirection[0] + sky.sunDirection[1] * sky.sunDirection[1] +
                            sky.sunDirection[2] * sky.sunDirection[2],
                        1.0f, 1e-5f);
            for (int i = 0; i <= 40; ++i) {
                const float z = -1.0f + i * 0.05f, r = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
                float sample[6] = {r * 0.6f, r * 0.8f, z};
                sky.SkyColor(sample);
                ASSERT_TRUE(Finite3(sample + 3)) << "turbidity " << t << " z " << z;
                Skylight::XyYToRgb(sample);
            }
        }
    }
}

}  // namespace
