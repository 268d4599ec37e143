// The analytic shapes from "Spire" to "Wind Spinner": profiles, rings,
// hyperbolic surfaces, shells and solids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/samplers_hyperbolic.h"
#include "baseshapes/samplers_profiles.h"
#include "baseshapes/samplers_rings.h"
#include "baseshapes/samplers_spiral_shells.h"
#include "baseshapes/samplers_boxes_pyramids.h"
#include "baseshapes/support/sampler_fixture.h"

namespace {

constexpr float S = 1.5f;  // the size of every test point
constexpr float kThird = 1.0f / 3, kTwoThirds = 2.0f / 3;
using Point = BaseshapePoint;

float Abs(float v) { return std::fabs(v); }
float Radial(const Point& q) { return std::hypot(q.x, q.z); }
float Length3(float x, float y, float z) { return std::hypot(x, y, z); }

// Radius Bezier (1, 1, 1, 0) over height Bezier (0, 1/3, 2/3, 1): the
// radius at height y is size * (1 - |y/size|^3).
float ProfileRadius(float y) { return S * (1 - Abs(y / S) * Abs(y / S) * Abs(y / S)); }
// Mean spindle radius of (0, c, c, c) at profile height t.
float Spindle(float t) { return 0.6f * S * (1 - (1 - t) * (1 - t) * (1 - t)); }

// Largest projection on the edge normals of the triangle with a vertex at
// angle 0: half its circumradius on the boundary.
float TriangleSupport(float a, float b)
{
    float best = -1e30f;
    for (float n : {1.0471976f, 3.1415927f, 5.2359878f}) best = std::max(best, a * std::cos(n) + b * std::sin(n));
    return best;
}

// Signed distance to the rounded cube [-1, 1]^3 with edges rounded by r.
float RoundedCube(float x, float y, float z, float r)
{
    const float f = 1 - r;
    return Length3(std::max(Abs(x) - f, 0.0f), std::max(Abs(y) - f, 0.0f), std::max(Abs(z) - f, 0.0f)) - r;
}

// The segment x = z = 0, |y| <= size.
float OnAxis(const Point& q) { return Abs(q.x) + Abs(q.z) + std::max(0.0f, Abs(q.y) - S); }

// With p0 >= 0: |x|, |z| <= size and |y| <= sinh(2.2 pi) / cosh(2 pi) size.
float WindSpinnerBound(const Point& q) { return Length3(q.x, q.y, q.z) - 2.2f * S; }

// Road tiles of 2 by 2 by 4 (in units of size/7) in two rows, centred at
// even x for an odd count per row.
float RoadTiles(const Point& q)
{
    const float x = q.x * 7 / S, z = q.z * 7 / S;
    return RoundedCube(x - 2 * std::round(x / 2), q.y * 7 / S, (Abs(z) - 2) / 2, .15f);
}

// Largest signed distance to the face planes of the (nearly regular, unit)
// tetrahedron: a face is at 1/3 from the centre, opposite its vertex.
float TetrahedronFaces(const Point& q)
{
    const float v[4][3] = {{0, 1, 0}, {0, -0.333f, 0.943f}, {0.816f, -0.333f, -0.471f}, {-0.816f, -0.333f, -0.471f}};
    float best = -1e30f;
    for (const auto& n : v) best = std::max(best, -(n[0] * q.x + n[1] * q.y + n[2] * q.z) / S - kThird);
    return best;
}

// Each row's measure is 0 on the surface (within the row's tolerance: the
// Pyramid's float arcsine of a cosine near 1 is off by 1e-4, the
// tetrahedron's vertices have three digits) and below 0
// inside: the surface
// twin must give 0 (only at most 0 for `within` rows, where parts overlap
// or only a bound is known), the filled twin at most 0 and below -depth
// somewhere. A row without a measure checks finiteness only.
TEST(AnalyticSamplers, PointsOnTheirSurfacesAndFilledOnesInside)
{
    const struct {
        const char* name;
        BaseshapeSampler surface, filled;
        std::vector<float> p;
        float (*measure)(const Point&);
        float depth = 0.03f;
        bool within = false;
        float tolerance = 3e-5f;
    } rows[] = {
        // Profiles of revolution.
        {"Tornado", SampleBaseshapeTornado, SampleBaseshapeTornadoFilled, {.6f, .6f, .6f, .6f, .6f, .6f},
         [](const Point& q) { const float r = Spindle((q.y / S + 1) / 2); return std::hypot(q.x - r, q.z - r) - 0.5f * r; }},
        {"Sting", SampleBaseshapeSting, SampleBaseshapeStingFilled, {.6f, .6f, .6f, .6f, .6f, .6f},
         [](const Point& q) { const float r = Spindle((1 - q.y / S) / 2); return Abs(q.x - r) + Abs(q.z - r) - 0.5f * r; }},
        {"Tornado at zero", SampleBaseshapeTornado, SampleBaseshapeTornadoFilled, {},
         OnAxis, 0},
        {"Sting at zero", SampleBaseshapeSting, SampleBaseshapeStingFilled, {},
         OnAxis, 0},
        {"Dome, upper half", SampleBaseshapeDome, SampleBaseshapeDomeFilled, {1, 1},
         [](const Point& q) { return std::max(Length3(q.x, q.y, q.z) - S, -q.y); }},
        {"Dome II, square", SampleBaseshapeDomeII, SampleBaseshapeDomeIIFilled, {4, 1, 1, 1, kThird, kTwoThirds},
         [](const Point& q) { return Abs(q.x) + Abs(q.z) - ProfileRadius(q.y); }},
        {"Dome II, no sides", SampleBaseshapeDomeII, SampleBaseshapeDomeIIFilled, {-2, 1, 1, 1, kThird, kTwoThirds},
         [](const Point& q) { return Abs(q.x) + q.z - ProfileRadius(q.y) + std::max(0.0f, -q.z); }},
        {"Double Spline R.", SampleBaseshapeDoubleSplineR, SampleBaseshapeDoubleSplineRFilled, {1, 1, 1, kThird, kTwoThirds},
         [](const Point& q) { return Radial(q) - ProfileRadius(q.y); }},
        {"Pol. Spline R., square", SampleBaseshapePolSplineR, SampleBaseshapePolSplineRFilled, {1, 1, 1, kThird, kTwoThirds, 4},
         [](const Point& q) { return Abs(q.x) + Abs(q.z) - ProfileRadius(q.y); }},
        {"Spline FlowerII, no petals", SampleBaseshapeSplineFlowerII, nullptr, {1, 0, 1, kThird, 1, kTwoThirds, 1, 1, 0, .8f, .5f},
         [](const Point& q) { return Radial(q) - 0.8f * S + std::max(0.0f, -q.y); }},
        // Rings: ring radius size^2 where the shape has it so. Zero-sized
        // stones: the corners and edge thirds of |x| + |z| = size in y = 0.
        {"Diamond Ring, point stones", SampleBaseshapeDiamondRing, SampleBaseshapeDiamondRingFilled, {},
         [](const Point& q) { return Abs(Abs(q.x) + Abs(q.z) - S) + Abs(q.y) + Abs(3 * q.x / S - std::round(3 * q.x / S)); }, 0},
        {"Pipe Torus, no joints", SampleBaseshapePipeTorus, SampleBaseshapePipeTorusFilled, {.3f, 0, 5},
         [](const Point& q) { return std::hypot(Radial(q) - S * S, q.y) - 0.3f * S; }},
        {"Helix I, no rise", SampleBaseshapeHelixI, SampleBaseshapeHelixIFilled, {.3f, .8f, 1.3f, 0},
         [](const Point& q) { return std::hypot(Radial(q) - 0.8f * S, q.y) - 0.3f * S; }},
        {"Helix I, no turns", SampleBaseshapeHelixI, SampleBaseshapeHelixIFilled, {.3f, .8f, 0, 2},
         [](const Point& q) { return Abs(q.z) + std::max(0.0f, Abs(q.x - 0.8f * S) - 0.3f * S); }, 0},
        {"Arc", SampleBaseshapeArc, SampleBaseshapeArcFilled, {.4f, .3f},
         [](const Point& q) {
             const float r = Radial(q), angle = std::atan2(q.z, q.x);
             return -std::min({r - S * S, (S + .4f) * S - r, .2f * S - Abs(q.y), angle * r, (6.2831855f * .3f - angle) * r});
         }},
        {"Pol. Torus, triangles", SampleBaseshapePolTorus, SampleBaseshapePolTorusFilled, {.3f, 2.9f, -4, 0},
         [](const Point& q) { return TriangleSupport(2 * TriangleSupport(q.x, q.z) / S - S, q.y / S) - 0.15f; }},
        // Hyperbolic surfaces: bounds, and finite points where a denominator
        // reaches zero or a cosh overflows.
        {"Spire", SampleBaseshapeSpire, nullptr, {.7f, .5f},
         [](const Point& q) { return std::max({Radial(q) - S, -q.y, q.y - 1.5f * S}); }, 0, true},
        {"Wind Spinner", SampleBaseshapeWindSpinner, nullptr, {0, 1.3f, .8f},
         WindSpinnerBound, 0, true},
        {"Wind Spinner, wide", SampleBaseshapeWindSpinner, nullptr, {.5f, 1, 1e4f},
         WindSpinnerBound, 0, true},
        {"Wind Spinner, phase -1", SampleBaseshapeWindSpinner, nullptr, {-1, 1, 1}, nullptr},
        {"Wind Spinner, phase -2.5", SampleBaseshapeWindSpinner, nullptr, {-2.5f, 1, 1}, nullptr},
        {"Double Spiral", SampleBaseshapeDoubleSpiral, nullptr, {1.2f, .4f, .6f, 3},
         [](const Point& q) { return Abs(q.y) - 0.9f * 0.6f * S; }, 0, true},
        {"Double Spiral, steep", SampleBaseshapeDoubleSpiral, nullptr, {1, 1, 1, 1e4f}, nullptr},
        {"Double Spiral, at a focus", SampleBaseshapeDoubleSpiral, nullptr, {3e12f, 3e12f, 1, 1e-12f}, nullptr},
        // Solids. Pyramid: the octahedron when p8 = 0, and when its lobes
        // raise zero to negative powers.
        {"Pyramid, no lobes", SampleBaseshapePyramid, SampleBaseshapePyramidFilled, {3, -2, 2, 5, 4, 2, 1, -3, 0},
         [](const Point& q) { return Abs(q.x) + Abs(q.y) + Abs(q.z) - S; }, 0.03f, false, 5e-4f},
        {"Pyramid, zero to negative powers", SampleBaseshapePyramid, SampleBaseshapePyramidFilled, {0, -2, 0, -2, 0, -2, 0, -2, .3f},
         [](const Point& q) { return Abs(q.x) + Abs(q.y) + Abs(q.z) - S; }, 0.03f, false, 5e-4f},
        {"Rounded Box", SampleBaseshapeRoundedBox, SampleBaseshapeRoundedBoxFilled, {.7f},
         [](const Point& q) { return RoundedCube(q.x / S, q.y / S, q.z / S, .3f); }},
        {"Pipe Box", SampleBaseshapePipeBox, SampleBaseshapePipeBoxFilled, {.8f},
         [](const Point& q) {
             const float x = Abs(q.x) / S, y = Abs(q.y) / S, z = Abs(q.z) / S, r = .8f;
             const float d = std::min({Length3(x - r, std::max(y - r, 0.0f), z - r), Length3(std::max(x - r, 0.0f), y - r, z - r),
                                       Length3(x - r, y - r, std::max(z - r, 0.0f))});
             return d - 0.2f;
         }, 0.03f, true},
        {"Bar", SampleBaseshapeBar, SampleBaseshapeBarFilled, {-.6f, .3f},
         [](const Point& q) { return Length3(q.x, std::max(Abs(q.y) - .6f * S, 0.0f), q.z) - .3f * S; }},
        // Road: 3.7 makes 3 tiles a row.
        {"Road, one tile a row", SampleBaseshapeRoad, SampleBaseshapeRoadFilled, {.5f},
         RoadTiles},
        {"Road, three tiles a row", SampleBaseshapeRoad, SampleBaseshapeRoadFilled, {3.7f},
         RoadTiles},
        {"Tetrahedron", SampleBaseshapeTetrahedron, SampleBaseshapeTetrahedronFilled, {}, TetrahedronFaces, 0.03f, false, 1e-3f},
    };
    for (const auto& row : rows) {
        for (int filled = 0; filled < (row.filled ? 2 : 1); ++filled) {
            ResetTestSlot(kTestSlot, 21);
            float deepest = 0;
            for (int i = 0; i < 5000; ++i) {
                Point q = MakeTestPoint(S, 0);
                std::copy(row.p.begin(), row.p.end(), q.p);
                (filled ? row.filled : row.surface)(&q, kTestSlot);
                ASSERT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z)) << row.name;
                if (!row.measure) continue;
                const float m = row.measure(q);
                ASSERT_LE(m, row.tolerance) << row.name << " filled " << filled << " at " << q.x << ", " << q.y << ", " << q.z;
                if (!filled && !row.within) {
                    ASSERT_GE(m, -row.tolerance) << row.name << " at " << q.x << ", " << q.y << ", " << q.z;
                }
                deepest = std::min(deepest, m);
            }
            if (filled) {
                EXPECT_LE(deepest, -row.depth) << row.name << ": the filled twin fills";
            }
        }
    }
}

// Runs a sampler whose first two words are chosen.
Point SampleWithWords(BaseshapeSampler sampler, uint32_t first, uint32_t second, std::vector<float> p)
{
    ResetTestSlot(kTestSlot, 1);
    gBaseshapeRandom[kTestSlot].State() = StateYielding(first, second);
    Point q = MakeTestPoint(S, 0);
    std::copy(p.begin(), p.end(), q.p);
    sampler(&q, kTestSlot);
    return q;
}

// Without ribbing depth (p3 = 0), or with a ribbing term of zero to a
// negative power, a shell is the same as one with no ribbing parameters.
TEST(AnalyticSamplers, ShellsWithoutRibbing)
{
    const std::vector<float> plain = {3, 1, 1, 0};
    const std::vector<float> variants[] = {{3, 1, 1, 0, 8, -2, 3, 5, 0, -3, 2, 2}, {3, 1, 1, .5f, 8, 2, 3, 5, 0, -3, 2, 2}};
    for (BaseshapeSampler shell : {SampleBaseshapeShellII, SampleBaseshapeShellIIFilled, SampleBaseshapeSQShellII,
                                   SampleBaseshapeSQShellIIFilled}) {
        for (const std::vector<float>& ribbed : variants) {
            for (int i = 0; i < 50; ++i) {
                const Point a = SampleWithWords(shell, 977u * i, 0x5000000u * i, plain);
                const Point b = SampleWithWords(shell, 977u * i, 0x5000000u * i, ribbed);
                ASSERT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << i;
            }
        }
    }
}

TEST(AnalyticSamplers, FlatFractionIsClampedAndWrittenBack)
{
    for (BaseshapeSampler box : {SampleBaseshapeRoundedBox, SampleBaseshapePipeBoxFilled}) {
        EXPECT_EQ(SampleWithWords(box, 1, 2, {0}).p[0], 0.01f);
        EXPECT_EQ(SampleWithWords(box, 1, 2, {2}).p[0], 0.99f);
        EXPECT_EQ(SampleWithWords(box, 1, 2, {.5f}).p[0], 0.5f);
    }
}

}  // namespace
