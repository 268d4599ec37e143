// What one render slot carries from one kernel call to the next and what
// decides where its points land: its orbits, previous transformation, hash
// and generators, seed state, and its batch slice (whose last point some
// kernels resume from). The running colours are left out: they colour the
// points but never move them, and a colouring mode installed meanwhile must
// not be overwritten by an old step.
// The probability tuner copies slot 0's state into whichever held worker's
// slot scores a trial, so a trial's score does not depend on which worker
// ran it or what that worker ran before.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/constants.h"
#include "engine/fractal_model.h"
#include "engine/random.h"

struct SlotStateSnapshot {
    float point[3];
    int32_t transform;
    float complexPoint[2], complexOrigin[2];
    float quaternionW;
    QuaternionPoint quaternionPoint;
    RandomState random, randomB, baseshapeRandom;
    uint32_t hash;
    BaseshapePoint baseshapePoint;
    int8_t baseshape;
    uint8_t baseshapeColorIndex;
    float baseshapePosition[3], seedPoint[3];
    uint8_t sampleColor[3], colorMode, texelColor[3];
    uint8_t deviceActive;
    float deviceWalk[4];  // startP, startQ, p, q
    float x[kSlotBatchSize], y[kSlotBatchSize], z[kSlotBatchSize];
    uint8_t colorIndex[kSlotBatchSize], r[kSlotBatchSize], g[kSlotBatchSize], b[kSlotBatchSize];
};

void SaveSlotState(uint8_t slot, SlotStateSnapshot& out);
void RestoreSlotState(const SlotStateSnapshot& in, uint8_t slot);
