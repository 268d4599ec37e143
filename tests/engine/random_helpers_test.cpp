#include "engine/random_helpers.h"
#include "engine/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

TEST(RandomHelpers, SeedGlobalRandomCRepeatsTheSameWords)
{
    SeedGlobalRandomC();
    const uint32_t first = GlobalRandomU32C();
    const float second = GlobalRandomFloatC();
    SeedGlobalRandomC();
    EXPECT_EQ(GlobalRandomU32C(), first);
    EXPECT_EQ(GlobalRandomFloatC(), second);

    RandomState s{};
    SeedRandomState(s, 45);
    EXPECT_EQ(first, RandomStep(s));
}

TEST(RandomHelpers, FirstWordsOfFixedSeeds)
{
    SeedGlobalRandomA(45);
    EXPECT_EQ(GlobalRandomU32A(), 4170987971u);
    EXPECT_EQ(GlobalRandomU32A(), 1302749770u);
    EXPECT_EQ(GlobalRandomU32A(), 311540233u);
    SeedSlotRandom(0, 23);
    EXPECT_EQ(SlotRandomU32(23), 1445749771u);
    EXPECT_EQ(SlotRandomU32(23), 2509506533u);

    uint32_t h = 0;
    for (uint32_t expected : {129708002u, 817759070u, 2145236065u, 2368882721u}) EXPECT_EQ(StepSlotHash(h), expected);
}

TEST(RandomHelpers, WrappersStepOnlyTheirOwnState)
{
    SeedGlobalRandomA(1);
    SeedGlobalRandomB(2);
    SeedSlotRandom(3, 5);
    SeedSlotRandomB(4, 5);
    RandomState a{}, b{}, slot{}, slotB{};
    SeedRandomState(a, 1);
    SeedRandomState(b, 2);
    SeedRandomState(slot, 3);
    SeedRandomState(slotB, 4);

    EXPECT_EQ(GlobalRandomU32A(), RandomStep(a));
    EXPECT_EQ(GlobalRandomFloatA(), RandomUniform(a));
    EXPECT_EQ(GlobalRandomBoolA(), RandomCoin(a));
    EXPECT_EQ(GlobalRandomU32B(), RandomStep(b));
    EXPECT_EQ(GlobalRandomFloatB(), RandomUniform(b));
    EXPECT_EQ(GlobalRandomBoolB(), RandomCoin(b));
    EXPECT_EQ(GlobalRandomSignedFloatB(), RandomSignedUniform(b));
    EXPECT_EQ(SlotRandomU32(5), RandomStep(slot));
    EXPECT_EQ(SlotRandomFloat(5), RandomUniform(slot));
    EXPECT_EQ(SlotRandomBool(5), RandomCoin(slot));
    EXPECT_EQ(SlotRandomU32B(5), RandomStep(slotB));
    EXPECT_EQ(SlotRandomFloatB(5), RandomUniform(slotB));
    EXPECT_EQ(0, std::memcmp(&a, &gGlobalRandomA, sizeof a));
    EXPECT_EQ(0, std::memcmp(&slot, &gSlotRandom[5], sizeof slot));
}

TEST(RandomHelpers, SpherePointsFollowTheTwoDraws)
{
    SeedGlobalRandomA(99);
    RandomState s{};
    SeedRandomState(s, 99);
    const uint32_t w1 = RandomStep(s);
    const float y = RandomSignedUniform(s);
    float v[3];
    RandomVectorOnSphere(v, 2.5f);
    EXPECT_FLOAT_EQ(v[1], 2.5f * y);
    const float phi = static_cast<float>(w1) * 1.4629181e-9f;
    EXPECT_NEAR(std::atan2(v[0], v[2]), std::remainder(phi, 2.0f * 3.14159265f), 1e-4f);
    EXPECT_NEAR(Vec3Length(v), 2.5f, 1e-5f);
    for (int i = 0; i < 100; ++i) EXPECT_NEAR(Vec3Length(RandomUnitVector(v)), 1.0f, 1e-5f);
}

TEST(RandomHelpers, ConeDirectionsKeepLengthAndDrawFromTheSlot)
{
    SeedSlotRandom(7, 3);
    SeedSlotRandom(7, 0);
    const float v[3] = {0, 0, 1};
    float a[3], b[3];
    RandomDirectionInCone(a, v, 0.3f, 3);
    RandomDirectionInConeB(b, v, 0.3f);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(a[k], b[k]);
    EXPECT_NEAR(Vec3Length(a), 1.0f, 1e-5f);
    // The axis is perpendicular-ish at most: the turn never exceeds the angle.
    EXPECT_GE(Vec3DotP(a, v), std::cos(0.3f) - 1e-5f);
}

}  // namespace
