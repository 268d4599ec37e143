// The polygon, crown and lotus family and the other kinds whose section is
// a regular polygon (blade, twisted pyramid, polygonal ring, star), with the
// polygon radius they share.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapePolygon(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCrown(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLotus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLotusFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBlade(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBladeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTwistedPyramid(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTwistedPyramidFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolRing(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolRingFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStar(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStarFilled(BaseshapePoint* point, uint8_t slot);
