// The architectural kinds: three columns and the two temples built of
// columns and rings. The temples call the column and torus samplers on
// points of their own; a temple point keeps the colour it came with.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeColumnI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeColumnIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeColumnII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeColumnIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeColumnIII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeColumnIIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTempleI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTempleIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTempleII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTempleIIFilled(BaseshapePoint* point, uint8_t slot);
