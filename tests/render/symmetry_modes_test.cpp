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

TEST_F(Symmetry, NormalAndUnknownModesLeaveTheSlice)
{
    for (int mode : {100, 20, -1}) {
        const P out = Run(mode, {1, 2, 3});
        EXPECT_EQ(out.x, 1.0f);
        EXPECT_EQ(out.y, 2.0f);
        EXPECT_EQ(out.z, 3.0f);
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

TEST_F(Symmetry, HashModesStepTheHashEvenForAnEmptySlice)
{
    const int steps[6] = {2, 3, 2, 3, 4, 2};
    for (int mode = 0; mode < 6; ++mode) {
        uint32_t h = gSlotHash[kSlot];
        for (int i = 0; i < steps[mode]; ++i) h = HashStep(h);
        const RandomState words = gSlotRandom[kSlot];
        gSlotBatchLast[kSlot] = gSlotBatchStart[kSlot];  // empty slice
        gSymmetryMode = mode;
        ApplySymmetry(kSlot);
        EXPECT_EQ(gSlotHash[kSlot], h) << mode;
        EXPECT_EQ(gSlotRandom[kSlot].word[0], words.word[0]) << mode;
    }
    // The generator modes draw their words also for an empty slice.
    for (int mode : {8, 10, 12, 19}) {
        RandomState expected = gSlotRandom[kSlot];
        RandomStep(expected);
        if (mode >= 12) RandomStep(expected);
        if (mode == 19) RandomStep(expected);
        gSymmetryMode = mode;
        ApplySymmetry(kSlot);
        EXPECT_EQ(gSlotRandom[kSlot].word[0], expected.word[0]) << mode;
    }
}

TEST_F(Symmetry, ReflectionAtExactlyHalfShifts)
{
    gSymmetryMode = 14;
    SetSymmetryCopyWeights();
    NextWordIs(2147483648u);  // uniform 0.5, not above weight 0 = 0.5
    Fill({2, 3, 4});
    ApplySymmetry(kSlot);
    EXPECT_EQ(At(kStart).x, 3.0f);
    NextWordIs(2147483904u);  // just above 0.5: mirrored
    Fill({2, 3, 4});
    ApplySymmetry(kSlot);
    EXPECT_EQ(At(kStart).x, -3.0f);
    gSymmetryMode = 16;
    NextWordIs(4000000000u);
    Fill({2, 3, 4});
    ApplySymmetry(kSlot);
    EXPECT_EQ(At(kStart).z, -5.0f);
    EXPECT_EQ(At(kStart).x, 2.0f);
}

TEST_F(Symmetry, TilesAndOctants)
{
    gSymmetrySeparation = 2.0f;
    NextWordIs(0);  // u = 0: the highest copy, 8, whose offset is (0, 0)
    EXPECT_EQ(Run(8, {1, 1, 1}).x, 1.0f);
    NextWordIs(0);
    const P far = Run(9, {1, 1, 1});  // copy 24: (2, 1)
    EXPECT_EQ(far.x, 5.0f);
    EXPECT_EQ(far.z, 3.0f);
    NextWordIs(4294967295u);  // u = 1: every weight subtracted, copy 0: (0, -1)
    const P first = Run(8, {1, 1, 1});
    EXPECT_EQ(first.x, 1.0f);
    EXPECT_EQ(first.z, -1.0f);
    NextWordIs(0);  // copy 7: every axis mirrored
    const P octant = Run(13, {1, 1, 1});
    EXPECT_EQ(octant.x, -3.0f);
    EXPECT_EQ(octant.y, -3.0f);
    EXPECT_EQ(octant.z, -3.0f);
    NextWordIs(3435973837u);  // u = 0.8: copy 1 mirrors y only
    const P one = Run(13, {1, 1, 1});
    EXPECT_EQ(one.x, 3.0f);
    EXPECT_EQ(one.y, -3.0f);
    EXPECT_EQ(one.z, 3.0f);
}

TEST_F(Symmetry, RotationCopiesFollowTheSineFirstFormula)
{
    gSymmetrySeparation = 0.0f;
    gSymmetryFoldCount = 4.0f;
    NextWordIs(0);  // copy 3: theta = 2 pi
    const P q = Run(10, {1, 5, 0});
    EXPECT_NEAR(q.x, 0.0f, 1e-6f);
    EXPECT_EQ(q.y, 5.0f);
    EXPECT_NEAR(q.z, 1.0f, 1e-6f);
    NextWordIs(0);
    const P r = Run(11, {1, 0, 5});
    EXPECT_NEAR(r.x, 0.0f, 1e-6f);
    EXPECT_NEAR(r.y, 1.0f, 1e-6f);
    EXPECT_EQ(r.z, 5.0f);

    // Combined rotation: the first word picks copy 3, the second (5115 x 0 = 0)
    // is at most 2^31, so the XY turn is followed by the exchange of y and z.
    NextWordIs(0);
    const P c = Run(12, {1, 0, 5});
    EXPECT_NEAR(c.x, 0.0f, 1e-6f);
    EXPECT_EQ(c.y, 5.0f);
    EXPECT_NEAR(c.z, 1.0f, 1e-6f);

    // Dihedral: the same small second word mirrors x first.
    gSymmetrySeparation = 0.5f;
    NextWordIs(0);
    const P d = Run(17, {1, 0, 0});
    EXPECT_NEAR(d.x, 0.0f, 1e-6f);
    EXPECT_NEAR(d.z, -0.5f, 1e-6f);  // (c - x) C
}

// The combined and dihedral modes form 2 pi / N in double from the decimal
// 6.2831855; for copy 4 of 6 that angle is one float step above the quotient
// of the float 6.2831855f.
TEST_F(Symmetry, DoubleStepAngleOfTheDihedralModes)
{
    gSymmetrySeparation = 0.0f;
    gSymmetryFoldCount = 6.0f;
    const float theta = static_cast<float>(5 * (6.2831855 / 6));
    EXPECT_NE(theta, static_cast<float>(5 * (static_cast<double>(6.2831855f) / 6)));
    // u = 0.25 picks copy 4; the second word, 3 x 2^30, takes the plain turn.
    NextWordIs(1073741824u);
    const P q = Run(17, {1, 7, 0});
    EXPECT_EQ(q.x, std::sin(theta));
    EXPECT_EQ(q.y, 7.0f);
    EXPECT_EQ(q.z, std::cos(theta));
}

// A first word of 2^31 makes the second one 5115 x 2^31 = 2^31 (mod 2^32):
// exactly 2^31 takes the branch of the smaller words.
TEST_F(Symmetry, AWordOfExactlyHalfTakesTheSmallerBranch)
{
    gSymmetrySeparation = 1.0f;
    NextWordIs(2147483648u);
    const P lox = Run(6, {0, 0, 0});  // n = trunc(-50 x 0.5) = -25, not 25
    const float t = 0.125f * -25.0f;
    EXPECT_FLOAT_EQ(lox.x, std::cos(-25.0f) / std::cosh(t));
    EXPECT_FLOAT_EQ(lox.z, std::sin(-25.0f) / std::cosh(t));
    EXPECT_FLOAT_EQ(lox.y, std::tanh(t));

    gSymmetrySeparation = 0.0f;
    gSymmetryFoldCount = 4.0f;  // u = 0.5 picks copy 1: theta = pi
    NextWordIs(2147483648u);
    const P combined = Run(12, {1, 2, 3});  // the XY turn, then y and z exchanged
    EXPECT_NEAR(combined.x, 2.0f, 1e-6f);
    EXPECT_EQ(combined.y, 3.0f);
    EXPECT_NEAR(combined.z, -1.0f, 1e-6f);

    gSymmetrySeparation = 0.5f;
    NextWordIs(2147483648u);
    const P dihedral = Run(18, {1, 2, 3});  // (c - x, y) turned: y = 0.5, not -1.5
    EXPECT_NEAR(dihedral.x, 2.0f, 1e-6f);
    EXPECT_NEAR(dihedral.y, 0.5f, 1e-6f);
    EXPECT_EQ(dihedral.z, 3.0f);

    RandomState words{{0, 0, 0, 0}, 2147483648u};
    RandomStep(words);
    RandomStep(words);
    const bool mirrorY = RandomStep(words) > 2147483648u;
    NextWordIs(2147483648u);
    const P ref = Run(19, {1, 2, 3});  // mode 17's mirror, then the third word on y
    EXPECT_NEAR(ref.x, 3.0f, 1e-6f);
    EXPECT_NEAR(ref.z, 0.5f, 1e-6f);
    EXPECT_EQ(ref.y, mirrorY ? -2.5f : 2.5f);
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
