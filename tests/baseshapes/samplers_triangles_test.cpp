#include "baseshapes/samplers_triangles.h"

#include "baseshapes/support/sampler_checks.h"
#include "baseshapes/samplers_teapot.h"

namespace {

// Band width 0: on the edges and diagonals of the pentagons, and on the
// edges of the star's tetrahedra.
double OnDodecahedronSegment(PointRef o, PointRef in) { return DodecahedronSegmentDistance(o, in); }
double Taxicab(PointRef o, PointRef in) { return std::fabs(o.x) + std::fabs(o.y) + std::fabs(o.z) - in.size; }
double OnOctahedron(PointRef o, PointRef in) { return std::fabs(Taxicab(o, in)); }

// The hull of the control points, mirrored into four quarters.
double InTeapotHull(PointRef o, PointRef in)
{
    const double s = in.size;
    return std::fmax(std::fmax(std::fabs(o.x) - 3.525 * s, std::fabs(o.z) - 2.0 * s), std::fmax(-o.y, o.y - 3.15 * s));
}

TEST(TriangleSamplers, PointsLieOnTheirShapes)
{
    const ShapeCase cases[] = {
        {"octahedron", SampleBaseshapeOctahedron, 1.7f, {}, OnOctahedron, 1e-5, 3},
        {"octahedron filled", SampleBaseshapeOctahedronFilled, 1.7f, {}, Taxicab, 1e-5, 4},
        {"dodecahedron I, band 0", SampleBaseshapeDodecahedronI, 1.3f, {0.0f}, OnDodecahedronSegment, 2e-6, 5},
        {"time star, band 0", SampleBaseshapeTimeStar, 2.0f, {0.0f}, OnDodecahedronSegment, 2e-6, 5},
        {"teapot", SampleBaseshapeTeapot, 0.8f, {}, InTeapotHull, 1e-5, -1},
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
    const BaseshapePoint pot = SampleWithWords(SampleBaseshapeTeapot, in, 0, 0);
    EXPECT_FLOAT_EQ(pot.x, 1.4f * 2.0f);
    EXPECT_FLOAT_EQ(pot.y, 2.4f * 2.0f);
    EXPECT_EQ(pot.z, 0.0f);
    // Octant 0, u1 = u2 = 0: the corner C = (0, 0, -s).
    EXPECT_EQ(SampleWithWords(SampleBaseshapeOctahedron, in, 0, 0).z, -2.0f);
    // Band width 1 fills the faces.
    const BaseshapePoint full = Shape(1.0f, {1.0f});
    const auto inside = [&](PointRef o) { return OnDodecahedronSegment(o, full) > 0.05; };
    EXPECT_GT(Share(SampleBaseshapeDodecahedronI, full, inside, 2000), 0.2);
}

}  // namespace
