#include "baseshapes/samplers_sierpinski.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "baseshapes/support/sampler_fixture.h"

namespace {

constexpr float kSize = 1.5f;
// The pyramid's apex and base corners, in units of size.
const float kCorners[5][3] = {{0, 2, 0}, {1.886f, -0.666f, 1.886f}, {1.886f, -0.666f, -1.886f},
                              {-1.886f, -0.666f, 1.886f}, {-1.886f, -0.666f, -1.886f}};

float ToCorner(const BaseshapePoint& p, int k)
{
    return std::hypot(p.x - kCorners[k][0] * kSize, p.y - kCorners[k][1] * kSize, p.z - kCorners[k][2] * kSize);
}

// Each step halves the distance to one corner, so a walk from far away
// ends inside the pyramid: above its base, within the square section at
// its height.
TEST(Sierpinski, StepsHalveTheWayToACornerAndStayInThePyramid)
{
    ResetTestSlot(kTestSlot, 3);
    BaseshapePoint p = MakeTestPoint(kSize, 0);
    p.x = 40, p.y = -25, p.z = 13;
    for (int i = 0; i < 3000; ++i) {
        const BaseshapePoint before = p;
        SampleBaseshapeSierpinski(&p, kTestSlot);
        bool halved = false;
        for (int k = 0; k < 5; ++k) halved = halved || std::fabs(ToCorner(p, k) - 0.5f * ToCorner(before, k)) < 1e-4f;
        ASSERT_TRUE(halved) << i;
        const float half = 1.886f * (2 * kSize - p.y) / 2.666f + 1e-4f;
        ASSERT_TRUE(i < 30 || (p.y >= -0.666f * kSize - 1e-4f && std::fabs(p.x) <= half && std::fabs(p.z) <= half)) << i;
    }
}

TEST(Sierpinski, ApexStaysForTheApexDrawAndNonFiniteInputRestarts)
{
    ResetTestSlot(kTestSlot, 3);
    gBaseshapeRandom[kTestSlot].State() = StateYielding(5, 0);  // 5 mod 5 = 0: the apex
    BaseshapePoint p = MakeTestPoint(kSize, 0);
    p.y = 2 * kSize;
    SampleBaseshapeSierpinski(&p, kTestSlot);
    EXPECT_TRUE(p.x == 0 && p.y == 2 * kSize && p.z == 0);
    p.x = std::numeric_limits<float>::quiet_NaN(), p.y = std::numeric_limits<float>::infinity();
    SampleBaseshapeSierpinski(&p, kTestSlot);
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
}

}  // namespace
