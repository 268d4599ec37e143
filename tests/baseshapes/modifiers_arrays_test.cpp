#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <tuple>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"

namespace {

constexpr int kBaseshape = 6;

class ModifiersAndArrays : public ::testing::Test {
protected:
    void SetUp() override
    {
        gSlotBaseshape[kTestSlot] = kBaseshape;
        SeedRandomState(gSlotRandom[kTestSlot], 321);
        gBaseshapeModifierAmount[kBaseshape] = 0.4f;
        gBaseshapeArrayCount[kBaseshape] = 6;
        gBaseshapeArrayAngle[kBaseshape] = 6.2831855f / 6;
        gBaseshapeArrayPivotX[kBaseshape] = 0;
        gBaseshapeArrayPivotY[kBaseshape] = 0;
        gBaseshapeArrayPivotZ[kBaseshape] = 0;
    }
    static BaseshapePoint Point(float x, float y, float z)
    {
        BaseshapePoint p = MakeTestPoint(2.5f, 0.75f);
        for (int i = 0; i < 13; ++i) p.p[i] = 0.125f * i;
        p.spare = 9.0f;
        p.x = x, p.y = y, p.z = z;
        return p;
    }
    // Words the call took from the slot's generator.
    template <typename F>
    int WordsDrawn(F call)
    {
        const RandomState before = gSlotRandom[kTestSlot];
        call();
        RandomState probe = before;
        for (int n = 0; n < 8; ++n) {
            if (std::memcmp(&probe, &gSlotRandom[kTestSlot], sizeof probe) == 0) return n;
            RandomStep(probe);
        }
        return -1;
    }
};

float Len(const BaseshapePoint& p) { return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z); }

void ExpectSameExceptPosition(const BaseshapePoint& a, const BaseshapePoint& b)
{
    EXPECT_EQ(a.red, b.red);
    EXPECT_EQ(a.green, b.green);
    EXPECT_EQ(a.blue, b.blue);
    EXPECT_EQ(a.size, b.size);
    EXPECT_EQ(0, std::memcmp(a.p, b.p, sizeof a.p));
    EXPECT_EQ(a.spare, b.spare);
}

TEST_F(ModifiersAndArrays, ModifierDrawCountsAndPassThrough)
{
    const int words[12] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2};
    for (int mode = -1; mode <= 12; ++mode) {
        const BaseshapePoint in = Point(0.3f, -0.6f, 0.2f);
        BaseshapePoint out;
        const int n = WordsDrawn([&] { out = ApplyBaseshapeModifier(in, mode, kTestSlot); });
        EXPECT_EQ(n, (mode >= 0 && mode < 12) ? words[mode] : 0) << mode;
        ExpectSameExceptPosition(in, out);
        ASSERT_TRUE(std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.z)) << mode;
        if (mode <= 0 || mode >= 12) {
            EXPECT_EQ(0, std::memcmp(&in, &out, sizeof in)) << mode;
        }
    }
}

TEST_F(ModifiersAndArrays, WavesAndBoxesHaveFixedPoints)
{
    for (int mode : {1, 2, 7}) {
        const BaseshapePoint o = ApplyBaseshapeModifier(Point(0, 0, 0), mode, kTestSlot);
        EXPECT_EQ(Len(o), 0.0f) << mode;
    }
    for (int mode : {5, 6}) {
        const BaseshapePoint o = ApplyBaseshapeModifier(Point(0.125f, -0.375f, 1.0f), mode, kTestSlot);
        EXPECT_NEAR(o.x, 0.125f, 1e-6f) << mode;
        EXPECT_NEAR(o.y, -0.375f, 1e-6f);
        EXPECT_NEAR(o.z, 1.0f, 1e-6f);
    }
    // Waves I at r = 1/8: sin(pi/2) = 1, so the point shrinks by 0.125 s.
    const BaseshapePoint w = ApplyBaseshapeModifier(Point(0.125f, 0, 0), 1, kTestSlot);
    EXPECT_NEAR(w.x, 0.125f * (1 - 0.125f * 0.4f), 1e-6f);
    // Waves II has the same peak.
    const BaseshapePoint w2 = ApplyBaseshapeModifier(Point(0.125f, 0, 0), 2, kTestSlot);
    EXPECT_NEAR(w2.x, w.x, 1e-6f);
}

TEST_F(ModifiersAndArrays, TwistsTurnAboutTheirAxis)
{
    gBaseshapeModifierAmount[kBaseshape] = 1.0f;
    // y = 1/4 with strength 1 turns by a quarter: (1, ., 0) goes to (0, ., -1).
    const BaseshapePoint xz = ApplyBaseshapeModifier(Point(1, 0.25f, 0), 3, kTestSlot);
    EXPECT_NEAR(xz.x, 0.0f, 1e-6f);
    EXPECT_NEAR(xz.z, -1.0f, 1e-6f);
    EXPECT_EQ(xz.y, 0.25f);
    const BaseshapePoint xy = ApplyBaseshapeModifier(Point(1, 0, 0.25f), 4, kTestSlot);
    EXPECT_NEAR(xy.x, 0.0f, 1e-6f);
    EXPECT_NEAR(xy.y, -1.0f, 1e-6f);
    EXPECT_EQ(xy.z, 0.25f);
}

TEST_F(ModifiersAndArrays, RootsOnTheAxisAndOffIt)
{
    for (int mode : {8, 9}) {
        const BaseshapePoint axis = ApplyBaseshapeModifier(Point(0, 0, -0.5f), mode, kTestSlot);
        EXPECT_EQ(axis.x, 0.0f);
        EXPECT_EQ(axis.y, 0.0f);
        EXPECT_NEAR(axis.z, -std::pow(0.5f, 0.85f) * 1.4f, 1e-6f);
        const BaseshapePoint flat = ApplyBaseshapeModifier(Point(0.3f, 0.2f, 0), mode, kTestSlot);
        EXPECT_EQ(flat.z, 0.0f);
    }
    const float rho = std::sqrt(0.3f * 0.3f + 0.4f * 0.4f);
    for (int i = 0; i < 50; ++i) {
        const BaseshapePoint r1 = ApplyBaseshapeModifier(Point(0.3f, 0.4f, 1), 8, kTestSlot);
        EXPECT_NEAR(std::hypot(r1.x, r1.y), std::pow(rho, 0.75f), 1e-5f);
        const BaseshapePoint r2 = ApplyBaseshapeModifier(Point(0.3f, 0.4f, 1), 9, kTestSlot);
        EXPECT_NEAR(std::hypot(r2.x, r2.y), std::pow(rho * rho, 1.0f / 3), 1e-5f);
    }
    // Far points stay finite.
    const BaseshapePoint far = ApplyBaseshapeModifier(Point(3e12f, -4e12f, 1e20f), 8, kTestSlot);
    EXPECT_TRUE(std::isfinite(far.x) && std::isfinite(far.y) && std::isfinite(far.z));
}

TEST_F(ModifiersAndArrays, SphericalAndOctahedralRadius)
{
    for (float s : {0.0f, 0.4f}) {
        gBaseshapeModifierAmount[kBaseshape] = s;
        for (int i = 0; i < 20; ++i) {
            const BaseshapePoint sp = ApplyBaseshapeModifier(Point(0, 0, 0), 10, kTestSlot);
            EXPECT_NEAR(Len(sp), s, 1e-6f);
            const BaseshapePoint oc = ApplyBaseshapeModifier(Point(0, 0, 0), 11, kTestSlot);
            EXPECT_NEAR(std::fabs(oc.x) + std::fabs(oc.y) + std::fabs(oc.z), s, 1e-5f);
        }
    }
    const BaseshapePoint sp = ApplyBaseshapeModifier(Point(0.3f, -2, 0.7f), 10, kTestSlot);
    EXPECT_NEAR(Len(sp), std::pow(Len(Point(0.3f, -2, 0.7f)), 0.25f) + 0.4f, 1e-5f);
}

// Chosen words pick the branch: the coin of "Root 1" (2^31 itself is false),
// the cube-root branch of "Root 2" (the top words round to 3 and join
// branch 2) and the bands k1, k2 of "Spherical" and "Octahedral".
TEST_F(ModifiersAndArrays, DrawnWordsChooseTheBranch)
{
    const float rho = 0.5f;  // the point (0, 0.5, 0.2): phi = pi/2
    const float k1 = std::sqrt(std::sqrt(std::sqrt(rho * rho * rho * rho * rho * rho)));
    for (const auto& [word, sign] : {std::pair<uint32_t, float>{0x80000000u, -1}, {0x80000001u, 1}}) {
        gSlotRandom[kTestSlot] = StateYielding(word, 0);
        const BaseshapePoint o = ApplyBaseshapeModifier(Point(0, 0.5f, 0.2f), 8, kTestSlot);
        EXPECT_NEAR(o.x, sign * k1 * std::cos(0.7853982f), 1e-6f) << word;
        EXPECT_NEAR(o.y, sign * k1 * std::sin(0.7853982f), 1e-6f) << word;
        EXPECT_NEAR(o.z, std::pow(0.2f, 0.85f) * 1.4f, 1e-6f);
    }
    const float k2 = std::pow(rho * rho, 0.33333334f);
    const std::pair<uint32_t, float> roots[] = {
        {0u, -4.1887903f}, {0x55555556u, -2.0943952f}, {0xaaaaaaabu, 0}, {0xffffffffu, 0}};
    for (const auto& [word, shift] : roots) {
        gSlotRandom[kTestSlot] = StateYielding(word, 0);
        const BaseshapePoint o = ApplyBaseshapeModifier(Point(0, 0.5f, 0.2f), 9, kTestSlot);
        const float theta = 1.5707964f * 0.33333334f + shift;
        EXPECT_NEAR(o.x, k2 * std::cos(theta), 1e-6f) << word;
        EXPECT_NEAR(o.y, k2 * std::sin(theta), 1e-6f) << word;
    }
    // From the origin with strength 0.4: k1 = 1 tilts by pi/4, k2 = 1 turns
    // by pi/2 (k1 in 1..2 takes quarter turns).
    gSlotRandom[kTestSlot] = StateYielding(5, 1);
    const BaseshapePoint sp = ApplyBaseshapeModifier(Point(0, 0, 0), 10, kTestSlot);
    EXPECT_NEAR(sp.x, 0.0f, 1e-6f);
    EXPECT_NEAR(sp.y, 0.4f * 0.70710677f, 1e-6f);
    EXPECT_NEAR(sp.z, 0.4f * 0.70710677f, 1e-6f);
    // k1 = 0 with k2 = 1: a half turn of the azimuth instead.
    gSlotRandom[kTestSlot] = StateYielding(4, 1);
    const BaseshapePoint up = ApplyBaseshapeModifier(Point(0.3f, 0, 0.3f), 10, kTestSlot);
    const float r = std::pow(0.3f * 0.3f * 2, 0.125f) + 0.4f;  // fourth root of the distance
    EXPECT_NEAR(up.x, -r * std::sin(0.7853982f * 0.25f), 1e-6f);
    EXPECT_NEAR(up.y, 0.0f, 1e-6f);
    EXPECT_NEAR(up.z, r * std::cos(0.7853982f * 0.25f), 1e-6f);
    // Octahedral, k1 = 1, k2 = 1: triangle waves of pi/4 and pi/2 give 1/2,
    // 0 and 1.
    gSlotRandom[kTestSlot] = StateYielding(1, 1);
    const BaseshapePoint oc = ApplyBaseshapeModifier(Point(0, 0, 0), 11, kTestSlot);
    EXPECT_NEAR(oc.x, 0.0f, 1e-6f);
    EXPECT_NEAR(oc.y, 0.2f, 1e-6f);
    EXPECT_NEAR(oc.z, 0.2f, 1e-6f);
}

TEST_F(ModifiersAndArrays, ArrayDrawCountsAndPivot)
{
    const int words[10] = {0, 1, 1, 1, 1, 2, 3, 2, 4, 4};
    gBaseshapeArrayPivotX[kBaseshape] = 1.5f;
    gBaseshapeArrayPivotZ[kBaseshape] = -0.5f;
    for (int mode = -2; mode <= 11; ++mode) {
        const BaseshapePoint in = Point(0.25f, 0.5f, 0.0f);
        BaseshapePoint out;
        const int n = WordsDrawn([&] { out = ApplyBaseshapeArray(in, mode, kTestSlot); });
        const bool known = mode >= 0 && mode <= 9;
        EXPECT_EQ(n, known ? words[mode] : 0) << mode;
        ExpectSameExceptPosition(in, out);
        if (!known || mode == 0) {
            EXPECT_EQ(0, std::memcmp(&in, &out, sizeof in)) << mode;
        } else if (mode >= 5 || mode <= 2) {
            // Rotations and circle arrays keep the distance of the shifted point.
            EXPECT_NEAR(Len(out), std::sqrt(1.75f * 1.75f + 0.25f + 0.25f), 1e-4f) << mode;
        }
    }
}

TEST_F(ModifiersAndArrays, RotationArrayCopies)
{
    // Count 1 (and a count of 0, taken as 1): one mirrored copy.
    for (uint32_t count : {1u, 0u}) {
        gBaseshapeArrayCount[kBaseshape] = count;
        for (int mode = 1; mode <= 4; ++mode) {
            const BaseshapePoint o = ApplyBaseshapeArray(Point(0.3f, 0.6f, 0.9f), mode, kTestSlot);
            EXPECT_NEAR(o.x, -0.3f, 1e-6f) << mode;
            EXPECT_NEAR(o.y, 0.6f, 1e-6f);
            EXPECT_NEAR(o.z, 0.9f, 1e-6f);
        }
    }
    // Angle 0: always copy 0.
    gBaseshapeArrayCount[kBaseshape] = 7;
    gBaseshapeArrayAngle[kBaseshape] = 0;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(ApplyBaseshapeArray(Point(0.3f, 0.6f, 0.9f), 2, kTestSlot).x, -0.3f);

    // Six copies a sixth of a turn apart, each taken about equally often.
    gBaseshapeArrayCount[kBaseshape] = 6;
    gBaseshapeArrayAngle[kBaseshape] = 6.2831855f / 6;
    std::map<int, int> copies;
    for (int i = 0; i < 6000; ++i) {
        const BaseshapePoint o = ApplyBaseshapeArray(Point(1, 0.5f, 0), 1, kTestSlot);
        EXPECT_NEAR(std::hypot(o.x, o.z), 1.0f, 1e-5f);
        EXPECT_EQ(o.y, 0.5f);
        const float turn = std::atan2(o.z, -o.x) / (6.2831855f / 6);
        ++copies[static_cast<int>(std::lround(turn) + 6) % 6];
    }
    ASSERT_EQ(copies.size(), 6u);
    for (const auto& [k, n] : copies) EXPECT_NEAR(n, 1000, 150) << k;

    // Diamond copies lie on |x| + |z| = 1 for a unit point on x.
    for (int i = 0; i < 50; ++i) {
        const BaseshapePoint d = ApplyBaseshapeArray(Point(1, 0, 0), 3, kTestSlot);
        EXPECT_NEAR(std::fabs(d.x) + std::fabs(d.z), 1.0f, 1e-5f);
    }
}

// The polyhedral arrays apply one of a fixed set of rotations. Each drawn
// matrix is recovered from the images of the unit vectors under the same
// words; it must be orthonormal with determinant 1, and the set of distinct
// matrices is the rotation group of the solid, except for the dodecahedron,
// whose 3 x 5 x 6 x 2 choices are 180 different rotations.
TEST_F(ModifiersAndArrays, PolyhedralArraysAreRotationGroups)
{
    const std::pair<int, size_t> modes[] = {{5, 12}, {6, 24}, {7, 24}, {8, 180}, {9, 60}};
    for (const auto& [mode, groupSize] : modes) {
        std::set<std::tuple<long, long, long, long, long, long, long, long, long>> seen;
        for (int i = 0; i < 6000; ++i) {
            const RandomState start = gSlotRandom[kTestSlot];
            float m[3][3];
            const float axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
            for (int c = 0; c < 3; ++c) {
                gSlotRandom[kTestSlot] = start;
                const BaseshapePoint o = ApplyBaseshapeArray(Point(axes[c][0], axes[c][1], axes[c][2]), mode, kTestSlot);
                m[0][c] = o.x, m[1][c] = o.y, m[2][c] = o.z;
            }
            for (int a = 0; a < 3; ++a) {
                for (int b = 0; b < 3; ++b) {
                    const float dot = m[0][a] * m[0][b] + m[1][a] * m[1][b] + m[2][a] * m[2][b];
                    ASSERT_NEAR(dot, a == b ? 1.0f : 0.0f, 2e-5f) << "mode " << mode;
                }
            }
            const float det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                              m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                              m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
            ASSERT_NEAR(det, 1.0f, 3e-5f) << "mode " << mode;
            auto r = [&](int i, int j) { return std::lround(m[i][j] * 1000); };
            seen.insert({r(0, 0), r(0, 1), r(0, 2), r(1, 0), r(1, 1), r(1, 2), r(2, 0), r(2, 1), r(2, 2)});
        }
        EXPECT_EQ(seen.size(), groupSize) << "mode " << mode;
    }
}

// Chosen words give the listed copy: copy 2 of six turns the mirror by
// 2 angles; the tetrahedron's q = 0 and q = 1 matrices after the identity
// threefold choice (m = 2).
TEST_F(ModifiersAndArrays, ChosenWordsGiveTheListedCopy)
{
    gSlotRandom[kTestSlot] = StateYielding(8, 0);  // 8 % 6 = copy 2
    const BaseshapePoint xz = ApplyBaseshapeArray(Point(1, 0.5f, 0), 1, kTestSlot);
    const float a = 2 * (6.2831855f / 6);
    EXPECT_NEAR(xz.x, -std::cos(a), 1e-6f);
    EXPECT_EQ(xz.y, 0.5f);
    EXPECT_NEAR(xz.z, std::sin(a), 1e-6f);
    gSlotRandom[kTestSlot] = StateYielding(8, 0);
    const BaseshapePoint xy = ApplyBaseshapeArray(Point(0, 1, 0.5f), 2, kTestSlot);
    EXPECT_NEAR(xy.x, std::sin(a), 1e-6f);
    EXPECT_NEAR(xy.y, std::cos(a), 1e-6f);
    EXPECT_EQ(xy.z, 0.5f);

    gSlotRandom[kTestSlot] = StateYielding(2, 4);  // m = 2, q = 0
    const BaseshapePoint t0 = ApplyBaseshapeArray(Point(1, 0, 0), 5, kTestSlot);
    EXPECT_FLOAT_EQ(t0.x, -0.166675f);
    EXPECT_FLOAT_EQ(t0.y, 0.4714015f);
    EXPECT_FLOAT_EQ(t0.z, -0.866025f);
    gSlotRandom[kTestSlot] = StateYielding(5, 5);  // m = 2, q = 1
    const BaseshapePoint t1 = ApplyBaseshapeArray(Point(0, 0, 1), 5, kTestSlot);
    EXPECT_FLOAT_EQ(t1.x, 0.2886752f);
    EXPECT_FLOAT_EQ(t1.y, -0.816497f);
    EXPECT_FLOAT_EQ(t1.z, -0.4999995f);
}

TEST_F(ModifiersAndArrays, PivotShiftsEvenTheIdentityChoice)
{
    gBaseshapeArrayPivotY[kBaseshape] = 2.0f;
    // Mode 7 with q = 0 and m = 5 is the identity.
    gSlotRandom[kTestSlot] = StateYielding(4, 5);
    const BaseshapePoint o = ApplyBaseshapeArray(Point(0.1f, 0.2f, 0.3f), 7, kTestSlot);
    EXPECT_FLOAT_EQ(o.x, 0.1f);
    EXPECT_FLOAT_EQ(o.y, 2.2f);
    EXPECT_FLOAT_EQ(o.z, 0.3f);
}

}  // namespace
