// Rings, tubes and arcs about the y axis: "Diamond Ring", "Pipe Torus",
// "Helix I", "Arc" and "Pol. Torus".
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeDiamondRing(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDiamondRingFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePipeTorus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePipeTorusFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHelixI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHelixIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeArc(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeArcFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolTorus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolTorusFilled(BaseshapePoint* point, uint8_t slot);
