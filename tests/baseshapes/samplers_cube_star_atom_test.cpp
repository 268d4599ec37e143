#include "baseshapes/samplers_cube_star_atom.h"

#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/samplers_shape_checks.h"
#include "baseshapes/support/sampler_images.h"

namespace {

// Distance from the nearest dodecahedron edge (vertex pairs nearer than 1)
// scaled by s.
double EdgeDistance(PointRef o, PointRef in)
{
    const double s = in.size;
    double best = 1e30;
    for (int i = 0; i < kDodecahedronVertexCount; ++i) {
        for (int j = 0; j < kDodecahedronVertexCount; ++j) {
            const float* a = gDodecahedronVertices[i];
            const float* b = gDodecahedronVertices[j];
            const double ab[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const double aq[3] = {o.x / s - a[0], o.y / s - a[1], o.z / s - a[2]};
            const double len2 = ab[0] * ab[0] + ab[1] * ab[1] + ab[2] * ab[2];
            if (i == j || len2 >= 1.0) continue;
            const double t = std::fmin(1.0, std::fmax(0.0, (ab[0] * aq[0] + ab[1] * aq[1] + ab[2] * aq[2]) / len2));
            double d2 = 0;
            for (int k = 0; k < 3; ++k) d2 += (aq[k] - t * ab[k]) * (aq[k] - t * ab[k]);
            best = std::fmin(best, d2);
        }
    }
    return std::sqrt(best) * s;
}

double BoundedBy100s(PointRef o, PointRef in)
{
    return std::fmax(std::fmax(std::fabs(o.x), std::fabs(o.y)), std::fabs(o.z)) - 100 * in.size;
}

double StarAxisDistance(PointRef o, PointRef) { return RadiusXZ(o); }

TEST(CubeStarAtomSamplers, PointsLieOnTheirShapes)
{
    const std::array<float, 11> circles = {4, 1, 1, 1, 4, 1, 1, 1};
    const ShapeCase cases[] = {
        {"cube", SampleBaseshapeCube, 1.3f, {},
         [](PointRef o, PointRef in) -> double {
             return std::fabs(std::fmax(std::fmax(std::fabs(o.x), std::fabs(o.y)), std::fabs(o.z)) - in.size);
         },
         1e-6, 3},
        {"cube filled", SampleBaseshapeCubeFilled, 1.3f, {},
         [](PointRef o, PointRef in) -> double {
             return std::fmax(std::fmax(std::fabs(o.x), std::fabs(o.y)), std::fabs(o.z)) - in.size;
         },
         1e-6, 4},
        {"wireframe dodecahedron", SampleBaseshapeWireframeDodecahedron, 1.6f, {},
         [](PointRef o, PointRef in) -> double { return EdgeDistance(o, in) - 0.025 * in.size; }, 1e-6, -1},
        // Constant star factors of 1 / (0.9 pi/2): an ellipsoid.
        {"star shape, round factors", SampleBaseshapeStarShape, 1.3f, circles,
         [](PointRef o, PointRef in) -> double {
             const double r = 1 / (0.9 * M_PI / 2), a = RadiusXZ(o) / (in.size * r * r), b = o.y / (in.size * r);
             return std::fabs(a * a + b * b - 1);
         },
         1e-5, 2},
        {"star shape, overflowing factor", SampleBaseshapeStarShape, 1.3f, {4, 1, 1, 1e6f, 4, 1, 1, 1},
         StarAxisDistance, 0.0, 2},
        {"star shape filled, vanishing factor", SampleBaseshapeStarShapeFilled, 1.3f, {4, 1, 1, -1e6f, 4, 1, 1, 1},
         StarAxisDistance, 0.0, 3},
        {"hexatorus, tube sqrt 2", SampleBaseshapeTriaxialHexatorus, 1.3f, {1.4142135f}, BoundedBy100s, 0.0, 2},
        {"hexatorus, tube 2", SampleBaseshapeTriaxialHexatorus, 1.3f, {2.0f}, BoundedBy100s, 0.0, 2},
        {"hexatorus filled, tube 1e6", SampleBaseshapeTriaxialHexatorusFilled, 1.3f, {1e6f}, BoundedBy100s, 0.0, 3},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

// 60 of the 400 ordered vertex pairs are edges: about 6.7 pairs a point.
TEST(CubeStarAtomSamplers, WireframeFindsAnEdgeInAboutSevenPairs)
{
    ResetTestSlot(kTestSlot, 5);
    constexpr int kPoints = 20000;
    uint64_t pairs = 0;
    for (int i = 0; i < kPoints; ++i) {
        RandomState before = gBaseshapeRandom[kTestSlot].State();
        BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
        SampleBaseshapeWireframeDodecahedron(&p, kTestSlot);
        int words = 0;
        while (std::memcmp(&before, &gBaseshapeRandom[kTestSlot].State(), sizeof before) != 0 && words < 1000) {
            RandomStep(before);
            ++words;
        }
        pairs += (words - 3) / 2;
    }
    EXPECT_NEAR(static_cast<double>(pairs) / kPoints, 400.0 / 60.0, 0.2);
}

TEST(CubeStarAtomSamplers, AtomTakesItsColourFromTheCalledSampler)
{
    constexpr int kBaseshape = 2;
    TestImages images(kBaseshape);
    images.SetTexture(3, 2);
    const BaseshapePoint in = MakeTestPoint(2.0f, 0.0f);
    for (uint8_t mode : {0, 1, 2}) {
        ResetTestSlot(kTestSlot, 17);
        gSlotBaseshape[kTestSlot] = kBaseshape;
        gSlotColorMode[kTestSlot] = mode;
        int sphere = 0;
        for (int i = 0; i < 4000; ++i) {
            BaseshapePoint p = in;
            (i % 2 ? SampleBaseshapeAtomFilled : SampleBaseshapeAtom)(&p, kTestSlot);
            sphere += Length(p) <= 0.5 + 1e-6 ? 1 : 0;
            if (mode == 0) {
                ASSERT_EQ(p.red + p.green + p.blue, 0);
            } else {
                ASSERT_NE(p.red, 0);
            }
        }
        EXPECT_NEAR(sphere / 4000.0, 0.25, 0.025);
    }
}

}  // namespace
