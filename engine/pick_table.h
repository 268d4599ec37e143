// The weighted pick table of transformations and the per-transformation
// transition rows that the kernels index with the low byte of the slot hash.
#pragma once

#include <cstdint>

#include "engine/constants.h"

extern uint8_t gTransformPickTable[256];
// Row t: the successor table used after transformation t.
extern uint32_t gTransformTransitions[kMaxTransforms][256];
// Two transformations per row that may not follow it; -1 for none.
extern int32_t gForbiddenSuccessors[kMaxTransforms][2];

// Refills the table from gTransformWeights (drawing from gGlobalRandomA) and
// rebuilds the transition rows. Both operations first bring
// gPickTransformCount into 1..65 (and store it back), so every entry and
// every row index they produce lies below the count.
void BuildTransformPickTable();
// Rebuilds the transition rows from the table and the forbidden pairs.
void ExpandTransformTransitions();
