// The parameter rows of the baseshape kinds and their random draws: rows in
// use and pages, ranges, the range draw worked by hand, and for every kind
// draws that keep each row in its window's range and samplers that stay
// finite on the drawn parameters.
#include "editors/baseshape_type_parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "baseshapes/generator_table.h"
#include "engine/baseshape_images.h"
#include "engine/baseshape_record.h"
#include "engine/random.h"

namespace {

TEST(BaseshapeTypeParameters, RowsInUseAndPages)
{
    struct Case {
        int type;
        int rows[3];
        int pages;
    };
    const Case kCases[] = {
        {0, {2, 0, 0}, 1},   {1, {2, 0, 0}, 1},    {2, {3, 0, 0}, 1},   {17, {5, 5, 0}, 2},
        {45, {5, 5, 3}, 3},  {74, {5, 5, 4}, 3},   {63, {5, 5, 1}, 3},  {96, {5, 5, 1}, 3},
        {110, {5, 2, 0}, 2}, {118, {5, 0, 0}, 1},  {141, {5, 0, 0}, 1}, {142, {5, 0, 0}, 1},
        {146, {5, 1, 0}, 2}, {194, {4, 0, 0}, 1},
    };
    for (const Case& c : kCases) {
        for (int page = 0; page < 3; ++page) EXPECT_EQ(ShapeParameterRows(c.type, page), c.rows[page]) << c.type << " " << page;
        EXPECT_EQ(ShapeParameterPages(c.type), c.pages) << c.type;
    }
    // Rows in use without a caption, and a caption whose row is not in use.
    EXPECT_STREQ(ShapeParameterCaption(63, 8), "");
    EXPECT_EQ(ShapeParameterStep(63, 8), 0.01f);
    EXPECT_EQ(ShapeParameterStep(96, 8), 0.05f);
    EXPECT_STREQ(ShapeParameterCaption(118, 3), "Width");
    EXPECT_EQ(ShapeParameterStep(118, 3), 0.0f);
    EXPECT_STREQ(ShapeParameterCaption(59, 10), "Size");
    EXPECT_STREQ(ShapeParameterCaption(101, 0), "a (*10)");
}

TEST(BaseshapeTypeParameters, WholeNumberRowsAndClamps)
{
    const ParameterRange p0 = ShapeParameterRange(139, 0);
    EXPECT_TRUE(p0.integer && p0.clamped);
    EXPECT_EQ(p0.minimum, 3.0f);
    EXPECT_EQ(p0.maximum, 16.0f);
    EXPECT_EQ(p0.dragStep, 0.125f);
    EXPECT_EQ(ShapeParameterRange(143, 2).maximum, 32.0f);
    EXPECT_EQ(ShapeParameterRange(145, 0).minimum, 1.0f);
    for (int k = 0; k < kShapeParameters; ++k) {
        EXPECT_EQ(ShapeParameterRange(3, k).integer, k == 1 || k == 2) << k;
        EXPECT_EQ(ShapeParameterRange(24, k).integer, k < 8) << k;
        const ParameterRange free = ShapeParameterRange(161, k);
        EXPECT_FALSE(free.integer || free.clamped);
        EXPECT_EQ(free.maximum, 2.0f);
        EXPECT_EQ(free.dragStep, 0.005747f);
    }
}

// Words 1, 2, 3, 4 and carry 0 step to 5115 + 2 x 1776 + 3 x 1492 +
// 4 x 2111111111 = 8444457587: word 4149490291, carry 1.
TEST(BaseshapeTypeParameters, RangeDrawWorkedByHand)
{
    gGlobalRandomB = RandomState{{1, 2, 3, 4}, 0};
    EXPECT_NEAR(RandomRangeB(-1.0f, 1.0f), 2.0 * 4149490291.0 / 4294967296.0 - 1.0, 1e-6);
    EXPECT_EQ(gGlobalRandomB.carry, 1u);
    EXPECT_EQ(gGlobalRandomB.word[1], 1u);
}

// Every kind, 40 draws from a seeded state: each parameter finite, whole
// rows whole, clamped rows inside their range; then 400 points of the
// kind's samplers on those parameters, all finite.
TEST(BaseshapeTypeParameters, EveryKindDrawsInsideItsRowsAndSamplesFinitePoints)
{
    SeedBaseshapeRandomAndBuildTables();
    SeedRandomState(gGlobalRandomB, 1234);
    ResetBaseshapeDMap(0, 1);
    ClearBaseshapeTexture(0);
    ClearBaseshapeMesh(0);
    gSlotBaseshape[0] = 0;
    std::string faults;
    for (int type = 0; type < kBaseshapeKinds; ++type) {
        BaseshapePoint point{};
        point.size = 0.5f;
        if (const ShapeTypeDefaultsRow* row = FindShapeTypeDefaults(type)) {
            std::copy(std::begin(row->p), std::end(row->p), point.p);
            point.size = row->size;
        }
        for (int draw = 0; draw < 40; ++draw) {
            RandomizeBaseshape(type, point.p);
            for (int k = 0; k < kShapeParameters; ++k) {
                const float v = point.p[k];
                const ParameterRange range = ShapeParameterRange(type, k);
                const bool whole = !range.integer || v == std::trunc(v);
                const bool inside = !range.clamped || (v >= range.minimum && v <= range.maximum);
                if (!std::isfinite(v) || !whole || !inside)
                    faults += " " + std::to_string(type) + ":P" + std::to_string(k) + "=" + std::to_string(v);
            }
            for (int table = 0; table < 2; ++table) {
                for (int n = 0; n < 10; ++n) {
                    BaseshapePoint sample = point;
                    gBaseshapeGenerators[table][type](&sample, 0);
                    if (!std::isfinite(sample.x) || !std::isfinite(sample.y) || !std::isfinite(sample.z))
                        faults += " sampler " + std::to_string(type) + "/" + std::to_string(table);
                }
            }
        }
    }
    EXPECT_EQ(faults, "");
}

TEST(BaseshapeTypeParameters, KindsWithoutDrawsKeepTheirParameters)
{
    for (int type : {0, 5, 11, 37, 58, 190}) {
        float p[kShapeParameters];
        for (int k = 0; k < kShapeParameters; ++k) p[k] = 0.25f * static_cast<float>(k);
        const RandomState before = gGlobalRandomB;
        RandomizeBaseshape(type, p);
        for (int k = 0; k < kShapeParameters; ++k) EXPECT_EQ(p[k], 0.25f * static_cast<float>(k)) << type;
        EXPECT_EQ(gGlobalRandomB.word[0], before.word[0]) << type;
    }
}

}  // namespace
