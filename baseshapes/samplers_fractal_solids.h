// Fractal solids: a seed point on a small solid, then a random number of
// randomly chosen contractions, so successive runs gather on the attractor.
// Each filled twin pulls the seed inward with one more draw.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeOctahedralFractal(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeOctahedralFractalFilled(BaseshapePoint* point, uint8_t slot);
// Never colours the point.
void SampleBaseshapeMengerSponge(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeMengerSpongeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTetrahedralFractal(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTetrahedralFractalFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeIcosahedralFractal(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeIcosahedralFractalFilled(BaseshapePoint* point, uint8_t slot);
