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

// Where a slot's kernel takes its random choices from: the live tables
// above and the baseshape records, unless the probability tuner points a
// held worker's slot at one trial's own set while it scores that trial.
// Only the slot's own thread writes its entry, and only while it is held.
struct alignas(64) SlotPickModel {
    const uint32_t (*transitions)[256] = gTransformTransitions;
    const uint8_t* pickTable = gTransformPickTable;
    const float* baseshapeProbabilities = nullptr;  // null: each record's probability
    const uint8_t* runLengthFlags = nullptr;        // null: each record's random-run-length flag
    const float* copyWeights = nullptr;             // null: the live symmetry copy weights
};
extern SlotPickModel gSlotPickModel[kMaxRenderSlots];
