// Columns and rings of rounded sections: "Column IV" (fluted, rounded
// square), "Temple III" (a tapering tower of tiers), "Helix II", "Gear II"
// (kind 143; kind 109 shares the display name), "Segment" (a sector of a
// thick ring), "Moon" and "Hook" (half rings of crescent section), surface
// and filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeColumnIV(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeColumnIVFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTempleIII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTempleIIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHelixII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHelixIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearII143(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearII143Filled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSegment(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSegmentFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeMoon(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeMoonFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHook(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHookFilled(BaseshapePoint* point, uint8_t slot);
