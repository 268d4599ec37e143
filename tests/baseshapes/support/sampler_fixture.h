// Helpers for the baseshape tests: a clean slot, a point template and a
// generator state that yields chosen words.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/random.h"

inline constexpr uint8_t kTestSlot = 3;

// A point with the given size and first parameter, colour (10, 20, 30).
BaseshapePoint MakeTestPoint(float size, float p1);

// Clears the slot's colour mode, texel colour and baseshape (0) and seeds its
// sampler generator with the seed.
void ResetTestSlot(uint8_t slot, uint32_t seed);

// A state whose next two words are a and then b.
RandomState StateYielding(uint32_t a, uint32_t b);

// A word whose uniform is exactly u (for u in [0, 1) a multiple of 2^-32).
inline uint32_t WordFor(double u) { return static_cast<uint32_t>(u * 4294967296.0); }
