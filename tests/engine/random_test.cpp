#include "engine/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Seeds a state without the 19 warm-up steps, to check the seed sequence.
RandomState SeedWordsOnly(uint32_t seed)
{
    RandomState s{};
    uint32_t x = seed;
    uint32_t seq[5];
    for (uint32_t& v : seq) v = x = x * kRandomSeedMultiplier - 1u;
    s = RandomState{{seq[0], seq[1], seq[2], seq[3]}, seq[4]};
    return s;
}

TEST(RandomState, SeedSequenceOf45)
{
    const RandomState s = SeedWordsOnly(45);
    EXPECT_EQ(s.word[0], 1347472304u);
    EXPECT_EQ(s.word[1], 2696426863u);
    EXPECT_EQ(s.word[2], 1296103962u);
    EXPECT_EQ(s.word[3], 3075216417u);
    EXPECT_EQ(s.carry, 3594751668u);

    // Seeding is the sequence followed by 19 discarded steps.
    RandomState warmed = s;
    for (int i = 0; i < 19; ++i) RandomStep(warmed);
    RandomState seeded{};
    SeedRandomState(seeded, 45);
    EXPECT_EQ(0, std::memcmp(&warmed, &seeded, sizeof seeded));
}

TEST(RandomState, StepShiftsWordsAndCarriesHighHalf)
{
    RandomState s{{1, 2, 3, 4}, 5};
    const uint64_t n = 5115ull * 1 + 1776ull * 2 + 1492ull * 3 + 2111111111ull * 4 + 5;
    EXPECT_EQ(RandomStep(s), static_cast<uint32_t>(n));
    EXPECT_EQ(s.word[1], 1u);
    EXPECT_EQ(s.word[2], 2u);
    EXPECT_EQ(s.word[3], 3u);
    EXPECT_EQ(s.carry, static_cast<uint32_t>(n >> 32));
    EXPECT_EQ(s.carry, 1u);  // 8444444444 needs 34 bits
}

// Builds a state whose next output is the given word (all other words zero).
RandomState StateGiving(uint32_t out) { return RandomState{{0, 0, 0, 0}, out}; }

TEST(RandomState, UniformAndCoinEdges)
{
    RandomState top = StateGiving(0xFFFFFFFFu);
    EXPECT_EQ(RandomUniform(top), 1.0f);
    RandomState nearTop = StateGiving(4294967168u);
    EXPECT_EQ(RandomUniform(nearTop), 1.0f);
    RandomState below = StateGiving(4294967167u);
    EXPECT_LT(RandomUniform(below), 1.0f);
    RandomState zero = StateGiving(0);
    EXPECT_EQ(RandomUniform(zero), 0.0f);
    RandomState half = StateGiving(0x80000000u);
    EXPECT_FALSE(RandomCoin(half));
    RandomState aboveHalf = StateGiving(0x80000001u);
    EXPECT_TRUE(RandomCoin(aboveHalf));
    RandomState signedTop = StateGiving(0xFFFFFFFFu);
    EXPECT_EQ(RandomSignedUniform(signedTop), 1.0f);
}

TEST(RndField, MatchesTheFreeFunctions)
{
    RndField f;
    f.Seed(1234);
    RandomState s{};
    SeedRandomState(s, 1234);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(f.RandomU32(), RandomStep(s));
    EXPECT_EQ(f.RandomFloat(), RandomUniform(s));
    EXPECT_EQ(f.RandomBool(), RandomCoin(s));
}

TEST(RandomState, SlotStatesLieOnCacheLinesOfTheirOwn)
{
    // Workers draw from their slot's states at every point; two slots on one
    // line would make neighbouring workers fight over it.
    for (int s = 0; s + 1 < kMaxRenderSlots; ++s) {
        const auto line = [](const void* p) { return reinterpret_cast<uintptr_t>(p) / 64u; };
        EXPECT_NE(line(&gSlotRandom[s].carry), line(&gSlotRandom[s + 1].word[0])) << s;
        EXPECT_NE(line(&gSlotRandomB[s].carry), line(&gSlotRandomB[s + 1].word[0])) << s;
        EXPECT_NE(line(&gBaseshapeRandom[s].State().carry), line(&gBaseshapeRandom[s + 1].State().word[0])) << s;
    }
    // A slot state still takes a plain state, as tests and the tuner set them.
    gSlotRandom[3] = RandomState{{1, 2, 3, 4}, 5};
    EXPECT_EQ(gSlotRandom[3].word[3], 4u);
    EXPECT_EQ(gSlotRandom[3].carry, 5u);
}

TEST(SlotHash, KnownSequence)
{
    // Reference values computed by hand from the PCG RXS-M-XS definition.
    auto reference = [](uint32_t s) {
        s = s * 747796405u + 2891336453u;
        uint32_t w = ((s >> ((s >> 28) + 4)) ^ s) * 277803737u;
        return (w >> 22) ^ w;
    };
    uint32_t state = 0;
    uint32_t expect = 0;
    for (int i = 0; i < 5; ++i) {
        expect = reference(expect);
        EXPECT_EQ(StepSlotHash(state), expect);
        EXPECT_EQ(state, expect);
    }
    // From state 0: s = 2891336453 = 0xAC564B05, shift 10 + 4 = 14.
    const uint32_t s = 2891336453u;
    const uint32_t w = ((s >> 14) ^ s) * 277803737u;
    EXPECT_EQ(HashStep(0), (w >> 22) ^ w);
}

TEST(StartupSeeding, FollowsTheFixedOrder)
{
    bool built = false;
    static bool* builtFlag;
    builtFlag = &built;
    SeedStartupRandomStates(777, [] { *builtFlag = true; });
    EXPECT_TRUE(built);

    std::srand(777);
    RandomState b{}, a{};
    SeedRandomState(b, static_cast<uint32_t>(std::rand()));
    SeedRandomState(a, static_cast<uint32_t>(std::rand()));
    EXPECT_EQ(0, std::memcmp(&b, &gGlobalRandomB, sizeof b));
    EXPECT_EQ(0, std::memcmp(&a, &gGlobalRandomA, sizeof a));
    (void)std::rand();
    for (int i = 0; i < kMaxRenderSlots; ++i) {
        RandomState f{};
        SeedRandomState(f, static_cast<uint32_t>(std::rand()));
        EXPECT_EQ(0, std::memcmp(&f, &gBaseshapeRandom[i].State(), sizeof f));
    }
    RandomState slots[kMaxRenderSlots];
    for (RandomState& s : slots) SeedRandomState(s, static_cast<uint32_t>(std::rand()));
    for (int i = 0; i < kMaxRenderSlots; ++i) {
        RandomState sb{};
        SeedRandomState(sb, static_cast<uint32_t>(std::rand()));
        EXPECT_EQ(0, std::memcmp(&sb, &gSlotRandomB[i], sizeof sb));
    }
    for (int i = 0; i < kMaxRenderSlots; ++i) {
        EXPECT_EQ(gSlotHash[i], RandomStep(slots[i]));
        EXPECT_EQ(0, std::memcmp(&slots[i], &gSlotRandom[i], sizeof slots[i]));
    }
}

}  // namespace
