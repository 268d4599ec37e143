// Baseshape seeds: with gUseBaseshapes set every run of chaos-game steps
// starts from a fresh point drawn on a baseshape picked by probability, and
// the run's points take their base colours from that baseshape.
#pragma once

#include <cstdint>

// Shell state the pick reads: while the voxel engine runs with "Fill
// Baseshapes when possible" on, the filled samplers are used for every kind.
extern int32_t gVoxelEngineOn;
extern uint8_t gFillBaseshapesOption;

// Picks a baseshape for the slot, samples it (modifier, array, placement)
// and leaves the seed in gSlotBaseshapePosition / gSlotSeedPoint, its colour
// in gSlotSampleColor and the colour index in gSlotBaseshapeColorIndex.
// Called by the kernels once per run, on the slot's worker.
void PickBaseshapePoint(uint8_t slot);

// The same pick, handing the placed seed, its colour index and the picked
// baseshape to the kernel directly, so it does not read them back from slot
// arrays that the other workers write into.
struct BaseshapeSeed {
    float x, y, z;
    uint8_t colorIndex;
    uint8_t baseshape;
};
BaseshapeSeed PickBaseshapeSeed(uint8_t slot);

// Colours batch points first .. end - 1 of the run by the picked baseshape's
// colour mode; first == end colours the single point first; first > end
// does nothing.
void ColorBaseshapeRun(int32_t first, int32_t end, uint8_t slot);
