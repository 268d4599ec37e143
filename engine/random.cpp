#include "engine/random.h"

#include <cstdlib>

RandomState gGlobalRandomA;
RandomState gGlobalRandomB;
RandomState gGlobalRandomC;
SlotRandomState gSlotRandom[kMaxRenderSlots];
SlotRandomState gSlotRandomB[kMaxRenderSlots];
RndField gBaseshapeRandom[kMaxRenderSlots];
uint32_t gSlotHash[kMaxRenderSlots];

void SeedRandomState(RandomState& s, uint32_t seed)
{
    uint32_t x = seed;
    uint32_t seq[5];
    for (uint32_t& v : seq) {
        x = x * kRandomSeedMultiplier - 1u;
        v = x;
    }
    s.word[0] = seq[0];
    s.word[1] = seq[1];
    s.word[2] = seq[2];
    s.word[3] = seq[3];
    s.carry = seq[4];
    for (int i = 0; i < 19; ++i) RandomStep(s);
}

void SeedStartupRandomStates(uint32_t clockSeed, void (*buildGeneratorTables)())
{
    std::srand(clockSeed);
    SeedRandomState(gGlobalRandomB, static_cast<uint32_t>(std::rand()));
    SeedRandomState(gGlobalRandomA, static_cast<uint32_t>(std::rand()));
    (void)std::rand();
    for (RndField& f : gBaseshapeRandom) f.Seed(static_cast<uint32_t>(std::rand()));
    if (buildGeneratorTables) buildGeneratorTables();
    for (RandomState& s : gSlotRandom) SeedRandomState(s, static_cast<uint32_t>(std::rand()));
    for (RandomState& s : gSlotRandomB) SeedRandomState(s, static_cast<uint32_t>(std::rand()));
    for (int s = 0; s < kMaxRenderSlots; ++s) gSlotHash[s] = RandomStep(gSlotRandom[s]);
}
