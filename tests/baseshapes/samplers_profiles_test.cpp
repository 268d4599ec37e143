#include "baseshapes/samplers_profiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"

namespace {

constexpr float kSize = 1.5f;
constexpr float kThird = 1.0f / 3, kTwoThirds = 2.0f / 3;

float Abs(float v) { return std::fabs(v); }

// Radius Bezier (1, 1, 1, 0) and height Bezier (0, 1/3, 2/3, 1): at height
// y the radius is 1 - (y/size)^3 (times size).
float ProfileRadius(float y) { return kSize * (1 - Abs(y / kSize) * Abs(y / kSize) * Abs(y / kSize)); }

// Each row's measure is 0 on the surface and at most 0 inside: the filled
// twin must stay in, the surface twin on it.
TEST(ProfileSamplers, PointsOnTheirProfilesAndFilledOnesInside)
{
    using Measure = float (*)(const BaseshapePoint&);
    // Spindle radius of (0, c, c, c) from height t in [0, 1].
    static constexpr float c = 0.6f;
    auto spindle = [](float t) { return c * kSize * (1 - (1 - t) * (1 - t) * (1 - t)); };
    static float (*const kSpindle)(float) = spindle;
    const struct {
        const char* name;
        BaseshapeSampler surface, filled;
        std::vector<float> p;
        Measure measure;
    } rows[] = {
        {"Tornado", SampleBaseshapeTornado, SampleBaseshapeTornadoFilled, {c, c, c, c, c, c},
         [](const BaseshapePoint& q) {
             const float r = kSpindle((q.y / kSize + 1) / 2);
             return std::hypot(q.x - r, q.z - r) - 0.5f * r;
         }},
        {"Sting", SampleBaseshapeSting, SampleBaseshapeStingFilled, {c, c, c, c, c, c},
         [](const BaseshapePoint& q) {
             const float r = kSpindle((1 - q.y / kSize) / 2);
             return Abs(q.x - r) + Abs(q.z - r) - 0.5f * r;
         }},
        {"Tornado at zero", SampleBaseshapeTornado, SampleBaseshapeTornadoFilled, {},
         [](const BaseshapePoint& q) { return Abs(q.x) + Abs(q.z) + std::fmax(0.0f, Abs(q.y) - kSize); }},
        {"Sting at zero", SampleBaseshapeSting, SampleBaseshapeStingFilled, {},
         [](const BaseshapePoint& q) { return Abs(q.x) + Abs(q.z) + std::fmax(0.0f, Abs(q.y) - kSize); }},
        {"Dome, upper half", SampleBaseshapeDome, SampleBaseshapeDomeFilled, {1, 1},
         [](const BaseshapePoint& q) { return std::fmax(std::hypot(q.x, q.y, q.z) - kSize, -q.y); }},
        {"Dome II, square", SampleBaseshapeDomeII, SampleBaseshapeDomeIIFilled, {4, 1, 1, 1, kThird, kTwoThirds},
         [](const BaseshapePoint& q) { return Abs(q.x) + Abs(q.z) - ProfileRadius(q.y); }},
        {"Dome II, no sides", SampleBaseshapeDomeII, SampleBaseshapeDomeIIFilled, {0, 1, 1, 1, kThird, kTwoThirds},
         [](const BaseshapePoint& q) { return Abs(q.x) + q.z - ProfileRadius(q.y) + std::fmax(0.0f, -q.z); }},
        {"Double Spline R.", SampleBaseshapeDoubleSplineR, SampleBaseshapeDoubleSplineRFilled, {1, 1, 1, kThird, kTwoThirds},
         [](const BaseshapePoint& q) { return std::hypot(q.x, q.z) - ProfileRadius(q.y); }},
        {"Pol. Spline R., square", SampleBaseshapePolSplineR, SampleBaseshapePolSplineRFilled, {1, 1, 1, kThird, kTwoThirds, 4},
         [](const BaseshapePoint& q) { return Abs(q.x) + Abs(q.z) - ProfileRadius(q.y); }},
        {"Spline FlowerII, no petals", SampleBaseshapeSplineFlowerII, nullptr,
         {1, 0, 1, kThird, 1, kTwoThirds, 1, 1, 0, 0.8f, 0.5f},
         [](const BaseshapePoint& q) { return std::hypot(q.x, q.z) - 0.8f * kSize + std::fmax(0.0f, -q.y); }},
    };
    for (const auto& row : rows) {
        for (int filled = 0; filled < (row.filled ? 2 : 1); ++filled) {
            ResetTestSlot(kTestSlot, 9);
            float deepest = 0;
            for (int i = 0; i < 5000; ++i) {
                BaseshapePoint q = MakeTestPoint(kSize, 0);
                for (size_t k = 0; k < row.p.size(); ++k) q.p[k] = row.p[k];
                (filled ? row.filled : row.surface)(&q, kTestSlot);
                const float m = row.measure(q);
                ASSERT_LE(m, 2e-5f) << row.name << " filled " << filled;
                if (!filled) {
                    ASSERT_GE(m, -2e-5f) << row.name;
                }
                deepest = std::fmin(deepest, m);
            }
            if (filled && !row.p.empty()) {
                EXPECT_LT(deepest, -0.05f) << row.name << ": the filled twin fills";
            }
        }
    }
}

// A profile draw t = 1 is the apex on the axis; t = 0 the base circle of
// radius p0 * size at y = 0.
TEST(ProfileSamplers, ApexAndBaseOfTheProfile)
{
    const struct {
        BaseshapeSampler sampler;
        uint32_t first, second;
        float x, z, absY;
    } cases[] = {
        {SampleBaseshapeDoubleSplineR, 0x12345678u, 0xffffffffu, 0, 0, kSize},
        {SampleBaseshapeDoubleSplineR, 0, 0, 0, 0.3f * kSize, 0},
        {SampleBaseshapeDomeII, 0, 0xffffffffu, 0, 0, kSize},
        {SampleBaseshapeDomeIIFilled, 0x9abcdef0u, 0xffffffffu, 0, 0, kSize},
    };
    for (const auto& c : cases) {
        ResetTestSlot(kTestSlot, 1);
        gBaseshapeRandom[kTestSlot].State() = StateYielding(c.first, c.second);
        BaseshapePoint q = MakeTestPoint(kSize, 0.3f);
        q.p[0] = c.sampler == SampleBaseshapeDoubleSplineR ? 0.3f : 5.0f;
        q.p[1] = q.p[2] = q.p[3] = 0.7f;
        c.sampler(&q, kTestSlot);
        EXPECT_NEAR(q.x, c.x, 1e-6f);
        EXPECT_NEAR(q.z, c.z, 1e-6f);
        EXPECT_NEAR(Abs(q.y), c.absY, 1e-6f);
    }
}

}  // namespace
