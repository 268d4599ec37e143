#include "baseshapes/samplers_rings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"

namespace {

constexpr float kSize = 1.5f;

float Radial(const BaseshapePoint& q) { return std::hypot(q.x, q.z); }

// Largest projection on the edge normals of the triangle with a vertex at
// angle 0: half its circumradius on the boundary, less inside.
float TriangleSupport(float a, float b)
{
    float best = -1e30f;
    for (float n : {1.0471976f, 3.1415927f, 5.2359878f}) best = std::max(best, a * std::cos(n) + b * std::sin(n));
    return best;
}

// Each measure is 0 on the surface and at most 0 inside.
TEST(RingSamplers, PointsOnTheirSurfacesAndFilledOnesInside)
{
    constexpr float s = kSize;
    const struct {
        const char* name;
        BaseshapeSampler surface, filled;
        std::vector<float> p;
        float (*measure)(const BaseshapePoint&);
    } rows[] = {
        // No joints: a plain torus of ring radius size^2, tube 0.3 * size.
        {"Pipe Torus", SampleBaseshapePipeTorus, SampleBaseshapePipeTorusFilled, {0.3f, 0, 5},
         [](const BaseshapePoint& q) { return std::hypot(Radial(q) - s * s, q.y) - 0.3f * s; }},
        // No rise: the helix fills a torus of ring radius 0.8 * size.
        {"Helix I", SampleBaseshapeHelixI, SampleBaseshapeHelixIFilled, {0.3f, 0.8f, 1.3f, 0},
         [](const BaseshapePoint& q) { return std::hypot(Radial(q) - 0.8f * s, q.y) - 0.3f * s; }},
        // No turns: a flat strip in z = 0 around x = 0.8 * size.
        {"Helix I, flat", SampleBaseshapeHelixI, SampleBaseshapeHelixIFilled, {0.3f, 0.8f, 0, 2},
         [](const BaseshapePoint& q) { return std::fabs(q.z) + std::max(0.0f, std::fabs(q.x - 0.8f * s) - 0.3f * s); }},
        // Section from radius size^2 out by 0.4 * size, height 0.4 * size,
        // swept from angle 0 through 0.3 turns: minus the distance to the box.
        {"Arc", SampleBaseshapeArc, SampleBaseshapeArcFilled, {0.4f, 0.3f},
         [](const BaseshapePoint& q) {
             const float r = Radial(q), angle = std::atan2(q.z, q.x);
             return -std::min({r - s * s, (s + 0.4f) * s - r, 0.2f * s - std::fabs(q.y), angle * r,
                               (6.2831855f * 0.3f - angle) * r});
         }},
        // Three sides (2.9 counts as 3) for the ring and the tube, tube 0.3.
        {"Pol. Torus", SampleBaseshapePolTorus, SampleBaseshapePolTorusFilled, {0.3f, 2.9f, -4, 0},
         [](const BaseshapePoint& q) {
             const float ring = 2 * TriangleSupport(q.x, q.z);
             return TriangleSupport(ring / s - s, q.y / s) - 0.15f;
         }},
    };
    for (const auto& row : rows) {
        for (int filled = 0; filled < 2; ++filled) {
            ResetTestSlot(kTestSlot, 21);
            float deepest = 0;
            for (int i = 0; i < 5000; ++i) {
                BaseshapePoint q = MakeTestPoint(kSize, 0);
                std::copy(row.p.begin(), row.p.end(), q.p);
                (filled ? row.filled : row.surface)(&q, kTestSlot);
                const float m = row.measure(q);
                ASSERT_LE(m, 2e-5f) << row.name << " filled " << filled;
                if (!filled) {
                    ASSERT_GE(m, -2e-5f) << row.name;
                }
                deepest = std::min(deepest, m);
            }
            if (filled && row.p[2] != 0) {
                EXPECT_LT(deepest, -0.03f) << row.name << ": the filled twin fills";
            }
        }
    }
}

// Zero-sized stones: twelve points on the diamond |x| + |z| = size at y = 0,
// its corners and the thirds of its edges.
TEST(RingSamplers, DiamondRingOfPointStones)
{
    for (BaseshapeSampler sampler : {SampleBaseshapeDiamondRing, SampleBaseshapeDiamondRingFilled}) {
        ResetTestSlot(kTestSlot, 4);
        std::set<std::pair<long, long>> seen;
        for (int i = 0; i < 3000; ++i) {
            BaseshapePoint q = MakeTestPoint(kSize, 0);
            sampler(&q, kTestSlot);
            ASSERT_EQ(q.y, 0.0f);
            ASSERT_NEAR(std::fabs(q.x) + std::fabs(q.z), kSize, 1e-5f);
            const float thirds = 3 * q.x / kSize;
            ASSERT_NEAR(thirds, std::round(thirds), 1e-4f);
            seen.insert({std::lround(thirds), std::lround(3 * q.z / kSize)});
        }
        EXPECT_EQ(seen.size(), 12u);
    }
}

}  // namespace
