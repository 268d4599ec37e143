// The kind table: one row per baseshape kind in kind order, the data the
// generator tables and the editor's flags are built from.
#pragma once

#include <cstdint>

#include "baseshapes/generator_table.h"

enum BaseshapeKindFlags : uint8_t {
    kKindHasFilled = 1,  // table 1 holds a filled sampler of the kind's own
    kKindTexture = 2,    // the kind may be texture-coloured
};

struct BaseshapeKind {
    int16_t kind;
    const char* name;
    uint8_t flags;
    BaseshapeSampler surface;
    BaseshapeSampler filled;  // null: the surface sampler stands in both tables
};

extern const BaseshapeKind gBaseshapeKindTable[kBaseshapeKinds];

// Placeholders for kinds whose samplers are not written yet: a point on (or,
// filled, inside) the sphere of radius size, so every entry stays callable.
void SampleBaseshapeStandIn(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStandInFilled(BaseshapePoint* point, uint8_t slot);

inline bool IsBaseshapeStandIn(BaseshapeSampler s)
{
    return s == SampleBaseshapeStandIn || s == SampleBaseshapeStandInFilled;
}
