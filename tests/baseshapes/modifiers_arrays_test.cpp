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

// Modifiers move only the position; mode 0 and unknown modes not even that.
TEST_F(ModifiersAndArrays, ModifiersMoveOnlyThePosition)
{
    for (int mode = -1; mode <= 12; ++mode) {
        const BaseshapePoint in = Point(0.3f, -0.6f, 0.2f);
        const BaseshapePoint out = ApplyBaseshapeModifier(in, mode, kTestSlot);
        ExpectSameExceptPosition(in, out);
        ASSERT_TRUE(std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.z)) << mode;
        if (mode <= 0 || mode >= 12) {
            EXPECT_EQ(0, std::memcmp(&in, &out, sizeof in)) << mode;
        }
    }
}

// Worked points on chosen first words (a, b). Modifiers: the coin of
// "Root 1" (2^31 itself is false), the cube-root branch of "Root 2" (the top
// words round to 3 and join branch 2), the bands k1, k2 of "Spherical" and
// "Octahedral" from the origin. Arrays: copy 2 of six turns the mirror by two
// angles; the tetrahedron's q = 0 and q = 1 matrices after the threefold
// choice m = 2; mode 7 with q = 0 and m = 5 is the identity, still shifted by
// the pivot.
TEST_F(ModifiersAndArrays, ChosenWordsGiveTheWorkedPoints)
{
    struct Case {
        const char* name;
        bool array;
        int mode;
        float amount;
        uint32_t a, b;
        float pivotY;
        float in[3], out[3];
    };
    const Case cases[] = {
        {"waves I at the origin", false, 1, 0.4f, 0, 0, 0, {0, 0, 0}, {0, 0, 0}},
        {"waves II at the origin", false, 2, 0.4f, 0, 0, 0, {0, 0, 0}, {0, 0, 0}},
        {"box at the origin", false, 7, 0.4f, 0, 0, 0, {0, 0, 0}, {0, 0, 0}},
        {"waves I at its peak r = 1/8", false, 1, 0.4f, 0, 0, 0, {0.125f, 0, 0}, {0.11875f, 0, 0}},
        {"waves II at its peak", false, 2, 0.4f, 0, 0, 0, {0.125f, 0, 0}, {0.11875f, 0, 0}},
        {"fixed point of mode 5", false, 5, 0.4f, 0, 0, 0, {0.125f, -0.375f, 1}, {0.125f, -0.375f, 1}},
        {"fixed point of mode 6", false, 6, 0.4f, 0, 0, 0, {0.125f, -0.375f, 1}, {0.125f, -0.375f, 1}},
        {"twist XZ, a quarter at y = 1/4", false, 3, 1.0f, 0, 0, 0, {1, 0.25f, 0}, {0, 0.25f, -1}},
        {"twist XY, a quarter at z = 1/4", false, 4, 1.0f, 0, 0, 0, {1, 0, 0.25f}, {0, -1, 0.25f}},
        {"root 1 on the axis", false, 8, 0.4f, 0, 0, 0, {0, 0, -0.5f}, {0, 0, -0.77669863f}},
        {"root 2 on the axis", false, 9, 0.4f, 0, 0, 0, {0, 0, -0.5f}, {0, 0, -0.77669863f}},
        {"root 1, coin of exactly half", false, 8, 0.4f, 0x80000000u, 0, 0, {0, 0.5f, 0.2f},
         {-0.42044821f, -0.42044821f, 0.35645403f}},
        {"root 1, coin above half", false, 8, 0.4f, 0x80000001u, 0, 0, {0, 0.5f, 0.2f},
         {0.42044821f, 0.42044821f, 0.35645403f}},
        {"root 2, branch 0", false, 9, 0.4f, 0u, 0, 0, {0, 0.5f, 0.2f}, {-0.54556179f, 0.31498031f, NAN}},
        {"root 2, branch 1", false, 9, 0.4f, 0x55555556u, 0, 0, {0, 0.5f, 0.2f}, {0, -0.62996052f, NAN}},
        {"root 2, branch 2", false, 9, 0.4f, 0xaaaaaaabu, 0, 0, {0, 0.5f, 0.2f}, {0.54556182f, 0.31498026f, NAN}},
        {"root 2, top word", false, 9, 0.4f, 0xffffffffu, 0, 0, {0, 0.5f, 0.2f}, {0.54556182f, 0.31498026f, NAN}},
        {"spherical k1 = 1 tilts by pi/4", false, 10, 0.4f, 5, 1, 0, {0, 0, 0}, {0, 0.28284271f, 0.28284271f}},
        {"spherical k1 = 0 turns the azimuth", false, 10, 0.4f, 4, 1, 0, {0.3f, 0, 0.3f},
         {-0.2354869f, 0, 1.1838726f}},
        {"octahedral k1 = k2 = 1", false, 11, 0.4f, 1, 1, 0, {0, 0, 0}, {0, 0.2f, 0.2f}},
        {"rotation XZ copy 2 of 6", true, 1, 0.4f, 8, 0, 0, {1, 0.5f, 0}, {0.5f, 0.5f, 0.8660254f}},
        {"rotation XY copy 2 of 6", true, 2, 0.4f, 8, 0, 0, {0, 1, 0.5f}, {0.8660254f, -0.5f, 0.5f}},
        {"tetrahedron q = 0", true, 5, 0.4f, 2, 4, 0, {1, 0, 0}, {-0.166675f, 0.4714015f, -0.866025f}},
        {"tetrahedron q = 1", true, 5, 0.4f, 5, 5, 0, {0, 0, 1}, {0.2886752f, -0.816497f, -0.4999995f}},
        {"identity copy shifted by the pivot", true, 7, 0.4f, 4, 5, 2.0f, {0.1f, 0.2f, 0.3f}, {0.1f, 2.2f, 0.3f}},
    };
    for (const Case& c : cases) {
        gBaseshapeModifierAmount[kBaseshape] = c.amount;
        gBaseshapeArrayPivotY[kBaseshape] = c.pivotY;
        gSlotRandom[kTestSlot] = StateYielding(c.a, c.b);
        const BaseshapePoint in = Point(c.in[0], c.in[1], c.in[2]);
        const BaseshapePoint o = c.array ? ApplyBaseshapeArray(in, c.mode, kTestSlot)
                                         : ApplyBaseshapeModifier(in, c.mode, kTestSlot);
        const float got[3] = {o.x, o.y, o.z};
        for (int k = 0; k < 3; ++k) {
            if (!std::isnan(c.out[k])) {
                EXPECT_NEAR(got[k], c.out[k], 2e-6f) << c.name << ", coordinate " << k;
            }
        }
    }
}

TEST_F(ModifiersAndArrays, RootsKeepTheirRadiusAndStayFinite)
{
    const BaseshapePoint flat = ApplyBaseshapeModifier(Point(0.3f, 0.2f, 0), 8, kTestSlot);
    EXPECT_EQ(flat.z, 0.0f);
    const float rho = std::sqrt(0.3f * 0.3f + 0.4f * 0.4f);
    for (int i = 0; i < 50; ++i) {
        const BaseshapePoint r1 = ApplyBaseshapeModifier(Point(0.3f, 0.4f, 1), 8, kTestSlot);
        EXPECT_NEAR(std::hypot(r1.x, r1.y), std::pow(rho, 0.75f), 1e-5f);
        const BaseshapePoint r2 = ApplyBaseshapeModifier(Point(0.3f, 0.4f, 1), 9, kTestSlot);
        EXPECT_NEAR(std::hypot(r2.x, r2.y), std::pow(rho * rho, 1.0f / 3), 1e-5f);
    }
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

TEST_F(ModifiersAndArrays, ArraysTurnAboutThePivot)
{
    gBaseshapeArrayPivotX[kBaseshape] = 1.5f;
    gBaseshapeArrayPivotZ[kBaseshape] = -0.5f;
    for (int mode = -2; mode <= 11; ++mode) {
        const BaseshapePoint in = Point(0.25f, 0.5f, 0.0f);
        const BaseshapePoint out = ApplyBaseshapeArray(in, mode, kTestSlot);
        const bool known = mode >= 0 && mode <= 9;
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

}  // namespace
