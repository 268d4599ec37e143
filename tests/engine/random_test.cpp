#include "engine/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>

namespace {

// The seed words of 45 before the 19 warm-up steps, and the first output
// after them, worked out by hand from x(k) = x(k-1) * 29943829 - 1.
TEST(RandomState, SeedSequenceOf45)
{
    const uint32_t seq[5] = {1347472304u, 2696426863u, 1296103962u, 3075216417u, 3594751668u};
    uint32_t x = 45;
    for (uint32_t v : seq) EXPECT_EQ(x = x * kRandomSeedMultiplier - 1u, v);
    RandomState warmed{{seq[0], seq[1], seq[2], seq[3]}, seq[4]};
    for (int i = 0; i < 19; ++i) RandomStep(warmed);
    RandomState seeded{};
    SeedRandomState(seeded, 45);
    EXPECT_EQ(0, std::memcmp(&warmed, &seeded, sizeof seeded));
    // 5115 + 2 x 1776 + 3 x 1492 + 4 x 2111111111 + 5 needs 34 bits.
    RandomState s{{1, 2, 3, 4}, 5};
    EXPECT_EQ(RandomStep(s), 4149490296u);
    EXPECT_EQ(s.carry, 1u);
    EXPECT_EQ(s.word[3], 3u);
}

// A state whose next output is the chosen word: all other words zero.
TEST(RandomState, UniformAndCoinEdges)
{
    struct Case {
        uint32_t word;
        float uniform;  // -1: below 1.0
        bool coin;
    };
    const Case cases[] = {
        {0xFFFFFFFFu, 1.0f, true}, {4294967168u, 1.0f, true}, {4294967167u, -1.0f, true},
        {0u, 0.0f, false},         {0x80000000u, -1.0f, false}, {0x80000001u, -1.0f, true},
    };
    for (const Case& c : cases) {
        RandomState u{{0, 0, 0, 0}, c.word}, coin = u, plusMinus = u;
        const float got = RandomUniform(u);
        if (c.uniform < 0.0f) {
            EXPECT_LT(got, 1.0f) << c.word;
        } else {
            EXPECT_EQ(got, c.uniform) << c.word;
        }
        EXPECT_EQ(RandomCoin(coin), c.coin) << c.word;
        if (c.uniform == 1.0f) {
            EXPECT_EQ(RandomSignedUniform(plusMinus), 1.0f) << c.word;
        }
    }
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
}

// Every worker draws its own stream: no two states of the start-up share
// their words, and the tables are built between the seedings.
TEST(StartupSeeding, GivesEveryStateItsOwnStreamAndBuildsTheTables)
{
    static bool built;
    built = false;
    SeedStartupRandomStates(777, [] { built = true; });
    EXPECT_TRUE(built);
    std::set<uint32_t> firstWords = {gGlobalRandomA.word[0], gGlobalRandomB.word[0]};
    for (int i = 0; i < kMaxRenderSlots; ++i) {
        firstWords.insert(gSlotRandom[i].word[0]);
        firstWords.insert(gSlotRandomB[i].word[0]);
        firstWords.insert(gBaseshapeRandom[i].State().word[0]);
    }
    EXPECT_EQ(firstWords.size(), 2u + 3u * kMaxRenderSlots);
    const RandomState a = gGlobalRandomA;
    SeedStartupRandomStates(777, nullptr);
    EXPECT_EQ(0, std::memcmp(&a, &gGlobalRandomA, sizeof a));
}

}  // namespace
