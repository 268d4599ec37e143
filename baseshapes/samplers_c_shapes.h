// Closed rounded shapes from one or two angles and tanh or half-angle
// profiles: "CFlower", "Tear", "C. Tetra I" and "C. Tetra II", surface and
// filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeCFlower(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCFlowerFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTear(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTearFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCTetraI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCTetraIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCTetraII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCTetraIIFilled(BaseshapePoint* point, uint8_t slot);
