// Samplers whose every seeded point goes through a check of its shape's
// identities and bounds (rounded boxes and fractal solids, profile rings and
// solids of revolution, bent boxes, contour rings and swept profiles), with
// their shares, levels and worked draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "baseshapes/samplers_cg_shapes.h"
#include "baseshapes/samplers_contour_rings.h"
#include "baseshapes/samplers_fractal_solids.h"
#include "baseshapes/samplers_profile_rings.h"
#include "baseshapes/samplers_revolution.h"
#include "baseshapes/samplers_round_boxes.h"
#include "baseshapes/samplers_shells.h"
#include "baseshapes/samplers_swept_profiles.h"
#include "baseshapes/support/sampler_checks.h"
#include "baseshapes/support/sampler_images.h"

namespace {

float Length(float x, float y, float z) { return std::sqrt(x * x + y * y + z * z); }

// Signed distance to the cube [-1, 1]^3 rounded by 0.15.
float RoundedBoxDistance(float x, float y, float z)
{
    const float dx = std::max(std::fabs(x) - 0.85f, 0.0f);
    const float dy = std::max(std::fabs(y) - 0.85f, 0.0f);
    const float dz = std::max(std::fabs(z) - 0.85f, 0.0f);
    return Length(dx, dy, dz) - 0.15f;
}

// The sponge's removed crosses: at each of four levels at most one
// coordinate lies inside the middle third of its cell.
void ExpectInSponge(float x, float y, float z)
{
    float c[3] = {x, y, z};
    for (int level = 0; level < 4; ++level) {
        int inside = 0;
        for (float& v : c) {
            ASSERT_LE(std::fabs(v), 0.75f + 1e-5f);
            inside += std::fabs(v) < 0.25f - 1e-4f ? 1 : 0;
            v = (v - 0.5f * std::round(2.0f * v)) * 3.0f;
        }
        ASSERT_LE(inside, 1) << "level " << level;
    }
}

PointCheck WithinCube(float half)
{
    return [=](const BaseshapePoint& p) {
        ASSERT_LE(std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}), half);
    };
}

// Pieces are picked by fixed shares whatever their areas.
TEST(BoxesAndFractals, PiecesTakeTheirShares)
{
    int faces = 0, corners = 0, cornerBlocks = 0, posts = 0;
    float lowest = 0.0f, highest = 0.0f;
    constexpr int kPoints = 40000;
    // Undistorted, a point lies on the rounded box at distance L from the
    // centre; it ends at L^4 * s / 4 along the same direction.
    ForPoints(SampleBaseshapeDistortedRoundBox, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        const float d = Length(p.x, p.y, p.z);
        const float k = std::pow(4.0f * d, 0.25f) / d;
        ASSERT_NEAR(RoundedBoxDistance(p.x * k, p.y * k, p.z * k), 0.0f, 2e-5f);
        const int out = (std::fabs(p.x * k) > 0.8501f) + (std::fabs(p.y * k) > 0.8501f) +
                        (std::fabs(p.z * k) > 0.8501f);
        faces += out == 1;
        corners += out == 3;
    });
    // The filled twins keep their points off the block boundaries.
    ForPoints(SampleBaseshapeBlocksFilled, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        cornerBlocks += std::min({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}) > 0.75f;
    });
    ForPoints(SampleBaseshapeGazeboFilled, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        posts += std::fabs(p.y) < 0.75f;
    });
    ForPoints(SampleBaseshapeCircularStairs, Shape(1.0f, {}), kPoints, [&](const BaseshapePoint& p) {
        const float r = std::hypot(p.x, p.z);
        ASSERT_TRUE(r >= 0.6f - 1e-5f && r <= 1.4f + 1e-5f) << r;
        lowest = std::min(lowest, p.y);
        highest = std::max(highest, p.y);
    });
    EXPECT_NEAR(faces / double(kPoints), 0.75, 0.01);
    EXPECT_NEAR(corners / double(kPoints), 0.0125, 0.003);
    EXPECT_NEAR(cornerBlocks / double(kPoints), 0.1, 0.006);
    EXPECT_NEAR(posts / double(kPoints), 0.5, 0.01);
    // Step centres from -1.75 to 1.75, each box 0.1 high.
    EXPECT_NEAR(lowest, -1.85f, 0.01f);
    EXPECT_NEAR(highest, 1.85f, 0.01f);
}

TEST(BoxesAndFractals, WizardHatTipIsOpenByAHair)
{
    const BaseshapePoint tip = SampleWithWords(SampleBaseshapeWizardHat, Shape(2.0f, {}), 0x12345678u, 0);
    EXPECT_NEAR(std::hypot(tip.x, tip.z), 2.0f / 512, 1e-6f);
    EXPECT_FLOAT_EQ(tip.y, 2.0f);
}

// A texture one column wide and nine rows high: the bilinear lookup at
// v = n / 8 reads row n exactly, so the colour tells the level count n.
TEST(BoxesAndFractals, FractalLevelsAndTheirSeeds)
{
    TestImages images(4);
    images.SetTexture(1, 9);
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        int fewest;
        float seedRadius;  // at level 0, around the seed centre
        float centre[3];
    } rows[] = {
        {"octahedral", SampleBaseshapeOctahedralFractal, 1, 0.0f, {}},
        {"tetrahedral", SampleBaseshapeTetrahedralFractal, 0,
         0.66666f * 0.6666f, {-0.4f * 0.6666f, -0.75f * 0.6666f, 0}},
        {"icosahedral", SampleBaseshapeIcosahedralFractal, 0, 1.3f * 0.66f,
         {}},
    };
    constexpr int kPoints = 9000;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        int levels[9] = {};
        ResetTestSlot(kTestSlot, 404);
        gSlotBaseshape[kTestSlot] = 4;
        gSlotColorMode[kTestSlot] = 2;
        for (int i = 0; i < kPoints; ++i) {
            BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
            row.sampler(&p, kTestSlot);
            ASSERT_EQ((p.red - 1) % 21, 0);
            const int n = (p.red - 1) / 21;
            ASSERT_TRUE(n >= row.fewest && n <= 8) << n;
            ++levels[n];
            const float seed = Length(p.x - row.centre[0], p.y - row.centre[1], p.z - row.centre[2]);
            if (n == 0) {
                ASSERT_NEAR(seed, row.seedRadius, 1e-5f);
            }
        }
        if (row.fewest == 0) {
            EXPECT_NEAR(levels[0], kPoints / 9, 120);
        }
    }
}

// The rounded-box structures never colour the point, though the kind may be
// textured.
TEST(BoxesAndFractals, StructuresKeepTheirColour)
{
    TestImages images(4);
    images.SetTexture(2, 2);
    ResetTestSlot(kTestSlot, 3);
    gSlotBaseshape[kTestSlot] = 4;
    gSlotColorMode[kTestSlot] = 1;
    for (BaseshapeSampler untextured : {SampleBaseshapeCircularStairs, SampleBaseshapeBlocksFilled,
                                        SampleBaseshapeGazebo, SampleBaseshapeMengerSponge}) {
        BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
        untextured(&p, kTestSlot);
        EXPECT_EQ(p.red, 10);
        EXPECT_EQ(p.green, 20);
    }
}

// Largest projection of (x, z) on the outward normals at a0 + j * step.
float Support(const BaseshapePoint& p, float a0, float step, int count)
{
    float best = -1e30f;
    for (int j = 0; j < count; ++j) {
        const float a = a0 + static_cast<float>(j) * step;
        best = std::max(best, p.x * std::cos(a) + p.z * std::sin(a));
    }
    return best;
}

TEST(RingsAndRevolution, PointsOnChosenWords)
{
    const WordsCase cases[] = {
        {"bicorn theta = 0: a vertex", SampleBaseshapeTriangularBicorn, {1.5f, {1, 0}}, 0, 1u << 31, 1.5f, 0, 0},
        {"bicorn theta = pi/3: half radius", SampleBaseshapeTriangularBicorn, {1.5f, {1, 0}}, WordFor(1.0 / 6),
         1u << 31, 0.375f, 0, 0.6495191f},
        {"morning star u2 = 0", SampleBaseshapeMorningStar, {2, {}}, 0, 0, 0, -2.5f, 0},
        {"morning star u2 = 1", SampleBaseshapeMorningStar, {2, {}}, 0, 0xffffffffu, 0, 2.5f, 0},
    };
    CheckOnWords(cases);
}

// The crown's pieces never colour the point, although the kind may be
// textured.
TEST(RingsAndRevolution, HornedCrownKeepsItsColour)
{
    TestImages images(2);
    images.SetTexture(4, 4);
    for (uint8_t mode = 0; mode < 3; ++mode) {
        ResetTestSlot(kTestSlot, 31 + mode);
        gSlotBaseshape[kTestSlot] = 2;
        gSlotColorMode[kTestSlot] = mode;
        for (int i = 0; i < 50; ++i) {
            BaseshapePoint p = MakeTestPoint(1.0f, 0.0f);
            SampleBaseshapeHornedCrown(&p, kTestSlot);
            ASSERT_EQ(p.red, 10);
            ASSERT_EQ(p.blue, 30);
        }
    }
}

float MaxNorm(const BaseshapePoint& p) { return std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}); }

// Nearest of `count` centres on the circle of radius `ring` at angles
// 2 pi k / count (x = sin, z = cos): the distance to it.
float NearestCentre(const BaseshapePoint& p, int count, float ring)
{
    float best = 1e30f;
    for (int k = 0; k < count; ++k) {
        const float g = 6.2831855f * static_cast<float>(k) / static_cast<float>(count);
        best = std::min(best, std::hypot(std::hypot(p.x - ring * std::sin(g), p.z - ring * std::cos(g)), p.y));
    }
    return best;
}

// A point on ring line k of a contour stack: height first + k * step,
// radius given by the height.
PointCheck OnRingLines(float first, float step, int count, float (*radius)(float))
{
    return [=](const BaseshapePoint& p) {
        ExpectOnLadder(p.y, first, step, count);
        ASSERT_NEAR(std::hypot(p.x, p.z), radius(p.y), 1e-5f);
    };
}

// Caps beyond +-H fold back about y = +-H; x and z keep the sphere's.
TEST(CgContourSwept, CgSphereFoldsItsCaps)
{
    const struct {
        float separation, v, y;
    } rows[] = {{0.0f, 0.95f, 0.2f}, {0.0f, 0.05f, -0.2f}, {-3.0f, 0.95f, 0.2f}, {0.2f, 0.95f, 1.0f},
                {0.8f, 0.95f, 1.8f}, {0.0f, 0.7f, 0.8f}};
    for (const auto& row : rows) {
        const BaseshapePoint p = SampleWithWords(SampleBaseshapeCgSphere161, Shape(2.0f, {row.separation}), 0,
                                                 WordFor(row.v));
        EXPECT_NEAR(p.x, 0.0f, 1e-6f) << row.separation << " " << row.v;
        EXPECT_NEAR(p.z, 2.0f * std::sqrt(1.0f - std::pow(2.0f * row.v - 1.0f, 2.0f)), 2e-5f) << row.v;
        EXPECT_NEAR(p.y, row.y, 2e-5f) << row.separation << " " << row.v;
    }
}

TEST(ShapeBounds, ShapesKeepTheirIdentitiesAndBounds)
{
    const PointCheck sponge = [](const BaseshapePoint& p) { ExpectInSponge(p.x / 2.0f, p.y / 2.0f, p.z / 2.0f); };
    const float kRoot2 = 1.4142135f;
    const float kTanh2 = std::tanh(2.0f);
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const PointCheck inCube = [](const BaseshapePoint& p) { ASSERT_LE(MaxNorm(p), 1.0f + 1e-6f); };
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        BaseshapePoint shape;
        PointCheck check;
        int points = 4000;
    } rows[] = {
        {"distorted round box filled", SampleBaseshapeDistortedRoundBoxFilled, Shape(2.0f, {}), WithinCube(1.75f * 2.0f), 20000},
        {"gazebo", SampleBaseshapeGazebo, Shape(2.0f, {}), WithinCube(2.25f), 20000},
        {"octahedral fractal filled", SampleBaseshapeOctahedralFractalFilled, Shape(2.0f, {}), WithinCube(2.0f), 20000},
        {"menger sponge", SampleBaseshapeMengerSponge, Shape(2.0f, {}), sponge, 20000},
        {"menger sponge filled", SampleBaseshapeMengerSpongeFilled, Shape(2.0f, {}), sponge, 20000},
        {"bicorn H=0: triangle outline", SampleBaseshapeTriangularBicorn, Shape(1.5f, {1.0f, 0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_EQ(p.y, 0.0f);
             ASSERT_NEAR(Support(p, 1.0471976f, 2.0943952f, 3), 0.75f, 1e-5f);
         }},
        {"hexagons T=0: centre lines", SampleBaseshapeHexagons193, Shape(1.5f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_EQ(p.y, 0.0f);
             ExpectOnLadder(Support(p, 0.5235988f, 1.0471976f, 6) / (0.8660254f * 1.5f), 0.15f, 0.5f, 6);
         }},
        {"rings T=0: eleven circles", SampleBaseshapeRings, Shape(1.5f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_EQ(p.y, 0.0f);
             ExpectOnLadder(std::hypot(p.x, p.z) / 1.5f, 0.25f, 0.25f, 11);
         }},
        {"spring N=0: one squared section", SampleBaseshapeSquaredSpring, Shape(1.0f, {0.2f, 1.0f, 0.0f, 0.5f}),
         [=](const BaseshapePoint& p) {
             ASSERT_EQ(p.z, 0.0f);
             ASSERT_GE(p.x / kTanh2, 1.0f - 0.2f * kTanh2 - 1e-5f);
             ASSERT_LE(p.x / kTanh2, 1.0f + 0.2f * kTanh2 + 1e-5f);
         }},
        {"trapezoid top radius 0: caps all at the bottom", SampleBaseshapeScaledTrapezoid,
         Shape(1.0f, {1.0f, 0.0f, 1.0f}),
         [](const BaseshapePoint& p) { ASSERT_FALSE(p.x == 0 && p.z == 0 && p.y > 0); }},
        {"pseudosphere P1=pi/2", SampleBaseshapeScaledPseudosphere, Shape(1.0f, {1.5707964f}), Bounded(1.25f, 15.0f)},
        {"pseudosphere P1=2.5", SampleBaseshapeScaledPseudosphere, Shape(1.0f, {2.5f}), Bounded(1.25f, 15.0f)},
        {"sinusoidal II T=0: closed curve", SampleBaseshapeSinusoidalII, Shape(2.0f, {0.0f}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(p.x * p.x + p.z * p.z, 2.0f, 1e-5f); }},
        {"sinusoidal I T=0: closed curve", SampleBaseshapeSinusoidalI, Shape(2.0f, {0.0f}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(p.y * p.y + p.z * p.z, 2.0f, 1e-5f); }},
        {"sinusoidal II T=sqrt2", SampleBaseshapeSinusoidalII, Shape(1.0f, {kRoot2}), Bounded(142.0f, 100.0f)},
        {"sinusoidal I T=-sqrt2", SampleBaseshapeSinusoidalI, Shape(1.0f, {-kRoot2}), Bounded(142.0f, 100.0f)},
        {"scaled torus size 2: centre line 4", SampleBaseshapeScaledTorus, Shape(2.0f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_NEAR(std::hypot(p.x, p.z), 4.0f, 1e-5f);
             ASSERT_EQ(p.y, 0.0f);
         }},
        {"ammonites N=0: one section", SampleBaseshapeAmmonites, Shape(1.0f, {0.0f, 0.5f, 0.3f, 0.0f}),
         [](const BaseshapePoint& p) { ASSERT_EQ(p.z, 0.0f); }},
        {"venus N=0: one section", SampleBaseshapeVenus, Shape(1.0f, {0.0f, 0.5f, 0.3f, 0.0f}),
         [](const BaseshapePoint& p) { ASSERT_EQ(p.z, 0.0f); }},
        // Every face point is scaled by its own length: corners to sqrt(3)^2.
        {"cg box I P=0", SampleBaseshapeCgBoxI, Shape(1.0f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), MaxNorm(p) * MaxNorm(p), 2e-6f);
         }},
        {"cg box II R=0: plain cube", SampleBaseshapeCgBoxII, Shape(1.0f, {0.0f}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(MaxNorm(p), 1.0f, 1e-6f); }},
        {"cg box II R=5 filled", SampleBaseshapeCgBoxIIFilled, Shape(1.0f, {5.0f}), inCube},
        {"cg box III R=5", SampleBaseshapeCgBoxIII, Shape(1.0f, {5.0f}), inCube},
        {"cg box III R=0.5 filled", SampleBaseshapeCgBoxIIIFilled, Shape(1.0f, {0.5f}), inCube},
        {"contour cylinder T=0", SampleBaseshapeContourCylinder, Shape(1.0f, {0.0f}),
         OnRingLines(-1.0f, 0.2f, 11, [](float) { return 1.0f; })},
        {"contour circle T=0", SampleBaseshapeContourCircle, Shape(1.0f, {0.0f}),
         OnRingLines(-0.9f, 0.1f, 19, [](float h) { return std::sqrt(1.0f - h * h); })},
        {"contour cylinder filled: inside its tubes", SampleBaseshapeContourCylinderFilled, Shape(1.0f, {0.09f}),
         [](const BaseshapePoint& p) {
             const float h = std::round((p.y + 1.0f) / 0.2f) * 0.2f - 1.0f;
             ASSERT_LE(std::hypot(std::hypot(p.x, p.z) - 1.0f, p.y - h), 0.09f + 1e-6f);
         }},
        {"wheel P=0: a band", SampleBaseshapeWheel, Shape(2.0f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_NEAR(std::hypot(p.x, p.z), 1.5f, 1e-5f);
             ASSERT_LE(std::fabs(p.y), 0.140625f * 2.0f * 1.0001f);
         }},
        {"helical tricorn P2=0: a plane deltoid", SampleBaseshapeHelicalTricorn, Shape(1.0f, {0.5f, 0.0f}),
         [](const BaseshapePoint& p) { ASSERT_EQ(p.z, 0.0f); }},
        {"toroidal bicorn P2=0: a circle", SampleBaseshapeToroidalBicorn, Shape(2.0f, {0.7f, 0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_EQ(p.y, 0.0f);
             ASSERT_NEAR(std::hypot(p.x, p.z), 1.4f, 1e-5f);
         }},
        {"pearls P1=4.9: four", SampleBaseshapePearls, Shape(1.0f, {4.9f}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(NearestCentre(p, 4, 1.0f), 0.70710677f, 2e-6f); }},
        {"pearls P1=NaN: three", SampleBaseshapePearls, Shape(1.0f, {kNaN}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(NearestCentre(p, 3, 1.0f), 0.8660254f, 2e-6f); }},
        {"propeller P2=pi/3: a triangle", SampleBaseshapePaperPropeller, Shape(1.0f, {3.0f, 1.0471976f}),
         Bounded(1.0f + 1e-5f, 1e30f)},
        {"propeller P2=-pi/2", SampleBaseshapePaperPropeller, Shape(1.0f, {3.0f, -1.5707964f}), Bounded(8.0f, 0.5f)},
        {"propeller P1=NaN", SampleBaseshapePaperPropeller, Shape(1.0f, {kNaN, 0.3f}), Bounded(8.0f, 0.5f)},
        {"hexagon cushions", SampleBaseshapeHexagons157Filled, Shape(2.0f, {}),
         [](const BaseshapePoint& p) {
             ASSERT_LE(std::fabs(p.y), 0.0625f * 2.0f);
             BaseshapePoint flat = p;
             flat.y = 0.0f;
             ASSERT_LE(NearestCentre(flat, 6, 2.0f), 1.0f);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ForPoints(row.sampler, row.shape, row.points, row.check);
    }
}


}  // namespace
