#include "baseshapes/samplers_triangles.h"

#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/samplers_shape_checks.h"
#include "baseshapes/samplers_teapot.h"

namespace {

// Distance from the nearest segment between two unit dodecahedron vertices
// scaled by s: the edges and diagonals of every pentagon, and of the star's
// tetrahedra.
double DodecahedronSegmentDistance(const BaseshapePoint& out, const BaseshapePoint& in)
{
    const double s = in.size;
    const double q[3] = {out.x / s, out.y / s, out.z / s};
    double best = 1e30;
    for (int i = 0; i < kDodecahedronVertexCount; ++i) {
        for (int j = i + 1; j < kDodecahedronVertexCount; ++j) {
            const float* a = gDodecahedronVertices[i];
            const float* b = gDodecahedronVertices[j];
            double ab[3], aq[3], dot = 0, len2 = 0;
            for (int k = 0; k < 3; ++k) {
                ab[k] = b[k] - a[k];
                aq[k] = q[k] - a[k];
                dot += ab[k] * aq[k];
                len2 += ab[k] * ab[k];
            }
            const double t = std::fmin(1.0, std::fmax(0.0, dot / len2));
            double d2 = 0;
            for (int k = 0; k < 3; ++k) d2 += (aq[k] - t * ab[k]) * (aq[k] - t * ab[k]);
            best = std::fmin(best, d2);
        }
    }
    return std::sqrt(best) * s;
}

TEST(TriangleSamplers, PointsLieOnTheirShapes)
{
    const ShapeCase cases[] = {
        {"octahedron", SampleBaseshapeOctahedron, 1.7f, {},
         [](PointRef o, PointRef in) -> double {
             return std::fabs(std::fabs(o.x) + std::fabs(o.y) + std::fabs(o.z) - in.size);
         },
         1e-5, 3},
        {"octahedron filled", SampleBaseshapeOctahedronFilled, 1.7f, {},
         [](PointRef o, PointRef in) -> double {
             return std::fabs(o.x) + std::fabs(o.y) + std::fabs(o.z) - in.size;
         },
         1e-5, 4},
        {"dodecahedron I, band 0", SampleBaseshapeDodecahedronI, 1.3f, {0.0f}, DodecahedronSegmentDistance, 2e-6, 5},
        {"dodecahedron I filled, inside", SampleBaseshapeDodecahedronIFilled, 1.3f, {0.4f},
         [](PointRef o, PointRef in) -> double { return Length(o) - in.size * 1.0003; }, 0.0, 6},
        {"time star, band 0", SampleBaseshapeTimeStar, 2.0f, {0.0f}, DodecahedronSegmentDistance, 2e-6, 5},
        // The hull of the control points, mirrored into four quarters.
        {"teapot", SampleBaseshapeTeapot, 0.8f, {},
         [](PointRef o, PointRef in) -> double {
             const double s = in.size;
             return std::fmax(std::fmax(std::fabs(o.x) - 3.525 * s, std::fabs(o.z) - 2.0 * s),
                              std::fmax(-o.y, o.y - 3.15 * s));
         },
         1e-5, -1},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

// The low three bits of the first word choose the octant: x by bit 1,
// y by bit 2, z by bit 0.
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
    // Patch 3 row 0 and patch 9 row 0 repeat one point: the knob top and
    // the centre of the bottom.
    EXPECT_EQ(gTeapotPatches[3][0], gTeapotPatches[3][3]);
    EXPECT_EQ(gTeapotControlPoints[gTeapotPatches[9][2]][2], 0.0f);
    // Octant 0, u1 = u2 = 0: the corner C = (0, 0, -s).
    const BaseshapePoint octahedron = PointFromWords(SampleBaseshapeOctahedron, in, 0, 0);
    EXPECT_EQ(octahedron.z, -2.0f);
}

// Band width 1 fills the triangles: points reach well inside the faces.
TEST(TriangleSamplers, FullBandReachesIntoTheFaces)
{
    const BaseshapePoint in = CaseTemplate(1.0f, {1.0f});
    const double inner = Share(SampleBaseshapeDodecahedronI, in, [&](const BaseshapePoint& o) {
        return DodecahedronSegmentDistance(o, in) > 0.05;
    });
    EXPECT_GT(inner, 0.2);
}

}  // namespace
