// The baseshape generator tables: one default (surface) and one filled
// (volume) sampler per kind, chosen at run time by kind number, plus the
// kind flags the baseshape editor reads.
#pragma once

#include <array>
#include <cstdint>

#include "engine/baseshape_generators.h"
#include "engine/baseshape_model.h"
#include "engine/constants.h"

// gBaseshapeGenerators and the point maps are the engine's
// (engine/baseshape_generators.h); the builder below fills them.
extern uint8_t gBaseshapeHasFilled[kBaseshapeTableSize];
extern uint8_t gBaseshapeTextureOk[kBaseshapeTableSize];

// Display names in kind order; three names occur twice ("Gear II",
// "Cg Sphere", "Hexagons"): only the kind number tells those apart.
extern const std::array<const char*, kBaseshapeKinds> gBaseshapeTypeNames;

// Per-slot random walk of the "Device" sampler; the table builder clears it.
struct SlotDeviceWalk {
    uint8_t active[kMaxRenderSlots];
    float startP[kMaxRenderSlots];
    float startQ[kMaxRenderSlots];
    float p[kMaxRenderSlots];
    float q[kMaxRenderSlots];
};
extern SlotDeviceWalk gSlotDeviceWalk;

// Fills both tables, the modifier and array maps and the two flag arrays and
// clears the samplers' per-slot state. Runs once at start-up, between the
// sampler seeding and the slot seeding.
void BuildBaseshapeGeneratorTables();

// Seeds the 24 sampler generators in slot order, one rand() each, then builds
// the tables.
void SeedBaseshapeRandomAndBuildTables();

// Per-point modifier (mode 0..11) and array copy (mode 0..9) of a baseshape;
// draws come from the slot's gSlotRandom. Unknown modes return the point.
BaseshapePoint ApplyBaseshapeModifier(BaseshapePoint point, int32_t mode, uint8_t slot);
BaseshapePoint ApplyBaseshapeArray(BaseshapePoint point, int32_t mode, uint8_t slot);
