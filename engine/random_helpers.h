// Thin wrappers that draw from one named random state: each draw is one
// step of that state. Uniform = word x 2^-32 (1.0 possible), coin = word
// above 2^31, signed = 2 x uniform - 1.
#pragma once

#include <cstdint>

#include "engine/random.h"

inline uint32_t GlobalRandomU32A() { return RandomStep(gGlobalRandomA); }
inline float GlobalRandomFloatA() { return RandomUniform(gGlobalRandomA); }
inline bool GlobalRandomBoolA() { return RandomCoin(gGlobalRandomA); }

inline uint32_t GlobalRandomU32B() { return RandomStep(gGlobalRandomB); }
inline float GlobalRandomFloatB() { return RandomUniform(gGlobalRandomB); }
inline bool GlobalRandomBoolB() { return RandomCoin(gGlobalRandomB); }
inline float GlobalRandomSignedFloatB() { return RandomSignedUniform(gGlobalRandomB); }

inline uint32_t GlobalRandomU32C() { return RandomStep(gGlobalRandomC); }
inline float GlobalRandomFloatC() { return RandomUniform(gGlobalRandomC); }

inline uint32_t SlotRandomU32(uint8_t slot) { return RandomStep(gSlotRandom[slot]); }
inline float SlotRandomFloat(uint8_t slot) { return RandomUniform(gSlotRandom[slot]); }
inline bool SlotRandomBool(uint8_t slot) { return RandomCoin(gSlotRandom[slot]); }

inline uint32_t SlotRandomU32B(uint8_t slot) { return RandomStep(gSlotRandomB[slot]); }
inline float SlotRandomFloatB(uint8_t slot) { return RandomUniform(gSlotRandomB[slot]); }

inline void SeedGlobalRandomA(uint32_t seed) { SeedRandomState(gGlobalRandomA, seed); }
inline void SeedGlobalRandomB(uint32_t seed) { SeedRandomState(gGlobalRandomB, seed); }
inline void SeedSlotRandom(uint32_t seed, uint8_t slot) { SeedRandomState(gSlotRandom[slot], seed); }
inline void SeedSlotRandomB(uint32_t seed, uint8_t slot) { SeedRandomState(gSlotRandomB[slot], seed); }
// The grain of every shading pass repeats because it starts from this seed.
inline void SeedGlobalRandomC() { SeedRandomState(gGlobalRandomC, 45); }

// A point on the sphere of radius r, uniform in longitude and height; two
// draws from the given state.
float* RandomVectorOnSphere(float* out, float r, RandomState& s);
// The same from gGlobalRandomA.
float* RandomVectorOnSphere(float* out, float r);
float* RandomUnitVector(float* out);
// v turned by angle t about a random unit axis drawn from the slot's gSlotRandom.
float* RandomDirectionInCone(float* out, const float* v, float t, uint8_t slot);
// The same with the state of slot 0.
float* RandomDirectionInConeB(float* out, const float* v, float t);
