#include "baseshapes/samplers_hyperbolic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"

namespace {

constexpr float kSize = 1.5f;

bool Any(const BaseshapePoint&) { return true; }
// With p0 >= 0: |x|, |z| <= size and |y| <= sinh(1.1 * 2pi) / cosh(2pi) * size.
bool WindSpinnerBound(const BaseshapePoint& q) { return std::hypot(q.x, q.y, q.z) <= 2.2f * kSize; }

// Every point finite, within the bound the formula gives, also at the
// parameters where a denominator reaches zero or a cosh overflows.
TEST(HyperbolicSamplers, FiniteAndBoundedAtSingularParameters)
{
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        std::vector<float> p;
        bool (*inside)(const BaseshapePoint&);
    } rows[] = {
        {"Spire", SampleBaseshapeSpire, {0.7f, 0.5f},
         [](const BaseshapePoint& q) { return std::hypot(q.x, q.z) <= kSize && q.y >= 0 && q.y <= 1.5f * kSize; }},
        {"Wind Spinner", SampleBaseshapeWindSpinner, {0, 1.3f, 0.8f}, WindSpinnerBound},
        {"Wind Spinner, wide", SampleBaseshapeWindSpinner, {0.5f, 1, 1e4f}, WindSpinnerBound},
        {"Wind Spinner, phase -1", SampleBaseshapeWindSpinner, {-1, 1, 1}, Any},
        {"Wind Spinner, phase -2.5", SampleBaseshapeWindSpinner, {-2.5f, 1, 1}, Any},
        {"Double Spiral", SampleBaseshapeDoubleSpiral, {1.2f, 0.4f, 0.6f, 3},
         [](const BaseshapePoint& q) { return std::fabs(q.y) <= 0.9f * 0.6f * kSize; }},
        // cosh g overflows for most points.
        {"Double Spiral, steep", SampleBaseshapeDoubleSpiral, {1, 1, 1, 1e4f}, Any},
        // g about 0 while beta sweeps through pi: cos beta + cosh g reaches 0.
        {"Double Spiral, focus", SampleBaseshapeDoubleSpiral, {3e12f, 3e12f, 1, 1e-12f}, Any},
    };
    for (const auto& row : rows) {
        ResetTestSlot(kTestSlot, 8);
        for (int i = 0; i < 20000; ++i) {
            BaseshapePoint q = MakeTestPoint(kSize, 0);
            std::copy(row.p.begin(), row.p.end(), q.p);
            row.sampler(&q, kTestSlot);
            ASSERT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z)) << row.name;
            ASSERT_TRUE(row.inside(q)) << row.name << " " << q.x << " " << q.y << " " << q.z;
        }
    }
}

// One layer in ten lies flat in y = 0.
TEST(HyperbolicSamplers, DoubleSpiralLastLayerIsFlat)
{
    ResetTestSlot(kTestSlot, 8);
    int flat = 0;
    for (int i = 0; i < 10000; ++i) {
        BaseshapePoint q = MakeTestPoint(kSize, 1.2f);
        q.p[2] = 1, q.p[3] = 2;
        SampleBaseshapeDoubleSpiral(&q, kTestSlot);
        flat += q.y == 0.0f ? 1 : 0;
    }
    EXPECT_NEAR(flat / 10000.0, 0.1, 0.01);
}

}  // namespace
