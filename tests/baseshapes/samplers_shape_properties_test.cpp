// Samplers checked by a property every drawn point keeps (sphere solids,
// tubes, knots on tori, axial and segmented shapes, columns, rings and
// waves), by single calls on chosen words, and their fault cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/samplers_axial.h"
#include "baseshapes/samplers_c_shapes.h"
#include "baseshapes/samplers_columns_rings.h"
#include "baseshapes/samplers_open_surfaces.h"
#include "baseshapes/samplers_polyhedral_functions.h"
#include "baseshapes/samplers_sculpted_solids.h"
#include "baseshapes/samplers_segmented.h"
#include "baseshapes/samplers_sphere_solids.h"
#include "baseshapes/samplers_tubes.h"
#include "baseshapes/samplers_wave_bars.h"
#include "baseshapes/support/sampler_checks.h"

namespace {

using P = const BaseshapePoint&;
using In = const SamplerInput&;

constexpr float kEps = 2e-5f;

// Whether the point is s times one of the table's vertices.
template <int N>
bool AtAVertex(P p, float s, const float (*vertices)[3])
{
    for (int i = 0; i < N; ++i) {
        if (Near(p.x, vertices[i][0] * s, kEps) && Near(p.y, vertices[i][1] * s, kEps) &&
            Near(p.z, vertices[i][2] * s, kEps))
            return true;
    }
    return false;
}

// "Dodecahedral Surface" gives up after its bounded tries (here a parameter
// that makes every try fail) and stays on the sphere of radius s.
TEST(SphereSolidSamplers, DodecahedralSurfaceTriesAreBounded)
{
    for (BaseshapeSampler sampler : {SampleBaseshapeDodecahedralSurface, SampleBaseshapeDodecahedralSurfaceFilled}) {
        ResetTestSlot(kTestSlot, 12);
        RandomState expected = gBaseshapeRandom[kTestSlot].State();
        for (int i = 0; i < 2 * kDodecahedralSurfaceTries; ++i) RandomStep(expected);
        BaseshapePoint p = MakeInputPoint({2, {INFINITY}});
        sampler(&p, kTestSlot);
        EXPECT_NEAR(Length(p), 2.0f, 1e-5f);
        EXPECT_EQ(0, std::memcmp(&expected, &gBaseshapeRandom[kTestSlot].State(), sizeof expected));
    }
}

// 100,000 seeded points of "Dodecahedral Surface" per case, hashed whole
// (colour and position): the expected words come from the sampler
// that summed every wave of every try, so the tries given up early must
// leave each point as it was.
TEST(SphereSolidSamplers, DodecahedralSurfacePointsAsWhenEveryWaveWasSummed)
{
    struct Case {
        BaseshapeSampler sampler;
        float p0;
        uint64_t expected;
    } const cases[] = {
        {SampleBaseshapeDodecahedralSurface, 0.0f, 0xc5b067a11529878dull},
        {SampleBaseshapeDodecahedralSurface, 2.5f, 0xc4a8fc1000630911ull},
        {SampleBaseshapeDodecahedralSurfaceFilled, 0.0f, 0xbe01c456edf79490ull},
        {SampleBaseshapeDodecahedralSurfaceFilled, 6.0f, 0x426a51f7b732c40bull},
    };
    for (const Case& c : cases) {
        ResetTestSlot(kTestSlot, 150);
        uint64_t h = 14695981039346656037ull;
        for (int i = 0; i < 100000; ++i) {
            BaseshapePoint p = Shape(1.5f, {c.p0});
            c.sampler(&p, kTestSlot);
            uint8_t bytes[15] = {p.red, p.green, p.blue};
            std::memcpy(bytes + 3, &p.x, 4), std::memcpy(bytes + 7, &p.y, 4), std::memcpy(bytes + 11, &p.z, 4);
            for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
        }
        EXPECT_EQ(h, c.expected) << "p0 " << c.p0;
    }
}

// k-fold symmetry of "Symmetric Fn": turning u1 by 1/k turns the section by
// 2 pi / k. "Sides" 5.9 is k = 5 (not 6), anything below 3 is k = 3, and a
// huge value is bounded.
TEST(SphereSolidSamplers, SymmetricFnOrderFromSides)
{
    const struct {
        float sides;
        int k;
    } cases[] = {{5.9f, 5}, {2.0f, 3}, {-4, 3}, {3.0f, 3}, {7.2f, 7}, {1e9f, kSymmetricFnMaxSides}};
    for (const auto& c : cases) {
        const SamplerInput in{1.5f, {c.sides, 0.2f, 0.1f, 0.3f, 0.15f, 0.05f}};
        const BaseshapePoint a = SampleWithWords(SampleBaseshapeSymmetricFn, MakeInputPoint(in), WordFor(0.1), WordFor(0.3));
        const BaseshapePoint b = SampleWithWords(SampleBaseshapeSymmetricFn, MakeInputPoint(in), WordFor(0.1 + 1.0 / c.k), WordFor(0.3));
        const std::complex<float> za(a.x, a.y), zb(b.x, b.y);
        const std::complex<float> turn = std::polar(1.0f, 6.2831855f / c.k);
        const float err = std::fmin(std::abs(za * turn - zb), std::abs(za / turn - zb));
        EXPECT_LT(err, 1e-3f * std::abs(za)) << "sides " << c.sides;
        EXPECT_FLOAT_EQ(std::fabs(a.z), std::fabs(b.z));
    }
}

// The walk starts only where a factor is within 0.01 of zero (so with A = 1
// the radius is within 0.01 s of s), stays within 0.0075 of its start, and
// never starts with B = C = 0.
TEST(SphereSolidSamplers, DeviceWalk)
{
    BuildBaseshapeGeneratorTables();
    ResetTestSlot(kTestSlot, 21);
    int starts = 0;
    for (int i = 0; i < 20000; ++i) {
        const bool wasActive = gSlotDeviceWalk.active[kTestSlot];
        const float p0 = gSlotDeviceWalk.startP[kTestSlot];
        BaseshapePoint p = MakeInputPoint({2, {1, 1, 1}});
        SampleBaseshapeDevice(&p, kTestSlot);
        ASSERT_TRUE(!wasActive || std::fabs(gSlotDeviceWalk.p[kTestSlot] - p0) <= 0.0075f + 1e-6f);
        if (!wasActive && gSlotDeviceWalk.active[kTestSlot]) {
            ++starts;
            ASSERT_NEAR(Length(p), 2.0f, 0.02f + 1e-5f);
        }
    }
    EXPECT_GT(starts, 0);

    BuildBaseshapeGeneratorTables();
    for (int i = 0; i < 20000; ++i) {
        BaseshapePoint p = MakeInputPoint({2, {1, 0, 0}});
        SampleBaseshapeDevice(&p, kTestSlot);
        ASSERT_EQ(gSlotDeviceWalk.active[kTestSlot], 0);
    }
}

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

TEST(ShapeProperties, PointsKeepTheirShapesProperty)
{
    const PropertyCase cases[] = {
        {"lens: two caps of the unit sphere moved to meet in y = 0", SampleBaseshapeLens, {1.5f, {}},
         [](P p, In in) {
             const float centre = p.y >= 0 ? -0.5f * in.size : 0.5f * in.size;
             return std::fabs(p.y) <= 0.5f * in.size &&
                    Near(std::hypot(p.x, p.y - centre, p.z), in.size, kEps);
         }},
        {"crystal core, p1 = 0: radius 0.75 s", SampleBaseshapeCrystalCore, {1.5f, {0}},
         [](P p, In in) { return Near(Length(p), 0.75f * in.size, kEps); }},
        {"lamp, p2 = 0: the sphere", SampleBaseshapeLamp, {1.5f, {3, 0}},
         [](P p, In in) { return Near(Length(p), in.size, kEps); }},
        {"leaf: both sheets at or below y = 0", SampleBaseshapeLeaf, {1.5f, {5}},
         [](P p, In in) { return p.y <= 0 && p.y >= -0.375f * in.size - kEps; }},
        {"polyhedral fn III, p1 = 1: the sphere", SampleBaseshapePolyhedralFnIII, {1.5f, {1}},
         [](P p, In in) { return Near(Length(p), in.size, kEps); }},
        {"polyhedral fn III, p1 = 0: vertices only", SampleBaseshapePolyhedralFnIIIFilled, {1.5f, {0}},
         [](P p, In in) { return AtAVertex<kIcosahedronVertexCount>(p, in.size, gIcosahedronVertices); }},
        {"polyhedral fn IV, p1 = 0: vertices only", SampleBaseshapePolyhedralFnIV, {1.5f, {0}},
         [](P p, In in) { return AtAVertex<kDodecahedronVertexCount>(p, in.size, gDodecahedronVertices); }},
        {"polyhedral fn I, A = 0: the sphere", SampleBaseshapePolyhedralFnI, {1.5f, {0, 2, 3}},
         [](P p, In in) { return Near(Length(p), in.size, kEps); }},
        {"polyhedral fn II, A = 0: the sphere", SampleBaseshapePolyhedralFnII, {1.5f, {0, 2, 3}},
         [](P p, In in) { return Near(Length(p), in.size, kEps); }},
        {"device, A = 0: the sphere", SampleBaseshapeDevice, {1.5f, {0, 2, 3}},
         [](P p, In in) { return Near(Length(p), in.size, kEps); }},
        {"sculpture, A = 1: g is the identity", SampleBaseshapeSculpture, {1.5f, {1, 1, 1}},
         [](P p, In in) {
             // x = (Q + P) s, z = Q s, y = (Q - H) s for the unit-sphere point (P, H, Q).
             const float Q = p.z / in.size, Pv = p.x / in.size - Q, H = Q - p.y / in.size;
             return Near(Pv * Pv + Q * Q + H * H, 1, 1e-4f);
         }},
        {"sculpture, C = 0: the origin", SampleBaseshapeSculptureFilled, {1.5f, {0.3f, 2, 0}},
         [](P p, In) { return Length(p) == 0; }},
        {"snowflake, far offsets: finite, y from u2 only", SampleBaseshapeSnowflakeSetFilled, {2, {1e6f, -1e6f, 1e6f}},
         [](P p, In in) { return std::fabs(p.y) <= 0.5f * in.size; }},
        {"atomic within [-2 s, 2 s]", SampleBaseshapeAtomic, {1.5f, {}},
         [](P p, In in) { return MaxAbs(p) <= 2 * in.size; }},
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
        {"column IV, height and width 0: the origin", SampleBaseshapeColumnIV, {1.5f, {0, 0, 3}},
         [](P p, In) { return Length(p) == 0; }},
        {"column IV within its box", SampleBaseshapeColumnIV, {1.5f, {-1, 0.5f, 3}},
         [](P p, In in) {
             return std::fabs(p.y) <= in.size + kEps && std::fmax(std::fabs(p.x), std::fabs(p.z)) <= 0.5625f * in.size;
         }},
        {"temple III, amplitude 0: a cone of radius s, height 2 s", SampleBaseshapeTempleIII, {1.5f, {5, 0, 1, 0.5f}},
         [](P p, In in) { return Near(std::hypot(p.x, p.z), 0.5f * (in.size - p.y), 1e-5f); }},
        {"temple III filled, amplitude 0: inside the cone", SampleBaseshapeTempleIIIFilled, {1.5f, {5, 0, 1, 0.5f}},
         [](P p, In in) { return std::hypot(p.x, p.z) <= 0.5f * (in.size - p.y) + 1e-5f; }},
        {"helix II, no turns: the plane z = 0", SampleBaseshapeHelixIIFilled, {1.5f, {0.2f, 1, 0, 0.8f}},
         [](P p, In) { return p.z == 0; }},
        {"gear II at size 2: centre line 4", SampleBaseshapeGearII143, {2, {0, 0.3f, 12}},
         [](P p, In) { return Near(std::hypot(p.x, p.z), 4, kEps) && p.y == 0; }},
        {"segment between its radii and slopes", SampleBaseshapeSegment, {1.5f, {0.75f, 0.5f, 0.4f}},
         [](P p, In in) {
             const float r = std::hypot(p.x, p.z);
             return r >= 0.4f * in.size - kEps && r <= in.size + kEps && std::fabs(p.y) <= 0.5f * r + kEps;
         }},
        {"segment filled, inner radius above the outer", SampleBaseshapeSegmentFilled, {1.5f, {0.75f, 0.5f, 1.6f}},
         [](P p, In in) {
             const float r = std::hypot(p.x, p.z);
             return r >= in.size - kEps && r <= 1.6f * in.size + kEps && std::fabs(p.y) <= 0.5f * r + kEps;
         }},
        {"moon, p4 = -2: the centre circle", SampleBaseshapeMoon, {1.5f, {0.5f, 1, 0.3f, -2}},
         [](P p, In in) { return Near(std::hypot(p.x, p.y), in.size, kEps) && p.z == 0; }},
        {"moon filled, p4 = -2: the centre circle", SampleBaseshapeMoonFilled, {1.5f, {-0.5f, 1, 0.3f, -2}},
         [](P p, In in) { return Near(std::hypot(p.x, p.y), in.size, kEps) && p.z == 0; }},
        {"sine wave, no thickness: the centre curve", SampleBaseshapeSineWaveFilled, {1.5f, {2, 0.4f, 0}},
         [](P p, In in) {
             return Near(p.y, std::sin(p.x / in.size * 6.2831855f) * 0.4f * in.size, 1e-4f) && p.z == 0;
         }},
        {"triangular wave, no amplitude: a straight bar", SampleBaseshapeTriangularWave, {1.5f, {2, 0, 0.3f}},
         [](P p, In in) {
             return std::fabs(p.x) <= in.size + kEps && std::fabs(p.y) <= 0.3f * in.size + kEps &&
                    std::fabs(p.z) <= 0.3f * in.size + kEps;
         }},
        // Offsets along (D, -1) with D = p2 = 0.5, scaled by q = 1 / (D^2 + 1), not its root.
        {"triangular wave, no frequency: a straight bar", SampleBaseshapeTriangularWave, {1.5f, {0, 0.5f, 0.3f}},
         [](P p, In in) { return std::fabs(p.y) <= 0.3f * 0.8f * in.size + kEps; }},
        {"cflower, no petals: a body of revolution", SampleBaseshapeCFlower, {1.5f, {0.5f, 0, 0.5f, 1}},
         [](P p, In in) {
             const float c = std::atanh(p.z / in.size) / 1.75f, s = std::atanh(std::hypot(p.x, p.y) / in.size) / 1.75f;
             return Near(c * c + s * s, 1, 1e-3f);
         }},
        {"c. tetra I within the cube", SampleBaseshapeCTetraI, {1.5f, {}},
         [](P p, In in) { return MaxAbs(p) <= in.size + kEps; }},
    };
    CheckProperties(cases);
}

// Single calls on chosen words: poles, tips, ties and centres the shapes are
// pinned to.
TEST(ShapeProperties, PointsOnChosenWords)
{
    const uint32_t kOne = 0xffffffffu;  // a uniform of exactly 1.0
    const WordsCase cases[] = {
        {"lens pole", SampleBaseshapeLens, {2, {}}, WordFor(0.3), 0, 0, NAN, 0},  // y = +-1 by the coin
        {"leaf tip t = 1", SampleBaseshapeLeaf, {2, {5}}, WordFor(0.3), kOne, 0, -0.5625f, 0},
        {"leaf tip t = -1", SampleBaseshapeLeaf, {2, {5}}, WordFor(0.3), 0, 0, -0.75f, 0},
        {"strange sphere pole", SampleBaseshapeStrangeSphere, {2, {2}}, WordFor(0.3), 0, 0, -2, 0},
        {"cg sphere centre (0, 0, 1)", SampleBaseshapeCgSphere133, {2, {}}, 0, WordFor(0.5), 0, 0, 0.379f},
        // y = 0 exactly, so mirror vertices tie; the lower index is the nearest
        // and the point moves to the higher one.
        {"polyhedral fn III tie", SampleBaseshapePolyhedralFnIII, {2, {0}}, WordFor(0.838), WordFor(0.5), -1.448f,
         -1.052f, 0.894f},
        {"polyhedral fn IV tie", SampleBaseshapePolyhedralFnIV, {2, {0}}, WordFor(0.912), WordFor(0.5), -0.982f,
         -0.714f, 1.59f},
        {"snowflake height from u2", SampleBaseshapeSnowflakeSet, {2, {0.3f, 0.2f, 0.5f}}, 7, WordFor(0.75), NAN, 0.5f,
         NAN},
        {"hook at u2 = 0: the horn", SampleBaseshapeHook, {2, {0.5f, 0.7f, 0.3f, 1}}, WordFor(0.3), 0, 0, -1.4f, 0},
        {"hook filled at u2 = 0", SampleBaseshapeHookFilled, {2, {0.5f, 0.7f, 0.3f, 1}}, WordFor(0.3), 0, 0, -1.4f, 0},
        {"tear, blunt end", SampleBaseshapeTear, {2, {}}, WordFor(0.3), 0, 0, -2, 0},
        {"tear, tip", SampleBaseshapeTearFilled, {2, {}}, WordFor(0.3), kOne, 0, 2, 0},
        {"c. tetra I at a = b = 0", SampleBaseshapeCTetraI, {2, {}}, WordFor(0.5), WordFor(0.5), 0, 0, 0},
        {"c. tetra II at a = b = 0", SampleBaseshapeCTetraII, {2, {}}, WordFor(0.5), WordFor(0.5), 0, 0, 0},
    };
    CheckOnWords(cases);
}


}  // namespace
