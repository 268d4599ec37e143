#include "baseshapes/samplers_sphere_solids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/samplers_polyhedral_functions.h"
#include "baseshapes/samplers_sculpted_solids.h"
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

TEST(SphereSolidSamplers, ShapesKeepTheirAnalyticBounds)
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
    };
    CheckProperties(cases);
}

// Single calls on chosen words: poles, tips, ties and centres the shapes are
// pinned to.
TEST(SphereSolidSamplers, PointsOnChosenWords)
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
    };
    CheckOnWords(cases);
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

}  // namespace
