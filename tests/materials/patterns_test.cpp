#include "materials/patterns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

constexpr float kPi = 3.14159265f;

TEST(Patterns, WorkedValues)
{
    struct Case {
        const char* name;
        double value;
        double expected;
        double tolerance = 1e-5;
    };
    const float* e0 = gPatternDirections[0];
    const Case cases[] = {
        {"gyroid 0 at the origin", PatternGyroid(0, 0, 0, 0), 0.5},
        {"gyroid 3 is 0", PatternGyroid(0.3f, 0.2f, 0.1f, 3), 0.0},
        {"gyroid 9 is 0", PatternGyroid(0.3f, 0.2f, 0.1f, 9), 0.0},
        {"golden cosine (double) at the origin", PatternGoldenCosineD(0, 0, 0), -1.5},
        {"golden cosine (roots) at the origin", PatternGoldenCosine(0, 0, 0), -1.5},
        {"arcsine triangle at 0", TriangleWaveArcsine(0.0), 0.0},
        // 2/pi is the single-precision value widened, so the peak misses 1 by 1.5e-4.
        {"arcsine triangle at pi/2", TriangleWaveArcsine(1.5707963267948966), 1.0, 2e-4},
        {"arcsine triangle at -pi/2", TriangleWaveArcsine(-1.5707963267948966), -1.0, 2e-4},
        {"rounded triangle at pi/2", RoundedTriangleWave(1.5707963267948966), 1.0},
        {"bump at 0.5", BumpCurve(0.5), 0.75},
        {"hexagon radius at pi/6", HexagonRadius(0.5235987755982989), 0.8660254037844386},
        {"sphere trig 18 at u = w = 0 (the pole)", PatternSphereTrig(0, 0, -1, 18, 3.0f), 0.0},
        // The table is rounded to three decimals: entry 0 is 2.4e-4 off the unit sphere.
        {"nearest direction at entry 0: d1", PatternNearestDirection(e0[0], e0[1], e0[2], 7), 0.0, 3e-4},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.value, c.expected, c.tolerance) << c.name;

    // At entry 0 the nearest distance is 0, so variant 0 is cos b of the second.
    float b = 1000.0f;
    for (int i = 1; i < kPatternDirectionCount; ++i) {
        const float d[3] = {e0[0] - gPatternDirections[i][0], e0[1] - gPatternDirections[i][1],
                            e0[2] - gPatternDirections[i][2]};
        b = std::fmin(b, std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]));
    }
    const float len = std::sqrt(e0[0] * e0[0] + e0[1] * e0[1] + e0[2] * e0[2]);
    EXPECT_NEAR(PatternNearestDirection(e0[0], e0[1], e0[2], 0), std::cos(b * len * 2.0f * kPi), 2e-3);
}

TEST(Patterns, SphereTrigVariantsOnAGrid)
{
    for (int i = 0; i < 400; ++i) {
        const float p[3] = {std::sin(i * 0.37f) * 1.3f, std::cos(i * 0.11f), std::sin(i * 0.23f + 1.0f)};
        const float parameter = 3.1415927f * float(1 << (i % 4));
        EXPECT_EQ(PatternSphereTrig(p[0], p[1], p[2], 17, parameter), PatternSphereTrig(p[0], p[1], p[2], 12, parameter))
            << "point " << i;
        const float checker = PatternSphereTrig(p[0], p[1], p[2], 18, parameter);
        EXPECT_EQ(checker, std::floor(checker)) << "point " << i;
        EXPECT_GE(checker, 0.0f);
        EXPECT_LE(checker, 255.0f);
    }
}

// Every function and variant at the origin, the sphere projection's pole,
// a far point and a point that is not a number: finite (or, for the last,
// no crash), as the texture layers feed them any scaled direction.
TEST(Patterns, DegeneratePointsGiveFiniteValues)
{
    struct Function {
        std::string name;
        int variants;
        std::function<float(float, float, float, int)> f;
    };
    const Function functions[] = {
        {"gyroid", 4, [](float x, float y, float z, int v) { return PatternGyroid(x, y, z, v); }},
        {"golden cosine", 1, [](float x, float y, float z, int) { return PatternGoldenCosine(x, y, z); }},
        {"golden triangle", 1, [](float x, float y, float z, int) { return PatternGoldenTriangle(x, y, z); }},
        {"sphere hex", 6, [](float x, float y, float z, int v) { return PatternSphereHex(x, y, z, v, 6.28f); }},
        {"sphere trig", 20, [](float x, float y, float z, int v) { return PatternSphereTrig(x, y, z, v, 6.28f); }},
        {"nearest direction", 6,
         [](float x, float y, float z, int v) { return PatternNearestDirection(x, y, z, v); }},
    };
    const float points[][3] = {{0, 0, 0}, {0, 0, -1}, {0, 0, -1e-30f}, {1e6f, -3e5f, 2e6f}, {0.2f, -0.5f, 0.8f}};
    for (const Function& f : functions) {
        for (int v = 0; v < f.variants; ++v) {
            for (const auto& p : points) {
                EXPECT_TRUE(std::isfinite(f.f(p[0], p[1], p[2], v)))
                    << f.name << " variant " << v << " at (" << p[0] << ", " << p[1] << ", " << p[2] << ")";
            }
            (void)f.f(NAN, 0.0f, 1.0f, v);
        }
    }
}

}  // namespace
