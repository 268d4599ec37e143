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

