// The samplers, modifiers and array copies the seed pick calls through. The
// engine only holds the table; baseshapes/ fills it at start-up
// (BuildBaseshapeGeneratorTables), so the model never links the samplers.
// Until then every sampler entry is null and the point maps return the
// point unchanged.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/constants.h"

// A sampler writes one random point of its shape (already times size) into
// x, y, z of the slot's working point and, when texture-coloured, its colour.
using BaseshapeSampler = void (*)(BaseshapePoint* point, uint8_t slot);

// A per-point modifier or array copy of the given mode, drawing from the
// slot's gSlotRandom.
using BaseshapePointMap = BaseshapePoint (*)(BaseshapePoint point, int32_t mode, uint8_t slot);

// [0] the surface samplers, [1] the filled ones, by kind number.
extern BaseshapeSampler gBaseshapeGenerators[2][kBaseshapeTableSize];
extern BaseshapePointMap gBaseshapeModifierMap;
extern BaseshapePointMap gBaseshapeArrayMap;
