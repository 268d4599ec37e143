#include "baseshapes/samplers_cube_star_atom.h"

#include "baseshapes/support/sampler_checks.h"
#include "baseshapes/support/sampler_images.h"

namespace {

double InCube(PointRef o, PointRef in)
{
    return std::fmax(std::fmax(std::fabs(o.x), std::fabs(o.y)), std::fabs(o.z)) - in.size;
}
double OnCube(PointRef o, PointRef in) { return std::fabs(InCube(o, in)); }
double NearEdge(PointRef o, PointRef in) { return DodecahedronSegmentDistance(o, in, 1.0) - 0.025 * in.size; }
double OnStarAxis(PointRef o, PointRef) { return RadiusXZ(o); }
double Within100s(PointRef o, PointRef in) { return InCube(o, in) - 99 * in.size; }

// Constant star factors of 1 / (0.9 pi/2): an ellipsoid.
double StarEllipsoid(PointRef o, PointRef in)
{
    const double r = 1 / (0.9 * M_PI / 2), a = RadiusXZ(o) / (in.size * r * r), b = o.y / (in.size * r);
    return std::fabs(a * a + b * b - 1);
}

TEST(CubeStarAtomSamplers, PointsLieOnTheirShapes)
{
    const std::array<float, 11> round = {4, 1, 1, 1, 4, 1, 1, 1}, overflow = {4, 1, 1, 1e6f, 4, 1, 1, 1},
                                vanish = {4, 1, 1, -1e6f, 4, 1, 1, 1};
    const ShapeCase cases[] = {
        {"cube", SampleBaseshapeCube, 1.3f, {}, OnCube, 1e-6, 3},
        {"cube filled", SampleBaseshapeCubeFilled, 1.3f, {}, InCube, 1e-6, 4},
        {"wireframe dodecahedron", SampleBaseshapeWireframeDodecahedron, 1.6f, {}, NearEdge, 1e-6, -1},
        {"star shape, round factors", SampleBaseshapeStarShape, 1.3f, round, StarEllipsoid, 1e-5, 2},
        {"star shape, overflowing factor", SampleBaseshapeStarShape, 1.3f, overflow, OnStarAxis, 0.0, 2},
        {"star shape filled, vanishing factor", SampleBaseshapeStarShapeFilled, 1.3f, vanish, OnStarAxis, 0.0, 3},
        {"hexatorus, tube sqrt 2", SampleBaseshapeTriaxialHexatorus, 1.3f, {1.4142135f}, Within100s, 0.0, 2},
        {"hexatorus filled, tube 1e6", SampleBaseshapeTriaxialHexatorusFilled, 1.3f, {1e6f}, Within100s, 0.0, 3},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

// 60 of the 400 ordered vertex pairs are edges: about 6.7 pairs a point.
TEST(CubeStarAtomSamplers, WireframeFindsAnEdgeInAboutSevenPairs)
{
    ResetTestSlot(kTestSlot, 5);
    constexpr int kPoints = 20000;
    int words = 0;
    for (int i = 0; i < kPoints; ++i) {
        RandomState before = gBaseshapeRandom[kTestSlot].State();
        BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
        SampleBaseshapeWireframeDodecahedron(&p, kTestSlot);
        for (; std::memcmp(&before, &gBaseshapeRandom[kTestSlot].State(), sizeof before); ++words) RandomStep(before);
    }
    EXPECT_NEAR((words - 3.0 * kPoints) / (2.0 * kPoints), 400.0 / 60.0, 0.2);
}

// A quarter of the points on the small sphere; colour from the called
// sampler, black in colour mode 0.
TEST(CubeStarAtomSamplers, AtomPartsAndColour)
{
    TestImages images(2);
    images.SetTexture(3, 2);
    for (uint8_t mode : {0, 1, 2}) {
        ResetTestSlot(kTestSlot, 17);
        gSlotBaseshape[kTestSlot] = 2;
        gSlotColorMode[kTestSlot] = mode;
        int sphere = 0;
        for (int i = 0; i < 4000; ++i) {
            BaseshapePoint p = MakeTestPoint(2.0f, 0.0f);
            (i % 2 ? SampleBaseshapeAtomFilled : SampleBaseshapeAtom)(&p, kTestSlot);
            sphere += Length(p) <= 0.5 + 1e-6 ? 1 : 0;
            ASSERT_EQ(p.red != 0, mode != 0) << int(mode);
        }
        EXPECT_NEAR(sphere / 4000.0, 0.25, 0.025);
    }
}

}  // namespace
