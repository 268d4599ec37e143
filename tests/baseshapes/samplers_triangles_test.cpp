#include "baseshapes/samplers_triangles.h"

#include "baseshapes/samplers_shape_checks.h"
#include "baseshapes/samplers_teapot.h"

namespace {

// Band width 0: on the edges and diagonals of the pentagons, and on the
// edges of the star's tetrahedra.
double OnDodecahedronSegment(PointRef o, PointRef in) { return DodecahedronSegmentDistance(o, in); }

double TaxicabError(PointRef o, PointRef in) { return std::fabs(o.x) + std::fabs(o.y) + std::fabs(o.z) - in.size; }

TEST(TriangleSamplers, PointsLieOnTheirShapes)
{
    const ShapeCase cases[] = {
        {"octahedron",
         SampleBaseshapeOctahedron,
         1.7f,
         {},
         [](PointRef o, PointRef in) -> double { return std::fabs(TaxicabError(o, in)); },
         1e-5,
         3},
        {"octahedron filled", SampleBaseshapeOctahedronFilled, 1.7f, {}, TaxicabError, 1e-5, 4},
        {"dodecahedron I, band 0", SampleBaseshapeDodecahedronI, 1.3f, {0.0f}, OnDodecahedronSegment, 2e-6, 5},
        {"time star, band 0", SampleBaseshapeTimeStar, 2.0f, {0.0f}, OnDodecahedronSegment, 2e-6, 5},
        // The hull of the control points, mirrored into four quarters.
        {"teapot",
         SampleBaseshapeTeapot,
         0.8f,
         {},
         [](PointRef o, PointRef in) -> double {
             const double s = in.size;
             return std::fmax(std::fmax(std::fabs(o.x) - 3.525 * s, std::fabs(o.z) - 2.0 * s),
                              std::fmax(-o.y, o.y - 3.15 * s));
         },
         1e-5,
         -1},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

// The first word's low bits choose the octant: x by bit 1, y by 2, z by 0.
TEST(TriangleSamplers, OctahedronOctantFollowsTheFirstWord)
{
    ResetTestSlot(kTestSlot, 99);
    for (int i = 0; i < 2000; ++i) {
        RandomState copy = gBaseshapeRandom[kTestSlot].State();
        const uint32_t octant = RandomStep(copy) & 7u;
        BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
        SampleBaseshapeOctahedron(&p, kTestSlot);
        ASSERT_GE(p.x * ((octant & 2u) ? 1 : -1), 0.0f) << octant;
        ASSERT_GE(p.y * ((octant & 4u) ? 1 : -1), 0.0f) << octant;
        ASSERT_GE(p.z * ((octant & 1u) ? 1 : -1), 0.0f) << octant;
    }
}

TEST(TriangleSamplers, ZeroDrawsGiveTheFirstControlPointOrCorner)
{
    const BaseshapePoint in = MakeTestPoint(2.0f, 0.0f);
    const BaseshapePoint pot = PointFromWords(SampleBaseshapeTeapot, in, 0, 0);
    EXPECT_FLOAT_EQ(pot.x, 1.4f * 2.0f);
    EXPECT_FLOAT_EQ(pot.y, 2.4f * 2.0f);
    EXPECT_EQ(pot.z, 0.0f);
    // Octant 0, u1 = u2 = 0: the corner C = (0, 0, -s).
    EXPECT_EQ(PointFromWords(SampleBaseshapeOctahedron, in, 0, 0).z, -2.0f);
    // Band width 1 fills the faces.
    const BaseshapePoint full = CaseTemplate(1.0f, {1.0f});
    EXPECT_GT(Share(
                  SampleBaseshapeDodecahedronI, full, [&](PointRef o) { return OnDodecahedronSegment(o, full) > 0.05; },
                  2000),
              0.2);
}

}  // namespace
