#include "render/symmetry_modes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/fractal_model.h"
#include "engine/random.h"

namespace {

constexpr uint8_t kSlot = 2;
constexpr int kStart = 2000;
constexpr int kLast = 2999;

struct P {
    float x, y, z;
};

class Symmetry : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int k = 0; k < kSlotTableSize; ++k) {
            gSlotBatchStart[k] = static_cast<uint16_t>(1000 * k);
            gSlotBatchLast[k] = static_cast<uint16_t>(1000 * k + 999);
            gSlotBatchEnd[k] = static_cast<uint16_t>(1000 * k + 1000);
        }
        SeedRandomState(gSlotRandom[kSlot], 77);
        gSlotHash[kSlot] = 0xabcdefu;
        gSymmetryFoldCount = 6.0f;
        gSymmetrySeparation = 1.0f;
        gSymmetryOn = 1;
    }
    void TearDown() override
    {
        gSymmetryMode = kSymmetryModeNormal;
        gSymmetryOn = 0;
        gSymmetrySeparation = 1.0f;
        gSymmetryFoldCount = 6.0f;
    }
    static void Fill(P p)
    {
        for (int j = kStart; j <= kLast; ++j) {
            gPointX[j] = p.x;
            gPointY[j] = p.y;
            gPointZ[j] = p.z;
        }
    }
    static P At(int j) { return {gPointX[j], gPointY[j], gPointZ[j]}; }
    // The next generator word is w: four zero words and a carry of w.
    static void NextWordIs(uint32_t w) { gSlotRandom[kSlot] = RandomState{{0, 0, 0, 0}, w}; }
    static P Run(int mode, P p)
    {
        gSymmetryMode = mode;
        SetSymmetryCopyWeights();
        Fill(p);
        ApplySymmetry(kSlot);
        return At(kStart);
    }
};

TEST_F(Symmetry, CopyWeightCountsPerMode)
{
    struct Case {
        int32_t mode;
        float folds;
        int32_t n;
    };
    const Case cases[] = {
        {8, 6, 9},    {9, 6, 25},  {10, 6, 6},  {11, 5, 5},  {12, 16, 16}, {13, 6, 8},   {14, 6, 2},
        {15, 6, 2},   {16, 6, 2},  {17, 3, 3},  {18, 7.9f, 7}, {19, 2, 2}, {100, 6, 1}, {20, 6, 1},
        {10, 40, 16}, {10, 0, 2},  {10, NAN, 2}, {10, -5, 2},
    };
    for (const Case& c : cases) {
        for (auto& w : gSymmetryCopyWeights) w = -1.0f;
        gMirrorCopy = 1;
        gSymmetryMode = c.mode;
        gSymmetryFoldCount = c.folds;
        EXPECT_EQ(SetSymmetryCopyWeights(), c.n) << "mode " << c.mode;
        EXPECT_EQ(gMirrorCopy, 0);
        for (int k = 0; k < kSymmetryCopyWeightCount; ++k)
            EXPECT_EQ(gSymmetryCopyWeights[k].load(), k < c.n ? 1.0f / c.n : -1.0f) << c.mode << " " << k;
    }
    for (int mode = -1; mode < 8; ++mode) {
        gSymmetryCopyWeights[0] = 0.3f;
        gSymmetryMode = mode;
        EXPECT_EQ(SetSymmetryCopyWeights(), 1);
        EXPECT_EQ(gSymmetryCopyWeights[0].load(), 0.3f) << "modes below 8 leave the weights";
    }
}

TEST_F(Symmetry, EveryModeKeepsTheLastPointAndOtherSlots)
{
    for (int mode = 0; mode < kSymmetryModeCount; ++mode) {
        gSymmetryMode = mode;
        SetSymmetryCopyWeights();
        Fill({0.3f, -0.4f, 0.5f});
        gPointX[kLast + 1] = gPointX[kStart - 1] = 42.0f;
        for (int call = 0; call < 20; ++call) ApplySymmetry(kSlot);
        EXPECT_EQ(gPointX[kLast], 0.3f) << mode;
        EXPECT_EQ(gPointZ[kLast], 0.5f) << mode;
        EXPECT_EQ(gPointX[kLast + 1], 42.0f) << mode;
        EXPECT_EQ(gPointX[kStart - 1], 42.0f) << mode;
        for (int j = kStart; j < kLast; ++j)
            ASSERT_TRUE(std::isfinite(gPointX[j]) && std::isfinite(gPointY[j]) && std::isfinite(gPointZ[j])) << mode;
    }
}

// With c = 0 the group modes only rotate: lengths keep, and the copies of
// one point are as many as the mode's group has.
TEST_F(Symmetry, GroupModesProduceTheirNumberOfDistinctRotations)
{
    const int copies[6] = {12, 24, 24, 60, 60, 15};
    const P p = {0.31f, 0.57f, 0.83f};
    const float length = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    gSymmetrySeparation = 0.0f;
    for (int mode = 0; mode < 6; ++mode) {
        std::vector<P> seen;
        for (int call = 0; call < 4000; ++call) {
            const P q = Run(mode, p);
            ASSERT_NEAR(std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z), length, 2e-4f) << mode;
            bool known = false;
            for (const P& s : seen)
                if (std::fabs(s.x - q.x) + std::fabs(s.y - q.y) + std::fabs(s.z - q.z) < 1e-3f) known = true;
            if (!known) seen.push_back(q);
        }
        EXPECT_EQ(static_cast<int>(seen.size()), copies[mode]) << "mode " << mode;
    }
}

// Worked examples on chosen first words (the next word after w is 5115 w,
// so a word of 2^31 is followed by 2^31 again). Exactly 2^31 takes the
// branch of the smaller words everywhere.
TEST_F(Symmetry, ChosenWordsGiveTheWorkedCopies)
{
    constexpr float kSkip = NAN;
    struct Case {
        const char* name;
        int mode;
        float folds, separation;
        uint32_t word;
        P in, out;
    };
    const Case cases[] = {
        {"normal", 100, 6, 1, 0, {1, 2, 3}, {1, 2, 3}},
        {"past the modes", 20, 6, 1, 0, {1, 2, 3}, {1, 2, 3}},
        {"below the modes", -1, 6, 1, 0, {1, 2, 3}, {1, 2, 3}},
        {"x reflection at exactly half shifts", 14, 6, 1, 2147483648u, {2, 3, 4}, {3, kSkip, kSkip}},
        {"x reflection above half mirrors", 14, 6, 1, 2147483904u, {2, 3, 4}, {-3, kSkip, kSkip}},
        {"z reflection", 16, 6, 1, 4000000000u, {2, 3, 4}, {2, kSkip, -5}},
        {"3x3 tile 8 is the centre", 8, 6, 2, 0, {1, 1, 1}, {1, kSkip, kSkip}},
        {"3x3 tile 0", 8, 6, 2, 4294967295u, {1, 1, 1}, {1, kSkip, -1}},
        {"5x5 tile 24 at (2, 1)", 9, 6, 2, 0, {1, 1, 1}, {5, kSkip, 3}},
        {"octant 7 mirrors all", 13, 6, 2, 0, {1, 1, 1}, {-3, -3, -3}},
        {"octant 1 mirrors y", 13, 6, 2, 3435973837u, {1, 1, 1}, {3, -3, 3}},
        {"rotation XZ copy 3 of 4", 10, 4, 0, 0, {1, 5, 0}, {0, 5, 1}},
        {"rotation XY copy 3 of 4", 11, 4, 0, 0, {1, 0, 5}, {0, 1, 5}},
        {"combined, small second word", 12, 4, 0, 0, {1, 0, 5}, {0, 5, 1}},
        {"combined, second word of half", 12, 4, 0, 2147483648u, {1, 2, 3}, {2, 3, -1}},
        {"dihedral XZ mirrors x first", 17, 4, 0.5f, 0, {1, 0, 0}, {0, kSkip, -0.5f}},
        {"dihedral XY, y = c - 1.5", 18, 4, 0.5f, 2147483648u, {1, 2, 3}, {2, 0.5f, 3}},
        {"dihedral XZ ref. Y, third word above half", 19, 4, 0.5f, 2147483648u, {1, 2, 3}, {3, -2.5f, 0.5f}},
        // n = trunc(-50 x 0.5) = -25, not 25: (cos n, tanh t, sin n) / cosh t with t = n / 8.
        {"loxodrome", 6, 6, 1, 2147483648u, {0, 0, 0}, {0.086933004f, -0.99614653f, 0.011607852f}},
    };
    for (const Case& c : cases) {
        gSymmetryFoldCount = c.folds;
        gSymmetrySeparation = c.separation;
        NextWordIs(c.word);
        const P got = Run(c.mode, c.in);
        const float g[3] = {got.x, got.y, got.z}, w[3] = {c.out.x, c.out.y, c.out.z};
        for (int k = 0; k < 3; ++k) {
            if (!std::isnan(w[k])) {
                EXPECT_NEAR(g[k], w[k], 1e-6f) << c.name << ", coordinate " << k;
            }
        }
    }
}

// The combined and dihedral modes form 2 pi / N in double from the decimal
// 6.2831855; for copy 4 of 6 that angle is one float step above the quotient
// of the float 6.2831855f.
TEST_F(Symmetry, DoubleStepAngleOfTheDihedralModes)
{
    gSymmetrySeparation = 0.0f;
    const float theta = static_cast<float>(5 * (6.2831855 / 6));
    EXPECT_NE(theta, static_cast<float>(5 * (static_cast<double>(6.2831855f) / 6)));
    // u = 0.25 picks copy 4; the second word, 3 x 2^30, takes the plain turn.
    NextWordIs(1073741824u);
    const P q = Run(17, {1, 7, 0});
    EXPECT_EQ(q.x, std::sin(theta));
    EXPECT_EQ(q.y, 7.0f);
    EXPECT_EQ(q.z, std::cos(theta));
}

TEST_F(Symmetry, SphereModeIsFiniteForEveryRadius)
{
    gSymmetrySeparation = 1.5f;
    const P origin = Run(7, {0, -1.5f, 0});
    EXPECT_EQ(origin.x, 0.0f);
    EXPECT_EQ(origin.y, 0.0f);
    EXPECT_EQ(origin.z, 0.0f);
    const P small = Run(7, {0.1f, -1.5f, 0});
    EXPECT_NEAR(small.x, 0.1f, 1e-4f);  // tanh(r2) / r2 -> 1
    const P large = Run(7, {100.0f, -1.5f, 0});  // r2 = 10000: cosh overflows
    EXPECT_FLOAT_EQ(large.x, 0.01f);
    const P huge = Run(7, {3e30f, 0, 0});
    EXPECT_TRUE(std::isfinite(huge.x));
    const P nan = Run(7, {NAN, 0, 0});
    EXPECT_EQ(nan.x, 0.0f);
}

TEST_F(Symmetry, LoxodromeLandsOnTheSphereOfRadiusB)
{
    gSymmetrySeparation = 1.0f;
    Fill({0.2f, 0.0f, 0.1f});
    gSymmetryMode = 6;
    ApplySymmetry(kSlot);
    for (int j = kStart; j < kLast; ++j) {
        const P q = At(j);
        ASSERT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z, 1.0f, 1e-5f) << j;  // b = 1 for y = 0
    }
}

}  // namespace
