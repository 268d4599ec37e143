// Samplers checked by how far each drawn point lies from the shape its
// family promises (columns, temples and stairs, cube, star and atom,
// cylinders and shells, knots and loxodromes, prisms and gears, classic
// surfaces, triangles and the teapot), and their worked draws.
#include <vector>

#include "baseshapes/samplers_columns_temples.h"
#include "baseshapes/samplers_breather_enneper.h"
#include "baseshapes/samplers_polygons.h"
#include "baseshapes/samplers_icosahedron_diamond_box.h"
#include "baseshapes/samplers_rounded_solids.h"
#include "baseshapes/samplers_cube_star_atom.h"
#include "baseshapes/samplers_cylinders_shells.h"
#include "baseshapes/samplers_knots_mobius_klein.h"
#include "baseshapes/samplers_loxodromes.h"
#include "baseshapes/samplers_prisms_gears.h"
#include "baseshapes/samplers_stair.h"
#include "baseshapes/samplers_classic_surfaces.h"
#include "baseshapes/samplers_teapot.h"
#include "baseshapes/samplers_triangle_tables.h"
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


constexpr double kHalfPi = 1.5707963267948966;

// Radius s, caps at +-p1 s: on the wall or a cap and never outside.
double OnCylinder(PointRef o, PointRef in)
{
    const double s = in.size, side = RadiusXZ(o) - s, cap = std::fabs(o.y) - in.p[0] * s;
    return std::fmax(std::fmin(std::fabs(side), std::fabs(cap)), std::fmax(side, cap));
}

double InCylinder(PointRef o, PointRef in)
{
    return std::fmax(RadiusXZ(o) - in.size, std::fabs(o.y) - in.p[0] * in.size);
}

// Twelve boxes 30 degrees apart at radius s: half-widths p1 s (radial and
// high) and p1 radians, all three equal.
double OnBoxes(PointRef o, PointRef in)
{
    const double turn = std::atan2(o.x, o.z) / (M_PI / 6), angle = std::fabs(turn - std::round(turn)) * (M_PI / 6);
    const double radial = std::fabs(RadiusXZ(o) / in.size - 1), high = std::fabs(o.y / in.size);
    return std::fabs(std::fmax(std::fmax(angle, radial), high) - in.p[0]);
}

double QuarterDeep(PointRef o, PointRef in) { return std::fabs(Length(o) / in.size - 0.875) - 0.125; }
double OnWideSphere(PointRef o, PointRef in) { return std::fabs(Length(o) - in.size * kHalfPi); }
double InWideSphere(PointRef o, PointRef in) { return Length(o) - in.size * kHalfPi; }

// The heart at a = -pi and pi: the float sine of pi is slightly negative.
TEST(CylinderShellSamplers, HeartAtItsSingularAngles)
{
    for (uint32_t word : {0u, 0xffffffffu}) {
        EXPECT_NEAR(RadiusXY(SampleWithWords(SampleBaseshapeHeart, MakeTestPoint(2.0f, 0.0f), word, 0x40000000u)), 0.0,
                    1e-6)
            << word;
    }
}


// Distance from the Fourier trefoil (whole-number weights over 113, densely
// sampled) scaled by s, less the tube radius p1 * s.
double TrefoilTube(PointRef o, PointRef in)
{
    static const std::vector<std::array<double, 3>> curve = [] {
        constexpr int kWeights[3][6] = {
            {41, -18, -83, -83, -11, 27}, {36, 27, -113, 30, 11, -27}, {0, 45, -30, 113, -11, 27}};
        std::vector<std::array<double, 3>> v(20000);
        for (size_t i = 0; i < v.size(); ++i) {
            const double t = 2 * M_PI * i / v.size();
            const double h[6] = {cos(t), sin(t), cos(2 * t), sin(2 * t), cos(3 * t), sin(3 * t)};
            for (int c = 0; c < 3; ++c) {
                for (int k = 0; k < 6; ++k) v[i][c] += kWeights[c][k] * h[k] / 113.0;
            }
        }
        return v;
    }();
    double best = 1e30;
    for (const auto& k : curve) {
        const double dx = o.x / in.size - k[0], dy = o.y / in.size - k[1], dz = o.z / in.size - k[2];
        best = std::fmin(best, dx * dx + dy * dy + dz * dz);
    }
    return (std::sqrt(best) - std::fabs(in.p[0])) * in.size;
}

double OnSphere(PointRef o, PointRef in) { return std::fabs(Length(o) - in.size); }
double UnitCircleXY(PointRef o, PointRef in) { return std::fabs(RadiusXY(o) - in.size) + std::fabs(o.z); }
double CircleP1XY(PointRef o, PointRef in) { return std::fabs(RadiusXY(o) - in.p[0] * in.size) + std::fabs(o.z); }
double WithinS(PointRef o, PointRef in)
{
    return std::fmax(std::fmax(std::fabs(o.x), std::fabs(o.y)), std::fabs(o.z)) - in.size;
}

// Q = 0: the centre line is the circle of radius (1 + p4) s in x-z; the
// tube of radius p1 s lies in the plane of y and the radius.
double RingTube(PointRef o, PointRef in)
{
    const double s = in.size;
    return std::fabs(std::hypot(RadiusXZ(o) - (1 + in.p[3]) * s, double(o.y)) - in.p[0] * s);
}

double Hyperboloid(PointRef o, PointRef in)
{
    return std::fabs((double(o.x) * o.x + double(o.z) * o.z - double(o.y) * o.y) / (in.size * in.size) - 1);
}


// No sides: the side wall is the line x = 0, z = s, the caps reach the axis.
double SideLine(PointRef o, PointRef in) { return std::fabs(o.x) + std::fmax(-o.z, o.z - in.size); }

// A hexagonal prism of circumradius s with flat caps at +-p2 s: on a side
// (at the inradius) or on a cap, and never outside.
double HexagonalPrism(PointRef o, PointRef in)
{
    double support = -1e30;
    for (int k = 0; k < 6; ++k) {
        const double b = (k + 0.5) * M_PI / 3;
        support = std::fmax(support, o.x * std::sin(b) + o.z * std::cos(b));
    }
    const double side = support - in.size * std::cos(M_PI / 6), cap = std::fabs(o.y) - in.p[1] * in.size;
    return std::fmax(std::fmax(side, cap), std::fmin(std::fabs(side), std::fabs(cap)));
}

// Flat teeth: a ring from (1 - p3) s to s, p2 s high, on its boundary.
double PlainRing(PointRef o, PointRef in)
{
    const double s = in.size, r = RadiusXZ(o), y = std::fabs(o.y), h = in.p[1] * s, inner = (1 - in.p[2]) * s;
    const double outside = std::fmax(std::fmax(r - s, inner - r), y - h);
    return std::fmax(outside, std::fmin(std::fmin(std::fabs(r - s), std::fabs(r - inner)), std::fabs(y - h)));
}

double RippledDisc(PointRef o, PointRef in)
{
    return std::fmax(RadiusXZ(o) - in.size, std::fabs(o.y) - 0.25 * in.p[1] * in.size);
}

TEST(PrismGearSamplers, SplineEnds)
{
    const BaseshapePoint spline = Shape(2.0f, {0.5f, -1, 0, 0, 0, 0, 0.25f, 1.5f});
    const BaseshapePoint start = SampleWithWords(SampleBaseshapeSplineR, spline, 0x40000000u, 0);
    EXPECT_NEAR(RadiusXZ(start), 1.0, 1e-6);
    EXPECT_NEAR(start.y, -2.0, 1e-6);
    const BaseshapePoint end = SampleWithWords(SampleBaseshapeSplineR, spline, 0x40000000u, 0xffffffffu);
    EXPECT_NEAR(RadiusXZ(end), 0.5, 1e-6);
    EXPECT_NEAR(end.y, 3.0, 1e-6);
}

// A quarter of the points on the central ring, whose section is an ellipse
// of half-axes 0.3 s (across) and 0.1 s (high) about radius 0.7 s, 0.8 s
// below the centre.
TEST(PrismGearSamplers, FuturisticSendsAQuarterToTheCentralRing)
{
    const auto onRing = [](PointRef o) {
        const double a = (RadiusXZ(o) / 3.0 - 0.35) / 0.15, b = (o.y / 1.5 + 0.8) / 0.1;
        return std::fabs(a * a + b * b - 1.0) < 1e-3;
    };
    EXPECT_NEAR(Share(SampleBaseshapeFuturistic, MakeTestPoint(1.5f, 0.0f), onRing), 0.25, 0.012);
}


// The tractrix profile: radius s sin V at height s (cos V + ln tan V/2),
// V below pi/2 where the height is negative.
double Tractrix(PointRef o, PointRef in)
{
    const double s = in.size, a = std::asin(std::fmin(1.0, RadiusXZ(o) / s));
    const double v = o.y < 0 ? a : M_PI - a;
    return std::fabs(o.y - s * (std::cos(v) + std::log(std::tan(v / 2))));
}

// Waist radius s/2, height within pi/4 s.
double Catenary(PointRef o, PointRef in)
{
    const double s = in.size, off = std::fabs(RadiusXZ(o) - 0.5 * s * std::cosh(2 * o.y / s));
    return off + std::fmax(0.0, std::fabs(o.y) - M_PI / 4 * s);
}

double Equator(PointRef o, PointRef in) { return std::fabs(RadiusXZ(o) - in.size) + std::fabs(o.y); }
double FiniteEnds(PointRef o, PointRef in) { return std::fmax(std::fabs(o.y) - 8 * in.size, RadiusXZ(o) - in.size); }
double HarmonicSphere(PointRef o, PointRef in) { return std::fabs(Length(o) - (in.size + 4) * in.size); }
double InsideHarmonicSphere(PointRef o, PointRef in) { return Length(o) - (in.size + 4) * in.size; }

// A negative base to a non-whole power is no number; it drops out.
TEST(SurfaceSamplers, FinitePower)
{
    EXPECT_EQ(FinitePower(-0.5f, 0.5f), 0.0f);
    EXPECT_EQ(FinitePower(0.0f, -1.0f), 0.0f);
    EXPECT_EQ(FinitePower(-2.0f, 3.0f), -8.0f);
}


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

// Band width 1 fills the faces.
TEST(TriangleSamplers, FullBandFillsTheFaces)
{
    const BaseshapePoint full = Shape(1.0f, {1.0f});
    const auto inside = [&](PointRef o) { return OnDodecahedronSegment(o, full) > 0.05; };
    EXPECT_GT(Share(SampleBaseshapeDodecahedronI, full, inside, 2000), 0.2);
}


// Column I: the shaft of radius k/2 about a centre that winds on a circle
// of radius k/20, k = s / 2 pi, height within s/2.
double WindingShaft(PointRef o, PointRef in)
{
    const double k = in.size / (2 * M_PI), h = o.y / k;
    const double cx = 0.05 * k * std::sin(10 * h), cz = 0.05 * k * std::cos(10 * h);
    return std::fabs(std::hypot(o.x - cx, o.z - cz) - 0.5 * k) + std::fmax(0.0, std::fabs(o.y) - 0.5 * in.size);
}

// Column II filled: between the flutes' radii, s high.
double InFlutedWall(PointRef o, PointRef in)
{
    const double r = RadiusXZ(o) / (0.1 * in.size);
    return std::fmax(std::fmax(r - 1.05, 0.475 - r), std::fabs(o.y) - 0.5 * in.size);
}

double InTwistedBlock(PointRef o, PointRef in)
{
    return std::fmax(RadiusXZ(o) - std::sqrt(2.0) * in.size / 8, std::fabs(o.y) - in.size);
}

double InStairBox(PointRef o, PointRef in)
{
    const double u = in.size / 7;
    return std::fmax(std::fmax(std::fabs(o.x) - 4 * u, std::fabs(o.z) - 6 * u), std::fmax(-6 * u - o.y, o.y - 8 * u));
}

// The block coordinate of a stair coordinate: steps are odd offsets, so the
// block's [-1, 1] is the value less the odd number within 1 of it.
double Fold(double v) { return v - 2 * std::floor(v / 2) - 1; }

TEST(ColumnTempleSamplers, RoundedBlockSplitsFacesEdgesCorners)
{
    // Size 7: stair units of 1. One coordinate past the core on a face, two
    // on an edge, three on a corner.
    double shares[4] = {};
    ResetTestSlot(kTestSlot, 31);
    constexpr int kPoints = 40000;
    for (int i = 0; i < kPoints; ++i) {
        BaseshapePoint o = MakeTestPoint(7.0f, 0.0f);
        SampleBaseshapeStair(&o, kTestSlot);
        const double b[3] = {o.x >= 0 ? (o.x - 2) / 2 : (o.x + 2) / 2, Fold(o.y), Fold(o.z)};
        int rounded = 0;
        for (double c : b) rounded += std::fabs(c) > 0.8501 ? 1 : 0;
        shares[rounded] += 1.0 / kPoints;
    }
    EXPECT_NEAR(shares[1], 0.75, 0.01);
    EXPECT_NEAR(shares[2], 0.2375, 0.01);
    EXPECT_NEAR(shares[3], 0.0125, 0.003);
}

TEST(ColumnTempleSamplers, PartsTakeTheirShares)
{
    // Column II: end faces at +-s/2, the inner wall at s/20.
    const BaseshapePoint column = MakeTestPoint(2.0f, 0.0f);
    const auto endFace = [](PointRef o) { return std::fabs(o.y) >= 0.999999; };
    const auto innerWall = [](PointRef o) { return RadiusXZ(o) < 0.12 && std::fabs(o.y) < 0.999999; };
    EXPECT_NEAR(Share(SampleBaseshapeColumnII, column, endFace), 0.1675, 0.01);
    EXPECT_NEAR(Share(SampleBaseshapeColumnII, column, innerWall), 0.33, 0.012);
    // Temple I: a quarter to the central body, a solid of revolution.
    const BaseshapePoint temple = MakeTestPoint(1.0f, 0.0f);
    const auto body = [](PointRef o) {
        const double r = 0.125 * std::exp(std::fabs(o.y) + 0.5) + 0.25;
        return std::fabs(o.y) <= 1 && std::fabs(RadiusXZ(o) - r) < 1e-5;
    };
    EXPECT_NEAR(Share(SampleBaseshapeTempleI, temple, body), 0.25, 0.012);
    // Temple II: columns up to 0.4875 S, rings from 0.488 S (S = 1.6 s).
    const auto upper = [](PointRef o) { return o.y > 0.4878 * 1.6; };
    const auto lower = [](PointRef o) { return o.y < -0.4878 * 1.6; };
    EXPECT_NEAR(Share(SampleBaseshapeTempleII, temple, upper), 0.1, 0.008);
    EXPECT_NEAR(Share(SampleBaseshapeTempleIIFilled, temple, lower), 0.1, 0.008);
}

// Polygons, polyhedra and rounded solids at parameters that reduce them to
// a plain form. How far the radius lies outside [lo, hi] s:
double Outside(PointRef o, PointRef in, double lo, double hi)
{
    const double r = Length(o) / in.size;
    return (std::fmax(0.0, lo - r) + std::fmax(0.0, r - hi)) * in.size;
}
double FlatInCircle(PointRef o, PointRef in) { return std::fabs(o.y) + std::fmax(0.0, RadiusXZ(o) - in.size); }
double OnCubeEdges(PointRef o, PointRef in)
{
    const auto off = [&](float v) { return std::fabs(std::fabs(v) - in.size); };
    return std::fmin(std::fmin(off(o.x) + off(o.y), off(o.y) + off(o.z)), off(o.x) + off(o.z));
}
// On the outer or inner sphere, else on the seam (x = 0, z >= 0) or the
// poles (x = z = 0).
double OnClosedShell(PointRef o, PointRef in)
{
    return std::fmin(std::fmin(OnSphere(o, in), Outside(o, in, 0.5, 0.5)), std::fabs(o.x) + std::fmax(0.0f, -o.z));
}
// Between the in- and circumradius of the rounded vertices.
double OnIcosahedron(PointRef o, PointRef in) { return Outside(o, in, 0.79, 1.0002); }

TEST(ShapeDistances, PointsLieOnTheirShapes)
{
    const std::array<float, 11> round = {4, 1, 1, 1, 4, 1, 1, 1}, overflow = {4, 1, 1, 1e6f, 4, 1, 1, 1},
                                vanish = {4, 1, 1, -1e6f, 4, 1, 1, 1};
    const std::array<float, 11> holes = {1, 1, 1, 1, 1, 1, 1, 1};
    // A pattern that is never a number rejects every draw.
    const float nan = std::nanf("");
    const std::array<float, 11> noHoleFree = {nan, nan, nan, nan, nan, nan, nan, nan};
    const std::array<float, 11> roots = {1, 0.5f, 1, 0.5f, 1, 0.5f, 1, 0.5f};
    const ShapeCase cases[] = {
        {"polygon p1 = 0 is flat", SampleBaseshapePolygon, 1.5f, {0.4f, 0.0f, 3.0f}, FlatInCircle, 1.5e-4, -1},
        {"blob of zero amplitudes", SampleBaseshapeBlob, 1.5f, {0, 0, 0, 1, 2, 3}, OnSphere, 1.5e-4, -1},
        {"diamond box p0 = 0, corners only", SampleBaseshapeDiamondBox, 1.5f, {0.0f}, OnOctahedron, 1.5e-4, -1},
        {"diamond box p0 = 1, edges only", SampleBaseshapeDiamondBox, 1.5f, {1.0f}, OnCubeEdges, 1.5e-4, -1},
        {"sphere cap closed in both", SampleBaseshapeSphereCapII, 1.5f, {1.0f, 1.0f, 0.5f}, OnClosedShell, 1.5e-4, -1},
        {"icosahedron of flat faces", SampleBaseshapeIcosahedron, 1.5f, {1.0f}, OnIcosahedron, 1.5e-4, -1},
        {"cube", SampleBaseshapeCube, 1.3f, {}, OnCube, 1e-6, 3},
        {"cube filled", SampleBaseshapeCubeFilled, 1.3f, {}, InCube, 1e-6, 4},
        {"wireframe dodecahedron", SampleBaseshapeWireframeDodecahedron, 1.6f, {}, NearEdge, 1e-6, -1},
        {"star shape, round factors", SampleBaseshapeStarShape, 1.3f, round, StarEllipsoid, 1e-5, 2},
        {"star shape, overflowing factor", SampleBaseshapeStarShape, 1.3f, overflow, OnStarAxis, 0.0, 2},
        {"star shape filled, vanishing factor", SampleBaseshapeStarShapeFilled, 1.3f, vanish, OnStarAxis, 0.0, 3},
        {"hexatorus, tube sqrt 2", SampleBaseshapeTriaxialHexatorus, 1.3f, {1.4142135f}, Within100s, 0.0, 2},
        {"hexatorus filled, tube 1e6", SampleBaseshapeTriaxialHexatorusFilled, 1.3f, {1e6f}, Within100s, 0.0, 3},
        {"cylinder", SampleBaseshapeCylinder, 1.2f, {0.6f}, OnCylinder, 2e-6, -1},
        {"cylinder filled", SampleBaseshapeCylinderFilled, 1.2f, {0.6f}, InCylinder, 2e-6, -1},
        {"ring I, equal widths", SampleBaseshapeRingI, 1.3f, {0.1f, 0.1f, 0.1f}, OnBoxes, 1e-5, 4},
        {"future sphere I, no pattern", SampleBaseshapeFutureSphereI, 1.3f, {}, OnSphere, 2e-6, 2},
        {"future sphere I filled", SampleBaseshapeFutureSphereIFilled, 1.3f, {}, QuarterDeep, 2e-6, 3},
        {"future sphere I, no hole-free spot", SampleBaseshapeFutureSphereI, 1.3f, noHoleFree, OnSphere, 2e-6,
         2 * kFutureSphereTries},
        {"future sphere II, no pattern", SampleBaseshapeFutureSphereII, 1.3f, {}, OnWideSphere, 4e-6, 2},
        {"future sphere II, radius clamped", SampleBaseshapeFutureSphereIIFilled, 1.3f, holes, InWideSphere, 4e-6, 3},
        {"trefoil I, no tube", SampleBaseshapeTrefoilKnotI, 1.5f, {0.0f}, TrefoilTube, 1e-3, 3},
        {"trefoil I filled, tube 0.2", SampleBaseshapeTrefoilKnotIFilled, 1.5f, {0.2f}, TrefoilTube, 1e-3, 4},
        {"trefoil III, no ring", SampleBaseshapeTrefoilKnotIII, 1.5f, {0.0f, 2.0f}, TrefoilTube, 1e-3, 2},
        {"trefoil III filled", SampleBaseshapeTrefoilKnotIIIFilled, 1.5f, {0.3f, 2.0f}, TrefoilTube, 1e-3, 3},
        {"trefoil II, no tube", SampleBaseshapeTrefoilKnotII, 1.5f, {0.7f, 0.0f}, CircleP1XY, 1e-5, 2},
        {"mobius, width 0", SampleBaseshapeMobiusStrip, 1.2f, {0.0f}, UnitCircleXY, 1e-5, 4},
        {"mobius filled, width 0", SampleBaseshapeMobiusStripFilled, 1.2f, {0.0f}, UnitCircleXY, 1e-5, 5},
        {"torus knot II, Q = 0", SampleBaseshapeTorusKnotII, 1.2f, {0.25f, 2, 0, 0.5f, 9}, RingTube, 1e-5, 2},
        {"loxodrome I", SampleBaseshapeLoxodromeI, 1.4f, {}, WithinS, 1e-6, 2},
        {"loxodrome II, no turns", SampleBaseshapeLoxodromeII, 1.4f, {0.0f, 3.0f, 0.5f}, Equator, 1e-5, 3},
        {"loxodrome III, width 0", SampleBaseshapeLoxodromeIII, 1.4f, {1, 2, 0}, OnSphere, 1e-5, 3},
        {"hyper loxodrome", SampleBaseshapeHyperLoxodromeI, 1.4f, {0.3f, 2.0f, 0.5f}, Hyperboloid, 1e-4, 3},
        {"prisms, no sides", SampleBaseshapePrisms, 1.5f, {0.5f, 0.8f, 0.4f}, SideLine, 1e-6, -1},
        {"hexagonal prism, flat caps", SampleBaseshapePrisms, 1.5f, {6.0f, 0.8f, 1.0f}, HexagonalPrism, 1e-5, -1},
        {"gear I, flat teeth", SampleBaseshapeGearI, 1.2f, {12.0f, 0.3f, 0.25f, 0.0f}, PlainRing, 1e-5, -1},
        {"disc", SampleBaseshapeDisc, 1.1f, {0.3f, 0.8f}, RippledDisc, 1e-6, 2},
        {"catenoid", SampleBaseshapeCatenoid, 1.5f, {}, Catenary, 1e-5, 2},
        {"pseudosphere on its tractrix", SampleBaseshapePseudosphere, 1.5f, {1.2f}, Tractrix, 1e-4, 2},
        {"pseudosphere, height 0: the equator", SampleBaseshapePseudosphere, 1.5f, {0.0f}, Equator, 1e-6, 2},
        // From pi/2 on, the angle would leave (0, pi); the ends stay finite.
        {"pseudosphere, height pi/2", SampleBaseshapePseudosphere, 1.5f, {1.5707964f}, FiniteEnds, 1e-6, 2},
        {"pseudosphere filled, height 1e6", SampleBaseshapePseudosphereFilled, 1.5f, {1e6f}, FiniteEnds, 1e-6, 3},
        {"spherical harmonics, exponents 0", SampleBaseshapeSphericalHarmonics, 1.5f, {}, HarmonicSphere, 1e-5, 2},
        // Negative bases to the power 0.5 drop out.
        {"spherical harmonics, square roots", SampleBaseshapeSphericalHarmonics, 1.5f, roots, InsideHarmonicSphere,
         1e-5, 2},
        {"octahedron", SampleBaseshapeOctahedron, 1.7f, {}, OnOctahedron, 1e-5, 3},
        {"octahedron filled", SampleBaseshapeOctahedronFilled, 1.7f, {}, Taxicab, 1e-5, 4},
        {"dodecahedron I, band 0", SampleBaseshapeDodecahedronI, 1.3f, {0.0f}, OnDodecahedronSegment, 2e-6, 5},
        {"time star, band 0", SampleBaseshapeTimeStar, 2.0f, {0.0f}, OnDodecahedronSegment, 2e-6, 5},
        {"teapot", SampleBaseshapeTeapot, 0.8f, {}, InTeapotHull, 1e-5, -1},
        {"column I", SampleBaseshapeColumnI, 1.6f, {}, WindingShaft, 1e-5, 2},
        {"column II filled", SampleBaseshapeColumnIIFilled, 2.0f, {}, InFlutedWall, 1e-5, 3},
        {"column III filled", SampleBaseshapeColumnIIIFilled, 2.0f, {}, InTwistedBlock, 1e-6, -1},
        {"stair", SampleBaseshapeStair, 1.4f, {}, InStairBox, 1e-6, -1},
        {"stair filled", SampleBaseshapeStairFilled, 1.4f, {}, InStairBox, 1e-6, -1},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
    const auto onWall = [](PointRef o) { return std::fabs(o.y) < 0.5999; };
    EXPECT_NEAR(Share(SampleBaseshapeCylinder, Shape(1.0f, {0.6f}), onWall), 0.5, 0.012);
}


// Single calls on chosen words: singular angles and parameters that must
// give the origin, and the points the first draws are pinned to.
TEST(ShapeDistances, PointsOnChosenWords)
{
    const uint32_t kHalf = 0x80000000u, kQuarter = 0x40000000u, kThreeQuarters = 0xc0000000u, kOne = 0xffffffffu;
    const WordsCase cases[] = {
        {"heart at a = 0 (0^0 = 1): below the centre", SampleBaseshapeHeart, {2, {}}, kHalf, kQuarter, 0, -1.7320508f,
         NAN},
        {"klein, p1 = 0, v = 0, u = 0: the origin", SampleBaseshapeKlein, {1.3f, {}}, 0, 0, 0, 0, 0},
        {"klein, p1 = 0, v = 0, u = 1/4", SampleBaseshapeKlein, {1.3f, {}}, kQuarter, 0, 0, 0, 0},
        {"klein, p1 = 0, v = 0, u = 1", SampleBaseshapeKlein, {1.3f, {}}, kOne, 0, 0, 0, 0},
        {"loxodrome I at t = q = 0: the origin", SampleBaseshapeLoxodromeI, {1.3f, {}}, kHalf, kHalf, 0, 0, 0},
        {"disc rim at y = 0", SampleBaseshapeDisc, {1, {0.37f, 1}}, 0x12345678u, 0, NAN, 0, NAN},
        {"enneper's centre", SampleBaseshapeEnnepersSurface, {2, {3}}, kHalf, kHalf, 0, 0, 0},
        {"enneper's centre without cubic terms", SampleBaseshapeEnnepersSurface, {2, {0}}, kHalf, kHalf, 0, 0, 0},
        // a = b = 1: x = 0.5 s (1 - 1/p1 + 1), and 0 without the cubic terms.
        {"enneper at a = b = 1", SampleBaseshapeEnnepersSurface, {2, {3}}, kThreeQuarters, kThreeQuarters,
         1.6666667f, NAN, NAN},
        {"enneper at a = b = 1 without cubic terms", SampleBaseshapeEnnepersSurface, {2, {0}}, kThreeQuarters,
         kThreeQuarters, 0, NAN, NAN},
        {"the rose's centre", SampleBaseshapeNylandersRose, {2, {3}}, 0x12345678u, 0, 0, 0, 0},
        {"teapot: the first control point", SampleBaseshapeTeapot, {2, {}}, 0, 0, 2.8f, 4.8f, 0},
        {"octahedron, octant 0, u1 = u2 = 0: the corner (0, 0, -s)", SampleBaseshapeOctahedron, {2, {}}, 0, 0, NAN,
         NAN, -2},
    };
    CheckOnWords(cases);
}

}  // namespace
