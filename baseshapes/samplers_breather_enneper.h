// Open surfaces from closed formulas: the breather, Dini's flower, a curled
// page and two Enneper surfaces of higher order.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeBreatherSurface(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBreatherSurfaceFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDiniFlower(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePage(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeEnnepersSurfaceII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeEnneperIII(BaseshapePoint* point, uint8_t slot);
