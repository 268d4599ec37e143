// The bent boxes and sphere, the contour rings and the swept profiles and
// cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "baseshapes/samplers_cg_shapes.h"
#include "baseshapes/samplers_contour_rings.h"
#include "baseshapes/samplers_swept_profiles.h"
#include "baseshapes/support/sampler_checks.h"

namespace {

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

TEST(CgContourSwept, ShapesKeepTheirIdentitiesAndBounds)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const PointCheck inCube = [](const BaseshapePoint& p) { ASSERT_LE(MaxNorm(p), 1.0f + 1e-6f); };
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        BaseshapePoint shape;
        PointCheck check;
    } rows[] = {
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
        ForPoints(row.sampler, row.shape, 4000, row.check);
    }
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

}  // namespace
