#include "baseshapes/samplers_tubes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "baseshapes/samplers_axial.h"
#include "baseshapes/samplers_open_surfaces.h"
#include "baseshapes/samplers_segmented.h"
#include "baseshapes/support/sampler_checks.h"

namespace {

using P = const BaseshapePoint&;
using In = const SamplerInput&;

constexpr float kEps = 2e-5f;

float Hypot(float a, float b) { return std::sqrt(a * a + b * b); }

// Distance of a point from the circle of radius R about z in the plane z = 0.
float FromCircle(P p, float R) { return Hypot(Hypot(p.x, p.y) - R, p.z); }

// Largest projection of (x, z) on the side normals of the n-gon whose first
// vertex is on +z: its inradius cos(pi/n) * s on the outline.
float PolygonSupport(P p, int n)
{
    float best = -1e30f;
    for (int j = 0; j < n; ++j) {
        const double a = (2 * j + 1) * 3.141592653589793 / n;
        best = std::max(best, static_cast<float>(p.x * std::sin(a) + p.z * std::cos(a)));
    }
    return best;
}

// Centre line of an axial ring: one coordinate 0, the other two, over the
// centre-line radius, on the unit outline (where `outline` gives 1).
template <typename Outline>
bool OnAxialCentreLine(P p, float radius, Outline outline)
{
    constexpr float kTolerance = 2e-4f;  // asin and atanh near +-1 are coarse in float
    const float c[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
        if (c[k] == 0.0f && Near(outline(c[(k + 1) % 3] / radius, c[(k + 2) % 3] / radius), 1, kTolerance)) return true;
    }
    return false;
}

TEST(TubeSamplers, ShapesKeepTheirAnalyticBounds)
{
    const PropertyCase cases[] = {
        {"knot I, Q = 0: a tube of radius r about a circle", SampleBaseshapeTorusKnotI, {1.5f, {0.3f, 2, 0}},
         [](P p, In in) { return Near(FromCircle(p, 3 * in.size), 0.3f * in.size, kEps); }},
        {"knot I filled, Q = 0: within the tube", SampleBaseshapeTorusKnotIFilled, {1.5f, {0.3f, 2, 0}},
         [](P p, In in) { return FromCircle(p, 3 * in.size) <= 0.3f * in.size + kEps; }},
        {"knot I filled, r = 0: on the curve", SampleBaseshapeTorusKnotIFilled, {1.5f, {0, 2, 3}},
         [](P p, In in) { return Near(Hypot(Hypot(p.x, p.y) / in.size - 2, p.z / in.size), 1, 1e-4f); }},
        {"rounded knot, Q = 0", SampleBaseshapeRoundedTorusKnot, {1.5f, {0.3f, 2, 0}},
         [](P p, In in) { return Near(FromCircle(p, 2.9950548f * in.size), 0.3f * in.size, kEps); }},
        {"loxodrome, n = 0: a meridian on x < 0 in z = 0", SampleBaseshapeTubularLoxodrome, {2.0f, {0}},
         [](P p, In in) { return std::fabs(p.z) <= 0.1364f * in.size && p.x <= 0.1364f * in.size; }},
        {"axial sphere, T = 0", SampleBaseshapeAxialSphere, {1.5f, {0.8f, 0}},
         [](P p, In in) { return OnAxialCentreLine(p, 0.8f * in.size, Hypot); }},
        {"axial octahedron, T = 0", SampleBaseshapeAxialOctahedronFilled, {1.5f, {0.8f, 0}},
         [](P p, In in) {
             return OnAxialCentreLine(p, 0.8f * in.size, [](float a, float b) { return std::fabs(a) + std::fabs(b); });
         }},
        {"axial box, T = 0", SampleBaseshapeAxialBox, {1.5f, {0.8f, 0}},
         [](P p, In in) {
             // (tanh(3 cos a), tanh(3 sin a))
             return OnAxialCentreLine(p, 0.8f * in.size,
                                      [](float a, float b) { return Hypot(std::atanh(a), std::atanh(b)) / 3; });
         }},
        {"segmented sphere, E = 0", SampleBaseshapeSegmentedSphere, {1.5f, {0, 3, 5}},
         [](P p, In in) { return Near(Length(p), in.size, kEps); }},
        {"segmented bicone, E = 0", SampleBaseshapeSegmentedBicone, {1.5f, {0, 3, 5}},
         [](P p, In in) { return Near(Hypot(p.x, p.z) + std::fabs(p.y), in.size, 1e-4f); }},
        {"segmented octahedron, E = 0", SampleBaseshapeSegmentedOctahedron, {1.5f, {0, 3, 5}},
         [](P p, In in) { return Near(std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z), in.size, 1e-4f); }},
        {"segmented octahedron filled, E = 0", SampleBaseshapeSegmentedOctahedronFilled, {1.5f, {0, 3, 5}},
         [](P p, In in) { return std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z) <= in.size + 1e-4f; }},
        {"open cylinder", SampleBaseshapeOpenCylinder, {1.5f, {0.7f}},
         [](P p, In in) { return Near(Hypot(p.x, p.z), in.size, kEps) && std::fabs(p.y) <= 0.7f * in.size + kEps; }},
        {"open polygon, 3.9 sides: a triangle", SampleBaseshapeOpenPolygon, {1.5f, {1, 3.9f}},
         [](P p, In in) { return Near(PolygonSupport(p, 3), 0.5f * in.size, kEps); }},
        {"open polygon, 4.5 sides: a square", SampleBaseshapeOpenPolygon, {1.5f, {1, 4.5f}},
         [](P p, In in) { return Near(PolygonSupport(p, 4), 0.70710678f * in.size, kEps); }},
        {"open polygon, 1e30 sides: bounded", SampleBaseshapeOpenPolygon, {1.5f, {1, 1e30f}},
         [](P p, In in) { return Near(Hypot(p.x, p.z), in.size, 1e-4f); }},
        {"open shell, no turns: the plane z = 0", SampleBaseshapeOpenShell, {1.5f, {0, 0.4f, 2, 0.3f}},
         [](P p, In) { return p.z == 0.0f && p.x >= 0.0f; }},
    };
    CheckProperties(cases);
}

// A segment along a tube routine's reference direction, or of zero length,
// still gets an orthonormal frame: the point lies at the tube's radius.
TEST(TubeSamplers, TubeRoutinesSurviveDegenerateSegments)
{
    using Routine = float* (*)(float*, const float*, const float*, const float*, uint8_t);
    const struct {
        const char* name;
        Routine routine;
        float p1[3];
        float low, high;  // distance from the segment's line, per unit radius
    } cases[] = {
        {"circular, along y", SampleTubeSegment, {0, 2, 0}, 1, 1},
        {"circular, zero length", SampleTubeSegment, {0, 0, 0}, 1, 1},
        {"square, along (0.1, 0.1, 1)", SampleSquareTubeSegment, {0.1f, 0.1f, 1}, 0.964f, 1.3633f},
        {"square, zero length", SampleSquareTubeSegment, {0, 0, 0}, 0.964f, 1.3633f},
    };
    const float origin[3] = {0, 0, 0};
    const float radius = 0.5f;
    for (const auto& c : cases) {
        ResetTestSlot(kTestSlot, 9);
        const float len = std::sqrt(c.p1[0] * c.p1[0] + c.p1[1] * c.p1[1] + c.p1[2] * c.p1[2]);
        for (int i = 0; i < 2000; ++i) {
            float out[3];
            ASSERT_EQ(c.routine(out, c.p1, origin, &radius, kTestSlot), out);
            ASSERT_TRUE(std::isfinite(out[0]) && std::isfinite(out[1]) && std::isfinite(out[2])) << c.name;
            const float along = len > 0 ? (out[0] * c.p1[0] + out[1] * c.p1[1] + out[2] * c.p1[2]) / len : 0;
            const float r2 = out[0] * out[0] + out[1] * out[1] + out[2] * out[2];
            const float d = std::sqrt(std::max(0.0f, r2 - along * along));
            ASSERT_GE(d, c.low * radius - 1e-5f) << c.name;
            ASSERT_LE(d, c.high * radius + 1e-5f) << c.name;
        }
    }
}

TEST(TubeSamplers, RadiusFactors)
{
    ResetTestSlot(kTestSlot, 10);
    double sum = 0;
    for (int i = 0; i < 100000; ++i) {
        const float f = RandomFoldedTriangular(kTestSlot);
        ASSERT_TRUE(f >= 0.0f && f <= 1.0f) << f;
        sum += f;
    }
    EXPECT_NEAR(sum / 100000, 2.0 / 3.0, 0.005);  // density 2x

    gBaseshapeRandom[kTestSlot].State() = StateYielding(0x80000000u, 0x80000000u);
    EXPECT_EQ(RandomFoldedTriangular(kTestSlot), 1.0f);  // the two halves sum to exactly 1
    gBaseshapeRandom[kTestSlot].State() = StateYielding(0, 0xffffffffu);
    EXPECT_EQ(RandomCubeRoot(kTestSlot), 0.0f);
    EXPECT_EQ(RandomCubeRoot(kTestSlot), 1.0f);
}

}  // namespace
