// Random generators: the four-word multiply-with-carry generator in its
// states (global, per slot, per sampler) and the per-slot hash that the
// iteration kernels step once per point.
#pragma once

#include <cstdint>

#include "engine/constants.h"

// Words are kept newest first: word[0] = x(n-1) is also the last output.
struct RandomState {
    uint32_t word[4];
    uint32_t carry;
};

// A per-slot state on a cache line of its own: the slot's worker writes it at
// every draw, and neighbouring slots belong to other threads.
struct alignas(64) SlotRandomState : RandomState {
    using RandomState::operator=;
};

inline constexpr uint32_t kRandomSeedMultiplier = 29943829u;
inline constexpr float kRandomWordToFloat = 2.3283064e-10f;  // 2^-32

// One multiply-with-carry step; returns the new word 0.
inline uint32_t RandomStep(RandomState& s)
{
    const uint64_t n = 5115ull * s.word[0] + 1776ull * s.word[1] + 1492ull * s.word[2] +
                       2111111111ull * s.word[3] + s.carry;
    s.word[3] = s.word[2];
    s.word[2] = s.word[1];
    s.word[1] = s.word[0];
    s.word[0] = static_cast<uint32_t>(n);
    s.carry = static_cast<uint32_t>(n >> 32);
    return s.word[0];
}

// Uniform in [0, 1]; outputs of 2^32 - 128 and above give exactly 1.0, so
// callers that index with floor(n * u) must guard the top index.
inline float RandomUniform(RandomState& s)
{
    return static_cast<float>(RandomStep(s)) * kRandomWordToFloat;
}

inline float RandomSignedUniform(RandomState& s) { return RandomUniform(s) * 2.0f - 1.0f; }

// True when the output is strictly above 2^31.
inline bool RandomCoin(RandomState& s) { return RandomStep(s) > 0x80000000u; }

// Fills the words from the seed by x(k) = x(k-1) * 29943829 - 1 and discards
// 19 outputs.
void SeedRandomState(RandomState& s, uint32_t seed);

// The same generator as an object, for the baseshape samplers; one cache
// line each, like the per-slot states.
class alignas(64) RndField {
public:
    uint32_t RandomU32() { return RandomStep(state_); }
    float RandomFloat() { return RandomUniform(state_); }
    float RandomSignedFloat() { return RandomSignedUniform(state_); }
    bool RandomBool() { return RandomCoin(state_); }
    void Seed(uint32_t seed) { SeedRandomState(state_, seed); }

    RandomState& State() { return state_; }
    const RandomState& State() const { return state_; }

private:
    RandomState state_{};
};

// Per-slot hash: PCG's RXS-M-XS permutation applied to its own output.
inline uint32_t HashStep(uint32_t s)
{
    s = s * 747796405u + 2891336453u;
    const uint32_t w = ((s >> ((s >> 28u) + 4u)) ^ s) * 277803737u;
    return (w >> 22u) ^ w;
}

inline uint32_t StepSlotHash(uint32_t& state)
{
    state = HashStep(state);
    return state;
}

extern RandomState gGlobalRandomA;  // window thread: pick table, tuner, voxel coordinator
extern RandomState gGlobalRandomB;  // window thread: randomisers and presets
extern RandomState gGlobalRandomC;  // shading grain, reseeded with 45 before each pass
extern SlotRandomState gSlotRandom[kMaxRenderSlots];
extern SlotRandomState gSlotRandomB[kMaxRenderSlots];
extern RndField gBaseshapeRandom[kMaxRenderSlots];
extern uint32_t gSlotHash[kMaxRenderSlots];

// The start-up seeding, in its fixed order: srand(clockSeed), then B, A, one
// discarded rand(), the sampler states, buildGeneratorTables (may be null),
// the slot states, the second slot states and the slot hashes.
void SeedStartupRandomStates(uint32_t clockSeed, void (*buildGeneratorTables)());
