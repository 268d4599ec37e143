// The bent boxes and sphere, the contour rings and the swept profiles and
// cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "baseshapes/samplers_cg_shapes.h"
#include "baseshapes/samplers_contour_rings.h"
#include "baseshapes/samplers_swept_profiles.h"
#include "baseshapes/support/point_runs.h"

namespace {

using Check = std::function<void(const BaseshapePoint&)>;

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
Check OnRingLines(float first, float step, int count, float (*radius)(float))
{
    return [=](const BaseshapePoint& p) {
        const float k = (p.y - first) / step;
        ASSERT_NEAR(k, std::round(k), 1e-4f);
        ASSERT_TRUE(k > -0.5f && k < count - 0.5f) << p.y;
        ASSERT_NEAR(std::hypot(p.x, p.z), radius(p.y), 1e-5f);
    };
}

Check WithinRadius(float radius)
{
    return [=](const BaseshapePoint& p) { ASSERT_LE(std::hypot(p.x, p.z), radius); };
}

TEST(CgContourSwept, ShapesKeepTheirIdentitiesAndBounds)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const Check inCube = [](const BaseshapePoint& p) { ASSERT_LE(MaxNorm(p), 1.0f + 1e-6f); };
    const struct {
        const char* name;
        BaseshapeSampler sampler;
        BaseshapePoint shape;
        Check check;
    } rows[] = {
        // Every face point is scaled by its own length: corners to sqrt(3)^2.
        {"cg box I P=0", SampleBaseshapeCgBoxI, Shape(1.0f, {0.0f}),
         [](const BaseshapePoint& p) {
             ASSERT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), MaxNorm(p) * MaxNorm(p), 2e-6f);
         }},
        {"cg box II R=0: plain cube", SampleBaseshapeCgBoxII, Shape(1.0f, {0.0f}),
         [](const BaseshapePoint& p) { ASSERT_NEAR(MaxNorm(p), 1.0f, 1e-6f); }},
        {"cg box II R=5", SampleBaseshapeCgBoxII, Shape(1.0f, {5.0f}), inCube},
        {"cg box II R=5 filled", SampleBaseshapeCgBoxIIFilled, Shape(1.0f, {5.0f}), inCube},
        {"cg box III R=5", SampleBaseshapeCgBoxIII, Shape(1.0f, {5.0f}), inCube},
        {"cg box III R=0.5 filled", SampleBaseshapeCgBoxIIIFilled, Shape(1.0f, {0.5f}), inCube},
        {"contour cylinder T=0", SampleBaseshapeContourCylinder, Shape(1.0f, {0.0f}),
         OnRingLines(-1.0f, 0.2f, 11, [](float) { return 1.0f; })},
        {"contour circle T=0", SampleBaseshapeContourCircle, Shape(1.0f, {0.0f}),
         OnRingLines(-0.9f, 0.1f, 19, [](float h) { return std::sqrt(1.0f - h * h); })},
        {"contour box T=0", SampleBaseshapeContourBox, Shape(1.0f, {0.0f}),
         [](const BaseshapePoint& p) {
             const float k = (p.y + 0.9f) / 0.1f;
             ASSERT_NEAR(k, std::round(k), 1e-4f);
             ASSERT_LE(std::max(std::fabs(p.x), std::fabs(p.z)), std::tanh(5.0f * std::sqrt(1.0f - p.y * p.y)));
         }},
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
        {"pearls P1=1e30", SampleBaseshapePearlsFilled, Shape(1.0f, {1e30f}), WithinRadius(1.0f + 1e-5f)},
        {"propeller P2=pi/3: a triangle", SampleBaseshapePaperPropeller, Shape(1.0f, {3.0f, 1.0471976f}),
         WithinRadius(1.0f + 1e-5f)},
        {"propeller P2=-pi/2", SampleBaseshapePaperPropeller, Shape(1.0f, {3.0f, -1.5707964f}), WithinRadius(8.0f)},
        {"propeller P2=pi/2", SampleBaseshapePaperPropeller, Shape(1.0f, {5.0f, 1.5707964f}), WithinRadius(8.0f)},
        {"propeller P1=1e30, P2=1e6", SampleBaseshapePaperPropeller, Shape(1.0f, {1e30f, 1e6f}), WithinRadius(8.0f)},
        {"propeller P1=NaN", SampleBaseshapePaperPropeller, Shape(1.0f, {kNaN, 0.3f}), WithinRadius(8.0f)},
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

TEST(CgContourSwept, CgSphereFoldsItsCaps)
{
    const struct {
        const char* name;
        float separation;
        double v;
        float y;
    } rows[] = {
        {"P=0, seed height 0.9", 0.0f, 0.95, 0.2f},   {"P=0, seed height -0.9", 0.0f, 0.05, -0.2f},
        {"P=-3 as P=0", -3.0f, 0.95, 0.2f},            {"P=0.2: H=0.7", 0.2f, 0.95, 2.0f * (0.7f - 0.9f + 0.7f)},
        {"P=0.8: not folded", 0.8f, 0.95, 1.8f},       {"P=0, below H: not folded", 0.0f, 0.7, 0.8f},
    };
    for (const auto& row : rows) {
        for (BaseshapeSampler sampler : {SampleBaseshapeCgSphere161, SampleBaseshapeCgSphere161Filled}) {
            const BaseshapePoint p = SampleWithWords(sampler, Shape(2.0f, {row.separation}), 0, WordFor(row.v));
            EXPECT_NEAR(p.x, 0.0f, 1e-6f) << row.name;
            EXPECT_NEAR(p.z, 2.0f * std::sqrt(1.0f - std::pow(2.0f * float(row.v) - 1.0f, 2.0f)), 2e-5f)
                << row.name;
            if (sampler == SampleBaseshapeCgSphere161) {
                EXPECT_NEAR(p.y, row.y, 2e-5f) << row.name;
            }
        }
    }
}

// The filled cushions scale the offset from the cell centre, y included,
// by one factor in [0, 1]: a factor of 0 gives the centre itself.
TEST(CgContourSwept, FilledHexagonCushionsShrinkTowardsTheirCentres)
{
    for (uint32_t seed = 0; seed < 500; ++seed) {
        ResetTestSlot(kTestSlot, seed);
        const RandomState start = gBaseshapeRandom[kTestSlot].State();
        BaseshapePoint surface = Shape(1.0f, {});
        SampleBaseshapeHexagons157(&surface, kTestSlot);
        gBaseshapeRandom[kTestSlot].State() = start;
        BaseshapePoint filled = Shape(1.0f, {});
        SampleBaseshapeHexagons157Filled(&filled, kTestSlot);
        float cx = 0.0f, cz = 0.0f, best = 1e30f;
        for (int k = 0; k < 6; ++k) {
            const float a = 0.5235988f + 1.0471976f * static_cast<float>(k);
            const float d = std::hypot(surface.x - std::cos(a), surface.z - std::sin(a));
            if (d < best) best = d, cx = std::cos(a), cz = std::sin(a);
        }
        if (std::fabs(surface.y) < 1e-3f) continue;
        const float f = filled.y / surface.y;
        ASSERT_TRUE(f >= 0.0f && f <= 1.0f) << f;
        ASSERT_NEAR(filled.x - cx, f * (surface.x - cx), 1e-5f) << seed;
        ASSERT_NEAR(filled.z - cz, f * (surface.z - cz), 1e-5f) << seed;
    }
}

}  // namespace
